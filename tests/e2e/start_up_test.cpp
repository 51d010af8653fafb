#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

constexpr const char* kShortcut = "Nimbrel.lnk";

class StartUp : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        startup::Remove(kShortcut);
    }
    void TearDown() override {
        startup::Remove(kShortcut);
        settings::Clear();
    }
};

// An uninstaller that starts "-uninstall" must never wait on a window: not on a machine where
// Nimbrel never ran (a first run shows the URL dialog), not on one where it did.
TEST_F(StartUp, UninstallShowsNoWindowAndRemovesEverything) {
    for (bool ranBefore : {false, true}) {
        if (ranBefore) {
            settings::PutDword("FirstTime", 0);
            settings::PutDword("AutoStart", 1);
            Nimbrel run;
            HWND main = run.MainWindow();
            ASSERT_NE(nullptr, main);
            Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_EXIT);
            ASSERT_EQ(0u, run.WaitForExit().value_or(12345));
            ASSERT_TRUE(startup::Exists(kShortcut));
        }
        Nimbrel uninstall("-uninstall");
        bool windowSeen = false;
        EXPECT_TRUE(WaitUntil([&] {
            windowSeen = windowSeen || uninstall.AnyWindow(0ms) != nullptr;
            return uninstall.WaitForExit(0ms).has_value();
        })) << ranBefore;
        EXPECT_FALSE(windowSeen) << ranBefore;
        EXPECT_EQ(0u, uninstall.WaitForExit(0ms).value_or(12345)) << ranBefore;
        EXPECT_FALSE(settings::KeyExists()) << ranBefore;
        EXPECT_FALSE(startup::Exists(kShortcut)) << ranBefore;
    }
}

// Every transfer of the settings adds the program's token to the system's user-agent text:
// the read at start-up, the save of Exit and the read of "-uninstall", which leaves it.
TEST_F(StartUp, EveryTransferOfTheSettingsRegistersTheUserAgentToken) {
    settings::PutDword("FirstTime", 0);
    settings::PutDword("AutoStart", 0);
    userAgent::RemoveToken();
    Nimbrel run;
    HWND main = run.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(userAgent::TokenExists());

    userAgent::RemoveToken();
    Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_EXIT);
    ASSERT_EQ(0u, run.WaitForExit().value_or(12345));
    EXPECT_TRUE(userAgent::TokenExists());

    userAgent::RemoveToken();
    Nimbrel uninstall("-uninstall");
    ASSERT_EQ(0u, uninstall.WaitForExit().value_or(12345));
    EXPECT_FALSE(settings::KeyExists());
    EXPECT_TRUE(userAgent::TokenExists());
}

// Started by a bare name from another folder, which holds a help file of its own: the files
// beside the program are still the ones used, and the shortcut points at the program.
TEST_F(StartUp, ABareNameFromAnotherFolderStillFindsTheFilesBesideTheProgram) {
    settings::PutDword("FirstTime", 0);
    settings::PutDword("AutoStart", 1);
    ProgramCopy copy;
    std::ofstream(copy.Folder() + "german.lng", std::ios::binary)
        << "[SETTINGS]\r\nTabFront=Vorne\r\nAutostartLink=Nimbrel\r\n";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((OwnFolder() + "help.htm").c_str()));

    Launch launch;
    launch.folder = copy.Folder();
    launch.commandName = "nimbrel.exe";
    launch.currentDirectory = OwnFolder();
    Nimbrel nimbrel(launch);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Vorne", TabCaptions(main).at(0));

    HWND about = SelectPage(main, 2);
    ASSERT_NE(nullptr, about);
    PostMessageA(GetDlgItem(about, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    HWND box = nimbrel.DialogWith(kMessageBoxText);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Can not find the help file at " + copy.Folder() + "help.htm",
              Text(GetDlgItem(box, kMessageBoxText)));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

    HWND status = SelectPage(main, 0);
    ASSERT_NE(nullptr, status);
    Click(status, IDC_EXIT);
    ASSERT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    const auto shortcut = startup::Read(kShortcut);
    ASSERT_TRUE(shortcut.has_value());
    EXPECT_EQ(0, lstrcmpiA((copy.Folder() + "nimbrel.exe").c_str(), shortcut->target.c_str()))
        << shortcut->target;
}

}  // namespace
