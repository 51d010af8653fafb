#include "tests/installer/system_state.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

namespace installed {
namespace {

constexpr const char* kListKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Nimbrel";

std::string SpecialFolder(int id) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

void CollectFiles(const std::string& folder, const std::string& prefix,
                  std::vector<std::string>& names) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(folder, prefix + name + "\\", names);
        else
            names.push_back(prefix + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::set<HWND> VisibleWindows() {
    std::set<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            if (IsWindowVisible(window)) reinterpret_cast<std::set<HWND>*>(list)->insert(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Describe(HWND window) {
    char name[256] = "";
    char caption[256] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    return std::string(name) + ": " + caption;
}

// Processes by id whose parent is the given one, opened for waiting.
std::vector<HANDLE> ChildrenOf(DWORD parent) {
    std::vector<HANDLE> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == parent)
            if (HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID))
                children.push_back(child);
    CloseHandle(snapshot);
    return children;
}

void EndProcessesIn(const std::string& folder) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE |
                                         SYNCHRONIZE,
                                     FALSE, entry.th32ProcessID);
        if (!process) continue;
        char path[MAX_PATH] = "";
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameA(process, 0, path, &size) &&
            _strnicmp(path, folder.c_str(), folder.size()) == 0) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
        }
        CloseHandle(process);
    }
    CloseHandle(snapshot);
}

}  // namespace

std::string Folder() {
    return SpecialFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Nimbrel\\";
}

std::vector<std::string> Files() {
    std::vector<std::string> names;
    CollectFiles(Folder(), "", names);
    std::sort(names.begin(), names.end());
    return names;
}

unsigned long long TotalSize() {
    unsigned long long total = 0;
    for (const std::string& name : Files()) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (GetFileAttributesExA((Folder() + name).c_str(), GetFileExInfoStandard, &data))
            total += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
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
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kListKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::string> ListString(const char* name) {
    char text[1024] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kListKey, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

std::optional<DWORD> ListDword(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, kListKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::optional<DWORD> Run(const std::string& commandLine, std::chrono::milliseconds timeout) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return std::nullopt;
    std::optional<DWORD> code;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout.count())) ==
        WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = exitCode;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

Uninstall RunUninstaller(const std::string& commandLine, std::chrono::milliseconds timeout) {
    Uninstall result;
    const std::set<HWND> before = VisibleWindows();
    std::set<HWND> seen;
    auto lookForWindows = [&] {
        for (HWND window : VisibleWindows())
            if (!before.count(window) && seen.insert(window).second)
                result.windows.push_back(Describe(window));
    };

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto waitFor = [&](HANDLE handle) {
        while (WaitForSingleObject(handle, 10) == WAIT_TIMEOUT) {
            lookForWindows();
            if (std::chrono::steady_clock::now() > deadline) return false;
        }
        return true;
    };
    result.finished = waitFor(process.hProcess);
    for (HANDLE copy : ChildrenOf(process.dwProcessId)) {
        result.finished = waitFor(copy) && result.finished;
        CloseHandle(copy);
    }
    lookForWindows();
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

void RemoveEverything() {
    const std::string folder = Folder();
    EndProcessesIn(folder);
    std::vector<std::string> names = Files();
    for (const std::string& name : names) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA((folder + "help-pictures").c_str());
    RemoveDirectoryA(folder.c_str());
    DeleteFileA(MenuShortcut().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kListKey);
}

}  // namespace installed
