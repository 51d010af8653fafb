#include "app/pages/url_dialog.h"

#include <string>
#include <vector>

#include "app/probe_target.h"
#include "framework/data_exchange.h"
#include "framework/window_text.h"
#include "res/resource.h"
#include "settings/keep_alive_url.h"

namespace {

constexpr const char* kExplanation =
    "Please enter the URL of your favorite major web site. Nimbrel uses this information to "
    "simulate traffic. \nEnter the website in the  format: http://www.DOMAIN.com";
constexpr const char* kNote = "Note: You can change the URL later under the >Settings< tab.";
constexpr const char* kPrompt = "Click to test website (URL) ==>";
constexpr const char* kSuccess = "The URL is ok";
constexpr const char* kFailure = "URL not correct or PC not online!";

constexpr int kUrlLimit = kUrlMaxLength;  // what the setting holds and reads back
constexpr int kMaxPasses = 500000;
// Each pass waits this long for a message unless one comes first; so the progress moves about
// once a second, and a slow dial-up request still has about a minute to answer.
constexpr DWORD kPassWaitMs = 10;
constexpr ULONGLONG kTestTimeLimitMs = 60000;

}  // namespace

UrlDialog::UrlDialog(Settings& settings, LanguageTexts& texts, OnlineProbe& probe)
    : Dialog(IDD_URL_DIALOG), m_settings(settings), m_texts(texts), m_probe(probe) {}

BOOL UrlDialog::OnInitDialog() {
    SendDlgItemMessageW(Handle(), IDC_URL_EDIT, EM_SETLIMITTEXT, kUrlLimit, 0);
    return Dialog::OnInitDialog();
}

void UrlDialog::DoDataExchange(DataExchange& exchange) {
    exchange.Text(IDC_URL_EDIT, m_url);
    exchange.Text(IDC_TEST_RESULT, m_result);
    exchange.Text(IDC_EXPLANATION, m_explanation);
    exchange.Text(IDC_URL_NOTE, m_note);
}

void UrlDialog::OnShown() {
    m_url = m_urlAtOpen = m_settings.url;
    m_explanation = kExplanation;
    m_note = kNote;
    m_success = kSuccess;
    m_failure = kFailure;
    m_result = kPrompt;
    TakeLanguageTexts();
    UpdateData(Exchange::ToControls);
}

void UrlDialog::TakeLanguageTexts() {
    const std::vector<std::string> texts = m_texts.Take(
        {"urlexplain", "urlnote", "urltest", "testok", "testfailed", "buttontesturl", "urltitle"});
    if (texts.empty()) return;
    m_explanation = texts[0];
    m_note = texts[1];
    m_result = texts[2];
    m_success = texts[3];
    m_failure = texts[4];
    SetItemText(Handle(), IDC_TEST_URL, texts[5]);
    SetText(Handle(), texts[6]);
}

bool UrlDialog::OnCommand(WORD id, WORD code) {
    if (id == IDC_TEST_URL && code == BN_CLICKED) {
        TestUrl();
        return true;
    }
    if (id == IDC_URL_EDIT && code == EN_SETFOCUS) {
        ShowPrompt();
        return true;
    }
    return Dialog::OnCommand(id, code);
}

// While the session may end, autodial stays the user's and a probe would be refused, which the
// test would show as a failure: the test waits, and probes afresh once the end is cancelled.
bool UrlDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_QUERYENDSESSION) {
        m_sessionEnding = true;
        if (m_testing) m_probe.End();
        result = TRUE;
        return true;
    }
    if (message == WM_ENDSESSION) {
        m_sessionEnding = wParam != FALSE;
        result = 0;
        return true;
    }
    return false;
}

// Only the result line changes: the edit keeps whatever the user has typed meanwhile.
void UrlDialog::ShowPrompt() {
    const std::vector<std::string> taken = m_texts.Take({"urltest"});
    m_result = taken.empty() ? kPrompt : taken.front();
    SetItemText(Handle(), IDC_TEST_RESULT, m_result);
}

void UrlDialog::OnOK() {
    UpdateData(Exchange::FromControls);
    SetKeepAliveUrl(m_settings, m_url);
    m_closed = true;
    EndDialog(Handle(), IDOK);
}

void UrlDialog::OnCancel() {
    SetKeepAliveUrl(m_settings, m_urlAtOpen);
    m_closed = true;
    EndDialog(Handle(), IDCANCEL);
}

// The test opens the URL in the edit, with autodial as the Redial setting allows, in a probe of
// its own: a keep-alive probe still running is dropped, and so is the test's own probe when the
// test ends without its result, so neither result is ever taken for the other.
void UrlDialog::TestUrl() {
    if (m_testing) return;  // a second click while the test runs
    m_testing = true;
    UpdateData(Exchange::FromControls);
    const std::string previous = m_settings.url;
    SetTestedUrl(m_settings, m_url);
    m_probe.Abandon();
    const ProbeResult result = WaitForProbe(ProbeTargetFor(m_settings));
    if (result == ProbeResult::Pending) m_probe.Abandon();
    m_testing = false;
    if (m_closed) return;  // OK or Cancel has already set the URL to keep
    if (result == ProbeResult::Online) {
        m_result = m_success;
    } else {
        // Not "offline" when no request could be made at all: the user is told why.
        m_result = m_failure;
        if (NeedsNotWebAddressWarning(m_settings.url)) {
            m_texts.Refresh();
            m_result = NotWebAddressTestResult(m_texts);
            m_texts.AddMissing({kNotWebAddressTestResultKey});
        }
        SetTestedUrl(m_settings, previous);
    }
    UpdateData(Exchange::ToControls);
}

// Steps the probe until it answers, the time is up or the dialog is closed. Between steps the
// thread sleeps until a message comes or a few milliseconds pass.
ProbeResult UrlDialog::WaitForProbe(const ProbeTarget& target) {
    const ULONGLONG deadline = GetTickCount64() + kTestTimeLimitMs;
    ProbeResult result = ProbeResult::Pending;
    for (int m = 0; m < kMaxPasses; ++m) {
        result = m_sessionEnding ? ProbeResult::Pending : m_probe.Check(target);
        if (m % 100 == 0) {
            m_result = "Testing URL (m=" + std::to_string(m) + ")...";
            UpdateData(Exchange::ToControls);
        }
        DispatchOwnMessages();
        if (result != ProbeResult::Pending || m_closed || GetTickCount64() > deadline) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPassWaitMs, QS_ALLINPUT);
    }
    return result;
}

// The dialog's own messages and its controls' only, through the dialog manager so that typing,
// Tab, Enter and Escape work as outside a test: the main window and the status page's timer
// wait, so the keep-alive tick does not step the probe while the test does.
void UrlDialog::DispatchOwnMessages() {
    for (bool any = true; any && Handle();) {
        any = false;
        for (HWND window = Handle(); window; window = window == Handle()
                                                          ? GetWindow(Handle(), GW_CHILD)
                                                          : GetWindow(window, GW_HWNDNEXT)) {
            MSG message;
            while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {  // the run ends: leave it to the main loop
                    PostQuitMessage(static_cast<int>(message.wParam));
                    m_closed = true;
                    return;
                }
                if (!IsDialogMessageW(Handle(), &message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
                any = true;
            }
        }
    }
}
