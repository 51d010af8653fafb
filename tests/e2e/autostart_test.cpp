#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

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

// The Startup folder moved aside for one test; put back afterwards, whatever the test left in
// its place.
class StartupFolderAside {
  public:
    StartupFolderAside() : m_folder(std::filesystem::path(startup::Folder()).parent_path()) {
        std::filesystem::rename(m_folder, Aside());
    }
    StartupFolderAside(const StartupFolderAside&) = delete;
    StartupFolderAside& operator=(const StartupFolderAside&) = delete;
    ~StartupFolderAside() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        std::filesystem::rename(Aside(), m_folder, ignored);
    }
    const std::filesystem::path& Folder() const { return m_folder; }

  private:
    std::filesystem::path Aside() const { return m_folder.string() + ".aside"; }
    std::filesystem::path m_folder;
};

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
        for (const char* name : {kShortcut, "y.lnk", "AutostartLink.lnk", "Vellmark.lnk"})
            startup::Remove(name);
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

// A language file that lacks the key names the shortcut in English and gains the key's
// placeholder, which the next run does not take for a name: the shortcut keeps its name.
TEST_F(AutostartShortcut, MissingNameKeepsTheEnglishNameAcrossRuns) {
    LanguageFile file("[SETTINGS]\r\nOn=An\r\n");
    RunAndExit(1);
    EXPECT_TRUE(startup::Exists(kShortcut));
    EXPECT_FALSE(startup::Exists("y.lnk"));
    EXPECT_NE(std::string::npos, file.Content().find("AutostartLink=AutostartLink"));
    RunAndExit(1);
    EXPECT_TRUE(startup::Exists(kShortcut));
    EXPECT_FALSE(startup::Exists("AutostartLink.lnk"));
    RunAndExit(0);
    EXPECT_FALSE(startup::Exists(kShortcut));
}

// Unticking removes the shortcut written last, though the language file names it otherwise now.
TEST_F(AutostartShortcut, ShortcutWrittenLastIsRemovedWhateverItsNameNow) {
    {
        LanguageFile file("[SETTINGS]\r\nAutostartLink=Vellmark\r\n");
        RunAndExit(1);
        EXPECT_TRUE(startup::Exists("Vellmark.lnk"));
    }
    RunAndExit(0);
    EXPECT_FALSE(startup::Exists("Vellmark.lnk"));
    EXPECT_FALSE(startup::Exists(kShortcut));
}

TEST_F(AutostartShortcut, UninstallRemovesTheShortcutWrittenUnderAnotherName) {
    {
        LanguageFile file("[SETTINGS]\r\nAutostartLink=Vellmark\r\n");
        RunAndExit(1);
        ASSERT_TRUE(startup::Exists("Vellmark.lnk"));
    }
    Nimbrel nimbrel("-uninstall");
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_FALSE(startup::Exists("Vellmark.lnk"));
    EXPECT_FALSE(settings::KeyExists());
}

TEST_F(AutostartShortcut, MissingStartupFolderIsCreatedForTheShortcut) {
    StartupFolderAside aside;
    RunAndExit(1);
    EXPECT_TRUE(startup::Exists(kShortcut));
}

// A file where the Startup folder belongs: the shortcut cannot be written, and the user is told
// in one message box owned by the main window, however often the settings are saved.
TEST_F(AutostartShortcut, ShortcutThatCannotBeWrittenIsToldOnce) {
    StartupFolderAside aside;
    std::ofstream(aside.Folder()) << "in the way";
    settings::PutDword("AutoStart", 1);
    settings::PutString("URL1", "http://127.0.0.1:9/");  // nothing listens there
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    Click(StatusPage(main), IDC_STAY_ON);
    HWND box = nimbrel.WindowTitled("Quaddle");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(main, GetWindow(box, GW_OWNER));
    EXPECT_NE(std::string::npos, ItemText(box, kMessageBoxText).find("Startup folder"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    Click(StatusPage(main), IDC_EXIT);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));  // no second box holds it up
    EXPECT_EQ(1u, settings::Dword("AutoStart").value_or(99));
}

}  // namespace
