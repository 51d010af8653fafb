#pragma once

#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/user.h"
#include "platform/version.h"
#include "tests/doubles/fake_registry.h"
#include "tests/doubles/fake_user.h"

// Files on the real disk, so tests can make and inspect them. Windows paths work: backslashes
// become slashes. A file without the owner's write bit counts as read-only, even for root.
class FakeFiles : public platform::IFiles {
  public:
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFileContent(const std::string& path, const std::string& bytes) override;
    bool AppendToLog(const std::string& path, const std::string& bytes) override;
    platform::FileWrite AppendToFile(const std::string& path, const std::string& bytes) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    platform::FileWrite MoveReplacing(const std::string& from, const std::string& to) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    std::string CurrentDirectory() override { return currentDirectory; }
    std::string StartupFolder(bool create) override;
    std::string LocalAppDataFolder() override { return localAppData; }

    std::vector<std::string> calls;
    std::set<std::string> lockedPaths;  // opening these fails, as for a file held without sharing
    std::string currentDirectory = "C:\\Work";
    std::string startupFolder = "C:\\Users\\me\\Start Menu\\Programs\\Startup";
    std::string localAppData;  // unknown unless a test gives one
    int replacements = 0;
};

// The Western code page, windows-1252.
class FakeCodePage : public platform::ICodePage {
  public:
    std::string AnsiToUtf8(const std::string& ansi) override;
};

class FakeProcess : public platform::IProcess {
  public:
    int ArgumentCount() override { return static_cast<int>(m_arguments.size()); }
    char** Arguments() override { return m_pointers.data(); }
    std::string ProgramPath() override { return programPath; }
    void Set(std::vector<std::string> arguments);

    std::string programPath = "C:\\Tools\\nimbrel.exe";

  private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_pointers;
};

// A clock the test sets and moves. Calendar times are shown in a zone offsetMinutes from UTC.
class FakeClock : public platform::IClock {
  public:
    std::int64_t Now() override { return now; }
    platform::LocalTime GetLocalTime() override { return local; }
    platform::ZonedTime LocalTimeAt(std::int64_t seconds) override;
    std::uint64_t GetTickCount64() override { return ticks; }

    int offsetMinutes = 60;
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

    platform::OsVersion record{5, 1, 2600, platform::WindowsFamily::Nt, "Service Pack 3"};
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
    FakeCodePage codePage;
    FakeProcess process;
    FakeUser user;
    FakeClock clock;
    FakeVersion version;

  private:
    platform::IRegistry* m_previousRegistry;
    platform::IFiles* m_previousFiles;
    platform::ICodePage* m_previousCodePage;
    platform::IProcess* m_previousProcess;
    platform::IUser* m_previousUser;
    platform::IClock* m_previousClock;
    platform::IVersion* m_previousVersion;
};

// A Linux path for a path the program built the Windows way.
std::string HostPath(std::string path);
