#include "app/main_sheet.h"

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/keep_alive_session.h"
#include "app/single_instance.h"
#include "app/tray_callback.h"
#include "base/handles.h"
#include "base/wide_text.h"
#include "keepalive/autodial.h"
#include "res/product.h"
#include "res/resource.h"

MainSheet::MainSheet(const Folders& folders, Settings& settings, LanguageTexts& texts,
                     Autostart& autostart, KeepAliveSession& session, AutodialSwitch& autodial,
                     OnlineProbe& probe)
    : ModelessSheet(Caption(texts)),
      m_aboutPage(texts, folders.HelpPath()),
      m_statusPage(session, settings, autostart, texts, probe),
      m_settingsPage(settings, texts, probe),
      m_texts(texts),
      m_session(session),
      m_autodial(autodial),
      m_probe(probe) {
    m_settingsPage.LoadSwitches();
    m_statusPage.LinkSettingsSwitches([this] { m_settingsPage.CommitSwitches(); });
    AddPage(m_statusPage);
    AddPage(m_settingsPage);
    AddPage(m_aboutPage);
    m_icon = LoadIconW(GetModuleHandleW(nullptr), L"p1");
    m_session.SetLineView(&m_tray);
}

MainSheet::~MainSheet() {
    m_session.SetLineView(nullptr);
}

std::string MainSheet::Caption(const LanguageTexts& texts) {
    return texts.InUse() ? std::string(kGermanEditionName) + " - " + kMakerSiteGerman
                         : std::string(kProductName) + " - " + kMakerSite;
}

BOOL MainSheet::OnInitDialog() {
    const BOOL result = ModelessSheet::OnInitDialog();
    // The big icon alone: the system makes the caption's small one from it, and the start pays
    // for one change of the window's icons instead of two.
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SetTabCaptions();
    MarkInstanceWindow(Handle(), InstanceName());
    return result;
}

void MainSheet::SetTabCaptions() {
    HWND tabs = GetTabControl();
    const std::vector<std::string> captions = m_texts.Take({"TabFront", "TabSet", "TabAbout"});
    for (std::size_t tab = 0; tab < captions.size(); ++tab) {
        WideString caption = ToWide(captions[tab]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(tabs, TCM_SETITEMW, tab, reinterpret_cast<LPARAM>(&item));
    }
}

LRESULT MainSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
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
            // The process may be ended any time after this answer: the probe stops and the
            // user's values go back now, by its worker if it is quick enough. A test in the URL
            // dialog goes too.
            m_session.HoldForSessionEnd();
            m_probe.End();
            m_autodial.RestoreAtExit();
            return TRUE;
        case WM_ENDSESSION:
            // Another program may cancel the end: then the run goes on as before.
            if (wParam) {
                m_autodial.RestoreAtExit();
                m_session.OnSessionEnd();
            } else {
                m_autodial.Reopen();
                m_session.ResumeAfterCancelledEnd();
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC) m_session.OnResume();
            return ModelessSheet::WindowProc(message, wParam, lParam);
        case WM_DESTROY:
            UnmarkInstanceWindow(Handle(), InstanceName());
            return Default();
        case WM_SIZE: {
            const LRESULT result = Default();
            OnSize(static_cast<UINT>(wParam));
            return result;
        }
        case WM_PAINT:
            return OnPaintIconic() ? 0 : Default();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(m_icon);
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam != TrayIcon::kRetryTimer) return Default();
            m_tray.Presence().OnRetryTimer();
            return 0;
        default:
            return ModelessSheet::WindowProc(message, wParam, lParam);
    }
}

void MainSheet::OnSize(UINT type) {
    if (type == SIZE_MINIMIZED) {
        m_tray.Presence().OnMinimized();
    } else if (type == SIZE_RESTORED) {
        m_tray.Presence().OnRestored();
        if (!m_fitted && GetTabControl()) FitAroundTabControl();
    }
}

// Once per run: the client area takes the tab control with the same margin on every side, which
// leaves out the room of the standard buttons a modeless sheet does not show. The frame around
// it is the system's, whatever its size.
void MainSheet::FitAroundTabControl() {
    m_fitted = true;
    RECT tab{};
    GetWindowRect(GetTabControl(), &tab);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&tab), 2);
    RECT frame{0, 0, tab.right + tab.left, tab.bottom + tab.left};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a monitor of another scale: the system's suggested place keeps the window under the
// same spot of the pointer, and the pages' images are loaded again for the new scale.
void MainSheet::OnDpiChanged(int dpi, const RECT& suggested) {
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_statusPage.ScaleImages(dpi);
    m_aboutPage.ScaleImages(dpi);
}

LRESULT MainSheet::OnIconNotify(WPARAM wParam, LPARAM lParam) {
    const TrayCallback callback = ReadTrayCallback(wParam, lParam, kTrayIconId);
    if (callback.request == TrayRequest::Restore)
        PostMessageW(Handle(), WM_COMMAND, ID_TRAY_RESTORE, 0);
    else if (callback.request == TrayRequest::Menu)
        ShowTrayMenu(callback.x, callback.y);
    return 0;
}

void MainSheet::ShowTrayMenu(int x, int y) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return;
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

// A later start of the same user wants the window: out of the notification area, in front.
void MainSheet::OnShowRequest() {
    m_session.KeepOnScreen();  // a start into the tray that has not hidden yet stays on screen
    if (!IsWindowVisible(Handle()) || IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(GetLastActivePopup(Handle()));
}

// The same Exit as the status page's button, taken as a click on it: settings saved, shortcut
// updated, quit. Posted, so that the sender is answered at once. The window may be in the
// notification area, and a run that ends by the quit message leaves an icon behind. A dialog
// open over the window is cancelled first: the URL dialog's test passes on only its own
// messages, and would hold the click back until the test ends.
void MainSheet::OnExitRequest() {
    m_tray.Presence().OnExit();
    HWND popup = GetLastActivePopup(Handle());
    if (popup != Handle()) PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    HWND page = m_statusPage.Handle();
    if (page)
        PostMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_EXIT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_EXIT)));
}

void MainSheet::OnTrayExit() {
    m_tray.Presence().OnExit();
    DestroyWindow(Handle());
}

// A restarted Explorer forgets our icon; a window hidden in the tray would be unreachable.
void MainSheet::OnTaskbarCreated() {
    m_tray.Presence().OnTaskbarCreated();
}

bool MainSheet::OnPaintIconic() {
    if (!IsIconic(Handle())) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(Handle(), &client);
    DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
             (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, m_icon);
    EndPaint(Handle(), &paint);
    return true;
}

void MainSheet::PressButtonAndClose(int button) {
    SendMessageW(Handle(), PSM_PRESSBUTTON, button, 0);
    DestroyWindow(Handle());
}

bool MainSheet::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != 0) return false;
    switch (LOWORD(wParam)) {
        case IDOK:
            PressButtonAndClose(PSBTN_OK);
            return true;
        case IDCANCEL:
            PressButtonAndClose(PSBTN_CANCEL);
            return true;
        case ID_TRAY_RESTORE:
            ShowWindow(Handle(), SW_RESTORE);
            return true;
        case ID_TRAY_EXIT:
            OnTrayExit();
            return true;
        case ID_TRAY_HISTORY:
            m_session.OpenHistory(reinterpret_cast<platform::Window>(Handle()));
            return true;
        default:
            return false;
    }
}

// The main window's end is the run's end.
void MainSheet::PostNcDestroy() {
    PostQuitMessage(0);
    delete this;
}
