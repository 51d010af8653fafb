#include "app/first_run_dialog.h"

#include "keepalive/autodial.h"

FirstRunDialog::FirstRunDialog(Settings& settings, LanguageTexts& texts, OnlineProbe& probe,
                               AutodialSwitch& autodial)
    : UrlDialog(settings, texts, probe), m_probe(probe), m_autodial(autodial) {}

BOOL FirstRunDialog::OnInitDialog() {
    const BOOL result = UrlDialog::OnInitDialog();
    MarkInstanceWindow(m_window, m_instanceName);
    return result;
}

bool FirstRunDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    result = TRUE;
    if (message == g_uShowRequestMessage) {
        SetForegroundWindow(m_window);
        return true;
    }
    if (message == g_uExitRequestMessage) {
        OnExitRequest();
        return true;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            OnQueryEndSession();
            return true;
        case WM_ENDSESSION:
            OnEndSession(wParam != FALSE);
            result = 0;
            return true;
        case WM_DESTROY:
            UnmarkInstanceWindow(m_window, m_instanceName);
            return false;
        default:
            return false;
    }
}

// Taken as Cancel, posted so that the sender is answered at once; the URL test's own loop
// passes it on too. Nothing is saved: the next start asks for the URL again.
void FirstRunDialog::OnExitRequest() {
    m_exitRequested = true;
    PostMessageW(m_window, WM_COMMAND, IDCANCEL, 0);
}

// The process may be ended any time after the answer: the test's probe stops and the user's
// autodial values go back now.
void FirstRunDialog::OnQueryEndSession() {
    m_probe.Abandon();
    m_autodial.RestoreAtExit();
}

// Another program may cancel the end: then the dialog goes on as before.
void FirstRunDialog::OnEndSession(bool ending) {
    if (ending)
        m_autodial.RestoreAtExit();
    else
        m_autodial.Reopen();
}
