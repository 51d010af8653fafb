#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::optional<DWORD> AutodialValue(const char* name) {
    return RegistryDword(kInternetSettings, name);
}

void PutAutodialValue(const char* name, std::optional<DWORD> value) {
    if (value)
        RegSetKeyValueA(HKEY_CURRENT_USER, kInternetSettings, name, REG_DWORD, &*value,
                        sizeof *value);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kInternetSettings, name);
}

bool Tell(HWND window, UINT message, WPARAM wParam) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, message, wParam, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                               &answer) != 0;
}

bool UsersValuesInPlace() {
    return AutodialValue("EnableAutodial") == 1u && AutodialValue("NoNetAutodial") == 1u;
}

// The prefix's own autodial values come back after the test.
class SessionEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutDword("FirstTime", 0);
        settings::PutDword("Redial", 0);
        PutAutodialValue("EnableAutodial", 1);
        PutAutodialValue("NoNetAutodial", 1);
    }
    void TearDown() override {
        settings::Clear();
        PutAutodialValue("EnableAutodial", m_enable);
        PutAutodialValue("NoNetAutodial", m_noNet);
    }

  private:
    std::optional<DWORD> m_enable = AutodialValue("EnableAutodial");
    std::optional<DWORD> m_noNet = AutodialValue("NoNetAutodial");
};

// Windows ends the session while a request hangs with autodial switched off: the user's values
// are back before each answer, and stay when the system then ends the process.
TEST_F(SessionEnd, RestoresTheUsersAutodialValuesBeforeAnswering) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kNeverAnswer);
    settings::PutString("URL1", server.Url() + "?session=" + std::to_string(GetTickCount64()));
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    ASSERT_EQ(0u, AutodialValue("EnableAutodial").value_or(99));

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                    SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_EQ(TRUE, static_cast<BOOL>(answer));
    EXPECT_TRUE(UsersValuesInPlace());
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                    5000, &answer));
    EXPECT_TRUE(UsersValuesInPlace());
    nimbrel.Kill();
    server.Stop();
    EXPECT_TRUE(UsersValuesInPlace());
}

// A probe that the closed autodial switch refused while the end was pending would count as an
// outage and put the next probe five minutes away.
TEST_F(SessionEnd, ACancelledLogOffDuringAProbeGoesOnProbingAtOnce) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kNeverAnswer);
    settings::PutString("URL1", server.Url() + "?cancelled=" + std::to_string(GetTickCount64()));
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));

    ASSERT_TRUE(Tell(main, WM_QUERYENDSESSION, 0));
    Sleep(2500);  // two ticks of the keep-alive timer
    ASSERT_TRUE(Tell(main, WM_ENDSESSION, FALSE));
    EXPECT_TRUE(server.WaitForRequests(2, 3000));
    EXPECT_EQ(0u, AutodialValue("EnableAutodial").value_or(99));  // switched off for it again
}

// The first-run dialog comes before the main window, and its test switches autodial off too;
// a test refused while the end was pending would fail the URL.
TEST_F(SessionEnd, ALogOffDuringTheFirstRunTestPutsTheUsersValuesBackAndACancelTestsAgain) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kNeverAnswer);
    settings::PutDword("FirstTime", 1);
    Nimbrel nimbrel;
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    StartUrlTest(dialog, server.Url());
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    ASSERT_EQ(0u, AutodialValue("EnableAutodial").value_or(99));

    ASSERT_TRUE(Tell(dialog, WM_QUERYENDSESSION, 0));
    EXPECT_TRUE(UsersValuesInPlace());
    Sleep(500);
    ASSERT_TRUE(Tell(dialog, WM_ENDSESSION, FALSE));
    EXPECT_TRUE(server.WaitForRequests(2, 3000));
}

}  // namespace
