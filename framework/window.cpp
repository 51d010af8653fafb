#include "framework/window.h"

#include <commctrl.h>

#include "base/loaded_library.h"

namespace {

// One subclass of ours per window; the procedure and this id name it in the chain.
constexpr UINT_PTR kSubclassId = 1;

using GetWindowSubclassFunction = BOOL(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);

// The import libraries leave GetWindowSubclass out, and the common controls export it by a
// fixed ordinal in every version (by name only in some), so it is looked up by that ordinal.
SystemFunctionPointer<GetWindowSubclassFunction> GetWindowSubclassEntry() {
    constexpr WORD kGetWindowSubclassOrdinal = 411;
    static const auto entry = LoadedFunction<GetWindowSubclassFunction>(
        L"comctl32.dll", MAKEINTRESOURCEA(kGetWindowSubclassOrdinal));
    return entry;
}

}  // namespace

Window::~Window() {
    Detach();
}

Window* Window::FromHandle(HWND window) {
    DWORD_PTR reference = 0;
    const auto getSubclass = GetWindowSubclassEntry();
    if (!window || !getSubclass || !getSubclass(window, &SubclassProc, kSubclassId, &reference))
        return nullptr;
    return reinterpret_cast<Window*>(reference);
}

bool Window::SubclassWindow(HWND window) {
    if (!window || FromHandle(window)) return false;
    m_window = window;
    PreSubclassWindow();
    AttachDuringCreation(window);
    return true;
}

void Window::AttachDuringCreation(HWND window) {
    m_window = window;
    m_subclassed = SetWindowSubclass(window, &SubclassProc, kSubclassId,
                                     reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

void Window::Detach() {
    if (!m_subclassed) return;
    RemoveWindowSubclass(m_window, &SubclassProc, kSubclassId);
    m_subclassed = false;
    m_window = nullptr;
}

bool Window::PreTranslateMessage(MSG*) {
    return false;
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

LRESULT Window::WindowProc(UINT, WPARAM, LPARAM) {
    return Default();
}

LRESULT Window::Default() {
    return DefSubclassProc(m_current.hwnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR reference) {
    auto* self = reinterpret_cast<Window*>(reference);
    const MSG outer = self->m_current;
    self->m_current = MSG{window, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    if (message == WM_NCDESTROY) {
        result = self->Default();
        self->Detach();
        self->PostNcDestroy();
        return result;
    }
    result = self->WindowProc(message, wParam, lParam);
    self->m_current = outer;
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
    Window* wrapper = Window::FromHandle(child);
    return wrapper && GetParent(child) == parent &&
           wrapper->OnReflected(message, wParam, lParam, result);
}
