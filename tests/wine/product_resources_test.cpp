#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/handles.h"
#include "res/resource.h"
#include "tests/wine/control_host.h"
#include "ui/icon_button.h"

namespace {

struct Average {
    int red;
    int green;
    int blue;
};

// The mean color of a frame's middle 7 x 7 pixels, where the ball is.
Average MiddleOfFrame(const Canvas& strip, int frame) {
    int red = 0;
    int green = 0;
    int blue = 0;
    for (int y = 4; y < 11; ++y)
        for (int x = 4; x < 11; ++x) {
            const COLORREF pixel = strip.At(frame * 15 + x, y);
            red += GetRValue(pixel);
            green += GetGValue(pixel);
            blue += GetBValue(pixel);
        }
    return Average{red / 49, green / 49, blue / 49};
}

// The sizes of an icon's images, in the order of its group: the first is the natural-size load.
std::vector<int> IconSizes(const char* name) {
    HRSRC found = FindResourceA(nullptr, name, RT_GROUP_ICON);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* group = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    std::vector<int> sizes;
    if (!group) return sizes;
    // Six bytes of header, the count at 4; then 14 bytes an image, its width first (0 is 256).
    const int count = group[4] | group[5] << 8;
    for (int i = 0; i < count; ++i) {
        const BYTE width = group[6 + 14 * i];
        const BYTE height = group[6 + 14 * i + 1];
        EXPECT_EQ(width, height) << name;
        sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
}

bool IsGrey(const Average& c) {
    return std::abs(c.red - c.green) < 24 && std::abs(c.green - c.blue) < 24 &&
           std::abs(c.red - c.blue) < 24;
}

// Loads a lamp bitmap as the lamp does and copies it into a canvas.
bool LoadStrip(int id, Canvas& strip, BITMAP& info) {
    OwnedGdiObject bitmap(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                     0, 0, LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
    if (!bitmap) return false;
    GetObjectA(bitmap.get(), sizeof info, &info);
    OwnedDc source(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(source.get(), bitmap.get());
    BitBlt(strip.Dc(), 0, 0, 30, 15, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), previous);
    return true;
}

TEST(ProductResources, LampBitmapsHoldAGreyUnlitAndAColoredLitBall) {
    for (int id : {IDB_LED_RED, IDB_LED_GREEN, IDB_LED_YELLOW}) {
        Canvas strip(30, 15);
        BITMAP info{};
        ASSERT_TRUE(LoadStrip(id, strip, info)) << id;
        EXPECT_EQ(30, info.bmWidth) << id;
        EXPECT_EQ(15, info.bmHeight) << id;
        // The magenta corner becomes the face color.
        EXPECT_EQ(GetSysColor(COLOR_3DFACE), strip.At(0, 0)) << id;
        EXPECT_EQ(GetSysColor(COLOR_3DFACE), strip.At(15, 0)) << id;

        EXPECT_TRUE(IsGrey(MiddleOfFrame(strip, 0))) << id;
        const Average lit = MiddleOfFrame(strip, 1);
        EXPECT_FALSE(IsGrey(lit)) << id;
        if (id == IDB_LED_RED) {
            EXPECT_GT(lit.red, lit.green + 60) << id;
            EXPECT_GT(lit.red, lit.blue + 60) << id;
        } else if (id == IDB_LED_GREEN) {
            EXPECT_GT(lit.green, lit.red + 60) << id;
            EXPECT_GT(lit.green, lit.blue + 60) << id;
        } else {
            EXPECT_GT(lit.red, lit.blue + 60) << id;
            EXPECT_GT(lit.green, lit.blue + 60) << id;
        }
    }
}

TEST(ProductResources, StatusButtonIconsLoadAtTheirNaturalSizeOf32) {
    ControlHost host;
    HWND control = host.AddControl("BUTTON", "Stay On", BS_PUSHBUTTON, 1100, 0, 0, 102, 41);
    IconButton button;
    button.SubclassWindow(control);
    for (int id : {IDI_STAY_ON, IDI_SWITCH_OFF, IDI_MINIMIZE, IDI_EXIT}) {
        button.SetIcon(id, id);
        EXPECT_EQ(32, button.IconWidth()) << id;
        EXPECT_EQ(32, button.IconHeight()) << id;
    }
}

// Every icon holds a sharp image for each size it is drawn at from 100 to 200 %: the small
// icon 16 x scale, the large one and the status page's buttons 32 x scale, the about page's
// buttons 16 x scale.
TEST(ProductResources, IconsHoldAnImageForEverySizeTheyAreDrawnAt) {
    const std::vector<int> everySize{16, 20, 24, 32, 40, 48, 64};
    EXPECT_EQ(everySize, IconSizes("P1"));
    EXPECT_EQ(everySize, IconSizes("AAANIMB"));
    for (const char* name : {"TOOLBOX", "WINDOWS"})
        EXPECT_EQ((std::vector<int>{16, 32, 40, 48, 64}), IconSizes(name)) << name;
    for (int id : {IDI_STAY_ON, IDI_SWITCH_OFF, IDI_MINIMIZE, IDI_EXIT})
        EXPECT_EQ((std::vector<int>{32, 40, 48, 64}), IconSizes(MAKEINTRESOURCEA(id))) << id;
    for (int id : {IDI_UPDATE, IDI_HELP})
        EXPECT_EQ((std::vector<int>{16, 20, 24, 32, 48}), IconSizes(MAKEINTRESOURCEA(id))) << id;
}

TEST(ProductResources, ButtonIconsLoadTheirSizeForTheButtonsScale) {
    ControlHost host;
    HWND control = host.AddControl("BUTTON", "Help", BS_PUSHBUTTON, 1060, 0, 0, 200, 80);
    IconButton button;
    button.SubclassWindow(control);
    for (int dpi : {96, 120, 144, 192, 168}) {
        button.SetDpi(dpi);
        button.SetIcon(IDI_EXIT, IDI_EXIT);
        EXPECT_EQ(MulDiv(32, dpi, 96), button.IconWidth()) << dpi;
        EXPECT_EQ(MulDiv(32, dpi, 96), button.IconHeight()) << dpi;
        button.SetIcon(IDI_HELP, IDI_HELP);
        EXPECT_EQ(MulDiv(16, dpi, 96), button.IconWidth()) << dpi;
    }
    // A change of scale loads the icons it holds again.
    button.SetDpi(144);
    EXPECT_EQ(24, button.IconWidth());
}

TEST(ProductResources, HandCursorPointsWithItsFingerTipAndAboutIconsLoad) {
    HMODULE self = GetModuleHandleA(nullptr);
    HCURSOR hand = LoadCursorA(self, MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_NE(nullptr, hand);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    OwnedGdiObject mask(info.hbmMask);
    OwnedGdiObject color(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(1u, info.xHotspot);
    EXPECT_EQ(11u, info.yHotspot);
    EXPECT_NE(nullptr, LoadIconA(self, "WINDOWS"));
    EXPECT_NE(nullptr, LoadIconA(self, "TOOLBOX"));
    for (int id : {IDI_UPDATE, IDI_HELP})
        EXPECT_NE(nullptr, LoadIconA(self, MAKEINTRESOURCEA(id))) << id;
}

}  // namespace
