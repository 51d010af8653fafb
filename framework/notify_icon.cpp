#include "framework/notify_icon.h"

NotifyIcon::NotifyIcon()
    : m_shell(L"shell32.dll"), m_call(m_shell.Function<Call>("Shell_NotifyIconW")) {}

bool NotifyIcon::operator()(DWORD message, NOTIFYICONDATAW* data) const {
    return m_call && m_call(message, data);
}
