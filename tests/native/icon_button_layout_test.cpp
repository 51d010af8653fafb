#include "ui/icon_button_layout.h"

#include <gtest/gtest.h>

#include "tests/native/layout_rect_printer.h"

namespace {

constexpr LayoutRect kItem{0, 0, 91, 38};

TEST(IconButtonLayout, TheIconSitsThreePixelsInBesideACaptionAndCentredWithout) {
    const LayoutRect beside = IconButtonIconRect(kItem, 32, 32, true, false);
    EXPECT_EQ(3, beside.left);
    EXPECT_EQ(3, beside.top);
    const LayoutRect alone = IconButtonIconRect(kItem, 32, 32, false, false);
    EXPECT_EQ(29, alone.left);
    EXPECT_EQ(3, alone.top);

    // Odd remainders are truncated, also when the icon is larger than the button.
    EXPECT_EQ(2, IconButtonIconRect({0, 0, 91, 37}, 32, 32, true, false).top);
    EXPECT_EQ(-6, IconButtonIconRect({0, 0, 20, 20}, 32, 32, false, false).left);
    EXPECT_EQ(-6, IconButtonIconRect({0, 0, 20, 20}, 32, 32, false, false).top);
}

TEST(IconButtonLayout, PressingMovesIconAndCaptionOnePixelRightAndDown) {
    EXPECT_EQ((LayoutRect{4, 4, 92, 39}), IconButtonIconRect(kItem, 32, 32, true, true));
    EXPECT_EQ((LayoutRect{36, 1, 92, 39}), IconButtonCaptionRoom(kItem, 32, true, true));
}

TEST(IconButtonLayout, TheCaptionIsCentredRightOfTheIcon) {
    const LayoutRect room = IconButtonCaptionRoom(kItem, 32, true, false);
    EXPECT_EQ((LayoutRect{35, 0, 91, 38}), room);
    EXPECT_EQ((LayoutRect{48, 12, 78, 25}),
              IconButtonCentreCaption(room, LayoutRect{35, 0, 65, 13}));
    // Without an icon the whole item is the room.
    EXPECT_EQ(kItem, IconButtonCaptionRoom(kItem, 32, false, false));
    // A caption wider than its room overhangs both sides.
    EXPECT_EQ((LayoutRect{33, 12, 48, 25}),
              IconButtonCentreCaption({35, 0, 45, 38}, LayoutRect{35, 0, 50, 13}));
}

TEST(IconButtonLayout, FaceInsideTheFrameAndFocusThreePixelsFurtherIn) {
    const LayoutRect face = IconButtonFace(kItem);
    EXPECT_EQ((LayoutRect{1, 1, 90, 37}), face);
    EXPECT_EQ((LayoutRect{4, 4, 87, 34}), IconButtonFocusRect(face));
}

}  // namespace
