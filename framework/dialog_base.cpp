#include "framework/dialog_base.h"

void DialogBase::UpdateData(Exchange direction) {
    DataExchange exchange(Handle(), direction);
    DoDataExchange(exchange);
}

BOOL DialogBase::OnInitDialog() {
    UpdateData(Exchange::ToControls);
    return TRUE;
}

void DialogBase::DoDataExchange(DataExchange&) {}

void DialogBase::OnShown() {}

bool DialogBase::OnCommand(WORD, WORD) {
    return false;
}

bool DialogBase::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

DialogBase* DialogBase::Bind(HWND window, DialogBase* self) {
    self->SetHandle(window);
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    return self;
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        self = Bind(window, reinterpret_cast<DialogBase*>(lParam));
        return self->OnInitDialog();
    }
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        self->SetHandle(nullptr);
        return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
}

INT_PTR DialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(Handle(), message, wParam, lParam, &result)) {
        if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) return result;
        SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam) OnShown();
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
    SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
    return TRUE;
}
