#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/user.h"
#include "platform/version.h"
#include "tests/doubles/fake_registry.h"
#include "tests/doubles/fake_user.h"

// Files on the real disk, so tests can make and inspect them. Windows paths work: backslashes
// become slashes. A file without the owner's write bit counts as read-only, even for root.
class FakeFiles : public platform::IFiles {
  public:
    ~FakeFiles() override;
    platform::FileHandle CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                                     std::uint32_t disposition, std::uint32_t attributes) override;
    std::uint32_t GetFileSize(platform::FileHandle file) override;
    bool SeekToEnd(platform::FileHandle file) override;
    bool WriteFile(platform::FileHandle file, const void* data, std::uint32_t size) override;
    bool CloseHandle(platform::FileHandle file) override;
    bool DeleteFileA(const char* path) override;
    std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) override;
    bool GetSpecialFolderPath(int csidl, char* path) override;

    std::size_t OpenHandles() const { return m_open.size(); }

    std::vector<std::string> calls;
    std::set<std::string> lockedPaths;  // opening these fails, as for a file held without sharing
    std::string currentDirectory = "C:\\Work";
    std::string startupFolder = "C:\\Users\\me\\Start Menu\\Programs\\Startup";

  private:
    std::map<platform::FileHandle, std::FILE*> m_open;
    platform::FileHandle m_next = 100;
};

// Profile files on the real disk, with the rules of the Win32 profile functions that the
// program relies on: one section per [name], keys and sections without case, the value cut to
// the buffer, the default when the key or the file is missing.
class FakeProfile : public platform::IProfile {
  public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* path) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* path) override;

    int writes = 0;
};

class FakeProcess : public platform::IProcess {
  public:
    int ArgumentCount() override { return static_cast<int>(m_arguments.size()); }
    char** Arguments() override { return m_pointers.data(); }
    // Like the system on XP: a path that does not fit fills the buffer without an end.
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
    void Set(std::vector<std::string> arguments);

    std::string modulePath = "C:\\Tools\\nimbrel.exe";

  private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_pointers;
};

// A clock the test sets and moves.
class FakeClock : public platform::IClock {
  public:
    std::int64_t Now() override { return now; }
    platform::LocalTime GetLocalTime() override { return local; }
    std::uint64_t GetTickCount64() override { return ticks; }

    std::int64_t now = 1000000;
    platform::LocalTime local{2026, 12, 7, 9, 5, 7};
    std::uint64_t ticks = 5000000;
};

// A version record the test chooses; fails when told to. The real version is there only when
// the test gives one, as on a system whose ntdll has no RtlGetVersion.
class FakeVersion : public platform::IVersion {
  public:
    bool GetVersionExA(platform::OsVersion* version) override {
        ++calls;
        if (fail) return false;
        *version = record;
        return true;
    }
    bool RtlGetVersion(platform::OsVersion* version) override {
        if (!real) return false;
        *version = *real;
        return true;
    }

    platform::OsVersion record{5, 1, 2600, platform::kPlatformNt, "Service Pack 3"};
    std::optional<platform::OsVersion> real;
    bool fail = false;
    int calls = 0;
};

// Installs a fresh set of doubles for one test and puts the previous services back after it.
class FakeSystem {
  public:
    FakeSystem();
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;
    ~FakeSystem();

    FakeRegistry registry;
    FakeFiles files;
    FakeProfile profile;
    FakeProcess process;
    FakeUser user;
    FakeClock clock;
    FakeVersion version;

  private:
    platform::IRegistry* m_previousRegistry;
    platform::IFiles* m_previousFiles;
    platform::IProfile* m_previousProfile;
    platform::IProcess* m_previousProcess;
    platform::IUser* m_previousUser;
    platform::IClock* m_previousClock;
    platform::IVersion* m_previousVersion;
};

// A Linux path for a path the program built the Windows way.
std::string HostPath(std::string path);
