#include "tests/bench/child_program.h"

#include <psapi.h>

#include <vector>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

}  // namespace

double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

ChildProgram::ChildProgram(const std::string& exe, const std::string& arguments) {
    std::string commandLine = "\"" + exe + "\" " + arguments;
    std::vector<char> text(commandLine.begin(), commandLine.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    QueryPerformanceCounter(&m_startedAt);
    if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process))
        m_process = PROCESS_INFORMATION{};
}

ChildProgram::~ChildProgram() {
    if (!Started()) return;
    TerminateProcess(m_process.hProcess, 0);
    WaitForSingleObject(m_process.hProcess, 10000);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool ChildProgram::WaitForVisibleWindow(int timeoutMs) {
    while (Started() && MillisecondsSince(m_startedAt) < timeoutMs) {
        WindowSearch search{m_process.dwProcessId, nullptr};
        EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            m_shownAfterMs = MillisecondsSince(m_startedAt);
            m_window = search.found;
            return true;
        }
        Sleep(1);
    }
    return false;
}

double ChildProgram::CpuSeconds() const {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(m_process.hProcess, &created, &exited, &kernel, &user)) return -1;
    return Seconds(kernel) + Seconds(user);
}

double ChildProgram::ResidentMegabytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(m_process.hProcess, &counters, sizeof counters)) return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}
