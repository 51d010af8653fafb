#include "framework/property_page.h"

PROPSHEETPAGEW PropertyPage::Describe() {
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pszTemplate = MAKEINTRESOURCEW(m_templateId);
    page.pfnDlgProc = &PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) lParam = reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam;
    return DialogProc(window, message, wParam, lParam);
}

bool PropertyPage::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    // Leaving a page takes the controls' values into the members.
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_KILLACTIVE) {
        UpdateData(Exchange::FromControls);
        result = FALSE;
        return true;
    }
    return false;
}
