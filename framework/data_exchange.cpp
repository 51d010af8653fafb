#include "framework/data_exchange.h"

#include "framework/window.h"
#include "framework/window_text.h"

void CDataExchange::Control(int id, CWnd& control) {
    if (!control.m_hWnd) control.SubclassWindow(GetDlgItem(dialog_, id));
}

void CDataExchange::Text(int id, std::string& value) {
    HWND item = GetDlgItem(dialog_, id);
    if (!m_bSaveAndValidate) {
        SetWindowTextA(item, value.c_str());
        return;
    }
    value = WindowText(item);
}

void CDataExchange::Check(int id, int& value) {
    if (m_bSaveAndValidate)
        value = IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(dialog_, id, value ? BST_CHECKED : BST_UNCHECKED);
}
