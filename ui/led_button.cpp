#include "ui/led_button.h"

#include <string>

#include "framework/window_text.h"
#include "ui/rect_conversion.h"

namespace {

LayoutRect ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return ToLayout(client);
}

}  // namespace

CLedButton::CLedButton(int state, int centerVert) : m_nState(state), m_bCenterVert(centerVert) {}

void CLedButton::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    const LONG_PTR style = GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, style | BS_OWNERDRAW);
    m_layout.PlaceAtSubclass(ClientRect(m_hWnd), m_bCenterVert != 0);
}

void CLedButton::SetBitmap(int id, int frameWidth) {
    auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                   IMAGE_BITMAP, 0, 0,
                                                   LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
    if (!bitmap) return;
    m_strip.Attach(bitmap, frameWidth);
    m_sizeFrame = SIZE{m_strip.FrameWidth(), m_strip.FrameHeight()};
    m_layout.PlaceForFrame(m_sizeFrame.cx, m_sizeFrame.cy);
}

int CLedButton::SetLampState(int state) {
    if (state != m_nState) {
        m_nState = state;
        if (m_hWnd)
            RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return m_nState;
}

bool CLedButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

// Only full redraws paint: the lamp never shows focus or a pressed look.
void CLedButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemAction != ODA_DRAWENTIRE) return;
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    m_strip.DrawFrame(dc, m_layout.m_nLampX, m_layout.m_nLampY, m_nState != 0 ? 1 : 0);
    DrawCaption(dc);
    RestoreDC(dc, saved);
}

void CLedButton::DrawCaption(HDC dc) {
    const std::string text = WindowText(m_hWnd);
    if (text.empty()) return;
    const LayoutRect client = ClientRect(m_hWnd);
    RECT measured = ToRect(m_layout.CaptionArea(client));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    RECT caption = ToRect(LedLayout::CaptionRect(client, ToLayout(measured)));
    DrawTextA(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_NOPREFIX);
    m_rcText = caption;
}
