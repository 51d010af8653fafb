#include "tests/wine/control_host.h"

#include <algorithm>

#include "base/wide_text.h"
#include "framework/window.h"

namespace {

constexpr const wchar_t* kHostClass = L"NimbrelTestHost";

void RegisterHostClass(WNDPROC proc) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kHostClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
}

}  // namespace

ControlHost::ControlHost() {
    RegisterHostClass(&Proc);
    m_window = CreateWindowExW(0, kHostClass, L"host", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Not activated: without a window manager, Wine waits two seconds to destroy a window
    // that was shown active.
    ShowWindow(m_window, SW_SHOWNA);
}

ControlHost::~ControlHost() {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

HWND ControlHost::AddControl(const char* className, const char* text, DWORD style, int id, int x,
                             int y, int width, int height) {
    HWND control =
        CreateWindowExW(0, ToWide(className).c_str(), ToWide(text).c_str(),
                        WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_window,
                        reinterpret_cast<HMENU>(INT_PTR{id}), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return control;
}

int ControlHost::DrawCount(int id) const {
    const auto found = m_draws.find(id);
    return found == m_draws.end() ? 0 : found->second;
}

int ControlHost::CommandCount(int id, int code) const {
    return static_cast<int>(std::count(m_commands.begin(), m_commands.end(), std::pair{id, code}));
}

LRESULT CALLBACK ControlHost::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<ControlHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == WM_DRAWITEM) ++host->m_draws[static_cast<int>(wParam)];
    if (host && message == WM_COMMAND)
        host->m_commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    LRESULT result = 0;
    if (ReflectToChild(window, message, wParam, lParam, &result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.reset(CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_previous = SelectObject(m_dc.get(), m_bitmap.get());
    Fill(kUntouched);
}

Canvas::~Canvas() {
    SelectObject(m_dc.get(), m_previous);
}

void Canvas::Fill(COLORREF color) {
    OwnedGdiObject brush(CreateSolidBrush(color));
    RECT all{0, 0, m_width, m_height};
    FillRect(m_dc.get(), &all, static_cast<HBRUSH>(brush.get()));
}

RECT Canvas::BoundsOf(COLORREF color) const {
    RECT bounds{m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) == color) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds;
}

RECT Canvas::BoundsOfAllBut(COLORREF color, const RECT& area) const {
    RECT bounds{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (At(x, y) != color) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds;
}

void DrawControl(HWND control, Canvas& canvas, UINT state, UINT action) {
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ previousFont = SelectObject(canvas.Dc(), font);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = control;
    item.hDC = canvas.Dc();
    GetClientRect(control, &item.rcItem);
    SendMessageA(GetParent(control), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    SelectObject(canvas.Dc(), previousFont);
}
