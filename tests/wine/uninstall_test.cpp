#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/uninstall.h"
#include "platform/win32/win32_services.h"
#include "settings/autostart.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace {

// The real files and registry, with every deletion noted in the order it happens.
class RecordingFiles final : public platform::Win32Files {
  public:
    explicit RecordingFiles(std::vector<std::string>& log) : m_log(log) {}
    bool RemoveFile(const std::string& path) override {
        m_log.push_back("file " + path);
        return Win32Files::RemoveFile(path);
    }

  private:
    std::vector<std::string>& m_log;
};

class RecordingRegistry final : public platform::IRegistry {
  public:
    explicit RecordingRegistry(std::vector<std::string>& log) : m_log(log) {}
    platform::KeyOpening OpenKey(platform::Root root, const std::string& path,
                                 platform::KeyAccess access, platform::Key* key) override {
        return m_real.OpenKey(root, path, access, key);
    }
    void CloseKey(platform::Key key) override { m_real.CloseKey(key); }
    std::optional<std::string> ReadText(platform::Key key, const std::string& name) override {
        return m_real.ReadText(key, name);
    }
    std::optional<std::uint32_t> ReadNumber(platform::Key key, const std::string& name) override {
        return m_real.ReadNumber(key, name);
    }
    platform::ValueReading ReadStored(platform::Key key, const std::string& name,
                                      platform::StoredValue* value) override {
        return m_real.ReadStored(key, name, value);
    }
    bool WriteText(platform::Key key, const std::string& name, const std::string& text) override {
        return m_real.WriteText(key, name, text);
    }
    bool WriteNumber(platform::Key key, const std::string& name, std::uint32_t number) override {
        return m_real.WriteNumber(key, name, number);
    }
    bool WriteStored(platform::Key key, const std::string& name,
                     const platform::StoredValue& value) override {
        return m_real.WriteStored(key, name, value);
    }
    bool DeleteValue(platform::Key key, const std::string& name) override {
        return m_real.DeleteValue(key, name);
    }
    bool DeleteSubKey(platform::Key key, const std::string& name) override {
        m_log.push_back("key " + name);
        return m_real.DeleteSubKey(key, name);
    }

  private:
    platform::Win32Registry m_real;
    std::vector<std::string>& m_log;
};

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(Uninstall, RemovesTheShortcutBeforeTheSettingsKey) {
    platform::InstallWin32Services();
    Folders folders = RecordFolders();
    Settings settings;
    TransferSettings(settings, Transfer::Write);
    LanguageTexts texts(folders.LanguageFilePath());
    texts.ApplyOffSwitch();
    Autostart autostart(folders, texts);
    autostart.Set(true);
    const std::string shortcut = folders.startupFolder + "Nimbrel.lnk";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shortcut.c_str()));
    ASSERT_TRUE(KeyExists("SOFTWARE\\QUADDLE\\nimbrel2"));

    std::vector<std::string> log;
    RecordingFiles files(log);
    RecordingRegistry registry(log);
    platform::Provide<platform::IFiles>(&files);
    platform::Provide<platform::IRegistry>(&registry);
    RemoveProgramTraces(autostart);
    platform::InstallWin32Services();

    EXPECT_EQ((std::vector<std::string>{"file " + shortcut, "key nimbrel2"}), log);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shortcut.c_str()));
    EXPECT_FALSE(KeyExists("SOFTWARE\\QUADDLE\\nimbrel2"));
}

}  // namespace
