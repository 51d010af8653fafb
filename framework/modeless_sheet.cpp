#include "framework/modeless_sheet.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "base/handles.h"
#include "framework/dialog_template.h"
#include "framework/property_page.h"

namespace {

// The sheet being created on this thread, taken over at its first creation message.
thread_local ModelessSheet* t_creating = nullptr;
thread_local DWORD t_style = 0;

// The sheet is a dialog; any other window made on this thread meanwhile is not it.
bool IsDialogWindow(HWND window) {
    wchar_t className[8] = L"";
    return GetClassNameW(window, className, 8) > 0 && std::wcscmp(className, L"#32770") == 0;
}

void Grow(HWND window, int dx, int dy) {
    RECT rect{};
    GetWindowRect(window, &rect);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + dx, rect.bottom - rect.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool ModelessSheet::Create(DWORD style) {
    std::vector<PROPSHEETPAGEW> pages;
    for (PropertyPage* page : m_pages) pages.push_back(page->Describe());

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = m_caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.ppsp = pages.data();
    header.pfnCallback = &SheetCallback;

    t_creating = this;
    t_style = style;
    m_creationHook.reset(SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId()));
    PropertySheetW(&header);
    t_creating = nullptr;
    m_creationHook.reset();
    return Handle() != nullptr;
}

int CALLBACK ModelessSheet::SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam) {
        auto* dialogTemplate = reinterpret_cast<void*>(lParam);
        SetTemplateStyle(dialogTemplate, t_style);
        // A modeless sheet uses neither: they are made hidden rather than hidden once shown,
        // which would move the focus and cost the start a redraw.
        HideTemplateItems(dialogTemplate, {IDOK, IDCANCEL});
    }
    return 0;
}

LRESULT CALLBACK ModelessSheet::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && t_creating && IsDialogWindow(reinterpret_cast<HWND>(wParam))) {
        ModelessSheet* sheet = std::exchange(t_creating, nullptr);
        sheet->AttachDuringCreation(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HWND ModelessSheet::GetTabControl() const {
    return Handle() ? reinterpret_cast<HWND>(SendMessageW(Handle(), PSM_GETTABCONTROL, 0, 0))
                    : nullptr;
}

bool ModelessSheet::PreTranslateMessage(MSG* message) {
    if (!Handle() ||
        SendMessageW(Handle(), PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(message)) == 0)
        return false;
    // Ctrl+Tab hides the page whose control had the focus, and Wine leaves the focus on that
    // hidden control, where Tab would go on through the hidden page: the tab control takes it,
    // as a click on a tab gives it, and Tab goes on into the page shown.
    HWND focus = GetFocus();
    if (focus && IsChild(Handle(), focus) && !IsWindowVisible(focus)) SetFocus(GetTabControl());
    return true;
}

BOOL ModelessSheet::OnInitDialog() {
    const BOOL result = static_cast<BOOL>(Default());
    GrowToHoldPages();
    return result;
}

// The sheet sizes the room for its pages from their templates in its own font, while each page
// lays itself out in its own. Where the pages' font grows faster with the scale than the
// sheet's (a bitmap font at 125 %), the tab control, the page shown and the window grow to
// hold the largest page; the pages made later take the tab control's room.
void ModelessSheet::GrowToHoldPages() {
    HWND tabs = GetTabControl();
    HWND page = reinterpret_cast<HWND>(SendMessageW(Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!tabs || !page) return;
    RECT needed{0, 0, 0, 0};
    for (const PropertyPage* each : m_pages) {
        const SIZE size = TemplateSize(each->m_templateId);
        needed.right = std::max<LONG>(needed.right, size.cx);
        needed.bottom = std::max<LONG>(needed.bottom, size.cy);
    }
    MapDialogRect(page, &needed);
    RECT room{};
    GetClientRect(page, &room);
    const int dx = std::max<int>(0, needed.right - room.right);
    const int dy = std::max<int>(0, needed.bottom - room.bottom);
    if (dx == 0 && dy == 0) return;
    for (HWND window : {tabs, page, Handle()}) Grow(window, dx, dy);
}

bool ModelessSheet::OnCommand(WPARAM, LPARAM) {
    return false;
}

LRESULT ModelessSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            // The hook has taken the sheet over and returned. Every window the sheet and its
            // first page make would pass through it, a call into the system for each.
            m_creationHook.reset();
            return Default();
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_COMMAND:
            return OnCommand(wParam, lParam) ? 0 : Default();
        default:
            return Default();
    }
}
