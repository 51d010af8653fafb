#include "framework/data_exchange.h"

#include <vector>

#include "framework/window.h"

void CDataExchange::Control(int id, CWnd& control) {
    if (!control.m_hWnd) control.SubclassWindow(GetDlgItem(dialog_, id));
}

void CDataExchange::Text(int id, std::string& value) {
    HWND item = GetDlgItem(dialog_, id);
    if (!m_bSaveAndValidate) {
        SetWindowTextA(item, value.c_str());
        return;
    }
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1);
    GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    value = text.data();
}

void CDataExchange::Check(int id, int& value) {
    if (m_bSaveAndValidate)
        value = IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(dialog_, id, value ? BST_CHECKED : BST_UNCHECKED);
}
