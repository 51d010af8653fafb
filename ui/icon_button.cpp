#include "ui/icon_button.h"

#include "base/wide_text.h"
#include "framework/dpi.h"
#include "framework/module_resource.h"
#include "framework/visual_style.h"
#include "framework/window_text.h"
#include "ui/icon_button_layout.h"
#include "ui/rect_conversion.h"

namespace {

// The size of an icon resource's first image, the one made for 100 %; zero when there is none.
// The group's directory holds three WORDs, then per image an entry that starts with its width
// and height in a byte each (0 for 256).
SIZE FirstImageSize(int id) {
    constexpr DWORD kFirstEntryEnd = 6 + 14;
    const ModuleResource group = FindModuleResource(id, kIconGroupResource);
    if (group.size < kFirstEntryEnd || (group.bytes[4] | group.bytes[5]) == 0) return SIZE{0, 0};
    const BYTE width = group.bytes[6];
    const BYTE height = group.bytes[7];
    return SIZE{width ? width : 256, height ? height : 256};
}

struct LoadedIcon {
    OwnedIcon icon;
    SIZE size{0, 0};  // zero when it did not load
};

// The icon at its first image's size scaled, which picks its sharp larger image at a larger
// scale.
LoadedIcon LoadResourceIcon(int id, int dpi) {
    const SIZE natural = FirstImageSize(id);
    if (natural.cx == 0) return {};
    const SIZE size{ScaledPixels(natural.cx, dpi), ScaledPixels(natural.cy, dpi)};
    OwnedIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                                 IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR)));
    if (!icon) return {};
    return {std::move(icon), size};
}

// One pen's polyline of the raised edge: from start through corner to end, end excluded.
void DrawEdgeLine(HDC dc, int colorIndex, POINT start, POINT corner, POINT end) {
    OwnedGdiObject pen(CreatePen(PS_SOLID, 1, GetSysColor(colorIndex)));
    HGDIOBJ previous = SelectObject(dc, pen.get());
    MoveToEx(dc, start.x, start.y, nullptr);
    LineTo(dc, corner.x, corner.y);
    LineTo(dc, end.x, end.y);
    SelectObject(dc, previous);
}

UINT StateFlag(bool disabled) {
    return disabled ? DSS_DISABLED : DSS_NORMAL;
}

}  // namespace

IconButton::IconButton() : m_dpi(kDefaultDpi) {}

void IconButton::SetIcon(int hotId, int normalId) {
    m_hotId = hotId;
    m_normalId = normalId;
    LoadedIcon hot = LoadResourceIcon(hotId, m_dpi);
    LoadedIcon normal = normalId != 0 ? LoadResourceIcon(normalId, m_dpi) : LoadedIcon{};
    m_iconHot = std::move(hot.icon);
    m_iconNormal = std::move(normal.icon);
    m_cxIcon = static_cast<std::uint8_t>(hot.size.cx);
    m_cyIcon = static_cast<std::uint8_t>(hot.size.cy);
    if (Handle())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void IconButton::SetDpi(int dpi) {
    m_dpi = dpi;
    if (m_hotId != 0) SetIcon(m_hotId, m_normalId);
}

void IconButton::PreSubclassWindow() {
    m_dpi = WindowDpi(Handle());
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>((style & 0xFF) | BS_OWNERDRAW), TRUE);
    Window::PreSubclassWindow();
}

// An owner-drawn button reports a double click as such; as a press, each click counts.
LRESULT IconButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK) return SendMessageW(Handle(), WM_LBUTTONDOWN, wParam, lParam);
    return Window::WindowProc(message, wParam, lParam);
}

bool IconButton::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_CTLCOLORBTN:
            // The parent paints nothing behind the button.
            *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return true;
        default:
            return false;
    }
}

void IconButton::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    RECT face = item.rcItem;
    SetBkMode(dc, TRANSPARENT);
    // Every such button wears the black outer frame, focused or not; high contrast draws it in
    // the text color, which stands out from its face.
    FrameRect(dc, &face,
              HighContrastActive() ? GetSysColorBrush(COLOR_BTNTEXT)
                                   : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    face = ToRect(IconButtonFace(ToLayout(face)));
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed)
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        DrawRaisedEdge(dc, face);

    const std::string caption = WindowText(Handle());
    DrawIcon(dc, item.rcItem, !caption.empty(), pressed, disabled);
    if (!caption.empty()) DrawCaption(dc, caption, item.rcItem, pressed, disabled);
    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        const RECT focus = ToRect(IconButtonFocusRect(ToLayout(face)));
        DrawFocusRect(dc, &focus);
    }
}

void IconButton::DrawRaisedEdge(HDC dc, const RECT& face) const {
    const LONG l = face.left;
    const LONG t = face.top;
    const LONG r = face.right;
    const LONG b = face.bottom;
    DrawEdgeLine(dc, COLOR_BTNHIGHLIGHT, {l, b - 1}, {l, t}, {r, t});
    DrawEdgeLine(dc, COLOR_3DLIGHT, {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
    DrawEdgeLine(dc, COLOR_3DDKSHADOW, {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    DrawEdgeLine(dc, COLOR_BTNSHADOW, {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
}

void IconButton::DrawIcon(HDC dc, const RECT& item, bool withCaption, bool pressed,
                          bool disabled) const {
    if (!m_iconHot) return;
    const LayoutRect place =
        IconButtonIconRect(ToLayout(item), m_cxIcon, m_cyIcon, withCaption, pressed);
    HICON normal = m_iconNormal ? m_iconNormal.get() : m_iconHot.get();
    HICON icon = pressed ? m_iconHot.get() : normal;
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, place.left, place.top,
               place.Width(), place.Height(), DST_ICON | StateFlag(disabled));
}

void IconButton::DrawCaption(HDC dc, const std::string& caption, const RECT& item, bool pressed,
                             bool disabled) const {
    const LayoutRect room =
        IconButtonCaptionRoom(ToLayout(item), m_cxIcon, static_cast<bool>(m_iconHot), pressed);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    const WideString wide = ToWide(caption);
    RECT measured = ToRect(room);
    DrawTextW(dc, wide.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    const LayoutRect text = IconButtonCenterCaption(room, ToLayout(measured));
    SetBkMode(dc, TRANSPARENT);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(wide.c_str()),
               static_cast<WPARAM>(wide.size()), text.left, text.top, text.Width(), text.Height(),
               DST_PREFIXTEXT | StateFlag(disabled));
}
