#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

class Resume : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        // Unique, so that no answer comes from the prefix's internet cache.
        settings::PutPastFirstRun(server.Url() +
                                      "?resume=" + std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(GetTickCount64()),
                                  false, true);
    }
    void TearDown() override { settings::Clear(); }

    // The probe's result is taken: the activity line counts dots again.
    static bool Idle(HWND main) {
        HWND page = FindWindowExA(main, nullptr, nullptr, "Nimbrel");
        return WaitUntil([&] { return Text(GetDlgItem(page, IDC_ACTIVITY)).find('.') == 0; });
    }

    static void Wake(HWND main, WPARAM event) { PostMessageA(main, WM_POWERBROADCAST, event, 0); }

    LoopbackHttpServer server{LoopbackHttpServer::Mode::kAnswer200};
};

TEST_F(Resume, AWakeWhileOnProbesAtOnceAndNotWhileOff) {
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    ASSERT_TRUE(Idle(main));

    // The user's own wake-up comes with the automatic one; only that one probes.
    Wake(main, PBT_APMRESUMESUSPEND);
    Sleep(1500);
    EXPECT_EQ(1u, server.Requests().size());
    Wake(main, PBT_APMRESUMEAUTOMATIC);
    ASSERT_TRUE(server.WaitForRequests(2, 3000));  // well before the 5 minutes 10 seconds

    Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_SWITCH_OFF);
    Sleep(300);
    Wake(main, PBT_APMRESUMEAUTOMATIC);
    Sleep(1500);
    EXPECT_EQ(2u, server.Requests().size());
}

}  // namespace
