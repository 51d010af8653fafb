#include "framework/dialog.h"

INT_PTR CDialog::DoModal(HWND parent) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), parent,
                           &DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnCommand(WORD id, WORD) {
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

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel() {
    EndDialog(m_hWnd, IDCANCEL);
}
