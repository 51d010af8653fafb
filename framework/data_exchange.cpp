#include "framework/data_exchange.h"

#include "framework/window.h"
#include "framework/window_text.h"

void DataExchange::Control(int id, Window& control) {
    if (!control.Handle()) control.SubclassWindow(GetDlgItem(m_dialog, id));
}

void DataExchange::Text(int id, std::string& value) {
    HWND item = GetDlgItem(m_dialog, id);
    if (m_direction == Exchange::ToControls) {
        SetText(item, value);
        return;
    }
    value = WindowText(item);
}

void DataExchange::Check(int id, bool& value) {
    if (m_direction == Exchange::FromControls)
        value = IsDlgButtonChecked(m_dialog, id) == BST_CHECKED;
    else
        CheckDlgButton(m_dialog, id, value ? BST_CHECKED : BST_UNCHECKED);
}
