#include "framework/window_text.h"

WideString WideWindowText(HWND window) {
    WideString text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

std::string WindowText(HWND window) {
    return FromWide(WideWindowText(window));
}

void SetText(HWND window, const std::string& text) {
    SetWindowTextW(window, ToWide(text).c_str());
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextW(dialog, id, ToWide(text).c_str());
}
