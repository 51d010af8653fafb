#include "app/keep_alive_app.h"

#include <commctrl.h>

#include "app/main_sheet.h"

CKeepAliveApp theApp;

namespace {

constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;

}  // namespace

BOOL CKeepAliveApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    auto* sheet = new CMainSheet;
    m_pMainWnd = sheet;
    m_pMainSheet = sheet;
    // Without a window there is nothing to run: end at once rather than loop unseen.
    if (!sheet->Create(kMainWindowStyle)) {
        m_pMainWnd = nullptr;
        m_pMainSheet = nullptr;
        delete sheet;
        return FALSE;
    }
    return TRUE;
}
