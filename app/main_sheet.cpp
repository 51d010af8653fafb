#include "app/main_sheet.h"

#include <commctrl.h>

#include "app/single_instance.h"
#include "app/tray_icon.h"
#include "framework/handles.h"
#include "keepalive/autodial.h"
#include "keepalive/run_state.h"
#include "app/pages/url_dialog.h"
#include "res/product.h"
#include "res/resource.h"
#include "settings/bounded_copy.h"

namespace {

std::string LoadResourceString(UINT id) {
    char text[256] = "";
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

void NotifyTray(DWORD action, HWND window, HICON icon) {
    NOTIFYICONDATAA record = MakeTrayIconRecord(window, icon);
    Shell_NotifyIconA(action, &record);
}

}  // namespace

CMainSheet::CMainSheet(const Folders& folders, Settings& settings, LanguageTexts& texts,
                       Autostart& autostart, RunState& run, EventLog& log, AutodialSwitch& autodial,
                       OnlineProbe& probe)
    : CPropertySheet(LoadResourceString(IDS_TRAY_TIP)),
      m_pageAbout(texts, folders.HelpPath()),
      m_pageStatus(settings, autostart, texts, run, log, probe),
      m_pageSettings(settings, texts),
      m_settings(settings),
      m_texts(texts),
      m_run(run),
      m_autodial(autodial),
      m_probe(probe) {
    TransferSettings(m_settings, STORE_READ);
    m_texts.ReadSwitch();
    ChooseCaption();
    m_pageSettings.m_bAutostart = m_settings.autoStart != 0;
    m_pageSettings.m_bRedial = m_settings.redial != 0;
    // "-uninstall" shows nothing, so an uninstaller that starts it never waits on a dialog.
    if (m_settings.firstTime == 1 && m_run.mode != KeepAliveMode::Uninstall) {
        m_settings.firstTime = 0;
        CKeepAliveUrlDlg dialog(m_settings, m_texts, m_probe);
        dialog.DoModal(nullptr);
    }
    m_pageStatus.LinkMainWindow([this] { return m_hWnd; },
                                [this] {
                                    m_settings.autoStart = m_pageSettings.m_bAutostart;
                                    m_settings.redial = m_pageSettings.m_bRedial;
                                });
    m_pageSettings.LinkUrlDialog([this](HWND owner) {
        CKeepAliveUrlDlg dialog(m_settings, m_texts, m_probe);
        return dialog.DoModal(owner) == IDOK;
    });
    AddPage(m_pageStatus);
    AddPage(m_pageSettings);
    AddPage(m_pageAbout);
    m_hIcon = LoadIconA(GetModuleHandleA(nullptr), "p1");
}

CMainSheet::~CMainSheet() = default;

void CMainSheet::ChooseCaption() {
    SetTitle(m_texts.InForce() ? std::string(kGermanEditionName) + " - " + kMakerSiteGerman
                               : std::string(kProductName) + " - " + kMakerSite);
}

BOOL CMainSheet::OnInitDialog() {
    const BOOL result = CPropertySheet::OnInitDialog();
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    if (m_texts.InForce()) SetTabCaptions();
    MarkInstanceWindow(m_hWnd, InstanceName());
    return result;
}

void CMainSheet::SetTabCaptions() {
    HWND tabs = GetTabControl();
    const char* keys[] = {"TabFront", "TabSet", "TabAbout"};
    for (int tab = 0; tab < 3; ++tab) {
        char caption[200];
        CopyBounded(caption, sizeof caption, m_texts.Text(keys[tab]).c_str());
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        SendMessageA(tabs, TCM_SETITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
}

LRESULT CMainSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == g_uIconNotifyMessage) return OnIconNotify(wParam, lParam);
    if (message == g_uTaskbarCreatedMessage) {
        OnTaskbarCreated();
        return 0;
    }
    if (message == g_uShowRequestMessage) {
        OnShowRequest();
        return TRUE;
    }
    if (message == g_uExitRequestMessage) {
        OnExitRequest();
        return TRUE;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            // The process may be ended any time after this answer: the user's values go back now.
            m_autodial.RestoreAtExit();
            return TRUE;
        case WM_ENDSESSION:
            // Another program may cancel the end: then the run goes on as before.
            if (wParam)
                m_autodial.RestoreAtExit();
            else
                m_autodial.Reopen();
            return 0;
        case WM_DESTROY:
            UnmarkInstanceWindow(m_hWnd, InstanceName());
            return Default();
        case WM_SIZE: {
            const LRESULT result = Default();
            OnSize(static_cast<UINT>(wParam));
            return result;
        }
        case WM_PAINT:
            return OnPaintIconic() ? 0 : Default();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_hIcon);
        default:
            return CPropertySheet::WindowProc(message, wParam, lParam);
    }
}

void CMainSheet::OnSize(UINT type) {
    if (type == SIZE_MINIMIZED) {
        ShowWindow(m_hWnd, SW_HIDE);
        NotifyTray(NIM_ADD, m_hWnd, m_hIcon);
    } else if (type == SIZE_RESTORED) {
        NotifyTray(NIM_DELETE, m_hWnd, m_hIcon);
        if (!m_bFitted && GetTabControl()) FitAroundTabControl();
    }
}

// Once per run: the client area takes the tab control with the same margin on every side, which
// leaves out the room of the standard buttons a modeless sheet does not show. The frame around
// it is the system's, whatever its size.
void CMainSheet::FitAroundTabControl() {
    m_bFitted = true;
    RECT tab{};
    GetWindowRect(GetTabControl(), &tab);
    MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&tab), 2);
    RECT frame{0, 0, tab.right + tab.left, tab.bottom + tab.left};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CMainSheet::OnIconNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam != kTrayIconId) return 0;
    if (lParam == WM_LBUTTONDBLCLK)
        PostMessageA(m_hWnd, WM_COMMAND, ID_TRAY_RESTORE, 0);
    else if (lParam == WM_RBUTTONDOWN)
        ShowTrayMenu();
    return 0;
}

void CMainSheet::ShowTrayMenu() {
    OwnedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(m_hWnd);
    TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

// A later start of the same user wants the window: out of the notification area, in front.
void CMainSheet::OnShowRequest() {
    m_run.startInTray = false;  // a start into the tray that has not hidden yet stays on screen
    if (!IsWindowVisible(m_hWnd) || IsIconic(m_hWnd)) ShowWindow(m_hWnd, SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(m_hWnd));
}

// The same Exit as the status page's button, taken as a click on it: settings saved, shortcut
// updated, quit. Posted, so that the sender is answered at once. The window may be in the
// notification area, and a run that ends by the quit message leaves an icon behind.
void CMainSheet::OnExitRequest() {
    NotifyTray(NIM_DELETE, m_hWnd, m_hIcon);
    HWND page = m_pageStatus.m_hWnd;
    if (page)
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_EXIT)));
}

void CMainSheet::OnTrayExit() {
    NotifyTray(NIM_DELETE, m_hWnd, m_hIcon);
    DestroyWindow(m_hWnd);
}

// A restarted Explorer forgets our icon; a window hidden in the tray would be unreachable.
void CMainSheet::OnTaskbarCreated() {
    if (IsIconic(m_hWnd) && !IsWindowVisible(m_hWnd)) NotifyTray(NIM_ADD, m_hWnd, m_hIcon);
}

bool CMainSheet::OnPaintIconic() {
    if (!IsIconic(m_hWnd)) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

void CMainSheet::PressButtonAndClose(int button) {
    SendMessageA(m_hWnd, PSM_PRESSBUTTON, button, 0);
    DestroyWindow(m_hWnd);
}

bool CMainSheet::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != 0) return false;
    switch (LOWORD(wParam)) {
        case IDOK:
            PressButtonAndClose(PSBTN_OK);
            return true;
        case IDCANCEL:
            PressButtonAndClose(PSBTN_CANCEL);
            return true;
        case IDHELP:
            SendMessageA(m_hWnd, PSM_PRESSBUTTON, PSBTN_HELP, 0);
            return true;
        case kApplyNowId:
            SendMessageA(m_hWnd, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
            return true;
        case ID_TRAY_RESTORE:
            ShowWindow(m_hWnd, SW_RESTORE);
            return true;
        case ID_TRAY_EXIT:
            OnTrayExit();
            return true;
        default:
            return false;
    }
}

// The main window's end is the run's end.
void CMainSheet::PostNcDestroy() {
    PostQuitMessage(0);
    delete this;
}
