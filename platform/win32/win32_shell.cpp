#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include "base/wide_text.h"

namespace platform {
namespace {

// A failed start in the shell's codes: the system's error where it is one of them (2 file not
// found, 3 path not found, ...), else 11, the code for a file that is no program.
std::uint32_t StartFailure(DWORD error) {
    return error < 32 ? error : 11;
}

// Above 31: a started program, as the shell counts.
constexpr std::uint32_t kStarted = 33;

}  // namespace

std::intptr_t Win32Shell::Open(Window owner, const std::string& target) {
    return reinterpret_cast<std::intptr_t>(ShellExecuteW(reinterpret_cast<HWND>(owner), L"open",
                                                         ToWide(target).c_str(), nullptr, nullptr,
                                                         SW_SHOWNORMAL));
}

std::uint32_t Win32Shell::StartProgram(const std::string& commandLine) {
    WideString line = ToWide(commandLine);  // the call may change it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return StartFailure(GetLastError());
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return kStarted;
}

}  // namespace platform
