#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

constexpr const char* kShortcut = "Nimbrel.lnk";

HWND StatusPage(HWND main) {
    return FindWindowExA(main, nullptr, nullptr, "Nimbrel");
}

// The status page's Exit, which saves the settings and updates the shortcut.
void RunAndExit(DWORD autoStart) {
    settings::PutDword("AutoStart", autoStart);
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    Click(StatusPage(main), IDC_EXIT);
    ASSERT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
}

class AutostartShortcut : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        startup::Remove(kShortcut);
        settings::PutDword("FirstTime", 0);
        settings::PutDword("Redial", 1);
        settings::PutString("URL1", "http://keep.example/");
    }
    void TearDown() override {
        startup::Remove(kShortcut);
        settings::Clear();
    }
};

TEST_F(AutostartShortcut, ExitWithAutostartOnWritesAShortcutThatStartsIntoTheTrayAndOn) {
    RunAndExit(1);
    const auto shortcut = startup::Read(kShortcut);
    ASSERT_TRUE(shortcut.has_value());
    const std::string program = OwnFolder() + "nimbrel.exe";
    EXPECT_EQ(0, lstrcmpiA(program.c_str(), shortcut->target.c_str())) << shortcut->target;
    EXPECT_EQ("-tray -on", shortcut->arguments);
    EXPECT_EQ("Nimbrel", shortcut->description);

    // Started the way the shortcut starts it: into the tray, switched on.
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
    settings::PutString("URL1", server.Url() + "?autostart=" + std::to_string(GetTickCount64()));
    Nimbrel nimbrel(shortcut->arguments);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(
        WaitUntil([&] { return !IsWindowVisible(main) && TrayIconShown(main, kTrayIconId); }));
    EXPECT_TRUE(server.WaitForRequests(1, 10000));
    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);  // the tray menu's Exit saves nothing
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_TRUE(startup::Exists(kShortcut));
}

TEST_F(AutostartShortcut, ExitWithAutostartOffRemovesItAndAgainFindsNothingToRemove) {
    RunAndExit(1);
    ASSERT_TRUE(startup::Exists(kShortcut));
    RunAndExit(0);
    EXPECT_FALSE(startup::Exists(kShortcut));
    RunAndExit(0);
    EXPECT_FALSE(startup::Exists(kShortcut));
    EXPECT_EQ(0u, settings::Dword("AutoStart").value_or(99));
}

TEST_F(AutostartShortcut, UninstallRemovesTheShortcutAndTheSettingsKey) {
    RunAndExit(1);
    ASSERT_TRUE(startup::Exists(kShortcut));
    Nimbrel nimbrel("-uninstall");
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_FALSE(startup::Exists(kShortcut));
    EXPECT_FALSE(settings::KeyExists());
}

// The shortcut's name follows the language file, at its creation and at its removal.
TEST_F(AutostartShortcut, LanguageFileNamesTheShortcut) {
    LanguageFile file("[SETTINGS]\r\nAutostartLink=Vellmark\r\n");
    RunAndExit(1);
    EXPECT_FALSE(startup::Exists(kShortcut));
    const auto shortcut = startup::Read("Vellmark.lnk");
    ASSERT_TRUE(shortcut.has_value());
    EXPECT_EQ("Vellmark", shortcut->description);
    RunAndExit(0);
    EXPECT_FALSE(startup::Exists("Vellmark.lnk"));
}

}  // namespace
