#include "ui/hyperlink.h"

#include <commctrl.h>
#include <windowsx.h>

#include "base/wide_text.h"
#include "framework/visual_style.h"
#include "framework/window_text.h"
#include "links/goto_url.h"
#include "links/link_error.h"
#include "platform/shell.h"
#include "ui/link_geometry.h"
#include "ui/rect_conversion.h"

namespace {

constexpr UINT_PTR kToolId = 1;

TTTOOLINFOW ToolOf(HWND window) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = kToolId;
    return tool;
}

// A window's device context with a font selected, both given back when it goes.
class FontDc {
  public:
    FontDc(HWND window, HGDIOBJ font) : m_window(window), m_dc(GetDC(window)) {
        m_previous = font ? SelectObject(m_dc, font) : nullptr;
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    ~FontDc() {
        if (m_previous) SelectObject(m_dc, m_previous);
        ReleaseDC(m_window, m_dc);
    }
    HDC get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Enter and Space press a link that has the focus; the dialog would take Enter for itself.
bool IsPressKey(const MSG* message) {
    return message && message->message == WM_KEYDOWN &&
           (message->wParam == VK_RETURN || message->wParam == VK_SPACE);
}

}  // namespace

Hyperlink::Hyperlink() : m_hoverColor(GetSysColor(COLOR_BTNHIGHLIGHT)) {}

Hyperlink::~Hyperlink() {
    // A window that outlives its wrapper must not keep drawing with the font freed below.
    if (Handle()) SendMessageW(Handle(), WM_SETFONT, 0, FALSE);
}

void Hyperlink::SetURL(const std::string& url) {
    m_target = url;
    if (!Handle()) return;
    PositionWindow();
    WideString tip = ToWide(m_target);
    TTTOOLINFOW tool = ToolOf(Handle());
    tool.lpszText = tip.data();
    SendMessageW(m_toolTip.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Hyperlink::SetColors(COLORREF link, COLORREF visited, COLORREF hover) {
    m_linkColor = link;
    m_visitedColor = visited;
    m_hoverColor = hover == kHighlightHover ? GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (Handle()) RedrawWithFocusRoom();
}

void Hyperlink::SetVisited(bool visited) {
    m_visited = visited;
    if (Handle()) RedrawWithFocusRoom();
}

void Hyperlink::SetLinkCursor(HCURSOR cursor) {
    m_linkCursor = cursor;
}

// A link is a stop of the keyboard's Tab, as a button is.
void Hyperlink::PreSubclassWindow() {
    SetWindowLongPtrW(Handle(), GWL_STYLE,
                      GetWindowLongPtrW(Handle(), GWL_STYLE) | SS_NOTIFY | WS_TABSTOP);
    const std::string text = WindowText(Handle());
    if (m_target.empty()) m_target = text;
    if (text.empty()) SetText(Handle(), m_target);
    SetUnderlinedFont();
    PositionWindow();
    CreateToolTip();
}

void Hyperlink::SetUnderlinedFont() {
    auto current = reinterpret_cast<HGDIOBJ>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
    if (!current) current = GetStockObject(SYSTEM_FONT);
    LOGFONTW description{};
    if (!GetObjectW(current, sizeof description, &description)) return;
    description.lfUnderline = m_underline ? TRUE : FALSE;
    m_font.reset(CreateFontIndirectW(&description));
    if (m_font) SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
}

void Hyperlink::PositionWindow() {
    if (!Handle() || !m_adjustToFit) return;
    RECT window{};
    GetWindowRect(Handle(), &window);
    if (HWND parent = GetParent(Handle()))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    const WideString text = WideWindowText(Handle());
    SIZE extent{};
    {
        FontDc dc(Handle(), m_font.get());
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    const LayoutRect fitted = FitLinkToText(ToLayout(window), extent.cx, extent.cy, style);
    SetWindowPos(Handle(), nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Hyperlink::CreateToolTip() {
    m_toolTip.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
    if (!m_toolTip) return;
    WideString tip = ToWide(m_target);
    TTTOOLINFOW tool = ToolOf(Handle());
    GetClientRect(Handle(), &tool.rect);
    tool.lpszText = tip.data();
    SendMessageW(m_toolTip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The run's message loop only shows the main window what it dispatches, so the link hands its
// own mouse messages to the tooltip as they arrive.
void Hyperlink::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_toolTip) return;
    const DWORD position = GetMessagePos();
    MSG relayed{Handle(),
                message,
                wParam,
                lParam,
                static_cast<DWORD>(GetMessageTime()),
                {GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    SendMessageW(m_toolTip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT Hyperlink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToToolTip(message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            return OnMouseMove(lParam);
        case WM_SETCURSOR:
            if (!m_linkCursor) return Default();
            SetCursor(m_linkCursor);
            return TRUE;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return Default();
        case WM_DESTROY:
            m_toolTip.reset();
            return Default();
        case WM_GETDLGCODE:
            return IsPressKey(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE : Default();
        case WM_KEYDOWN:
            if (wParam != VK_RETURN && wParam != VK_SPACE) return Default();
            OnClicked();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            Default();
            RedrawWithFocusRoom();
            return 0;
        case WM_PAINT:
            Default();
            DrawFocusCue();
            return 0;
        default:
            return Default();
    }
}

// The hover color lasts from the first move over the text until the first move outside it;
// the capture is what reports that move.
LRESULT Hyperlink::OnMouseMove(LPARAM position) {
    const LRESULT result = Default();
    if (!m_overControl) {
        m_overControl = true;
        RedrawWithFocusRoom();
        SetCapture(Handle());
        return result;
    }
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!PtInRect(&client, point)) {
        m_overControl = false;
        ReleaseCapture();
        RedrawWithFocusRoom();
    }
    return result;
}

// Losing the capture to another window (a menu, a box, a switch to another program) ends the
// hover, or the link would keep the hover color with no move to end it.
void Hyperlink::OnCaptureChanged(HWND newCapture) {
    if (newCapture == Handle() || !m_overControl) return;
    m_overControl = false;
    RedrawWithFocusRoom();
}

void Hyperlink::OnClicked() {
    m_overControl = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    const std::intptr_t result = GotoURL(m_target);
    const bool opened = platform::ShellOpened(result);
    SetVisited(opened);
    if (opened) return;
    platform::User().WarningBeep();
    ReportError(static_cast<int>(result),
                reinterpret_cast<platform::Window>(GetAncestor(Handle(), GA_ROOT)));
}

bool Hyperlink::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, TextColor());
        SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClicked();
        *result = 0;
        return true;
    }
    return false;
}

// The link fits its text, so its focus cue goes one pixel outside it, onto the page.
RECT Hyperlink::FocusRoom() const {
    RECT room{};
    GetWindowRect(Handle(), &room);
    MapWindowPoints(nullptr, GetParent(Handle()), reinterpret_cast<POINT*>(&room), 2);
    InflateRect(&room, 1, 1);
    return room;
}

// The dotted focus rectangle round the text while the link has the focus, unless the user
// works with the mouse and the window hides keyboard cues.
void Hyperlink::DrawFocusCue() {
    if (GetFocus() != Handle() || (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        return;
    HWND page = GetParent(Handle());
    const RECT room = FocusRoom();
    HDC dc = GetDC(page);
    DrawFocusRect(dc, &room);
    ReleaseDC(page, dc);
}

// The page paints the room around the link afresh, and the link on it. Every repaint of the link
// goes this way: the focus cue is drawn with XOR onto the page, and a repaint of the link alone
// would draw it a second time over the first, which takes it away.
void Hyperlink::RedrawWithFocusRoom() {
    const RECT room = FocusRoom();
    RedrawWindow(GetParent(Handle()), &room, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// High contrast keeps to the system's colors for links and for the hover.
COLORREF Hyperlink::TextColor() const {
    if (HighContrastActive()) return GetSysColor(m_overControl ? COLOR_HIGHLIGHT : COLOR_HOTLIGHT);
    return m_overControl ? m_hoverColor : m_visited ? m_visitedColor : m_linkColor;
}
