#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/pages/status_page.h"
#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/online_probe.h"
#include "keepalive/run_state.h"
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
    bool DeleteFileA(const char* path) override {
        m_log.push_back(std::string("file ") + path);
        return Win32Files::DeleteFileA(path);
    }

  private:
    std::vector<std::string>& m_log;
};

class RecordingRegistry final : public platform::IRegistry {
  public:
    explicit RecordingRegistry(std::vector<std::string>& log) : m_log(log) {}
    long CreateKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                     platform::Key* result) override {
        return m_real.CreateKeyEx(root, subKey, access, result);
    }
    long OpenKeyEx(platform::Key root, const char* subKey, std::uint32_t access,
                   platform::Key* result) override {
        return m_real.OpenKeyEx(root, subKey, access, result);
    }
    long QueryValueEx(platform::Key key, const char* name, std::uint32_t* type, void* data,
                      std::uint32_t* size) override {
        return m_real.QueryValueEx(key, name, type, data, size);
    }
    long SetValueEx(platform::Key key, const char* name, std::uint32_t type, const void* data,
                    std::uint32_t size) override {
        return m_real.SetValueEx(key, name, type, data, size);
    }
    long DeleteValue(platform::Key key, const char* name) override {
        return m_real.DeleteValue(key, name);
    }
    long DeleteKey(platform::Key key, const char* subKey) override {
        m_log.push_back(std::string("key ") + subKey);
        return m_real.DeleteKey(key, subKey);
    }
    long CloseKey(platform::Key key) override { return m_real.CloseKey(key); }

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

TEST(Uninstall, RemovesTheShortcutBeforeTheSettingsKeyThenQuits) {
    platform::InstallWin32Services();
    Folders folders = RecordFolders();
    Settings settings;
    TransferSettings(settings, STORE_WRITE);
    LanguageTexts texts(folders.LanguageFilePath());
    texts.Text("OK");
    Autostart autostart(folders, texts);
    autostart.Set(1);
    const std::string shortcut = folders.startupFolder + "Nimbrel.lnk";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shortcut.c_str()));
    ASSERT_TRUE(KeyExists("SOFTWARE\\QUADDLE\\nimbrel2"));

    std::vector<std::string> log;
    RecordingFiles files(log);
    RecordingRegistry registry(log);
    platform::Provide<platform::IFiles>(&files);
    platform::Provide<platform::IRegistry>(&registry);
    RunState run;
    EventLog eventLog;
    OnlineProbe probe(eventLog, std::make_shared<AutodialSwitch>());
    StatusPage page(settings, autostart, texts, run, eventLog, probe);
    page.UninstallAndQuit();
    platform::InstallWin32Services();

    EXPECT_EQ((std::vector<std::string>{"file " + shortcut, "key nimbrel2"}), log);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shortcut.c_str()));
    EXPECT_FALSE(KeyExists("SOFTWARE\\QUADDLE\\nimbrel2"));
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
