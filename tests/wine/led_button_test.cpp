#include "ui/led_button.h"

#include <windows.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/wine/control_host.h"
#include "tests/wine/test_resources.h"

namespace {

constexpr int kLampId = 1113;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kGreen = RGB(0, 128, 0);

// A check box of the page's size taken over as a lamp, drawn into a canvas of its size.
class Lamp : public ::testing::Test {
  protected:
    HWND Add(const char* caption, int width = 108, int height = 16) {
        control = host.AddControl("BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, kLampId, 10, 10,
                                  width, height);
        lamp.SubclassWindow(control);
        return control;
    }

    // Every pixel of the 13 x 13 inside of the frame, at the lamp's place (1, 1).
    static bool FrameInsideIs(const Canvas& canvas, COLORREF color) {
        for (int y = 2; y <= 14; ++y)
            for (int x = 2; x <= 14; ++x)
                if (canvas.At(x, y) != color) return false;
        return true;
    }

    static COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }

    // The rule, whatever the font: the caption's box is centered in the control within one
    // pixel, and what is drawn stays inside it.
    static void ExpectCenteredAndInside(const RECT& caption, int controlHeight, const RECT& drawn) {
        EXPECT_LE(std::abs(caption.top - (controlHeight - caption.bottom)), 1);
        EXPECT_GE(drawn.top, caption.top);
        EXPECT_LE(drawn.bottom, caption.bottom);
    }

    ControlHost host;
    LedButton lamp{false, true};
    HWND control = nullptr;
};

TEST_F(Lamp, TakingTheCheckBoxOverMakesItOwnerDrawn) {
    Add("OFF");
    EXPECT_EQ(static_cast<LONG_PTR>(BS_OWNERDRAW), GetWindowLongPtrA(control, GWL_STYLE) & 0x0F);
}

TEST_F(Lamp, UnlitAndLitFramesAtOneOneOnTheFace) {
    Add("OFF");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);

    Canvas unlit(108, 16);
    DrawControl(control, unlit, 0);
    EXPECT_TRUE(FrameInsideIs(unlit, kNavy));
    // The frame's first pixel gives the transparent color, which together with the mapping
    // of the greys becomes the 3-D face color, so the lamp's background meets the face.
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), unlit.At(1, 1));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), unlit.At(15, 15));
    EXPECT_EQ(Face(), unlit.At(0, 0));
    EXPECT_EQ(Face(), unlit.At(16, 8));
    EXPECT_EQ(Face(), unlit.At(8, 0));

    lamp.SetLampState(true);
    Canvas lit(108, 16);
    DrawControl(control, lit, 0);
    EXPECT_TRUE(FrameInsideIs(lit, kGreen));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), lit.At(1, 1));
}

TEST_F(Lamp, TheCaptionStartsAtTwentyAndIsCenteredVertically) {
    Add("ON, online");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    Canvas canvas(108, 16);
    DrawControl(control, canvas, 0);

    const RECT text = canvas.BoundsOfAllBut(Face(), RECT{16, 0, 108, 16});
    EXPECT_GE(text.left, 20);
    EXPECT_LE(text.left, 22);
    EXPECT_LE(text.right, 106);
    EXPECT_EQ(20, lamp.CaptionRect().left);
    ExpectCenteredAndInside(lamp.CaptionRect(), 16, text);
}

TEST_F(Lamp, ALongCaptionWrapsAndStaysCentered) {
    Add("ON", 80, 60);
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    Canvas oneLine(80, 60);
    DrawControl(control, oneLine, 0);
    const RECT area{16, 0, 80, 60};
    const RECT line = oneLine.BoundsOfAllBut(Face(), area);

    SetWindowTextA(control, "ON, online and still keeping the line");
    Canvas canvas(80, 60);
    DrawControl(control, canvas, 0);
    const RECT text = canvas.BoundsOfAllBut(Face(), area);
    EXPECT_GT(text.bottom - text.top, 3 * (line.bottom - line.top) / 2);  // more than one line
    EXPECT_LE(text.right, 78);
    ExpectCenteredAndInside(lamp.CaptionRect(), 60, text);
}

// Letters of two bytes and more in UTF-8 are one character each on the screen.
TEST_F(Lamp, ACaptionOfAnyScriptIsMeasuredAsShown) {
    Add("WŁĄCZONY Ωμέγα 東京", 200, 16);
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    Canvas canvas(200, 16);
    DrawControl(control, canvas, 0);

    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    const std::wstring caption = L"WŁĄCZONY Ωμέγα 東京";
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    EXPECT_EQ(size.cx, lamp.CaptionRect().right - lamp.CaptionRect().left);
    EXPECT_EQ(size.cy, lamp.CaptionRect().bottom - lamp.CaptionRect().top);
}

TEST_F(Lamp, AnAmpersandIsDrawnLiterally) {
    Add("A&B");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    Canvas withAmpersand(108, 16);
    DrawControl(control, withAmpersand, 0);
    SetWindowTextA(control, "AB");
    Canvas without(108, 16);
    DrawControl(control, without, 0);
    const RECT area{16, 0, 108, 16};
    const RECT a = withAmpersand.BoundsOfAllBut(Face(), area);
    const RECT b = without.BoundsOfAllBut(Face(), area);
    EXPECT_GT(a.right - a.left, b.right - b.left + 3);
}

TEST_F(Lamp, FocusAndSelectionChangesDrawNothing) {
    Add("OFF");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    for (UINT action : {UINT{ODA_FOCUS}, UINT{ODA_SELECT}}) {
        Canvas canvas(108, 16);
        DrawControl(control, canvas, ODS_FOCUS | ODS_SELECTED, action);
        EXPECT_EQ(kUntouched, canvas.At(0, 0)) << action;
        EXPECT_EQ(kUntouched, canvas.At(8, 8)) << action;
        EXPECT_EQ(kUntouched, canvas.At(40, 8)) << action;
    }
}

TEST_F(Lamp, OnlyAChangedStateIsRedrawn) {
    Add("OFF");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    UpdateWindow(host.Window());
    const int before = host.DrawCount(kLampId);
    lamp.SetLampState(true);
    EXPECT_EQ(before + 1, host.DrawCount(kLampId));
    lamp.SetLampState(true);
    EXPECT_EQ(before + 1, host.DrawCount(kLampId));
    lamp.SetLampState(false);
    EXPECT_EQ(before + 2, host.DrawCount(kLampId));
}

TEST_F(Lamp, ClicksChangeNothing) {
    Add("OFF");
    lamp.SetBitmap(IDB_TEST_LAMP, 15);
    UpdateWindow(host.Window());
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(control, BM_GETCHECK, 0, 0));
    Canvas canvas(108, 16);
    DrawControl(control, canvas, 0);
    EXPECT_TRUE(FrameInsideIs(canvas, kNavy));
}

// Nothing is there to show before a bitmap is set or when it cannot be loaded: the face and
// the caption only.
TEST_F(Lamp, WithoutABitmapOnlyFaceAndCaptionShow) {
    Add("OFF");
    lamp.SetBitmap(9999, 15);
    lamp.SetLampState(true);
    Canvas canvas(108, 16);
    DrawControl(control, canvas, 0);
    EXPECT_EQ(Face(), canvas.At(8, 8));
    EXPECT_EQ(Face(), canvas.At(2, 2));
    const RECT text = canvas.BoundsOfAllBut(Face(), RECT{0, 0, 108, 16});
    EXPECT_GE(text.left, 20);
    EXPECT_FALSE(IsEmpty(text));
}

}  // namespace
