#include "app/pages/url_dialog.h"

#include <string>

#include "app/probe_target.h"
#include "framework/data_exchange.h"
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

CKeepAliveUrlDlg::CKeepAliveUrlDlg(Settings& settings, LanguageTexts& texts, OnlineProbe& probe)
    : CDialog(IDD_URL_DIALOG), m_settings(settings), m_texts(texts), m_probe(probe) {}

BOOL CKeepAliveUrlDlg::OnInitDialog() {
    SendDlgItemMessageA(m_hWnd, IDC_URL_EDIT, EM_SETLIMITTEXT, kUrlLimit, 0);
    return CDialog::OnInitDialog();
}

void CKeepAliveUrlDlg::DoDataExchange(CDataExchange& exchange) {
    exchange.Text(IDC_URL_EDIT, m_strURL);
    exchange.Text(IDC_TEST_RESULT, m_strResult);
    exchange.Text(IDC_EXPLANATION, m_strExplanation);
    exchange.Text(IDC_URL_NOTE, m_strNote);
}

void CKeepAliveUrlDlg::OnShowWindow(bool show) {
    if (show) SetUp();
}

void CKeepAliveUrlDlg::SetUp() {
    m_strURL = m_strURLAtOpen = m_settings.url;
    m_strExplanation = kExplanation;
    m_strNote = kNote;
    m_strSuccess = kSuccess;
    m_strFailure = kFailure;
    m_strResult = kPrompt;
    if (m_texts.InForce()) TakeLanguageTexts();
    UpdateData(false);
}

void CKeepAliveUrlDlg::TakeLanguageTexts() {
    m_strExplanation = m_texts.Text("urlexplain");
    m_strNote = m_texts.Text("urlnote");
    m_strResult = m_texts.Text("urltest");
    m_strSuccess = m_texts.Text("testok");
    m_strFailure = m_texts.Text("testfailed");
    SetDlgItemTextA(m_hWnd, IDC_TEST_URL, m_texts.Text("buttontesturl").c_str());
    SetWindowTextA(m_hWnd, m_texts.Text("urltitle").c_str());
}

bool CKeepAliveUrlDlg::OnCommand(WORD id, WORD code) {
    if (id == IDC_TEST_URL && code == BN_CLICKED) {
        TestUrl();
        return true;
    }
    if (id == IDC_URL_EDIT && code == EN_SETFOCUS) {
        ShowPrompt();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

// Only the result line changes: the edit keeps whatever the user has typed meanwhile.
void CKeepAliveUrlDlg::ShowPrompt() {
    m_strResult = m_texts.InForce() ? m_texts.Text("urltest") : kPrompt;
    SetDlgItemTextA(m_hWnd, IDC_TEST_RESULT, m_strResult.c_str());
}

void CKeepAliveUrlDlg::OnOK() {
    UpdateData(true);
    SetKeepAliveUrl(m_settings, m_strURL);
    m_bClosed = true;
    EndDialog(m_hWnd, IDOK);
}

void CKeepAliveUrlDlg::OnCancel() {
    SetKeepAliveUrl(m_settings, m_strURLAtOpen);
    m_bClosed = true;
    EndDialog(m_hWnd, IDCANCEL);
}

// The test opens the URL in the edit, with autodial as the Redial setting allows, in a probe of
// its own: a keep-alive probe still running is dropped, and so is the test's own probe when the
// test ends without its result, so neither result is ever taken for the other.
void CKeepAliveUrlDlg::TestUrl() {
    if (m_bTesting) return;  // a second click while the test runs
    m_bTesting = true;
    UpdateData(true);
    const std::string previous = m_settings.url;
    SetTestedUrl(m_settings, m_strURL);
    m_probe.Abandon();
    const ProbeResult result = WaitForProbe(ProbeTargetFor(m_settings));
    if (result == ProbeResult::Pending) m_probe.Abandon();
    m_bTesting = false;
    if (m_bClosed) return;  // OK or Cancel has already put its URL in force
    if (result == ProbeResult::Online) {
        m_strResult = m_strSuccess;
    } else {
        m_strResult = m_strFailure;
        SetTestedUrl(m_settings, previous);
    }
    UpdateData(false);
}

// Steps the probe until it answers, the time is up or the dialog is closed. Between steps the
// thread sleeps until a message comes or a few milliseconds pass.
ProbeResult CKeepAliveUrlDlg::WaitForProbe(const ProbeTarget& target) {
    const ULONGLONG deadline = GetTickCount64() + kTestTimeLimitMs;
    ProbeResult result = ProbeResult::Pending;
    for (int m = 0; m < kMaxPasses; ++m) {
        result = m_probe.Check(target);
        if (m % 100 == 0) {
            m_strResult = "Testing URL (m=" + std::to_string(m) + ")...";
            UpdateData(false);
        }
        DispatchOwnMessages();
        if (result != ProbeResult::Pending || m_bClosed || GetTickCount64() > deadline) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPassWaitMs, QS_ALLINPUT);
    }
    return result;
}

// The dialog's own messages and its controls' only, through the dialog manager so that typing,
// Tab, Enter and Escape work as outside a test: the main window and the status page's timer
// wait, so the keep-alive tick does not step the probe while the test does.
void CKeepAliveUrlDlg::DispatchOwnMessages() {
    for (bool any = true; any && m_hWnd;) {
        any = false;
        for (HWND window = m_hWnd; window; window = window == m_hWnd
                                                        ? GetWindow(m_hWnd, GW_CHILD)
                                                        : GetWindow(window, GW_HWNDNEXT)) {
            MSG message;
            while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {  // the run ends: leave it to the main loop
                    PostQuitMessage(static_cast<int>(message.wParam));
                    m_bClosed = true;
                    return;
                }
                if (!IsDialogMessageA(m_hWnd, &message)) {
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                }
                any = true;
            }
        }
    }
}
