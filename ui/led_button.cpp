#include "ui/led_button.h"

#include <string>

#include "framework/wide_text.h"
#include "framework/window_text.h"
#include "ui/rect_conversion.h"

namespace {

LayoutRect ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return ToLayout(client);
}

}  // namespace

LedButton::LedButton(int state, int centerVert) : m_state(state), m_centerVert(centerVert) {}

void LedButton::PreSubclassWindow() {
    Window::PreSubclassWindow();
    const LONG_PTR style = GetWindowLongPtrW(m_window, GWL_STYLE);
    SetWindowLongPtrW(m_window, GWL_STYLE, style | BS_OWNERDRAW);
    m_layout.PlaceAtSubclass(ClientRect(m_window), m_centerVert != 0);
}

void LedButton::SetBitmap(int id, int frameWidth) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                   IMAGE_BITMAP, 0, 0,
                                                   LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
    if (!bitmap) return;
    m_strip.Attach(bitmap, frameWidth);
    m_sizeFrame = SIZE{m_strip.FrameWidth(), m_strip.FrameHeight()};
    m_layout.PlaceForFrame(m_sizeFrame.cx, m_sizeFrame.cy);
}

int LedButton::SetLampState(int state) {
    if (state != m_state) {
        m_state = state;
        if (m_window)
            RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return m_state;
}

bool LedButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

// Only full redraws paint: the lamp never shows focus or a pressed look.
void LedButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemAction != ODA_DRAWENTIRE) return;
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    m_strip.DrawFrame(dc, m_layout.m_lampX, m_layout.m_lampY, m_state != 0 ? 1 : 0);
    DrawCaption(dc);
    RestoreDC(dc, saved);
}

void LedButton::DrawCaption(HDC dc) {
    const WideString text = ToWide(WindowText(m_window));
    if (text.empty()) return;
    const LayoutRect client = ClientRect(m_window);
    RECT measured = ToRect(m_layout.CaptionArea(client));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    RECT caption = ToRect(LedLayout::CaptionRect(client, ToLayout(measured)));
    DrawTextW(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_NOPREFIX);
    m_rcText = caption;
}
