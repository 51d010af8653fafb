#pragma once

#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/system_services.h"
#include "platform/user.h"
#include "platform/version.h"

// The Win32 implementations of the seam: each call forwards to the system.
namespace platform {

class Win32Registry final : public IRegistry {
  public:
    KeyOpening OpenKey(Root root, const std::string& path, KeyAccess access, Key* key) override;
    void CloseKey(Key key) override;
    std::optional<std::string> ReadText(Key key, const std::string& name) override;
    std::optional<std::uint32_t> ReadNumber(Key key, const std::string& name) override;
    ValueReading ReadStored(Key key, const std::string& name, StoredValue* value) override;
    bool WriteText(Key key, const std::string& name, const std::string& text) override;
    bool WriteNumber(Key key, const std::string& name, std::uint32_t number) override;
    bool WriteStored(Key key, const std::string& name, const StoredValue& value) override;
    bool DeleteValue(Key key, const std::string& name) override;
    bool DeleteSubKey(Key key, const std::string& name) override;
};

// Not final: a test may replace one call and keep the rest real.
class Win32Files : public IFiles {
  public:
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceFileContent(const std::string& path, const std::string& bytes) override;
    bool AppendToLog(const std::string& path, const std::string& bytes) override;
    FileWrite AppendToFile(const std::string& path, const std::string& bytes) override;
    bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    FileWrite MoveReplacing(const std::string& from, const std::string& to) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    std::string CurrentDirectory() override;
    std::string StartupFolder(bool create) override;
    std::string LocalAppDataFolder() override;
};

class Win32CodePage final : public ICodePage {
  public:
    std::string AnsiToUtf8(const std::string& ansi) override;
};

class Win32Process final : public IProcess {
  public:
    int ArgumentCount() override;
    char** Arguments() override;
    std::string ProgramPath() override;
};

class Win32User final : public IUser {
  public:
    void ShowMessage(Window owner, const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void WarningBeep() override;
};

class Win32Clock final : public IClock {
  public:
    std::int64_t Now() override;
    LocalTime GetLocalTime() override;
    ZonedTime LocalTimeAt(std::int64_t seconds) override;
    std::uint64_t GetTickCount64() override;
};

class Win32Version final : public IVersion {
  public:
    bool GetVersionExA(OsVersion* version) override;
    bool RtlGetVersion(OsVersion* version) override;
};

}  // namespace platform
