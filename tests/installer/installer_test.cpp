#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/installer/system_state.h"
#include "version.h"

namespace {

using namespace driver;

const std::string kSetup = NIMBREL_SETUP_PATH;
constexpr const char* kAutostartShortcut = "Nimbrel.lnk";
// A folder chosen by the user whose name the Western code page cannot spell.
const std::string kForeignParent = "C:\\Programy Łódź Ελλάδα Жёлт 東京";
const std::string kForeignFolder = kForeignParent + "\\Nimbrel\\";

class Installer : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean() {
        installed::RemoveEverything();
        installed::RemoveEverything(kForeignFolder);
        RemoveDirectoryW(Wide(kForeignParent).c_str());
        settings::Clear();
        startup::Remove(kAutostartShortcut);
    }

    static void Install() {
        ASSERT_EQ(0u, installed::Run("\"" + kSetup + "\" /S").value_or(12345));
    }

    // Settings of a user who has been through the first run.
    static void KnownUser(DWORD autoStart) {
        settings::PutDword("FirstTime", 0);
        settings::PutDword("AutoStart", autoStart);
        settings::PutDword("Redial", 1);
        settings::PutString("URL1", "http://keep.example/installed");
    }
};

TEST_F(Installer, SilentInstallPutsTheFilesTheMenuShortcutAndTheListEntryInPlace) {
    Install();
    const std::string folder = installed::Folder();
    EXPECT_EQ((std::vector<std::string>{"german.sample.lng", "help-pictures\\about.png",
                                        "help-pictures\\settings.png", "help-pictures\\status.png",
                                        "help-pictures\\url-dialog.png", "help.htm", "nimbrel.exe",
                                        "uninstall.exe"}),
              installed::Files());

    const auto menu = startup::ReadAt(installed::MenuShortcut());
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(0, lstrcmpiA((folder + "nimbrel.exe").c_str(), menu->target.c_str())) << menu->target;

    const std::string uninstaller = "\"" + folder + "uninstall.exe\"";
    const std::string location = folder.substr(0, folder.size() - 1);
    EXPECT_EQ("Nimbrel", installed::ListString("DisplayName").value_or("-"));
    EXPECT_EQ(NIMBREL_VERSION, installed::ListString("DisplayVersion").value_or("-"));
    EXPECT_EQ("Quaddle", installed::ListString("Publisher").value_or("-"));
    EXPECT_EQ(folder + "nimbrel.exe", installed::ListString("DisplayIcon").value_or("-"));
    EXPECT_EQ(location, installed::ListString("InstallLocation").value_or("-"));
    EXPECT_EQ(uninstaller, installed::ListString("UninstallString").value_or("-"));
    EXPECT_EQ(uninstaller + " /S", installed::ListString("QuietUninstallString").value_or("-"));
    EXPECT_EQ(1u, installed::ListDword("NoModify").value_or(0));
    EXPECT_EQ(1u, installed::ListDword("NoRepair").value_or(0));
    const double kilobytes = static_cast<double>(installed::TotalSize()) / 1024;
    EXPECT_NEAR(kilobytes, installed::ListDword("EstimatedSize").value_or(0), 9.0);

    KnownUser(0);
    Nimbrel nimbrel("", folder);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Version " NIMBREL_VERSION, ItemText(SelectPage(main, 2), IDC_VERSION));
}

TEST_F(Installer, InstallsRunsAndUninstallsInAFolderNamedOutsideTheWesternCodePage) {
    const std::string location = kForeignFolder.substr(0, kForeignFolder.size() - 1);
    // The folder goes last and unquoted: the installer takes the rest of the line as it is.
    ASSERT_EQ(0u, installed::Run("\"" + kSetup + "\" /S /D=" + location).value_or(12345));
    EXPECT_EQ((std::vector<std::string>{"german.sample.lng", "help-pictures\\about.png",
                                        "help-pictures\\settings.png", "help-pictures\\status.png",
                                        "help-pictures\\url-dialog.png", "help.htm", "nimbrel.exe",
                                        "uninstall.exe"}),
              installed::Files(kForeignFolder));

    const auto menu = startup::ReadAt(installed::MenuShortcut());
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(kForeignFolder + "nimbrel.exe", menu->target);
    EXPECT_EQ(location, installed::ListString("InstallLocation").value_or("-"));
    EXPECT_EQ("\"" + kForeignFolder + "uninstall.exe\"",
              installed::ListString("UninstallString").value_or("-"));

    KnownUser(0);
    {
        Nimbrel nimbrel("", kForeignFolder);
        HWND main = nimbrel.MainWindow();
        ASSERT_NE(nullptr, main);
        EXPECT_EQ("Version " NIMBREL_VERSION, ItemText(SelectPage(main, 2), IDC_VERSION));
    }

    const auto uninstall =
        installed::RunUninstaller(installed::ListString("QuietUninstallString").value_or("-"));
    ASSERT_TRUE(uninstall.finished);
    EXPECT_EQ(std::vector<std::string>{}, installed::Files(kForeignFolder));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Wide(kForeignFolder).c_str()));
    EXPECT_FALSE(installed::ListEntryExists());
}

TEST_F(Installer, SilentUninstallAfterARunWithAutostartOnLeavesOnlyTheUsersFile) {
    Install();
    const std::string folder = installed::Folder();
    KnownUser(1);
    {
        Nimbrel nimbrel("", folder);
        HWND main = nimbrel.MainWindow();
        ASSERT_NE(nullptr, main);
        Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_EXIT);
        ASSERT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    }
    ASSERT_TRUE(startup::Exists(kAutostartShortcut));
    installed::WriteText(folder + "notes.txt", "mine");

    const auto uninstall =
        installed::RunUninstaller(installed::ListString("QuietUninstallString").value_or("-"));
    ASSERT_TRUE(uninstall.finished);
    EXPECT_FALSE(settings::KeyExists());
    EXPECT_FALSE(startup::Exists(kAutostartShortcut));
    EXPECT_FALSE(installed::ListEntryExists());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(installed::MenuShortcut().c_str()));
    EXPECT_EQ(std::vector<std::string>{"notes.txt"}, installed::Files());
    EXPECT_EQ("mine", installed::ReadText(folder + "notes.txt"));
}

TEST_F(Installer, InstallingAgainKeepsTheSettingsAndTheUsersLanguageFile) {
    Install();
    const std::string folder = installed::Folder();
    KnownUser(0);
    settings::PutDword("FirstStart", 7);
    installed::WriteText(folder + "german.lng", "[SETTINGS]\r\nTabSet=Einstellungen\r\n");
    DeleteFileA((folder + "help.htm").c_str());

    Install();
    EXPECT_EQ(0u, settings::Dword("FirstTime").value_or(99));
    EXPECT_EQ(0u, settings::Dword("AutoStart").value_or(99));
    EXPECT_EQ(1u, settings::Dword("Redial").value_or(99));
    EXPECT_EQ(7u, settings::Dword("FirstStart").value_or(99));
    EXPECT_EQ("http://keep.example/installed", settings::String("URL1").value_or("-"));
    EXPECT_EQ("[SETTINGS]\r\nTabSet=Einstellungen\r\n", installed::ReadText(folder + "german.lng"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder + "help.htm").c_str()));
}

// The running program ends through its status page's Exit: the change the user made on the
// settings page is saved, and the autostart shortcut written.
TEST_F(Installer, InstallingOverARunningNimbrelEndsItThroughItsExit) {
    Install();
    const std::string folder = installed::Folder();
    KnownUser(0);
    Nimbrel nimbrel("", folder);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    SendMessageA(GetDlgItem(page, IDC_AUTOSTART), BM_CLICK, 0, 0);
    ASSERT_NE(nullptr, SelectPage(main, 0));

    Install();
    EXPECT_EQ(0u, nimbrel.WaitForExit(0ms).value_or(12345));
    EXPECT_EQ(1u, settings::Dword("AutoStart").value_or(99));
    EXPECT_TRUE(startup::Exists(kAutostartShortcut));
}

// A Nimbrel of the user that does not end (hung, or in another session) keeps its lock: the
// silent uninstaller gives up after its wait and leaves everything in place, without a window.
TEST_F(Installer, SilentUninstallWhileTheUsersNimbrelDoesNotEndRemovesNothing) {
    Install();
    KnownUser(0);
    const std::vector<std::string> files = installed::Files();
    const HeldInstanceLock lock;
    ASSERT_TRUE(lock.Held());
    const auto uninstall =
        installed::RunUninstaller(installed::ListString("QuietUninstallString").value_or("-"));
    EXPECT_TRUE(uninstall.finished);
    EXPECT_EQ(std::vector<std::string>{}, uninstall.windows);
    EXPECT_EQ(files, installed::Files());
    EXPECT_TRUE(settings::KeyExists());
    EXPECT_TRUE(installed::ListEntryExists());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(installed::MenuShortcut().c_str()));
}

TEST_F(Installer, UninstallWhereNimbrelNeverRanEndsWithoutAnyWindow) {
    Install();
    const auto uninstall =
        installed::RunUninstaller(installed::ListString("QuietUninstallString").value_or("-"));
    EXPECT_TRUE(uninstall.finished);
    EXPECT_EQ(std::vector<std::string>{}, uninstall.windows);
    EXPECT_FALSE(settings::KeyExists());
    EXPECT_FALSE(installed::ListEntryExists());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(installed::Folder().c_str()));
}

}  // namespace
