#include "ui/led_layout.h"

#include <gtest/gtest.h>

#include "tests/native/layout_rect_printer.h"

namespace {

LedLayout Placed(const LayoutRect& client, bool centered, int frameWidth, int frameHeight) {
    LedLayout layout;
    layout.PlaceAtSubclass(client, centered);
    layout.PlaceForFrame(frameWidth, frameHeight);
    return layout;
}

TEST(LedLayout, ACenteredSixteenPixelLampSitsAtOneOneWithTheCaptionAtTwenty) {
    LedLayout layout;
    layout.PlaceAtSubclass({0, 0, 108, 16}, true);
    EXPECT_EQ(3, layout.m_lampSize);
    EXPECT_EQ(4, layout.m_lampX);
    EXPECT_EQ(8, layout.m_lampY);  // the middle until the frame size is known

    layout.PlaceForFrame(15, 15);
    EXPECT_EQ(1, layout.m_lampX);
    EXPECT_EQ(1, layout.m_lampY);
    EXPECT_EQ(20, layout.m_textIndent);
}

TEST(LedLayout, PlacementFollowsTheControlHeight) {
    // Odd heights round the middle half up.
    EXPECT_EQ(1, Placed({0, 0, 60, 15}, true, 15, 15).m_lampY);
    EXPECT_EQ(2, Placed({0, 0, 60, 17}, true, 15, 15).m_lampY);
    EXPECT_EQ(13, Placed({0, 0, 60, 40}, true, 15, 15).m_lampY);

    // The helper size is capped at 6 and has no lower bound.
    LedLayout tall;
    tall.PlaceAtSubclass({0, 0, 60, 40}, false);
    EXPECT_EQ(6, tall.m_lampSize);
    EXPECT_EQ(7, tall.m_lampY);
    LedLayout flat;
    flat.PlaceAtSubclass({0, 0, 60, 0}, false);
    EXPECT_EQ(-5, flat.m_lampSize);
    EXPECT_EQ(-4, flat.m_lampX);
    EXPECT_EQ(-4, flat.m_lampY);

    // Not centered: the corner is computed from the helper size, then the frame's half height
    // is taken off all the same.
    EXPECT_EQ(-3, Placed({0, 0, 60, 16}, false, 15, 15).m_lampY);
}

TEST(LedLayout, OnlyAFrameWiderThanTheIndentMovesTheCaption) {
    EXPECT_EQ(20, Placed({0, 0, 60, 16}, true, 20, 15).m_textIndent);
    EXPECT_EQ(26, Placed({0, 0, 60, 16}, true, 21, 15).m_textIndent);
    EXPECT_EQ(37, Placed({0, 0, 60, 16}, true, 32, 32).m_textIndent);
}

TEST(LedLayout, TheCaptionIsCenteredVerticallyRightOfTheIndent) {
    const LedLayout layout = Placed({0, 0, 108, 16}, true, 15, 15);
    EXPECT_EQ((LayoutRect{20, 0, 106, 16}), layout.CaptionArea({0, 0, 108, 16}));

    // The measured width stays; only the height is moved to the middle.
    EXPECT_EQ((LayoutRect{20, 2, 70, 15}),
              LedLayout::CaptionRect({0, 0, 108, 16}, LayoutRect{20, 0, 70, 13}));
    EXPECT_EQ((LayoutRect{20, 14, 70, 27}),
              LedLayout::CaptionRect({0, 0, 108, 40}, LayoutRect{20, 0, 70, 13}));
    // A caption wrapped higher than the control overhangs both edges evenly.
    EXPECT_EQ((LayoutRect{20, -11, 50, 28}),
              LedLayout::CaptionRect({0, 0, 108, 16}, LayoutRect{20, 0, 50, 39}));
}

}  // namespace
