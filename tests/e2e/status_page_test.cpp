#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "base/com_ptr.h"
#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/e2e/lamp_reader.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;
using Mode = LoopbackHttpServer::Mode;

struct LampId {
    int control;
    int bitmap;
};
constexpr LampId kOnlineLamp{1195, 225};
constexpr LampId kOfflineLamp{1194, 226};
constexpr LampId kOffLamp{1113, 224};

HWND StatusPageOf(HWND main) {
    return FindWindowExA(main, nullptr, nullptr, "Nimbrel");
}

HWND SettingsPageOf(HWND main) {
    return FindWindowExA(main, nullptr, nullptr, "Settings");
}

// The server's address made unique, so that no test meets an address an earlier run of the
// program has seen (the prefix's internet cache lives across runs).
std::string FreshUrl(const LoopbackHttpServer& server) {
    static int count = 0;
    return server.Url() + "?run=" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64()) + "-" + std::to_string(++count);
}

// The three lamps as the screen shows them: which are lit and which are not.
std::map<int, Lamp> Lamps(HWND page) {
    std::map<int, Lamp> lamps;
    for (LampId lamp : {kOnlineLamp, kOfflineLamp, kOffLamp})
        lamps[lamp.control] = ReadLamp(GetDlgItem(page, lamp.control), lamp.bitmap);
    return lamps;
}

// Waits until exactly the given lamp is lit and the other two are unlit.
bool OnlyLit(HWND page, LampId lit) {
    return WaitUntil([&] {
        for (const auto& [control, shown] : Lamps(page))
            if (shown != (control == lit.control ? Lamp::kLit : Lamp::kUnlit)) return false;
        return true;
    });
}

// What a screen reader learns of a lamp through the system's accessibility interface.
struct LampReport {
    LONG role = 0;
    LONG state = 0;
    std::string name;
    std::string value;
};

LampReport ReportOf(HWND lamp) {
    CoInitialize(nullptr);  // the answer comes from the program through COM
    IAccessible* raw = nullptr;
    LampReport report;
    if (FAILED(AccessibleObjectFromWindow(lamp, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&raw))))
        return report;
    const OwnedCom<IAccessible> object(raw);
    VARIANT self{};
    self.vt = VT_I4;
    VARIANT role{};
    VARIANT state{};
    BSTR texts[2] = {};
    object.get()->get_accRole(self, &role);
    object.get()->get_accState(self, &state);
    object.get()->get_accName(self, &texts[0]);
    object.get()->get_accValue(self, &texts[1]);
    report = {role.lVal, state.lVal, texts[0] ? Utf8(texts[0]) : "",
              texts[1] ? Utf8(texts[1]) : ""};
    for (BSTR text : texts) SysFreeString(text);
    return report;
}

// The windows of the program whose state change was announced, as the announcements arrive.
std::vector<HWND> g_announced;
void CALLBACK Announced(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_announced.push_back(window);
}

class StatusPage : public ::testing::Test {
  protected:
    void SetUp() override { settings::Clear(); }
    void TearDown() override { settings::Clear(); }

    static void PutSettings(const std::string& url) { settings::PutPastFirstRun(url, false, true); }

    static bool InTray(HWND main) {
        return !IsWindowVisible(main) && TrayIconShown(main, kTrayIconId);
    }

    static void Restore(HWND main) {
        PostMessageA(main, WM_COMMAND, 32773, 0);
        WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); });
        Sleep(200);  // let the restored window paint
    }
};

TEST_F(StatusPage, TrayOnShowsTheWindowThenHidesAtTheFirstTickAndKeepsAlive) {
    LoopbackHttpServer server(Mode::kAnswer200);
    PutSettings(FreshUrl(server));
    Nimbrel nimbrel("-tray -on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);  // shown first, visible
    ASSERT_TRUE(WaitUntil([&] { return InTray(main); }, 5s));
    ASSERT_TRUE(server.WaitForRequests(1, 10000));

    Restore(main);
    HWND page = StatusPageOf(main);
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(OnlyLit(page, kOnlineLamp));
    // No probe is pending any more: the activity line counts dots.
    EXPECT_TRUE(WaitUntil([&] { return Text(GetDlgItem(page, IDC_ACTIVITY)).find('.') == 0; }));

    Click(page, IDC_SWITCH_OFF);
    EXPECT_TRUE(OnlyLit(page, kOffLamp));
    EXPECT_EQ(1u, server.Requests().size());  // nothing more within the interval
}

TEST_F(StatusPage, OnWithTheServerDownEndsOnOnOffline) {
    LoopbackHttpServer server(Mode::kClosedPort);
    PutSettings(FreshUrl(server));
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = StatusPageOf(main);
    EXPECT_TRUE(OnlyLit(page, kOfflineLamp));
}

// A screen reader hears each lamp as an indicator, lit or not, and hears the two that change.
TEST_F(StatusPage, StartsOffAndStayOnGoesOnlineAsScreenReadersHear) {
    LoopbackHttpServer server(Mode::kAnswer200);
    PutSettings(FreshUrl(server));
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = StatusPageOf(main);
    EXPECT_TRUE(OnlyLit(page, kOffLamp));
    HWND off = GetDlgItem(page, kOffLamp.control);
    HWND online = GetDlgItem(page, kOnlineLamp.control);
    const LampReport offBefore = ReportOf(off);
    EXPECT_EQ(ROLE_SYSTEM_INDICATOR, offBefore.role);
    EXPECT_EQ("OFF", offBefore.name);
    EXPECT_EQ("lit", offBefore.value);
    EXPECT_EQ(STATE_SYSTEM_CHECKED | STATE_SYSTEM_READONLY,
              offBefore.state & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_READONLY));
    Sleep(1500);
    EXPECT_TRUE(server.Requests().empty());

    const std::unique_ptr<std::remove_pointer_t<HWINEVENTHOOK>, decltype(&UnhookWinEvent)> hook(
        SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, &Announced,
                        nimbrel.Pid(), 0, WINEVENT_OUTOFCONTEXT),
        &UnhookWinEvent);
    Click(page, IDC_STAY_ON);
    EXPECT_TRUE(server.WaitForRequests(1, 10000));
    EXPECT_TRUE(OnlyLit(page, kOnlineLamp));
    // The announcements come as messages to this thread.
    WaitUntil([] {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        return g_announced.size() >= 2;
    });
    std::sort(g_announced.begin(), g_announced.end());
    std::vector<HWND> expected{off, online};  // the unlit "ON, offline" stays quiet
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, g_announced);
    const LampReport offAfter = ReportOf(off);
    EXPECT_EQ("not lit", offAfter.value);
    EXPECT_EQ(STATE_SYSTEM_READONLY,
              offAfter.state & (STATE_SYSTEM_CHECKED | STATE_SYSTEM_READONLY));
    EXPECT_EQ("lit", ReportOf(online).value);
}

TEST_F(StatusPage, ExitSavesAllFiveSettingsWithTheSettingsPageSwitches) {
    Nimbrel nimbrel;  // a first run: the key is empty
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    EXPECT_FALSE(settings::Dword("FirstTime").has_value());

    // Turn autostart off and redial on; leaving the page takes the switches in.
    SendMessageA(main, PSM_SETCURSEL, 1, 0);
    HWND settingsPage = SettingsPageOf(main);
    ASSERT_NE(nullptr, settingsPage);
    SendMessageA(GetDlgItem(settingsPage, IDC_AUTOSTART), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(settingsPage, IDC_REDIAL), BM_CLICK, 0, 0);
    SendMessageA(main, PSM_SETCURSEL, 0, 0);

    Click(StatusPageOf(main), IDC_EXIT);
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_EQ(1u, settings::Dword("FirstStart").value_or(99));
    EXPECT_EQ(0u, settings::Dword("AutoStart").value_or(99));
    EXPECT_EQ(1u, settings::Dword("Redial").value_or(99));
    EXPECT_EQ(0u, settings::Dword("FirstTime").value_or(99));
    EXPECT_EQ("http://www.", settings::String("URL1").value_or(""));
}

// A result that came in while the engine was off says nothing about the line now: Stay On makes
// a fresh request.
TEST_F(StatusPage, StayOnAfterSwitchOffDuringARequestMakesAFreshRequest) {
    LoopbackHttpServer server(Mode::kAnswer200);
    server.OnRequest([] { Sleep(2000); });
    PutSettings(FreshUrl(server));
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = StatusPageOf(main);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    Click(page, IDC_SWITCH_OFF);
    ASSERT_TRUE(OnlyLit(page, kOffLamp));
    Sleep(3000);  // the request has been answered meanwhile

    Click(page, IDC_STAY_ON);
    EXPECT_TRUE(server.WaitForRequests(2, 10000));
    EXPECT_TRUE(OnlyLit(page, kOnlineLamp));
}

// The warning about a short URL is the main window's box, shown once for that URL, and the
// keep-alive goes on while it is open.
TEST_F(StatusPage, ShortUrlIsWarnedOnceByTheMainWindowWhileTheProbeGoesOn) {
    PutSettings("http://keep.example/");
    Nimbrel nimbrel;
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND settingsPage = SelectPage(main, 1);
    ASSERT_NE(nullptr, settingsPage);
    Click(settingsPage, IDC_CHANGE_URL);
    HWND dialog = nimbrel.DialogWith(IDC_URL_EDIT);
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), "http");
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    HWND page = SelectPage(main, 0);
    Click(page, IDC_STAY_ON);
    HWND box = nimbrel.DialogWith(kMessageBoxText);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("URL not correct", Text(GetDlgItem(box, kMessageBoxText)));
    EXPECT_EQ(main, GetWindow(box, GW_OWNER));
    EXPECT_TRUE(OnlyLit(page, kOfflineLamp));  // the probe did not wait for the box

    std::vector<std::string> shown;
    while (HWND next = nimbrel.DialogWith(kMessageBoxText, 2s)) {
        shown.push_back(Text(GetDlgItem(next, kMessageBoxText)));
        PostMessageA(next, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(next); });
    }
    EXPECT_EQ((std::vector<std::string>{"URL not correct", "URL2 not correct"}), shown);

    Click(page, IDC_STAY_ON);  // the same URL again: no new box
    EXPECT_EQ(nullptr, nimbrel.DialogWith(kMessageBoxText, 3s));
}

// A keep-alive URL the probe cannot request is told once at each switch-on, never silently
// offline for good.
TEST_F(StatusPage, UrlThatIsNoWebAddressIsToldOnceAtEachSwitchOn) {
    const std::string warning =
        "The keep-alive URL cannot be opened: it must start with http:// or https:// and name a "
        "server. Until you change it under >Settings<, Nimbrel stays offline.";
    PutSettings("htp://typo.example/");
    Nimbrel nimbrel("-on");
    HWND main = nimbrel.MainWindow();
    ASSERT_NE(nullptr, main);
    HWND page = StatusPageOf(main);
    const auto closeWarning = [&] {
        HWND box = nimbrel.DialogWith(kMessageBoxText);
        if (!box) return std::string("(none)");
        const std::string text = Text(GetDlgItem(box, kMessageBoxText));
        EXPECT_EQ(main, GetWindow(box, GW_OWNER));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(box); });
        return text;
    };
    EXPECT_EQ(warning, closeWarning());
    EXPECT_TRUE(OnlyLit(page, kOfflineLamp));
    EXPECT_EQ(nullptr, nimbrel.DialogWith(kMessageBoxText, 3s));  // once, not at every tick

    Click(page, IDC_STAY_ON);
    EXPECT_EQ(warning, closeWarning());
    EXPECT_EQ(nullptr, nimbrel.DialogWith(kMessageBoxText, 3s));
}

TEST_F(StatusPage, UninstallDeletesTheSettingsAndEnds) {
    PutSettings("http://keep.example/");
    Nimbrel nimbrel("-uninstall");
    EXPECT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    EXPECT_FALSE(settings::KeyExists());
}

}  // namespace
