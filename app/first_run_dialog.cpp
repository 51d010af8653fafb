#include "app/first_run_dialog.h"

#include "keepalive/autodial.h"

FirstRunDialog::FirstRunDialog(Settings& settings, LanguageTexts& texts, OnlineProbe& probe,
                               AutodialSwitch& autodial)
    : UrlDialog(settings, texts, probe), m_autodial(autodial) {}

BOOL FirstRunDialog::OnInitDialog() {
    const BOOL result = UrlDialog::OnInitDialog();
    MarkInstanceWindow(Handle(), m_instanceName);
    return result;
}

bool FirstRunDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = TRUE;
    if (message == g_uShowRequestMessage) {
        SetForegroundWindow(Handle());
        return true;
    }
    if (message == g_uExitRequestMessage) {
        OnExitRequest();
        return true;
    }
    if (message == WM_DESTROY) UnmarkInstanceWindow(Handle(), m_instanceName);
    // The test stops first, so that its worker can put autodial back itself.
    const bool handled = UrlDialog::OnMessage(message, wParam, lParam, result);
    if (message == WM_QUERYENDSESSION || message == WM_ENDSESSION) OnSessionEnd(message, wParam);
    return handled;
}

// Taken as Cancel, posted so that the sender is answered at once; the URL test's own loop
// passes it on too. Nothing is saved: the next start asks for the URL again.
void FirstRunDialog::OnExitRequest() {
    m_exitRequested = true;
    PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0);
}

// The process may be ended any time after the query is answered: the user's autodial values go
// back now. Another program may cancel the end: then the dialog goes on as before.
void FirstRunDialog::OnSessionEnd(UINT message, WPARAM ending) {
    if (message == WM_ENDSESSION && !ending)
        m_autodial.Reopen();
    else
        m_autodial.RestoreAtExit();
}
