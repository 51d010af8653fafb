#include "framework/window.h"

#include "framework/app.h"

namespace {

constexpr const char* kWrapperProperty = "Nimbrel.CWnd";

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandle(HWND window) {
    return window ? static_cast<CWnd*>(GetPropA(window, kWrapperProperty)) : nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (!window || FromHandle(window)) return false;
    m_hWnd = window;
    PreSubclassWindow();
    AttachDuringCreation(window);
    return true;
}

void CWnd::AttachDuringCreation(HWND window) {
    m_hWnd = window;
    SetPropA(window, kWrapperProperty, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

void CWnd::Detach() {
    SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    RemovePropA(m_hWnd, kWrapperProperty);
    m_hWnd = nullptr;
}

bool CWnd::PreTranslateMessage(MSG*) {
    return false;
}

bool CWnd::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM) {
    return Default();
}

LRESULT CWnd::Default() {
    return CallWindowProcA(oldProc_, current_.hwnd, current_.message, current_.wParam,
                           current_.lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    const MSG outer = self->current_;
    self->current_ = MSG{window, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        result = self->Default();
        self->Detach();
        if (CWinApp::Get() && CWinApp::Get()->m_pMainWnd == self) {
            CWinApp::Get()->m_pMainWnd = nullptr;
            PostQuitMessage(0);
        }
        self->PostNcDestroy();
        return result;
    }
    result = self->WindowProc(message, wParam, lParam);
    self->current_ = outer;
    return result;
}

bool ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
        case WM_DRAWITEM:
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_COMMAND:
            // Every notification of a control, clicks (code 0) included; a wrapper that does
            // not handle one leaves it to the parent.
            if (lParam != 0) child = reinterpret_cast<HWND>(lParam);
            break;
        default:
            return false;
    }
    CWnd* wrapper = CWnd::FromHandle(child);
    return wrapper && GetParent(child) == parent &&
           wrapper->OnReflected(message, wParam, lParam, result);
}
