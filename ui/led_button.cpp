#include "ui/led_button.h"

#include <cstring>
#include <string>

#include "base/wide_text.h"
#include "framework/dpi.h"
#include "framework/visual_style.h"
#include "framework/window_text.h"
#include "ui/contrast_lamp.h"
#include "ui/lamp_accessible.h"
#include "ui/rect_conversion.h"

namespace {

LayoutRect ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return ToLayout(client);
}

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_BITMAP, 0, 0,
                                           LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
}

// The painted lamp on the 3-D face color, which is what the bitmap's transparent color
// becomes when it is loaded with both LR_LOADTRANSPARENT and LR_LOADMAP3DCOLORS.
HBITMAP PaintedLamp(LampColor color, int size) {
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const std::uint32_t background = static_cast<std::uint32_t>(GetRValue(face)) << 16 |
                                     static_cast<std::uint32_t>(GetGValue(face)) << 8 |
                                     GetBValue(face);
    const std::vector<std::uint32_t> pixels = PaintLampStrip(color, size, background);
    if (pixels.empty()) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 2 * size;
    info.bmiHeader.biHeight = -size;  // rows top first, as painted
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    // 0xRRGGBB in memory is the section's blue, green, red and unused bytes.
    if (bitmap) std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    return bitmap;
}

}  // namespace

LedButton::LedButton(bool lit, bool centeredVertically)
    : m_centeredVertically(centeredVertically), m_dpi(kDefaultDpi) {
    m_facts->lit = lit;
}

void LedButton::PreSubclassWindow() {
    Window::PreSubclassWindow();
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, style | BS_OWNERDRAW);
    m_dpi = WindowDpi(Handle());
    PlaceForDpi();
}

// The caption's indent grows with the scale, and the lamp is placed from the control's size.
void LedButton::PlaceForDpi() {
    m_layout = LedLayout{};
    m_layout.m_textIndent = ScaledPixels(m_layout.m_textIndent, m_dpi);
    m_layout.PlaceAtSubclass(ClientRect(Handle()), m_centeredVertically);
}

HBITMAP LedButton::LoadLamp() const {
    return m_dpi == kDefaultDpi ? LoadBitmapResource(m_bitmapId)
                                : PaintedLamp(m_color, ScaledPixels(m_frameWidth, m_dpi));
}

void LedButton::SetBitmap(int id, int frameWidth, LampColor color) {
    m_bitmapId = id;
    m_frameWidth = frameWidth;
    m_color = color;
    HBITMAP bitmap = LoadLamp();
    if (!bitmap) return;
    m_strip.Attach(bitmap, ScaledPixels(frameWidth, m_dpi));
    m_layout.PlaceForFrame(m_strip.FrameWidth(), m_strip.FrameHeight());
}

void LedButton::SetDpi(int dpi) {
    m_dpi = dpi;
    if (!Handle()) return;
    PlaceForDpi();
    if (m_bitmapId != 0) SetBitmap(m_bitmapId, m_frameWidth, m_color);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void LedButton::SetLampState(bool lit) {
    if (lit == m_facts->lit) return;
    m_facts->lit = lit;
    if (!Handle()) return;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void LedButton::SetStateTexts(const std::string& lit, const std::string& unlit) {
    m_facts->litText = lit;
    m_facts->unlitText = unlit;
}

LRESULT LedButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) {
        if (const LRESULT answer = AnswerLampObject(Handle(), wParam, lParam, m_facts))
            return answer;
    }
    return Window::WindowProc(message, wParam, lParam);
}

bool LedButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

// Only full redraws paint: the lamp never shows focus or a pressed look. It stands on what the
// page shows behind it, which a visual style may make another color than the button face.
void LedButton::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemAction != ODA_DRAWENTIRE) return;
    HDC dc = item.hDC;
    const int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    DrawParentBackground(Handle(), dc, item.rcItem);
    DrawLamp(dc);
    DrawCaption(dc);
    RestoreDC(dc, saved);
}

// High contrast keeps to the system's colors and shows lit and unlit by shape as well.
void LedButton::DrawLamp(HDC dc) const {
    if (!HighContrastActive()) {
        m_strip.DrawFrame(dc, m_layout.m_lampX, m_layout.m_lampY, m_facts->lit ? 1 : 0);
        return;
    }
    const RECT box{m_layout.m_lampX, m_layout.m_lampY, m_layout.m_lampX + m_strip.FrameWidth(),
                   m_layout.m_lampY + m_strip.FrameHeight()};
    DrawContrastLamp(dc, box, m_facts->lit);
}

void LedButton::DrawCaption(HDC dc) {
    const WideString text = WideWindowText(Handle());
    if (text.empty()) return;
    const LayoutRect client = ClientRect(Handle());
    RECT measured = ToRect(m_layout.CaptionArea(client));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    RECT caption = ToRect(LedLayout::CaptionRect(client, ToLayout(measured)));
    DrawTextW(dc, text.c_str(), -1, &caption, DT_WORDBREAK | DT_NOPREFIX);
    m_rcText = caption;
}
