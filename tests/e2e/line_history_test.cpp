#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

class LineHistory : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        // Unique, so that no answer comes from the prefix's internet cache.
        settings::PutPastFirstRun(server.Url() +
                                      "?history=" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount64()),
                                  false, false);
        RemoveHistory();
    }
    void TearDown() override {
        settings::Clear();
        RemoveHistory();
    }

    static std::wstring Folder() {
        wchar_t path[MAX_PATH] = L"";
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
        return std::wstring(path) + L"\\Nimbrel\\";
    }
    static void RemoveHistory() {
        DeleteFileW((Folder() + L"history.csv").c_str());
        DeleteFileW((Folder() + L"history.open").c_str());
    }
    static std::string Csv() {
        std::ifstream in(std::filesystem::path(Folder() + L"history.csv"), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Minimises main into the tray; its icon once the taskbar shows it.
    static std::optional<driver::TrayIcon> IconInTray(HWND main) {
        const std::size_t iconsBefore = TrayIcons().size();
        PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        if (!WaitUntil([&] { return !IsWindowVisible(main) && TrayIcons().size() > iconsBefore; }))
            return std::nullopt;
        return TrayIcons().front();
    }
    // The probe's result is taken: the activity line counts dots again. Stay On before that
    // would drop it, and the next result would be the first after switch-on.
    static bool ResultTaken(HWND page) {
        return WaitUntil([&] { return Text(GetDlgItem(page, IDC_ACTIVITY)).find('.') == 0; });
    }
    static bool NoticeShown(const std::string& start) {
        return WaitUntil([&] {
            for (const std::string& text : BalloonTexts())
                if (text.rfind(start, 0) == 0) return true;
            return false;
        });
    }

    LoopbackHttpServer server{LoopbackHttpServer::Mode::kAnswer200};
};

// A fresh probe comes at once with Stay On again, well before the 5 minutes 10 seconds.
TEST_F(LineHistory, DownAndBackGiveThreeRowsTwoNoticesAndTheTip) {
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    ASSERT_TRUE(ResultTaken(page));
    ASSERT_TRUE(IconInTray(main));

    server.SetMode(LoopbackHttpServer::Mode::kCloseWithoutAnswer);  // the server is gone
    Click(page, IDC_STAY_ON);
    ASSERT_TRUE(NoticeShown("The line is down."));
    ASSERT_TRUE(ResultTaken(page));
    server.SetMode(LoopbackHttpServer::Mode::kAnswer200);
    Click(page, IDC_STAY_ON);
    ASSERT_TRUE(NoticeShown("The line is back after "));
    EXPECT_NE(std::string::npos, TrayIcons().front().tip.find("\nOnline since "));

    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(nimbrel.WaitForExit());
    const std::string csv = Csv();
    const std::string time = "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d";
    const std::string period = time + "," + time + ",";
    EXPECT_TRUE(
        std::regex_match(csv, std::regex("\xEF\xBB\xBF"
                                         "start,end,state,seconds,probes\r\n" +
                                         period + "online,\\d+,1\r\n" + period +
                                         "offline,\\d+,1\r\n" + period + "online,\\d+,1\r\n")))
        << csv;
    std::printf("%s", csv.c_str());
}

// The window of any program whose caption holds text.
HWND WindowNaming(const std::string& text) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && Text(window).find(text) != std::string::npos) return window;
    return nullptr;
}

TEST_F(LineHistory, TheMenuItemOpensTheFileHoldingItsHeadBeforeAnyRow) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    const std::optional<driver::TrayIcon> icon = IconInTray(main);
    ASSERT_TRUE(icon);
    ClickTrayIcon(*icon, WM_RBUTTONDOWN);
    ClickTrayIcon(*icon, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr; }));
    // The second item, below "Restore Nimbrel".
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);

    HWND viewer = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (viewer = WindowNaming("history.csv")) != nullptr; }));
    EXPECT_EQ("\xEF\xBB\xBFstart,end,state,seconds,probes\r\n", Csv());
    DWORD pid = 0;
    GetWindowThreadProcessId(viewer, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(nullptr, process);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

}  // namespace
