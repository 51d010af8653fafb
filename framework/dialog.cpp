#include "framework/dialog.h"

INT_PTR Dialog::DoModal(HWND parent) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                           &DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::OnCommand(WORD id, WORD) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::OnOK() {
    UpdateData(Exchange::FromControls);
    EndDialog(Handle(), IDOK);
}

void Dialog::OnCancel() {
    EndDialog(Handle(), IDCANCEL);
}
