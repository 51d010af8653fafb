#include "ui/hyperlink.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/window_text.h"
#include "platform/shell.h"
#include "ui/goto_url.h"
#include "ui/link_error.h"
#include "ui/link_geometry.h"
#include "ui/rect_conversion.h"

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr WORD kHelpViewerHand = 106;

TTTOOLINFOA ToolOf(HWND window) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = kToolId;
    return tool;
}

// A window's device context with a font selected, both given back when it goes.
class FontDc {
  public:
    FontDc(HWND window, HGDIOBJ font) : window_(window), dc_(GetDC(window)) {
        previous_ = font ? SelectObject(dc_, font) : nullptr;
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    ~FontDc() {
        if (previous_) SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

CHyperLink::CHyperLink() : m_crHover(GetSysColor(COLOR_BTNHIGHLIGHT)) {}

CHyperLink::~CHyperLink() {
    // A window that outlives its wrapper must not keep drawing with the font freed below.
    if (m_hWnd) SendMessageA(m_hWnd, WM_SETFONT, 0, FALSE);
}

void CHyperLink::SetURL(const std::string& url) {
    m_strTarget = url;
    if (!m_hWnd) return;
    PositionWindow();
    TTTOOLINFOA tool = ToolOf(m_hWnd);
    tool.lpszText = m_strTarget.data();
    SendMessageA(m_toolTip.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetColours(COLORREF link, COLORREF visited, COLORREF hover) {
    m_crLink = link;
    m_crVisited = visited;
    m_crHover = hover == kHighlightHover ? GetSysColor(COLOR_HIGHLIGHT) : hover;
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::SetVisited(bool visited) {
    m_bVisited = visited ? 1 : 0;
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::SetLinkCursor(HCURSOR cursor) {
    m_ownCursor.reset();
    m_hLinkCursor = cursor;
    if (!cursor) SetDefaultCursor();
}

void CHyperLink::PreSubclassWindow() {
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    const std::string text = WindowText(m_hWnd);
    if (m_strTarget.empty()) m_strTarget = text;
    if (text.empty()) SetWindowTextA(m_hWnd, m_strTarget.c_str());
    SetUnderlinedFont();
    PositionWindow();
    SetDefaultCursor();
    CreateToolTip();
}

void CHyperLink::SetUnderlinedFont() {
    auto current = reinterpret_cast<HGDIOBJ>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (!current) current = GetStockObject(SYSTEM_FONT);
    LOGFONTA description{};
    if (!GetObjectA(current, sizeof description, &description)) return;
    description.lfUnderline = static_cast<BYTE>(m_bUnderline);
    m_font.reset(CreateFontIndirectA(&description));
    if (m_font) SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
}

void CHyperLink::PositionWindow() {
    if (!m_hWnd || !m_bAdjustToFit) return;
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    if (HWND parent = GetParent(m_hWnd))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    const std::string text = WindowText(m_hWnd);
    SIZE extent{};
    {
        FontDc dc(m_hWnd, m_font.get());
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrA(m_hWnd, GWL_STYLE));
    const LayoutRect fitted = FitLinkToText(ToLayout(window), extent.cx, extent.cy, style);
    SetWindowPos(m_hWnd, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The system help viewer's hand, or the system's own where there is no such viewer.
void CHyperLink::SetDefaultCursor() {
    if (m_hLinkCursor) return;
    char directory[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(directory, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::string viewer = std::string(directory) + "\\winhlp32.exe";
        if (HMODULE module = LoadLibraryExA(viewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HCURSOR hand = LoadCursorA(module, MAKEINTRESOURCEA(kHelpViewerHand)))
                m_ownCursor.reset(CopyCursor(hand));
            FreeLibrary(module);
        }
    }
    if (!m_ownCursor) m_ownCursor.reset(CopyCursor(LoadCursorA(nullptr, IDC_HAND)));
    m_hLinkCursor = m_ownCursor.get();
}

void CHyperLink::CreateToolTip() {
    m_toolTip.reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                    GetModuleHandleA(nullptr), nullptr));
    if (!m_toolTip) return;
    TTTOOLINFOA tool = ToolOf(m_hWnd);
    GetClientRect(m_hWnd, &tool.rect);
    tool.lpszText = m_strTarget.data();
    SendMessageA(m_toolTip.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The run's message loop only shows the main window what it dispatches, so the link hands its
// own mouse messages to the tooltip as they arrive.
void CHyperLink::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_toolTip) return;
    const DWORD position = GetMessagePos();
    MSG relayed{m_hWnd,
                message,
                wParam,
                lParam,
                static_cast<DWORD>(GetMessageTime()),
                {GET_X_LPARAM(position), GET_Y_LPARAM(position)}};
    SendMessageA(m_toolTip.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToToolTip(message, wParam, lParam);
    switch (message) {
        case WM_MOUSEMOVE:
            return OnMouseMove(lParam);
        case WM_SETCURSOR:
            if (!m_hLinkCursor) return FALSE;
            SetCursor(m_hLinkCursor);
            return TRUE;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return Default();
        case WM_DESTROY:
            m_toolTip.reset();
            return Default();
        default:
            return Default();
    }
}

// The hover colour lasts from the first move over the text until the first move outside it;
// the capture is what reports that move.
LRESULT CHyperLink::OnMouseMove(LPARAM position) {
    const LRESULT result = Default();
    if (!m_bOverControl) {
        m_bOverControl = 1;
        RedrawNow();
        SetCapture(m_hWnd);
        return result;
    }
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    RECT client{};
    GetClientRect(m_hWnd, &client);
    if (!PtInRect(&client, point)) {
        m_bOverControl = 0;
        ReleaseCapture();
        RedrawNow();
    }
    return result;
}

// Losing the capture to another window (a menu, a box, a switch to another program) ends the
// hover, or the link would keep the hover colour with no move to end it.
void CHyperLink::OnCaptureChanged(HWND newCapture) {
    if (newCapture == m_hWnd || !m_bOverControl) return;
    m_bOverControl = 0;
    RedrawNow();
}

void CHyperLink::OnClicked() {
    m_bOverControl = 0;
    if (GetCapture() == m_hWnd) ReleaseCapture();
    const std::intptr_t result = GotoURL(m_strTarget, SW_SHOW);
    const bool opened = platform::ShellOpened(result);
    SetVisited(opened);
    if (opened) return;
    platform::User().MessageBeep(MB_ICONEXCLAMATION);
    ReportError(static_cast<int>(result),
                reinterpret_cast<platform::Window>(GetAncestor(m_hWnd, GA_ROOT)));
}

bool CHyperLink::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, m_bOverControl ? m_crHover : m_bVisited ? m_crVisited : m_crLink);
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

void CHyperLink::RedrawNow() {
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
