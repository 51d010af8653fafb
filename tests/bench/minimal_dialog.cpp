// The baseline for the benchmark: the smallest windowed program shaped like Nimbrel's idle
// state, a dialog whose one text a 1.1 s timer rewrites, built with the same flags. Built with
// NIMBREL_BENCH_SHEET, the same text sits on the one page of a modeless property sheet: what
// the common controls and a property sheet alone cost, before any of Nimbrel's own work.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tests/bench/minimal_dialog.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 1100;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    static int seconds = 310;
    switch (message) {
        case WM_INITDIALOG:
            SetTimer(dialog, kTickTimer, kTickMilliseconds, nullptr);
            return TRUE;
        case WM_TIMER: {
            seconds = seconds > 0 ? seconds - 1 : 310;
            const std::string text = std::to_string(seconds / 60) + ":" +
                                     std::to_string(seconds % 60 / 10) +
                                     std::to_string(seconds % 10);
            SetDlgItemTextA(dialog, IDC_MINIMAL_TEXT, text.c_str());
            return TRUE;
        }
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

#ifdef NIMBREL_BENCH_SHEET
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_MINIMAL_PAGE);
    page.pfnDlgProc = DialogProc;
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    header.pszCaption = "Minimal sheet";
    header.nPages = 1;
    header.ppsp = &page;
    const auto sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (!sheet) return 1;
    ShowWindow(sheet, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PropSheet_IsDialogMessage(sheet, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
#else
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, DialogProc, 0));
}
#endif
