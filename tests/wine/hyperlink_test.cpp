#include <cstdlib>

#include "res/resource.h"
#include "tests/wine/about_sheet.h"
#include "ui/hyperlink.h"

namespace {

constexpr COLORREF kLink = RGB(1, 2, 3);
constexpr COLORREF kVisited = RGB(4, 5, 6);
constexpr COLORREF kHover = RGB(7, 8, 9);

// Links of the test's own, on the about page so that the page reflects their notifications.
class HyperlinkOnPage : public AboutSheet {
  protected:
    void SetUp() override {
        AboutSheet::SetUp();
        Open();
    }

    HWND AddStatic(const char* text, DWORD style, RECT area) {
        return CreateWindowExW(0, L"STATIC", ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                               area.left, area.top, area.right - area.left, area.bottom - area.top,
                               page->Handle(), reinterpret_cast<HMENU>(m_nextId++), nullptr,
                               nullptr);
    }
    // Gives the static the page's font, then hands it to the link.
    static void Take(Hyperlink& link, HWND control, HWND fontSource) {
        SendMessageA(control, WM_SETFONT, SendMessageA(fontSource, WM_GETFONT, 0, 0), FALSE);
        ASSERT_TRUE(link.SubclassWindow(control));
    }

    static RECT InParent(HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static SIZE TextSize(HWND control) {
        const auto text = ToWide(Text(control));
        HDC dc = GetDC(control);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        return size;
    }
    static void MoveMouse(HWND link, int x, int y) {
        SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    static void Click(HWND link) {
        SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }

    HWND Font() const { return Item(IDC_LINK_HOME); }

  private:
    int m_nextId = 5001;
};

TEST_F(HyperlinkOnPage, PageLinkShrinksToItsUnderlinedText) {
    HWND home = Item(IDC_LINK_HOME);
    RECT layout{70, 33, 70 + 63, 33 + 8};
    MapDialogRect(page->Handle(), &layout);
    const RECT now = InParent(home);
    const SIZE text = TextSize(home);
    EXPECT_EQ(layout.left, now.left);
    EXPECT_EQ(layout.top, now.top);
    EXPECT_EQ(text.cx, now.right - now.left);
    EXPECT_EQ(text.cy, now.bottom - now.top);
    EXPECT_LT(now.right - now.left, layout.right - layout.left);

    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(home, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(1, font.lfUnderline);
    EXPECT_TRUE(GetWindowLongA(home, GWL_STYLE) & SS_NOTIFY);
}

// A box centered around a text holds it, with at most the one pixel an odd margin leaves over.
void ExpectFits(int text, int box) {
    EXPECT_GE(box, text);
    EXPECT_LE(box, text + 1);
}

TEST_F(HyperlinkOnPage, AlignedStaticsKeepTheirRightEdgeOrCenter) {
    Hyperlink right, centered, middle;
    Take(right, AddStatic("to the right", SS_RIGHT, {10, 100, 310, 140}), Font());
    Take(centered, AddStatic("in the center", SS_CENTER, {10, 150, 310, 190}), Font());
    Take(middle, AddStatic("in the middle", SS_CENTERIMAGE, {10, 200, 310, 240}), Font());

    RECT r = InParent(right.Handle());
    EXPECT_EQ(310, r.right);
    EXPECT_EQ(TextSize(right.Handle()).cx, r.right - r.left);
    EXPECT_EQ(100, r.top);

    // Centered within one pixel and fitted to the text, whose size and parity depend on the font.
    r = InParent(centered.Handle());
    ExpectFits(TextSize(centered.Handle()).cx, r.right - r.left);
    EXPECT_LE(std::abs((r.left - 10) - (310 - r.right)), 1);

    r = InParent(middle.Handle());
    EXPECT_EQ(10, r.left);
    ExpectFits(TextSize(middle.Handle()).cy, r.bottom - r.top);
    EXPECT_LE(std::abs((r.top - 200) - (240 - r.bottom)), 1);
}

TEST_F(HyperlinkOnPage, EmptyTextShowsTheTargetAndEmptyTargetTakesTheText) {
    Hyperlink untitled, untargeted;
    untitled.SetURL("http://a.example/");
    Take(untitled, AddStatic("", 0, {10, 100, 310, 140}), Font());
    Take(untargeted, AddStatic("Just text", 0, {10, 150, 310, 190}), Font());
    EXPECT_EQ("http://a.example/", Text(untitled.Handle()));
    EXPECT_EQ("http://a.example/", ToolTipText(untitled.Handle()));
    EXPECT_EQ("Just text", ToolTipText(untargeted.Handle()));

    untargeted.SetURL("http://b.example/");
    EXPECT_EQ("http://b.example/", ToolTipText(untargeted.Handle()));
    EXPECT_EQ("Just text", Text(untargeted.Handle()));
}

// Letters of two bytes and more in UTF-8 are one character each on the screen.
TEST_F(HyperlinkOnPage, TextOfAnyScriptIsMeasuredAsShownAndItsTargetTipped) {
    Hyperlink link;
    link.SetURL("http://zażółć.example/Ωμέγα/東京");
    const std::string text = "Zażółć gęślą jaźń – Ωμέγα 東京";
    Take(link, AddStatic(text.c_str(), 0, {10, 100, 390, 140}), Font());
    EXPECT_EQ(text, Text(link.Handle()));
    const SIZE size = TextSize(link.Handle());
    const RECT r = InParent(link.Handle());
    EXPECT_EQ(size.cx, r.right - r.left);
    EXPECT_EQ(size.cy, r.bottom - r.top);
    EXPECT_EQ("http://zażółć.example/Ωμέγα/東京", ToolTipText(link.Handle()));
}

TEST_F(HyperlinkOnPage, ColorFollowsHoverAndVisited) {
    Hyperlink link;
    link.SetColors(kLink, kVisited, kHover);
    Take(link, AddStatic("colors", 0, {10, 100, 310, 140}), Font());
    const HWND control = link.Handle();

    ColorAnswer answer = AskColor(control);
    EXPECT_EQ(kLink, answer.text);
    EXPECT_EQ(TRANSPARENT, answer.mode);
    EXPECT_EQ(GetStockObject(NULL_BRUSH), answer.brush);

    MoveMouse(control, 1, 1);
    EXPECT_EQ(control, GetCapture());
    EXPECT_EQ(kHover, AskColor(control).text);
    MoveMouse(control, 2, 2);
    EXPECT_EQ(kHover, AskColor(control).text);
    MoveMouse(control, -3, 2);
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(kLink, AskColor(control).text);

    link.SetVisited(true);
    EXPECT_EQ(kVisited, AskColor(control).text);
    MoveMouse(control, 1, 1);
    EXPECT_EQ(kHover, AskColor(control).text);
    ReleaseCapture();  // taken by another window: the hover ends with it
    EXPECT_EQ(kVisited, AskColor(control).text);

    link.SetColors(kLink, kVisited, Hyperlink::kHighlightHover);
    MoveMouse(control, 1, 1);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), AskColor(control).text);
    ReleaseCapture();
}

// The class ".htm" pages belong to, for one test; whatever was registered before comes back.
class HtmRegistration {
  public:
    explicit HtmRegistration(const std::string& command) {
        char value[MAX_PATH] = "";
        LONG size = sizeof value;
        if (RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", value, &size) == ERROR_SUCCESS)
            m_previous = value;
        RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, kClass, 0);
        RegSetValueA(HKEY_CLASSES_ROOT, (std::string(kClass) + "\\shell\\open\\command").c_str(),
                     REG_SZ, command.c_str(), 0);
    }
    HtmRegistration(const HtmRegistration&) = delete;
    HtmRegistration& operator=(const HtmRegistration&) = delete;
    ~HtmRegistration() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kClass);
        if (m_previous.empty())
            RegDeleteTreeA(HKEY_CLASSES_ROOT, ".htm");
        else
            RegSetValueA(HKEY_CLASSES_ROOT, ".htm", REG_SZ, m_previous.c_str(), 0);
    }

  private:
    static constexpr const char* kClass = "NimbrelTestPage";
    std::string m_previous;
};

// No program knows this scheme, so the shell gives up and the ".htm" program is the fallback.
constexpr const char* kUnknownScheme = "nimbreltest:page";

TEST_F(HyperlinkOnPage, FailingClickBeepsAndShowsTheReason) {
    HtmRegistration registration("\"C:\\nimbrel-nowhere\\browser.exe\" \"%1\"");
    Hyperlink link;
    link.SetColors(kLink, kVisited, kHover);
    link.SetURL(kUnknownScheme);
    Take(link, AddStatic("broken", 0, {10, 100, 310, 140}), Font());
    link.SetVisited(true);

    Click(link.Handle());
    ASSERT_EQ(1, user.beeps);
    ASSERT_EQ(1u, user.boxes.size());
    EXPECT_EQ("Unable to open hyperlink:\n\nThe specified file was not found.", user.boxes[0].text);
    EXPECT_EQ("nimbrel_wine_tests", user.boxes[0].caption);
    EXPECT_EQ(platform::MessageIcon::kWarning, user.boxes[0].icon);
    EXPECT_EQ(reinterpret_cast<platform::Window>(sheet.Handle()), user.boxes[0].owner);
    EXPECT_EQ(kLink, AskColor(link.Handle()).text);  // no longer visited
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(HyperlinkOnPage, ClickOpenedByTheRegisteredProgramMarksTheLinkVisited) {
    HtmRegistration registration("C:\\windows\\system32\\cmd.exe /c rem \"%1\" -ignored");
    Hyperlink link;
    link.SetColors(kLink, kVisited, kHover);
    link.SetURL(kUnknownScheme);
    Take(link, AddStatic("works", 0, {10, 100, 310, 140}), Font());

    MoveMouse(link.Handle(), 1, 1);
    Click(link.Handle());
    EXPECT_EQ(0, user.beeps);
    EXPECT_TRUE(user.boxes.empty());
    EXPECT_EQ(kVisited, AskColor(link.Handle()).text);
    EXPECT_EQ(nullptr, GetCapture());
}

// A command line that would not fit its 520-byte buffer is never run: the user hears the beep
// and reads why the shell itself could not open the link.
TEST_F(HyperlinkOnPage, TargetTooLongForTheFallbackReportsTheShellsReason) {
    HtmRegistration registration("C:\\windows\\system32\\cmd.exe /c rem \"%1\"");
    Hyperlink link;
    link.SetColors(kLink, kVisited, kHover);
    link.SetURL(std::string(kUnknownScheme) + std::string(500, 'x'));
    Take(link, AddStatic("long", 0, {10, 100, 310, 140}), Font());

    Click(link.Handle());
    ASSERT_EQ(1, user.beeps);
    ASSERT_EQ(1u, user.boxes.size());
    EXPECT_EQ(
        "Unable to open hyperlink:\n\nThere is no application associated\nwith the given filename "
        "extension.",
        user.boxes[0].text);
    EXPECT_EQ(kLink, AskColor(link.Handle()).text);
}

}  // namespace
