#include "app/tray_icon.h"

#include <commctrl.h>

#include "base/loaded_library.h"
#include "framework/notify_icon.h"
#include "framework/window.h"
#include "res/resource.h"

const UINT g_uIconNotifyMessage = RegisterWindowMessageW(L"WM_ICONNOTIFY");
const UINT g_uTaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");

namespace {

constexpr UINT kRetryMilliseconds = 3000;

// The program's icon at the small-icon size; LoadIconMetric where comctl32 has it, the same
// size asked of LoadImageW where it does not (comctl32 without the version 6 activation).
HICON LoadSmallIcon() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    using LoadIconMetricCall = HRESULT(HINSTANCE, PCWSTR, int, HICON*);
    const auto loadIconMetric =
        LoadedFunction<LoadIconMetricCall>(L"comctl32.dll", "LoadIconMetric");
    HICON icon = nullptr;
    if (loadIconMetric && SUCCEEDED(loadIconMetric(instance, L"p1", LIM_SMALL, &icon))) return icon;
    return static_cast<HICON>(LoadImageW(instance, L"p1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

TrayIcon::TrayIcon(Window& owner) : m_owner(owner) {}

HICON TrayIcon::Icon() {
    if (!m_icon) m_icon.reset(LoadSmallIcon());
    return m_icon.get();
}

// Today's record: a numeric id, not a GUID, which would tie the icon to the exe's path and fail
// for a portable copy that was moved.
NOTIFYICONDATAW TrayIcon::Record() {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = m_owner.m_window;
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = g_uIconNotifyMessage;
    record.hIcon = Icon();
    LoadStringW(GetModuleHandleW(nullptr), IDS_TRAY_TIP, record.szTip,
                sizeof record.szTip / sizeof record.szTip[0]);
    record.uVersion = NOTIFYICON_VERSION_4;
    return record;
}

// An icon the shell still holds (a taskbar that only says it was created anew) counts as added.
bool TrayIcon::AddIcon() {
    const NotifyIcon notify;
    NOTIFYICONDATAW record = Record();
    if (!notify(NIM_ADD, &record) && !notify(NIM_MODIFY, &record)) return false;
    if (notify(NIM_SETVERSION, &record)) return true;
    // Without version 4 its clicks would not be understood: the icon is as good as missing.
    notify(NIM_DELETE, &record);
    return false;
}

void TrayIcon::RemoveIcon() {
    NOTIFYICONDATAW record = Record();
    NotifyIcon()(NIM_DELETE, &record);
}

void TrayIcon::HideWindow() {
    ShowWindow(m_owner.m_window, SW_HIDE);
}

void TrayIcon::ShowMinimised() {
    ShowWindow(m_owner.m_window, SW_SHOWMINNOACTIVE);
}

void TrayIcon::StartRetryTimer() {
    SetTimer(m_owner.m_window, kRetryTimer, kRetryMilliseconds, nullptr);
}

void TrayIcon::StopRetryTimer() {
    KillTimer(m_owner.m_window, kRetryTimer);
}
