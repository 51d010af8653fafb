#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
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
        settings::PutPastFirstRun(server.Url() + "?history=" + std::to_string(GetTickCount64()),
                                  false, false);
        wchar_t folder[MAX_PATH] = L"";
        SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
        csv = Utf8(folder) + "\\Nimbrel\\history.csv";
        DeleteFileW(Wide(csv).c_str());
    }
    void TearDown() override { settings::Clear(); }

    // The activity line counts dots again. Stay On before that would drop the result, and the
    // next one would be the first after switch-on.
    static bool ResultTaken(HWND page) {
        return WaitUntil([&] { return Text(GetDlgItem(page, IDC_ACTIVITY)).find('.') == 0; });
    }
    static bool NoticeShown(const std::string& start) {
        return WaitUntil([&] {
            const std::vector<std::string> texts = BalloonTexts();
            return std::any_of(texts.begin(), texts.end(),
                               [&](const std::string& text) { return text.rfind(start, 0) == 0; });
        });
    }

    std::string Csv() const {
        std::ifstream in(std::filesystem::path(Wide(csv)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    LoopbackHttpServer server{LoopbackHttpServer::Mode::kAnswer200};
    std::string csv;
};

// Stay On again probes at once, well before the 5 minutes 10 seconds.
TEST_F(LineHistory, DownAndBackGiveThreeRowsTwoNoticesAndTheTip) {
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
    ASSERT_TRUE(ResultTaken(page) && IconInTray(main));
    server.SetMode(LoopbackHttpServer::Mode::kCloseWithoutAnswer);  // the server is gone
    Click(page, IDC_STAY_ON);
    ASSERT_TRUE(NoticeShown("The line is down.") && ResultTaken(page));
    server.SetMode(LoopbackHttpServer::Mode::kAnswer200);
    Click(page, IDC_STAY_ON);
    ASSERT_TRUE(NoticeShown("The line is back after "));
    EXPECT_NE(std::string::npos, TrayIcons().front().tip.find("\nOnline since "));

    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    ASSERT_TRUE(nimbrel.WaitForExit());
    const std::string time = "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[+-]\\d\\d:\\d\\d";
    const std::string period = time + "," + time + ",";
    const std::string rows = Csv();
    EXPECT_TRUE(
        std::regex_match(rows, std::regex("\xEF\xBB\xBF"
                                          "start,end,state,seconds,probes\r\n" +
                                          period + "online,\\d+,1\r\n" + period +
                                          "offline,\\d+,1\r\n" + period + "online,\\d+,1\r\n")))
        << rows;
}

TEST_F(LineHistory, TheMenuItemOpensTheFileHoldingItsHeadBeforeAnyRow) {
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    const std::optional<driver::TrayIcon> icon = IconInTray(main);
    ASSERT_TRUE(icon);
    HWND menu = OpenTrayMenu(*icon);
    ASSERT_NE(nullptr, menu);
    for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})  // below "Restore Nimbrel"
        PostMessageA(menu, WM_KEYDOWN, key, 0);

    HWND viewer = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (viewer = FindWindowA(nullptr, "history.csv - Notepad")); }));
    EXPECT_EQ("\xEF\xBB\xBFstart,end,state,seconds,probes\r\n", Csv());
    DWORD pid = 0;
    GetWindowThreadProcessId(viewer, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
}

}  // namespace
