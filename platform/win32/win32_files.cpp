#include <windows.h>
#include <shlobj.h>

#include "base/loaded_library.h"
#include "base/wide_text.h"
#include "platform/win32/win32_services.h"

namespace platform {
namespace {

// Owns one open file handle and closes it once.
class OpenFile {
  public:
    OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
             DWORD attributes)
        : m_handle(CreateFileW(ToWide(path).c_str(), access, share, nullptr, disposition,
                               attributes, nullptr)) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (is_open()) CloseHandle(m_handle);
    }

    bool is_open() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Another program holds the file, or a range of it, without sharing it for writing.
FileWrite Failure() {
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? FileWrite::kLocked
                                                                             : FileWrite::kFailed;
}

// A folder the shell knows by its CSIDL; "" when the system cannot give it. The shell is loaded
// for this call only: the shell with its helpers (over 1 MB) need not stay for the run.
std::string ShellFolder(int folder) {
    using GetFolderPath = HRESULT(HWND, int, HANDLE, DWORD, LPWSTR);
    const LoadedLibrary shell(L"shell32.dll");
    const auto getFolderPath = shell.Function<GetFolderPath>("SHGetFolderPathW");
    wchar_t path[MAX_PATH] = L"";
    if (!getFolderPath || getFolderPath(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
        return "";
    return FromWide(WideView(path, wcsnlen(path, MAX_PATH)));
}

}  // namespace

std::optional<std::string> Win32Files::ReadFile(const std::string& path) {
    const OpenFile file(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL);
    LARGE_INTEGER size{};
    if (!file.is_open() || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kLargestReadFile)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)))
        return std::nullopt;
    bytes.resize(read);
    return bytes;
}

bool Win32Files::ReplaceFileContent(const std::string& path, const std::string& bytes) {
    const OpenFile file(path, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    return file.is_open() && WriteAll(file.get(), bytes) && SetEndOfFile(file.get());
}

// Shared for writing, so a viewer that holds the file open does not lose lines.
bool Win32Files::AppendToLog(const std::string& path, const std::string& bytes) {
    const OpenFile file(path, GENERIC_WRITE, FILE_SHARE_WRITE, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_TEMPORARY);
    return file.is_open() &&
           SetFilePointer(file.get(), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
           WriteAll(file.get(), bytes);
}

FileWrite Win32Files::AppendToFile(const std::string& path, const std::string& bytes) {
    const OpenFile file(path, FILE_APPEND_DATA, FILE_SHARE_READ, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL);
    if (!file.is_open()) return Failure();
    return WriteAll(file.get(), bytes) ? FileWrite::kDone : FileWrite::kFailed;
}

// Written beside the file and onto the disk, then moved over it: a run killed or a power lost
// meanwhile leaves the old content or the new one, never a part.
bool Win32Files::WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::string aside = path + ".new";
    {
        const OpenFile file(aside, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
        if (!file.is_open() || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()))
            return false;
    }
    return MoveFileExW(ToWide(aside).c_str(), ToWide(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(ToWide(path).c_str(), GetFileExInfoStandard, &data)) return {};
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

FileWrite Win32Files::MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(ToWide(from).c_str(), ToWide(to).c_str(), MOVEFILE_REPLACE_EXISTING)
               ? FileWrite::kDone
               : Failure();
}

bool Win32Files::MakeFolder(const std::string& path) {
    return CreateDirectoryW(ToWide(path).c_str(), nullptr) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32Files::RemoveFile(const std::string& path) {
    return DeleteFileW(ToWide(path).c_str());
}

std::string Win32Files::CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return "";
    std::vector<wchar_t> directory(size, L'\0');
    const DWORD length = GetCurrentDirectoryW(size, directory.data());
    return length == 0 || length >= size ? "" : FromWide(WideView(directory.data(), length));
}

// Start-up looks up the Startup folder.
std::string Win32Files::StartupFolder(bool create) {
    return ShellFolder(CSIDL_STARTUP | (create ? CSIDL_FLAG_CREATE : 0));
}

std::string Win32Files::LocalAppDataFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string Win32CodePage::AnsiToUtf8(const std::string& ansi) {
    return FromWide(AnsiToWide(ansi));
}

}  // namespace platform
