#pragma once

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/user.h"
#include "platform/version.h"

// The Win32 implementations of the seam: each call forwards to the system.
namespace platform {

class Win32Registry final : public IRegistry {
  public:
    long CreateKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) override;
    long OpenKeyEx(Key root, const char* subKey, std::uint32_t access, Key* result) override;
    long QueryValueEx(Key key, const char* name, std::uint32_t* type, void* data,
                      std::uint32_t* size) override;
    long SetValueEx(Key key, const char* name, std::uint32_t type, const void* data,
                    std::uint32_t size) override;
    long DeleteValue(Key key, const char* name) override;
    long DeleteKey(Key key, const char* subKey) override;
    long CloseKey(Key key) override;
};

class Win32Profile final : public IProfile {
  public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* path) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* path) override;
};

// Not final: a test may replace one call and keep the rest real.
class Win32Files : public IFiles {
  public:
    FileHandle CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                           std::uint32_t disposition, std::uint32_t attributes) override;
    std::uint32_t GetFileSize(FileHandle file) override;
    bool SeekToEnd(FileHandle file) override;
    bool WriteFile(FileHandle file, const void* data, std::uint32_t size) override;
    bool CloseHandle(FileHandle file) override;
    bool DeleteFileA(const char* path) override;
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
    bool GetSpecialFolderPath(int csidl, char* path) override;
};

class Win32Process final : public IProcess {
  public:
    int ArgumentCount() override;
    char** Arguments() override;
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
};

class Win32User final : public IUser {
  public:
    int MessageBoxA(Window owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    bool MessageBeep(std::uint32_t type) override;
};

class Win32Clock final : public IClock {
  public:
    std::int64_t Now() override;
    LocalTime GetLocalTime() override;
    std::uint64_t GetTickCount64() override;
};

class Win32Version final : public IVersion {
  public:
    bool GetVersionExA(OsVersion* version) override;
    bool RtlGetVersion(OsVersion* version) override;
};

// Installs the forwarders above as the services the logic uses.
void InstallWin32Services();

}  // namespace platform
