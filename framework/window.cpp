#include "framework/window.h"

#include <commctrl.h>

namespace {

// One subclass of ours per window; the procedure and this id name it in the chain.
constexpr UINT_PTR kSubclassId = 1;

using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

// The import libraries leave GetWindowSubclass out, and the common controls export it by a
// fixed ordinal in every version (by name only in some), so it is looked up by that ordinal.
GetWindowSubclassFunction GetWindowSubclassEntry() {
    constexpr WORD kGetWindowSubclassOrdinal = 411;
    static const auto entry =
        reinterpret_cast<GetWindowSubclassFunction>(reinterpret_cast<void*>(GetProcAddress(
            GetModuleHandleA("comctl32.dll"), MAKEINTRESOURCEA(kGetWindowSubclassOrdinal))));
    return entry;
}

}  // namespace

CWnd::~CWnd() {
    Detach();
}

CWnd* CWnd::FromHandle(HWND window) {
    DWORD_PTR reference = 0;
    const GetWindowSubclassFunction getSubclass = GetWindowSubclassEntry();
    if (!window || !getSubclass || !getSubclass(window, &SubclassProc, kSubclassId, &reference))
        return nullptr;
    return reinterpret_cast<CWnd*>(reference);
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
    subclassed_ = SetWindowSubclass(window, &SubclassProc, kSubclassId,
                                    reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void CWnd::Detach() {
    if (!subclassed_) return;
    RemoveWindowSubclass(m_hWnd, &SubclassProc, kSubclassId);
    subclassed_ = false;
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
    return DefSubclassProc(current_.hwnd, current_.message, current_.wParam, current_.lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR reference) {
    auto* self = reinterpret_cast<CWnd*>(reference);
    const MSG outer = self->current_;
    self->current_ = MSG{window, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        result = self->Default();
        self->Detach();
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
