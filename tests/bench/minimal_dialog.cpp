// The baseline for the benchmark: the smallest windowed program shaped like Nimbrel's idle
// state, a dialog whose one text a 1.1 s timer rewrites, built with the same flags. Built with
// NIMBREL_BENCH_SHEET, the same text sits on the one page of a modeless property sheet: what
// the common controls and a property sheet alone cost, before any of Nimbrel's own work. Built
// with NIMBREL_BENCH_REQUEST, the dialog first makes one request through WinINet on a thread of
// its own, to the URL its command line names: what a switched-on program pays for that library.
#include <windows.h>
#include <commctrl.h>
#ifdef NIMBREL_BENCH_REQUEST
#include <wininet.h>
#endif

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
#elif defined(NIMBREL_BENCH_REQUEST)
DWORD WINAPI RequestOnce(void* url) {
    HINTERNET session = InternetOpenA("bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET request =
        session ? InternetOpenUrlA(session, static_cast<const char*>(url), nullptr, 0,
                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)
                : nullptr;
    if (request) InternetCloseHandle(request);
    if (session) InternetCloseHandle(session);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR url, int) {
    HANDLE worker = CreateThread(nullptr, 0, RequestOnce, url, 0, nullptr);
    if (worker) {
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, DialogProc, 0));
}
#else
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, DialogProc, 0));
}
#endif
