// The baseline for the benchmark: the smallest windowed program shaped like Nimbrel's idle
// state, a dialog whose one text a 1.1 s timer rewrites, built with the same flags.
#include <windows.h>

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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MINIMAL), nullptr, DialogProc, 0));
}
