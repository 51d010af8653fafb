#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>

#include "res/resource.h"
#include "tests/e2e/driver.h"

namespace {

using namespace driver;

const UINT kIconNotify = RegisterWindowMessageA("WM_ICONNOTIFY");

// Starts each test from a known, not-first-run registry state.
class MainWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutPastFirstRun("http://keep.example/", false, true);
    }
    void TearDown() override { settings::Clear(); }

    static void Minimize(HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0); }

    static bool InTray(HWND main) {
        return !IsWindowVisible(main) && TrayIconShown(main, kTrayIconId);
    }

    static void ExpectSettingsUntouched() {
        EXPECT_EQ(1u, settings::Dword("Redial").value_or(99));
        EXPECT_EQ(0u, settings::Dword("AutoStart").value_or(99));
        EXPECT_EQ("http://keep.example/", settings::String("URL1").value_or(""));
    }
};

TEST_F(MainWindow, ShowsCaptionTabsAndFitsAroundTheTabs) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Nimbrel - www.quaddle.example", Text(main));
    EXPECT_EQ((std::vector<std::string>{"Nimbrel", "Settings", "About"}), TabCaptions(main));
    EXPECT_NE(nullptr, GetDlgItem(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_STAY_ON));

    // The tabs fill the client area but for a small margin: no room is left for the standard
    // buttons a modeless sheet does not show, whatever the frame's size.
    RECT client{};
    RECT tabs{};
    GetClientRect(main, &client);
    GetWindowRect(TabControl(main), &tabs);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&tabs), 2);
    EXPECT_GE(tabs.left, 0);
    EXPECT_GE(tabs.top, 0);
    EXPECT_LE(client.right - tabs.right, 12);
    EXPECT_LE(client.bottom - tabs.bottom, 12);
    EXPECT_GE(client.right - tabs.right, 0);
    EXPECT_GE(client.bottom - tabs.bottom, 0);
    EXPECT_FALSE(TrayIconShown(main, kTrayIconId));

    // The standard buttons a modeless sheet does not use neither show nor take a key.
    for (const int id : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(main, id);
        EXPECT_FALSE(button && (IsWindowVisible(button) || IsWindowEnabled(button))) << id;
    }
}

TEST_F(MainWindow, MinimizeHidesIntoTheTrayAndDoubleClickRestores) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    RECT before{};
    GetWindowRect(main, &before);

    const std::size_t iconsBefore = TrayIcons().size();

    Minimize(main);
    ASSERT_TRUE(WaitUntil([&] { return InTray(main) && TrayIcons().size() > iconsBefore; }));
    const auto icon = TrayIcons().front();
    EXPECT_EQ("Nimbrel by QUADDLE\nOff", icon.tip);

    // A single click does nothing; a double click, as the shell relays it, restores.
    ClickTrayIcon(icon, WM_LBUTTONDOWN);
    ClickTrayIcon(icon, WM_LBUTTONUP);
    Sleep(300);
    EXPECT_TRUE(InTray(main));
    ClickTrayIcon(icon, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(main, kTrayIconId); }));
    EXPECT_EQ(iconsBefore, TrayIcons().size());

    RECT after{};
    GetWindowRect(main, &after);  // the fit happens once; a restore keeps the size
    EXPECT_EQ(before.right - before.left, after.right - after.left);
    EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
}

TEST_F(MainWindow, TrayMenuExitEndsWithoutWritingTheSettings) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    const std::optional<driver::TrayIcon> icon = IconInTray(main);
    ASSERT_TRUE(icon);

    ClickTrayIcon(*icon, WM_RBUTTONDOWN);
    Sleep(300);
    EXPECT_EQ(nullptr, OpenMenu());
    HWND menu = OpenTrayMenu(*icon);
    ASSERT_NE(nullptr, menu);
    // Up from the top wraps to the last item, "Exit".
    PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);

    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_FALSE(TrayIconShown(main, kTrayIconId));
    ExpectSettingsUntouched();
}

// The shell's version 4 sends the event in the low word and the icon's id in the high word.
TEST_F(MainWindow, IconNotificationsForOtherIdsAreIgnored) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    Minimize(main);
    ASSERT_TRUE(WaitUntil([&] { return InTray(main); }));
    PostMessageA(main, kIconNotify, 0, MAKELPARAM(WM_LBUTTONDBLCLK, 101));
    PostMessageA(main, kIconNotify, kTrayIconId, WM_LBUTTONDBLCLK);
    Sleep(300);
    EXPECT_TRUE(InTray(main));
    PostMessageA(main, kIconNotify, 0, MAKELPARAM(WM_LBUTTONDBLCLK, kTrayIconId));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main); }));
}

TEST_F(MainWindow, RightClickOpensTheMenuOnceAndRestoreLeavesNoMenuBehind) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    const std::optional<driver::TrayIcon> icon = IconInTray(main);
    ASSERT_TRUE(icon);
    ClickTrayIcon(*icon, WM_RBUTTONDOWN);
    HWND menu = OpenTrayMenu(*icon);
    ASSERT_NE(nullptr, menu);
    // Down from nothing chosen takes the first item, "Restore Nimbrel".
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    Sleep(500);  // a second menu for the same click would be open by now
    EXPECT_EQ(nullptr, OpenMenu());
    EXPECT_FALSE(TrayIconShown(main, kTrayIconId));
}

TEST_F(MainWindow, CloseBoxEndsWithoutWritingTheSettings) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    ExpectSettingsUntouched();
}

TEST_F(MainWindow, EscapeInAPageEndsTheRun) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    ASSERT_NE(nullptr, page);
    PostMessageA(GetDlgItem(page, IDC_STAY_ON), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    ExpectSettingsUntouched();
}

TEST_F(MainWindow, TaskbarRestartBringsTheIconBack) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    Minimize(main);
    ASSERT_TRUE(WaitUntil([&] { return InTray(main); }));

    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = main;
    record.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &record));  // as a restarted shell forgets it
    ASSERT_FALSE(TrayIconShown(main, kTrayIconId));
    PostMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconShown(main, kTrayIconId); }));
}

TEST(FirstRun, ShowsTheUrlDialogAndTrayExitKeepsItAFirstRun) {
    settings::Clear();
    Nimbrel nimbrel;
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, nimbrel.MainWindow(0ms));  // the main window comes after the dialog
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_TRUE(settings::KeyExists());
    EXPECT_FALSE(settings::Dword("FirstTime").has_value());
    settings::Clear();
}

// Broken settings and odd command lines: the program starts normally with defaults.
TEST(BadInput, BrokenRegistryValuesAndOddCommandLines) {
    const char* commandLines[] = {"-TRAY /on -5", "\"\" - -- -uninstallx", "-tray=1 \"-on \"",
                                  "stray words before -", "-x -y -z -tray-on"};
    for (const char* arguments : commandLines) {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
        settings::PutString("URL1", std::string(10000, 'u'));
        settings::PutString("Redial", std::string(5000, 'r'));
        settings::PutRaw("AutoStart", REG_BINARY, "\x01", 1);
        settings::PutRaw("FirstStart", REG_MULTI_SZ, "a\0b\0\0", 5);

        Nimbrel nimbrel(arguments);
        HWND main = nimbrel.MainWindow();
        ASSERT_NE(nullptr, main) << arguments;
        Sleep(1300);  // a tick of the status page
        EXPECT_TRUE(IsWindowVisible(main)) << arguments;
        EXPECT_FALSE(nimbrel.WaitForExit(0ms).has_value()) << arguments;
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345)) << arguments;
        EXPECT_EQ(10000u, settings::String("URL1").value_or("").size()) << arguments;
    }
    settings::Clear();
}

}  // namespace
