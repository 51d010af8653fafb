#include "tests/installer/system_state.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "base/handles.h"
#include "tests/e2e/driver.h"

namespace installed {
namespace {

constexpr const char* kListKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nimbrel";

struct KernelTraits {
    static void Free(HANDLE handle) { CloseHandle(handle); }
};
using OwnedHandle = Owned<HANDLE, KernelTraits>;
struct FindTraits {
    static void Free(HANDLE search) { FindClose(search); }
};
using OwnedSearch = Owned<HANDLE, FindTraits>;

// Every process that runs now, as a snapshot of records; calls back for each.
template <class Visit>
void ForEachProcess(Visit visit) {
    const HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return;
    OwnedHandle snapshot(taken);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry))
        visit(entry);
}

// A started process whose handles are closed when it goes.
struct Started {
    OwnedHandle process;
    OwnedHandle thread;
    DWORD id = 0;
};

std::optional<Started> Start(const std::string& commandLine, DWORD flags = 0) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring line = driver::Wide(commandLine);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &info))
        return std::nullopt;
    return Started{OwnedHandle(info.hProcess), OwnedHandle(info.hThread), info.dwProcessId};
}

std::string SpecialFolder(int id) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return driver::Utf8(path);
}

void CollectFiles(const std::string& folder, const std::string& prefix,
                  std::vector<std::string>& names) {
    WIN32_FIND_DATAW found{};
    const HANDLE first = FindFirstFileW(driver::Wide(folder + prefix + "*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return;
    OwnedSearch search(first);
    do {
        const std::string name = driver::Utf8(found.cFileName);
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder, prefix + name + "\\", names);
        else
            names.push_back(prefix + name);
    } while (FindNextFileW(search.get(), &found));
}

// A named CALLBACK function: a lambda would convert only to a pointer in C's convention.
BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(list)->insert(window);
    return TRUE;
}

std::set<HWND> VisibleWindows() {
    std::set<HWND> windows;
    EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Describe(HWND window) {
    char name[256] = "";
    char caption[256] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    return std::string(name) + ": " + caption;
}

// How many processes of the job are still running.
DWORD ActiveProcesses(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info,
                                   nullptr))
        return 0;
    return info.ActiveProcesses;
}

void EndProcessesIn(const std::string& folder) {
    const std::wstring prefix = driver::Wide(folder);
    ForEachProcess([&](const PROCESSENTRY32& entry) {
        OwnedHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                        entry.th32ProcessID));
        if (!process) return;
        wchar_t path[MAX_PATH] = L"";
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameW(process.get(), 0, path, &size) &&
            _wcsnicmp(path, prefix.c_str(), prefix.size()) == 0) {
            TerminateProcess(process.get(), 99);
            WaitForSingleObject(process.get(), 5000);
        }
    });
}

}  // namespace

std::string Folder() {
    return SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Nimbrel\\";
}

std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    CollectFiles(folder, "", names);
    std::sort(names.begin(), names.end());
    return names;
}

unsigned long long TotalSize() {
    unsigned long long total = 0;
    for (const std::string& name : Files()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA((Folder() + name).c_str(), GetFileExInfoStandard, &data))
            total +=
                (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return total;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string MenuShortcut() {
    return SpecialFolder(CSIDL_PROGRAMS) + "\\Nimbrel.lnk";
}

bool ListEntryExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kListKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::string> ListString(const char* name) {
    wchar_t text[4096] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, driver::Wide(kListKey).c_str(), driver::Wide(name).c_str(),
                     RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return driver::Utf8(text);
}

std::optional<DWORD> ListDword(const char* name) {
    return driver::RegistryDword(kListKey, name);
}

std::optional<DWORD> Run(const std::string& commandLine, std::chrono::milliseconds timeout) {
    const auto started = Start(commandLine);
    if (!started) return std::nullopt;
    if (WaitForSingleObject(started->process.get(), static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0)
        return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeProcess(started->process.get(), &exitCode);
    return exitCode;
}

// The uninstaller hands its work to a copy of itself in the temporary folder and ends at once.
// Both run in one job, and the wait lasts until the job's last process has ended.
Uninstall RunUninstaller(const std::string& commandLine, std::chrono::milliseconds timeout) {
    Uninstall result;
    const std::set<HWND> before = VisibleWindows();
    std::set<HWND> seen;
    auto lookForWindows = [&] {
        for (HWND window : VisibleWindows())
            if (!before.count(window) && seen.insert(window).second)
                result.windows.push_back(Describe(window));
    };

    const OwnedHandle job(CreateJobObjectW(nullptr, nullptr));
    const auto started = Start(commandLine, CREATE_SUSPENDED);
    if (!job || !started) return result;
    if (!AssignProcessToJobObject(job.get(), started->process.get())) {
        TerminateProcess(started->process.get(), 1);
        return result;
    }
    ResumeThread(started->thread.get());
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (ActiveProcesses(job.get()) > 0) {
        lookForWindows();
        if (std::chrono::steady_clock::now() > deadline) return result;
        Sleep(10);
    }
    lookForWindows();
    result.finished = true;
    return result;
}

void RemoveEverything(const std::string& folder) {
    EndProcessesIn(folder);
    for (const std::string& name : Files(folder)) DeleteFileW(driver::Wide(folder + name).c_str());
    RemoveDirectoryW(driver::Wide(folder + "help-pictures").c_str());
    RemoveDirectoryW(driver::Wide(folder).c_str());
    DeleteFileA(MenuShortcut().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kListKey);
}

}  // namespace installed
