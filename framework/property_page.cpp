#include "framework/property_page.h"

PROPSHEETPAGEA PropertyPage::Describe() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(m_templateId);
    page.pfnDlgProc = &PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) lParam = reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam;
    return DialogProc(window, message, wParam, lParam);
}

bool PropertyPage::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    // Leaving a page takes the controls' values into the members.
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_KILLACTIVE) {
        UpdateData(true);
        result = FALSE;
        return true;
    }
    return false;
}
