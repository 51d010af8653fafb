#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "res/resource.h"
#include "tests/e2e/driver.h"
#include "tests/wine/loopback_http_server.h"

namespace {

using namespace driver;

constexpr const char* kOldUrl = "http://keep.example/";

HWND StatusPage(HWND main) {
    return FindWindowExA(main, nullptr, nullptr, "Nimbrel");
}

// Wine keeps answers in the prefix's internet cache; an address of its own reaches the server.
std::string FreshUrl(const LoopbackHttpServer& server) {
    static int count = 0;
    return server.Url() + "?settings=" + std::to_string(GetTickCount64()) + "-" +
           std::to_string(++count);
}

bool Checked(HWND page, int id) {
    return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The settings page of a running program that is past its first run.
class SettingsPage : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::Clear();
        settings::PutPastFirstRun(kOldUrl, true, false);
        nimbrel.emplace();
        main = nimbrel->MainWindow();
        ASSERT_NE(nullptr, main);
        page = SelectPage(main, 1);
        ASSERT_NE(nullptr, page);
    }
    void TearDown() override {
        // Under Wine, ending the process while a dialog of a page is open crashes it, and the
        // crash handler then holds the test's output open: a failed test closes it first.
        if (HWND dialog = nimbrel->DialogWith(IDC_URL_EDIT, 0ms)) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return !IsWindow(dialog); }, 5s);
        }
        nimbrel.reset();
        settings::Clear();
        startup::Remove("Nimbrel.lnk");  // the status page's save writes it with autostart on
    }

    // Ticks the redial box and goes to the status page, which takes the box into the page.
    void TickRedialAndLeave() {
        SendMessageA(GetDlgItem(page, IDC_REDIAL), BM_CLICK, 0, 0);
        ASSERT_TRUE(Checked(page, IDC_REDIAL));
        ASSERT_NE(nullptr, SelectPage(main, 0));
    }

    HWND OpenUrlDialog() {
        Click(page, IDC_CHANGE_URL);
        return nimbrel->DialogWith(IDC_URL_EDIT);
    }

    std::optional<Nimbrel> nimbrel;
    HWND main = nullptr;
    HWND page = nullptr;
};

TEST_F(SettingsPage, ShowsTheLayoutTextsTheUrlAndTheSwitches) {
    EXPECT_EQ(kOldUrl, ItemText(page, IDC_URL_TEXT));
    EXPECT_EQ("Keep-Alive URL:", ItemText(page, IDC_KA_LABEL));
    EXPECT_EQ("Change URL", ItemText(page, IDC_CHANGE_URL));
    EXPECT_EQ("Start Nimbrel automatically into the Windows tray", ItemText(page, IDC_AUTOSTART));
    EXPECT_EQ("If offline, try to dial a connection", ItemText(page, IDC_REDIAL));
    EXPECT_EQ("Edit Internet Properties", ItemText(page, IDC_IE_PROPERTIES));
    EXPECT_TRUE(Checked(page, IDC_AUTOSTART));
    EXPECT_FALSE(Checked(page, IDC_REDIAL));
}

TEST_F(SettingsPage, ChangeUrlWithOkSavesAndShowsTheNewUrlAndKeepsTheTicks) {
    SendMessageA(GetDlgItem(page, IDC_REDIAL), BM_SETCHECK, BST_CHECKED, 0);
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(kOldUrl, ItemText(dialog, IDC_URL_EDIT));
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), "http://new.example/path");
    Click(dialog, IDOK);

    EXPECT_TRUE(
        WaitUntil([&] { return ItemText(page, IDC_URL_TEXT) == "http://new.example/path"; }));
    EXPECT_TRUE(WaitUntil([&] { return settings::String("URL1") == "http://new.example/path"; }));
    EXPECT_TRUE(Checked(page, IDC_REDIAL));
    // The save writes the switches as they were saved last, not the page's ticks.
    EXPECT_EQ(0u, settings::Dword("Redial").value_or(99));
}

TEST_F(SettingsPage, ChangeUrlWithCancelRestoresTheUrlAndStillSaves) {
    settings::Delete("URL1");  // read at start; a save writes it again
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), "http://other.example/");
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);

    EXPECT_TRUE(WaitUntil([&] { return settings::String("URL1") == kOldUrl; }));
    EXPECT_EQ(kOldUrl, ItemText(page, IDC_URL_TEXT));
}

// The save after the dialog adds the user-agent token like every transfer of the settings.
TEST_F(SettingsPage, ChangeUrlRegistersTheUserAgentTokenWithItsSave) {
    userAgent::RemoveToken();
    settings::Delete("URL1");
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitUntil([&] { return settings::String("URL1") == kOldUrl; }));
    EXPECT_TRUE(WaitUntil([] { return userAgent::TokenExists(); }));
}

// A failed test keeps the typed text in the edit; a click into the edit brings the prompt back;
// the close box then puts back the URL the dialog opened with.
TEST_F(SettingsPage, FailedTestThenCloseBoxRestoresTheUrl) {
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_URL_EDIT);
    SetText(edit, "http://127.0.0.1:9/");  // nothing listens there
    ClickInto(GetDlgItem(dialog, IDC_TEST_URL));
    ASSERT_TRUE(WaitUntil(
        [&] { return ItemText(dialog, IDC_TEST_RESULT) == "URL not correct or PC not online!"; },
        30s));
    EXPECT_EQ("http://127.0.0.1:9/", Text(edit));
    ClickInto(edit);
    EXPECT_TRUE(WaitUntil(
        [&] { return ItemText(dialog, IDC_TEST_RESULT) == "Click to test website (URL) ==>"; }));
    EXPECT_EQ("http://127.0.0.1:9/", Text(edit));

    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(kOldUrl, ItemText(page, IDC_URL_TEXT));
    EXPECT_EQ(kOldUrl, settings::String("URL1").value_or(""));
}

// The test waits for the probe without spinning: each pass sleeps until a message comes or a
// few milliseconds pass, so the progress moves about once a second while a slow server answers.
TEST_F(SettingsPage, TestOfAWorkingUrlShowsPacedProgressThenOkAndOkSavesIt) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
    server.OnRequest([] { Sleep(3000); });
    const std::string url = FreshUrl(server);
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), url);
    HWND activity = GetDlgItem(StatusPage(main), IDC_ACTIVITY);
    ASSERT_NE(nullptr, activity);

    Click(dialog, IDC_TEST_URL);
    ASSERT_TRUE(
        WaitUntil([&] { return ItemText(dialog, IDC_TEST_RESULT) == "Testing URL (m=0)..."; }));
    // While the test waits, the status page's timer waits too: its activity line stands still.
    const std::string activityDuringTest = Text(activity);
    std::set<std::string> seen;
    std::set<std::string> activityLines;
    int lastPass = -1;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::string text = ItemText(dialog, IDC_TEST_RESULT);
            seen.insert(text);
            if (text.rfind("Testing", 0) == 0) activityLines.insert(Text(activity));
            std::sscanf(text.c_str(), "Testing URL (m=%d)...", &lastPass);
            return text == "The URL is ok";
        },
        30s));
    EXPECT_EQ(std::set<std::string>{activityDuringTest}, activityLines);
    EXPECT_TRUE(WaitUntil([&] { return Text(activity) != activityDuringTest; }, 3s));

    EXPECT_TRUE(seen.count("Testing URL (m=0)..."));
    EXPECT_TRUE(seen.count("Testing URL (m=100)..."));
    EXPECT_LE(lastPass, 600);  // three seconds at about a hundred passes a second
    EXPECT_EQ(1u, server.Requests().size());
    EXPECT_EQ(url, ItemText(dialog, IDC_URL_EDIT));

    Click(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return settings::String("URL1") == url; }));
    EXPECT_EQ(url, ItemText(page, IDC_URL_TEXT));
}

// After a failed test the keep-alive goes on with the URL from before the test: Stay On,
// pressed while the dialog is still open, probes that one.
TEST_F(SettingsPage, FailedTestLeavesTheKeepAliveOnThePreviousUrl) {
    LoopbackHttpServer server(LoopbackHttpServer::Mode::kAnswer200);
    const std::string previous = FreshUrl(server);
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), previous);
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return settings::String("URL1") == previous; }));

    dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), "http://127.0.0.1:9/closed");
    Click(dialog, IDC_TEST_URL);
    ASSERT_TRUE(WaitUntil(
        [&] { return ItemText(dialog, IDC_TEST_RESULT) == "URL not correct or PC not online!"; },
        30s));
    EXPECT_EQ("http://127.0.0.1:9/closed", ItemText(dialog, IDC_URL_EDIT));

    Click(StatusPage(main), IDC_STAY_ON);
    ASSERT_TRUE(server.WaitForRequests(1, 10000));
    const std::string path = previous.substr(previous.find('/', 7));
    EXPECT_NE(std::string::npos, server.Requests().front().line.find(path))
        << server.Requests().front().line;
    EXPECT_EQ(previous, settings::String("URL1").value_or(""));
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
}

TEST_F(SettingsPage, RedialTickedThenStatusPageExitStoresIt) {
    TickRedialAndLeave();
    Click(StatusPage(main), IDC_EXIT);
    EXPECT_EQ(0u, nimbrel->WaitForExit().value_or(12345));
    EXPECT_EQ(1u, settings::Dword("Redial").value_or(99));
}

TEST_F(SettingsPage, RedialTickedThenTrayMenuExitStoresNothing) {
    TickRedialAndLeave();
    PostMessageA(main, WM_COMMAND, ID_TRAY_EXIT, 0);
    EXPECT_EQ(0u, nimbrel->WaitForExit().value_or(12345));
    EXPECT_EQ(0u, settings::Dword("Redial").value_or(99));
    EXPECT_FALSE(startup::Exists("Nimbrel.lnk"));
}

// The edit stops the user at 299 characters; a longer text put in by other means is cut.
TEST_F(SettingsPage, OverlongUrlIsCutToWhatTheSettingHolds) {
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    const std::string longUrl = "http://" + std::string(5000, 'a') + ".example/";
    SetText(GetDlgItem(dialog, IDC_URL_EDIT), longUrl);
    Click(dialog, IDOK);

    EXPECT_TRUE(WaitUntil([&] { return settings::String("URL1") == longUrl.substr(0, 299); }));
    EXPECT_EQ(longUrl.substr(0, 299), ItemText(page, IDC_URL_TEXT));
    EXPECT_FALSE(nimbrel->WaitForExit(0ms).has_value());
}

// The longest URL the edit takes, typed or pasted, comes back whole at the next start and is
// saved unchanged again.
TEST_F(SettingsPage, LongestUrlTheEditTakesSurvivesARestart) {
    HWND dialog = OpenUrlDialog();
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_URL_EDIT);
    const std::string pasted = "http://" + std::string(400, 'l') + ".example/";
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    const std::string longest = Text(edit);
    ASSERT_EQ(pasted.substr(0, longest.size()), longest);
    ASSERT_EQ(299u, longest.size());
    Click(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return settings::String("URL1") == longest; }));
    Click(StatusPage(main), IDC_EXIT);
    ASSERT_EQ(0u, nimbrel->WaitForExit().value_or(12345));

    nimbrel.emplace();
    main = nimbrel->MainWindow();
    ASSERT_NE(nullptr, main);
    page = SelectPage(main, 1);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(longest, ItemText(page, IDC_URL_TEXT));
    Click(StatusPage(main), IDC_EXIT);
    ASSERT_EQ(0u, nimbrel->WaitForExit().value_or(12345));
    EXPECT_EQ(longest, settings::String("URL1").value_or(""));
}

TEST_F(SettingsPage, QuestionMarkShowsTheRedialHelp) {
    Click(page, IDC_REDIAL_TIP);
    HWND tip = nimbrel->WindowTitled("Tip");
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(
        "You need to set the Global Internet Settings to \"Dial whenever a network connection is "
        "not present\" in order for Nimbrel to redial automatically. Otherwise you will get "
        "prompted.",
        ItemText(tip, kMessageBoxText));
    EXPECT_EQ(nullptr, GetDlgItem(tip, IDCANCEL));
    PostMessageA(tip, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(tip); }));
}

// Values this program never writes read as missing ones: the page shows the defaults, and Exit
// writes them back as numbers. An empty text no longer reads as "off", so the shortcut stays.
TEST(ForeignSettings, ShowAndSaveAsTheirDefaults) {
    settings::Clear();
    settings::PutDword("FirstTime", 0);
    settings::PutString("URL1", kOldUrl);
    settings::PutRaw("AutoStart", REG_MULTI_SZ, "1\0", 3);
    settings::PutDword("Redial", 2);
    settings::PutString("FirstStart", "");
    const auto runAndExit = [](bool checkPage) {
        Nimbrel nimbrel;
        HWND main = nimbrel.MainWindow();
        ASSERT_NE(nullptr, main);
        if (checkPage) {
            HWND page = SelectPage(main, 1);
            ASSERT_NE(nullptr, page);
            EXPECT_TRUE(Checked(page, IDC_AUTOSTART));
            EXPECT_FALSE(Checked(page, IDC_REDIAL));
        }
        Click(StatusPage(main), IDC_EXIT);
        ASSERT_EQ(0u, nimbrel.WaitForExit().value_or(12345));
    };
    runAndExit(true);
    EXPECT_EQ(1u, settings::Dword("AutoStart").value_or(99));
    EXPECT_EQ(0u, settings::Dword("Redial").value_or(99));
    EXPECT_EQ(1u, settings::Dword("FirstStart").value_or(99));
    EXPECT_TRUE(startup::Exists("Nimbrel.lnk"));

    settings::PutString("AutoStart", "");
    runAndExit(false);
    EXPECT_EQ(1u, settings::Dword("AutoStart").value_or(99));
    EXPECT_TRUE(startup::Exists("Nimbrel.lnk"));
    startup::Remove("Nimbrel.lnk");
    settings::Clear();
}

}  // namespace
