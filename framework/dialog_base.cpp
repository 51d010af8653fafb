#include "framework/dialog_base.h"

#include "framework/data_exchange.h"

void CDialogBase::UpdateData(bool save) {
    CDataExchange exchange(m_hWnd, save);
    DoDataExchange(exchange);
}

BOOL CDialogBase::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialogBase::DoDataExchange(CDataExchange&) {}

void CDialogBase::OnShowWindow(bool) {}

bool CDialogBase::OnCommand(WORD, WORD) {
    return false;
}

bool CDialogBase::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

CDialogBase* CDialogBase::Bind(HWND window, CDialogBase* self) {
    self->m_hWnd = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    return self;
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = Bind(window, reinterpret_cast<CDialogBase*>(lParam));
        return self->OnInitDialog();
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
}

INT_PTR CDialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(m_hWnd, message, wParam, lParam, &result)) {
        if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) return result;
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (message) {
        case WM_SHOWWINDOW:
            OnShowWindow(wParam != FALSE);
            return FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        default:
            break;
    }
    if (!OnMessage(message, wParam, lParam, result)) return FALSE;
    if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG ||
        message == WM_QUERYDRAGICON)
        return result;
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
