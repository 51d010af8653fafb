#include "app/tray_presence.h"

void TrayPresence::OnMinimized() {
    if (m_state == State::OnScreen) TryAdd();
}

void TrayPresence::OnRestored() {
    if (m_state == State::InTray) m_host.RemoveIcon();
    if (m_state == State::Waiting) m_host.StopRetryTimer();
    m_state = State::OnScreen;
}

void TrayPresence::OnRetryTimer() {
    if (m_state == State::Waiting) TryAdd();
}

void TrayPresence::OnTaskbarCreated() {
    if (m_state != State::OnScreen) TryAdd();
}

void TrayPresence::OnExit() {
    OnRestored();
}

void TrayPresence::TryAdd() {
    if (m_host.AddIcon()) {
        if (m_state == State::Waiting) m_host.StopRetryTimer();
        m_state = State::InTray;
        m_host.HideWindow();
        return;
    }
    if (m_state != State::Waiting) m_host.StartRetryTimer();
    m_state = State::Waiting;
    m_host.ShowMinimized();
}
