#include <windows.h>
#include <shlobj.h>

#include "platform/win32/loaded_library.h"
#include "platform/win32/win32_services.h"

namespace platform {
namespace {

HANDLE ToHandle(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

}  // namespace

FileHandle Win32Files::CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                                   std::uint32_t disposition, std::uint32_t attributes) {
    return reinterpret_cast<FileHandle>(
        ::CreateFileA(path, access, share, nullptr, disposition, attributes, nullptr));
}

std::uint32_t Win32Files::GetFileSize(FileHandle file) {
    return ::GetFileSize(ToHandle(file), nullptr);
}

bool Win32Files::SeekToEnd(FileHandle file) {
    return SetFilePointer(ToHandle(file), 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER;
}

bool Win32Files::WriteFile(FileHandle file, const void* data, std::uint32_t size) {
    DWORD written = 0;
    return ::WriteFile(ToHandle(file), data, size, &written, nullptr) && written == size;
}

bool Win32Files::CloseHandle(FileHandle file) {
    return ::CloseHandle(ToHandle(file));
}

bool Win32Files::DeleteFileA(const char* path) {
    return ::DeleteFileA(path);
}

std::uint32_t Win32Files::GetCurrentDirectoryA(std::uint32_t size, char* buffer) {
    return ::GetCurrentDirectoryA(size, buffer);
}

// The shell is loaded for this call only: start-up looks up the Startup folder, and the shell
// with its helpers (over 1 MB) need not stay for a run that never shows the tray icon.
bool Win32Files::GetSpecialFolderPath(int csidl, char* path) {
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    const LoadedLibrary shell("shell32.dll");
    const auto getFolderPath = shell.Function<GetFolderPath>("SHGetFolderPathA");
    return getFolderPath &&
           getFolderPath(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK;
}

}  // namespace platform
