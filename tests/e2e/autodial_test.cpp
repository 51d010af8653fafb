#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;
using Mode = LoopbackHttpServer::Mode;

constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A value as the registry holds it: type and bytes, or nothing when it is absent.
struct Value {
    DWORD type = 0;
    std::vector<BYTE> bytes;
    bool operator==(const Value& other) const { return type == other.type && bytes == other.bytes; }
};

std::optional<Value> Read(const char* name) {
    Value value;
    DWORD size = 64;
    value.bytes.resize(size);
    if (RegGetValueA(HKEY_CURRENT_USER, kInternetSettings, name, RRF_RT_ANY, &value.type,
                     value.bytes.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

void Write(const char* name, const std::optional<Value>& value) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                    &key, nullptr);
    if (value)
        RegSetValueExA(key, name, 0, value->type, value->bytes.data(),
                       static_cast<DWORD>(value->bytes.size()));
    else
        RegDeleteValueA(key, name);
    RegCloseKey(key);
}

const Value kDwordZero{REG_DWORD, {0, 0, 0, 0}};
const Value kBinaryOne{REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}};

// The user's values for one test: NoNetAutodial an 8-byte REG_BINARY holding 1, EnableAutodial
// absent; the prefix's own values come back afterwards.
class UsersAutodial : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        Write("EnableAutodial", std::nullopt);
        Write("NoNetAutodial", kBinaryOne);
    }
    void TearDown() override {
        Write("EnableAutodial", m_enable);
        Write("NoNetAutodial", m_noNet);
        settings::Clear();
    }

    static void PutSettings(const std::string& url) {
        settings::PutPastFirstRun(url, false, false);
    }
    static bool SwitchedOff() {
        return Read("EnableAutodial") == kDwordZero && Read("NoNetAutodial") == kDwordZero;
    }
    static bool UsersValues() {
        return !Read("EnableAutodial") && Read("NoNetAutodial") == kBinaryOne;
    }

  private:
    std::optional<Value> m_enable = Read("EnableAutodial");
    std::optional<Value> m_noNet = Read("NoNetAutodial");
};

TEST_F(UsersAutodial, KilledDuringARequestThenTheNextStartPutsThemBackExactly) {
    LoopbackHttpServer server(Mode::kNeverAnswer);
    PutSettings(server.Url());
    {
        Nimbrel nimbrel("-on");
        ASSERT_TRUE(server.WaitForRequests(1, 15000));
        EXPECT_TRUE(SwitchedOff());
        nimbrel.Kill();
    }
    EXPECT_TRUE(SwitchedOff());
    EXPECT_EQ(1u, settings::Dword("AutodialSwitchedOff").value_or(0));

    Nimbrel next;  // not switched on: the repair comes first all the same
    ASSERT_NE(nullptr, next.MainWindow());
    EXPECT_TRUE(UsersValues());
    EXPECT_FALSE(settings::Dword("AutodialSwitchedOff").has_value());
    server.Stop();
}

// A second start during the first run's request hands over without touching autodial: the
// repair at start-up is the running instance's alone. The first run's Exit puts them back exactly.
TEST_F(UsersAutodial, SecondStartDuringARequestLeavesTheUsersValuesToComeBack) {
    LoopbackHttpServer server(Mode::kNeverAnswer);
    PutSettings(server.Url());
    Nimbrel first("-on");
    HWND main = first.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 15000));
    EXPECT_TRUE(SwitchedOff());
    {
        Nimbrel second("-on");
        EXPECT_EQ(0u, second.WaitForExit().value_or(12345));  // handed over
    }
    EXPECT_TRUE(SwitchedOff());  // the first run's probe still holds autodial off
    EXPECT_EQ(1u, settings::Dword("AutodialSwitchedOff").value_or(0));
    EXPECT_EQ(1u, server.Requests().size());
    Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_EXIT);
    EXPECT_EQ(0u, first.WaitForExit(10s).value_or(12345));
    EXPECT_TRUE(UsersValues());
    EXPECT_FALSE(settings::Dword("AutodialSwitchedOff").has_value());
    server.Stop();
}

// Exit stays immediate while a request hangs, the values come back, and the worker that is
// still waiting does not hold the process or crash it on the way out.
TEST_F(UsersAutodial, ExitDuringAHungRequestEndsAtOnceWithTheValuesBack) {
    LoopbackHttpServer server(Mode::kNeverAnswer);
    PutSettings(server.Url());
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(server.WaitForRequests(1, 15000));
    EXPECT_TRUE(SwitchedOff());
    const ULONGLONG start = GetTickCount64();
    Click(FindWindowExA(main, nullptr, nullptr, "Nimbrel"), IDC_EXIT);
    EXPECT_EQ(0u, nimbrel.WaitForExit(10s).value_or(12345));
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_LT(took, 5000u);  // Wine itself takes about 2 s to end a GUI process
    std::printf("exit during a hung request took %llu ms\n", took);
    EXPECT_TRUE(UsersValues());
    EXPECT_FALSE(settings::Dword("AutodialSwitchedOff").has_value());
    server.Stop();
}

// While a keep-alive probe of the old URL hangs, the test opens the URL in the edit, with
// autodial off because Redial is off, and reports that request's answer.
TEST_F(UsersAutodial, UrlTestOpensTheEditedUrlWhileAnOldProbeHangs) {
    LoopbackHttpServer old(Mode::kNeverAnswer);
    LoopbackHttpServer tested(Mode::kAnswer200);
    bool offDuringTest = false;
    tested.OnRequest([&] { offDuringTest = SwitchedOff(); });
    PutSettings(old.Url());
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(old.WaitForRequests(1, 15000));
    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    Click(page, IDC_CHANGE_URL);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), tested.Url() + "?test");
    Click(dialog, IDC_TEST_URL);
    EXPECT_TRUE(
        WaitUntil([&] { return ItemText(dialog, IDC_TEST_RESULT) == "The URL is ok"; }, 20s));
    ASSERT_EQ(1u, tested.Requests().size());
    EXPECT_EQ("HEAD /keepalive?test HTTP/1.1", tested.Requests()[0].line);
    EXPECT_TRUE(offDuringTest);
    EXPECT_TRUE(UsersValues());  // back after the test, though the old probe still hangs

    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    old.Stop();
}

// During a test the dialog takes typing and Escape as it does otherwise; Escape ends the wait
// at once.
TEST_F(UsersAutodial, UrlDialogStaysUsableWhileATestWaits) {
    LoopbackHttpServer hung(Mode::kNeverAnswer);
    PutSettings("http://keep.example/");
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    Click(page, IDC_CHANGE_URL);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_URL_EDIT);
    SetText(edit, hung.Url());
    Click(dialog, IDC_TEST_URL);
    ASSERT_TRUE(hung.WaitForRequests(1, 15000));
    ASSERT_TRUE(
        WaitUntil([&] { return ItemText(dialog, IDC_TEST_RESULT).rfind("Testing", 0) == 0; }));

    SendMessageA(edit, EM_SETSEL, 0, -1);
    PostMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_TRUE(WaitUntil([&] { return Text(edit) == "x"; }, 3s)) << Text(edit);
    const ULONGLONG start = GetTickCount64();
    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5s));
    const ULONGLONG took = GetTickCount64() - start;
    EXPECT_LT(took, 1000u);
    std::printf("Escape during a test closed the dialog in %llu ms\n", took);
    EXPECT_EQ("http://keep.example/", ItemText(page, IDC_URL_TEXT));
    hung.Stop();
}

}  // namespace
