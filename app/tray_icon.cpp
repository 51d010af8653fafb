#include "app/tray_icon.h"

#include <commctrl.h>

#include "base/loaded_library.h"
#include "base/wide_text.h"
#include "framework/notify_icon.h"
#include "framework/window.h"
#include "history/line_texts.h"
#include "res/product.h"
#include "res/resource.h"
#include "settings/language.h"

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

// Copies text into a record's fixed field, cut to fit with its terminating zero.
template <std::size_t size>
void CopyInto(wchar_t (&field)[size], const std::string& text) {
    const WideString wide = ToWide(text);
    const std::size_t length = std::min(wide.size(), size - 1);
    wide.copy(field, length);
    field[length] = L'\0';
}

// The notice's text from the language file, with the down time in place of <:TIME:>. The keys
// are not added to the file: key=key there would replace the English text in the notice.
std::string NoticeText(const LanguageTexts& texts, const LineChange& change) {
    if (!change.online) return texts.TextOr("LineDown", "The line is down.");
    std::string text = texts.TextOr("LineBack", "The line is back after <:TIME:>.");
    const std::string mark = "<:TIME:>";
    const std::size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), DurationText(change.downSeconds));
    return text;
}

}  // namespace

TrayIcon::TrayIcon(Window& owner, const LanguageTexts& texts) : m_owner(owner), m_texts(texts) {}

HICON TrayIcon::Icon() {
    if (!m_icon) m_icon.reset(LoadSmallIcon());
    return m_icon.get();
}

// Today's record: a numeric id, not a GUID, which would tie the icon to the exe's path and fail
// for a portable copy that was moved.
NOTIFYICONDATAW TrayIcon::Record() {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof record;
    record.hWnd = m_owner.Handle();
    record.uID = kTrayIconId;
    // Version 4 leaves the standard tip out unless it is asked for.
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    record.uCallbackMessage = g_uIconNotifyMessage;
    record.hIcon = Icon();
    wchar_t* firstLine = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_TRAY_TIP,
                                   reinterpret_cast<wchar_t*>(&firstLine), 0);
    const std::string tip = FromWide(WideView(firstLine, length));
    CopyInto(record.szTip, m_lineState.empty() ? tip : tip + "\n" + m_lineState);
    record.uVersion = NOTIFYICON_VERSION_4;
    return record;
}

// An icon the shell still holds (a taskbar that only says it was created again) counts as added.
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
    ShowWindow(m_owner.Handle(), SW_HIDE);
}

void TrayIcon::ShowMinimized() {
    ShowWindow(m_owner.Handle(), SW_SHOWMINNOACTIVE);
}

void TrayIcon::StartRetryTimer() {
    SetTimer(m_owner.Handle(), kRetryTimer, kRetryMilliseconds, nullptr);
}

void TrayIcon::StopRetryTimer() {
    KillTimer(m_owner.Handle(), kRetryTimer);
}

void TrayIcon::ShowLineState(const std::string& line) {
    if (line == m_lineState) return;
    m_lineState = line;
    if (!m_presence.IconShown()) return;
    NOTIFYICONDATAW record = Record();
    record.uFlags = NIF_TIP | NIF_SHOWTIP;
    NotifyIcon()(NIM_MODIFY, &record);
}

// Windows leaves the notice out while the user does not want to be disturbed, or has muted the
// program's notifications.
void TrayIcon::NoticeLineChange(const LineChange& change) {
    if (!m_presence.IconShown()) return;
    NOTIFYICONDATAW record = Record();
    record.uFlags = NIF_INFO;
    CopyInto(record.szInfoTitle, kProductName);
    CopyInto(record.szInfo, NoticeText(m_texts, change));
    record.dwInfoFlags = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;
    NotifyIcon()(NIM_MODIFY, &record);
}
