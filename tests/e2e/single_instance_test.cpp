#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

constexpr const char* kShortcut = "Nimbrel.lnk";

bool InTray(HWND main) {
    return !IsWindowVisible(main) && TrayIconShown(main, kTrayIconId);
}

void Minimize(HWND main) {
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return InTray(main); }));
}

// Ticks autostart on the settings page without saving: only an Exit stores it.
void TickAutostartUnsaved(HWND main) {
    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    SendMessageA(GetDlgItem(page, IDC_AUTOSTART), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_NE(nullptr, SelectPage(main, 0));
}

class SingleInstance : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        startup::Remove(kShortcut);
        settings::PutDword("FirstTime", 0);
        settings::PutDword("AutoStart", 0);
        settings::PutDword("Redial", 1);
        settings::PutString("URL1", "http://keep.example/");
    }
    void TearDown() override {
        startup::Remove(kShortcut);
        settings::Clear();
    }
};

TEST_F(SingleInstance, SecondStartBringsTheRunningWindowOutOfTheTrayToTheFrontAndEnds) {
    Nimbrel first;
    HWND main = first.MainWindow();
    ASSERT_NE(nullptr, main);
    const std::size_t iconsBefore = TrayIcons().size();
    Minimize(main);

    Nimbrel second;
    EXPECT_EQ(0u, second.WaitForExit().value_or(12345));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }));
    EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(main, kTrayIconId); }));
    EXPECT_EQ(iconsBefore, TrayIcons().size());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));

    // Visible but behind another program's window: the next start brings it to the front.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_EQ(other, GetForegroundWindow());
    Nimbrel third;
    EXPECT_EQ(0u, third.WaitForExit().value_or(12345));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    DestroyWindow(other);
    EXPECT_FALSE(first.WaitForExit(0ms).has_value());
}

// An installer asks every running Nimbrel to end; each one goes through the status page's Exit.
TEST_F(SingleInstance, ExitRequestFromAnySenderEndsThroughExit) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    TickAutostartUnsaved(main);
    Minimize(main);

    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("Nimbrel2.ExitRequest"), 0, 0,
                        SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_EQ(1u, settings::Dword("AutoStart").value_or(99));
    EXPECT_TRUE(startup::Exists(kShortcut));
    EXPECT_FALSE(TrayIconShown(main, kTrayIconId));
}

// Were the order the other way round, the running instance's Exit would write the settings and
// the shortcut back after the uninstall.
TEST_F(SingleInstance, SecondStartWithUninstallEndsTheRunningOneThroughExitThenUninstalls) {
    Nimbrel first;
    HWND main = first.MainWindow();
    ASSERT_NE(nullptr, main);
    TickAutostartUnsaved(main);

    Nimbrel uninstall("-uninstall");
    bool windowSeen = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            windowSeen = windowSeen || uninstall.AnyWindow(0ms) != nullptr;
            return uninstall.WaitForExit(0ms).has_value();
        },
        30s));
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(0u, first.WaitForExit(0ms).value_or(12345));
    EXPECT_EQ(0u, uninstall.WaitForExit(0ms).value_or(12345));
    EXPECT_FALSE(settings::KeyExists());
    EXPECT_FALSE(startup::Exists(kShortcut));
}

// The URL dialog's test passes on only its own messages; a server that never answers would
// keep the Exit waiting for up to a minute.
TEST_F(SingleInstance, ExitRequestDuringTheUrlTestEndsTheRunAtOnce) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kNeverAnswer);
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    Click(SelectPage(main, 1), IDC_CHANGE_URL);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    StartUrlTest(dialog, server.Url());
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, RegisterWindowMessageA("Nimbrel2.ExitRequest"), 0, 0,
                        SMTO_ABORTIFHUNG, 5000, &answer);
    // Two seconds for the run, and Wine's own time to end a process.
    EXPECT_EQ(0u, nimbrel.WaitForExit(5s).value_or(12345));
}

// Until the main window exists, the first-run dialog is the running instance's window.
TEST_F(SingleInstance, UninstallWhileTheFirstRunDialogIsOpenEndsTheRunThenUninstalls) {
    settings::PutDword("FirstTime", 1);
    Nimbrel first;
    ASSERT_NE(nullptr, first.DialogWith(IDC_URL_EDIT));
    Nimbrel uninstall("-uninstall");
    EXPECT_EQ(0u, first.WaitForExit(5s).value_or(12345));
    EXPECT_EQ(0u, uninstall.WaitForExit().value_or(12345));
    EXPECT_FALSE(settings::KeyExists());
}

// The user's mutex held without a window, as a start in another of the user's sessions looks:
// the uninstaller's quiet call removes nothing and says so only in its exit code.
// Both starts wait out the same search for the running window: the quiet one ends by itself (a
// message box would hold it), the other says why nothing was removed.
TEST_F(SingleInstance, UninstallRemovesNothingWhileTheUsersRunningStartDoesNotEnd) {
    const HeldInstanceLock lock;
    ASSERT_TRUE(lock.Held());
    Nimbrel quiet("-uninstall -quiet");
    Nimbrel told("-uninstall");
    EXPECT_EQ(2u, quiet.WaitForExit(20s).value_or(12345));
    HWND box = told.DialogWith(kMessageBoxText, 5s);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Nimbrel", Text(box));
    EXPECT_EQ(0u, ItemText(box, kMessageBoxText).find("Nimbrel is still running and did not end"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(2u, told.WaitForExit().value_or(12345));
    EXPECT_TRUE(settings::KeyExists());
}

}  // namespace
