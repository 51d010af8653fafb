#include "ui/icon_button.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/wine/control_host.h"
#include "tests/wine/test_resources.h"
#include "ui/icon_button_layout.h"

namespace {

constexpr int kButtonId = 1143;
constexpr int kWidth = 91;
constexpr int kHeight = 38;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The system colors a button uses, each made distinct for the test and put back after it, so
// a line drawn in the wrong one shows.
class SystemColors {
  public:
    SystemColors() {
        for (int i = 0; i < kCount; ++i) m_saved[i] = GetSysColor(kIndexes[i]);
        SetSysColors(kCount, kIndexes, kTestColors);
    }
    SystemColors(const SystemColors&) = delete;
    SystemColors& operator=(const SystemColors&) = delete;
    ~SystemColors() { SetSysColors(kCount, kIndexes, m_saved); }

  private:
    static constexpr int kCount = 6;
    static constexpr INT kIndexes[kCount] = {COLOR_BTNFACE,    COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,
                                             COLOR_3DDKSHADOW, COLOR_BTNSHADOW,    COLOR_BTNTEXT};
    static constexpr COLORREF kTestColors[kCount] = {RGB(210, 200, 190), RGB(250, 250, 240),
                                                     RGB(230, 220, 210), RGB(20, 30, 40),
                                                     RGB(120, 110, 100), RGB(90, 0, 60)};
    COLORREF m_saved[kCount]{};
};

class IconButtonControl : public ::testing::Test {
  protected:
    // A push button of the page's kind, taken over, with the test's solid 24 x 16 icon.
    HWND Add(const char* caption, DWORD style = BS_PUSHBUTTON | BS_MULTILINE) {
        control = host.AddControl("BUTTON", caption, style | WS_TABSTOP, kButtonId, 10, 10, kWidth,
                                  kHeight);
        button.SubclassWindow(control);
        button.SetIcon(IDI_TEST_SOLID, IDI_TEST_SOLID);
        return control;
    }

    void Draw(Canvas& canvas, UINT state = 0) { DrawControl(control, canvas, state); }

    static COLORREF Sys(int index) { return GetSysColor(index); }

    // The caption's pixels: what is not face, right of the icon and inside the edges.
    static RECT CaptionBounds(const Canvas& canvas) {
        return canvas.BoundsOfAllBut(Sys(COLOR_BTNFACE), RECT{28, 4, kWidth - 4, kHeight - 4});
    }

    SystemColors colors;  // before the button, which reads its colors when constructed
    ControlHost host;
    IconButton button;
    HWND control = nullptr;
};

TEST_F(IconButtonControl, TakingTheButtonOverMakesItOwnerDrawnAndKeepsItsOtherStyles) {
    Add("Exit");
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG_PTR>(BS_OWNERDRAW), style & 0x0F);
    EXPECT_TRUE(style & BS_MULTILINE);
    EXPECT_EQ(24, button.IconWidth());
    EXPECT_EQ(16, button.IconHeight());
}

TEST_F(IconButtonControl, BlackFrameAndTheFourEdgeColorsAtTheirPixels) {
    Add("Exit");
    Canvas canvas(kWidth, kHeight);
    Draw(canvas);
    // Black frame all round, also without focus.
    for (POINT p : {POINT{0, 0}, POINT{45, 0}, POINT{90, 0}, POINT{0, 19}, POINT{90, 19},
                    POINT{0, 37}, POINT{45, 37}, POINT{90, 37}})
        EXPECT_EQ(kBlack, canvas.At(p.x, p.y)) << p.x << "," << p.y;
    // Inside it the face F = (1, 1, 90, 37) with the raised edge.
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(1, 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(1, 19));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(45, 1));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(88, 1));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(2, 19));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(45, 2));
    EXPECT_EQ(Sys(COLOR_3DLIGHT), canvas.At(2, 34));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(1, 36));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(45, 36));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(89, 19));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(89, 1));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(45, 35));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(88, 19));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(88, 2));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), canvas.At(2, 35));
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(3, 3));
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.At(87, 34));
}

TEST_F(IconButtonControl, PressedShowsAShadowFrameAndMovesIconAndCaptionOnePixel) {
    Add("Exit");
    Canvas up(kWidth, kHeight);
    Draw(up);
    Canvas down(kWidth, kHeight);
    Draw(down, ODS_SELECTED);

    EXPECT_EQ(kBlack, down.At(0, 0));
    for (POINT p :
         {POINT{1, 1}, POINT{1, 19}, POINT{45, 1}, POINT{89, 19}, POINT{45, 36}, POINT{89, 36}})
        EXPECT_EQ(Sys(COLOR_BTNSHADOW), down.At(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(Sys(COLOR_BTNFACE), down.At(2, 19));  // no light line inside
    EXPECT_EQ(Sys(COLOR_BTNFACE), down.At(88, 19));

    const RECT iconUp = up.BoundsOf(kBlue);
    const RECT iconDown = down.BoundsOf(kBlue);
    EXPECT_EQ(iconUp.left + 1, iconDown.left);
    EXPECT_EQ(iconUp.top + 1, iconDown.top);
    const RECT textUp = CaptionBounds(up);
    const RECT textDown = CaptionBounds(down);
    EXPECT_EQ(textUp.left + 1, textDown.left);
    EXPECT_EQ(textUp.top + 1, textDown.top);
    EXPECT_EQ(textUp.right + 1, textDown.right);
    EXPECT_EQ(textUp.bottom + 1, textDown.bottom);
}

TEST_F(IconButtonControl, TheIconSitsThreePixelsInBesideACaptionAndCenteredWithout) {
    Add("Exit");
    Canvas withCaption(kWidth, kHeight);
    Draw(withCaption);
    const RECT icon = withCaption.BoundsOf(kBlue);
    EXPECT_EQ(3, icon.left);
    EXPECT_EQ(11, icon.top);
    EXPECT_EQ(27, icon.right);
    EXPECT_EQ(27, icon.bottom);

    SetWindowTextA(control, "");
    Canvas alone(kWidth, kHeight);
    Draw(alone);
    const RECT centered = alone.BoundsOf(kBlue);
    EXPECT_EQ((kWidth - 24) / 2, centered.left);
    EXPECT_EQ(11, centered.top);
    EXPECT_EQ(Sys(COLOR_BTNFACE), alone.At(60, 19));  // and no caption
}

TEST_F(IconButtonControl, TheCaptionIsCenteredRightOfTheIconInTheTextColor) {
    Add("Exit");
    Canvas canvas(kWidth, kHeight);
    Draw(canvas);
    const RECT text = CaptionBounds(canvas);
    ASSERT_FALSE(IsEmpty(text));
    // Centered across, and inside the room right of the icon whatever the font's height.
    const LayoutRect room =
        IconButtonCaptionRoom(LayoutRect{0, 0, kWidth, kHeight}, 24, true, false);
    EXPECT_NEAR((room.left + room.right) / 2, (text.left + text.right) / 2, 2);
    EXPECT_GE(text.top, room.top);
    EXPECT_LE(text.bottom, room.bottom);
    EXPECT_GT(text.top, 3);  // clear of the raised edge
    EXPECT_LT(text.bottom, kHeight - 3);
    EXPECT_FALSE(IsEmpty(canvas.BoundsOf(Sys(COLOR_BTNTEXT))));
}

// The caption's ink is that of its letters, each one character however many bytes it takes.
TEST_F(IconButtonControl, ACaptionOfAnyScriptIsDrawnAsItsLetters) {
    Add("Łódź");
    Canvas canvas(kWidth, kHeight);
    Draw(canvas);
    const RECT drawn = CaptionBounds(canvas);

    Canvas alone(kWidth, kHeight);
    alone.Fill(Sys(COLOR_BTNFACE));
    SelectObject(alone.Dc(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SetTextColor(alone.Dc(), Sys(COLOR_BTNTEXT));
    SetBkMode(alone.Dc(), TRANSPARENT);
    RECT area{30, 5, kWidth, kHeight};
    DrawTextW(alone.Dc(), L"Łódź", -1, &area, DT_SINGLELINE | DT_NOPREFIX);
    const RECT expected = alone.BoundsOfAllBut(Sys(COLOR_BTNFACE), RECT{0, 0, kWidth, kHeight});
    ASSERT_FALSE(IsEmpty(expected));
    EXPECT_EQ(expected.right - expected.left, drawn.right - drawn.left);
    EXPECT_EQ(expected.bottom - expected.top, drawn.bottom - drawn.top);
}

TEST_F(IconButtonControl, AnAmpersandMarksTheMnemonicAndIsNotDrawn) {
    Add("Exit");
    Canvas plain(kWidth, kHeight);
    Draw(plain);
    SetWindowTextA(control, "E&xit");
    Canvas marked(kWidth, kHeight);
    Draw(marked);
    const RECT a = CaptionBounds(plain);
    const RECT b = CaptionBounds(marked);
    EXPECT_EQ(a.right - a.left, b.right - b.left);
    EXPECT_GT(b.bottom, a.bottom);  // the underline below the x
}

TEST_F(IconButtonControl, DisabledDrawsIconAndCaptionEmbossedAndKeepsTheEdges) {
    Add("Exit");
    Canvas canvas(kWidth, kHeight);
    Draw(canvas, ODS_DISABLED);
    EXPECT_EQ(kBlack, canvas.At(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), canvas.At(1, 19));
    EXPECT_EQ(Sys(COLOR_3DDKSHADOW), canvas.At(45, 36));
    EXPECT_TRUE(IsEmpty(canvas.BoundsOf(kBlue)));  // not in its own colors
    const RECT iconArea{3, 11, 27, 27};
    const RECT icon = canvas.BoundsOfAllBut(Sys(COLOR_BTNFACE), iconArea);
    EXPECT_FALSE(IsEmpty(icon));  // but something is drawn there
    EXPECT_FALSE(IsEmpty(CaptionBounds(canvas)));
    EXPECT_TRUE(IsEmpty(canvas.BoundsOf(Sys(COLOR_BTNTEXT))));
}

TEST_F(IconButtonControl, FocusDrawsTheFocusRectangleThreePixelsInsideTheEdge) {
    Add("Exit");
    Canvas plain(kWidth, kHeight);
    Draw(plain);
    Canvas focused(kWidth, kHeight);
    Draw(focused, ODS_FOCUS);
    int changedOnFocusLine = 0;
    for (int x = 4; x < 87; ++x) {
        EXPECT_EQ(Sys(COLOR_BTNFACE), plain.At(x, 4));
        if (focused.At(x, 4) != Sys(COLOR_BTNFACE)) ++changedOnFocusLine;
    }
    EXPECT_GT(changedOnFocusLine, 20);
    EXPECT_EQ(Sys(COLOR_BTNFACE), focused.At(45, 3));
    EXPECT_EQ(Sys(COLOR_BTNFACE), focused.At(45, 5));
}

TEST_F(IconButtonControl, TheColorRequestIsAnsweredWithTheNullBrush) {
    Add("Exit");
    HDC dc = GetDC(control);
    const LRESULT brush = SendMessageA(host.Window(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(control));
    ReleaseDC(control, dc);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), brush);
}

TEST_F(IconButtonControl, ADoubleClickIsASecondPress) {
    Add("Exit");
    const LPARAM at = MAKELPARAM(20, 10);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(2, host.CommandCount(kButtonId, BN_CLICKED));
    EXPECT_EQ(0, host.CommandCount(kButtonId, BN_DOUBLECLICKED));
}

TEST_F(IconButtonControl, IconsThatDoNotLoadLeaveAButtonWithItsCaptionOnly) {
    Add("Exit");
    button.SetIcon(9999, 0);
    EXPECT_EQ(0, button.IconWidth());
    Canvas canvas(kWidth, kHeight);
    Draw(canvas);
    EXPECT_TRUE(IsEmpty(canvas.BoundsOf(kBlue)));
    const RECT text = canvas.BoundsOfAllBut(Sys(COLOR_BTNFACE), RECT{4, 4, kWidth - 4, 34});
    EXPECT_NEAR(kWidth / 2, (text.left + text.right) / 2, 2);
}

TEST_F(IconButtonControl, OneIconServesBothStatesWhenNoSecondIsGiven) {
    Add("Exit");
    button.SetIcon(IDI_TEST_SOLID, 0);
    Canvas up(kWidth, kHeight);
    Draw(up);
    Canvas down(kWidth, kHeight);
    Draw(down, ODS_SELECTED);
    EXPECT_EQ(3, up.BoundsOf(kBlue).left);
    EXPECT_EQ(4, down.BoundsOf(kBlue).left);
}

}  // namespace
