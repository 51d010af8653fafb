#include "ui/icon_button_layout.h"

#include <gtest/gtest.h>

#include "tests/native/layout_rect_printer.h"

namespace {

// The common placements are checked on real pixels under Wine; here the remainders that are
// cut off and the parts that do not fit.
TEST(IconButtonLayout, OddRemaindersAreTruncatedAndOversizedPartsOverhangEvenly) {
    EXPECT_EQ(2, IconButtonIconRect({0, 0, 91, 37}, 32, 32, true, false).top);
    const LayoutRect tooBig = IconButtonIconRect({0, 0, 20, 20}, 32, 32, false, false);
    EXPECT_EQ(-6, tooBig.left);
    EXPECT_EQ(-6, tooBig.top);
    EXPECT_EQ((LayoutRect{33, 12, 48, 25}),
              IconButtonCenterCaption({35, 0, 45, 38}, LayoutRect{35, 0, 50, 13}));
    EXPECT_EQ((LayoutRect{36, 1, 92, 39}), IconButtonCaptionRoom({0, 0, 91, 38}, 32, true, true));
    EXPECT_EQ((LayoutRect{4, 4, 87, 34}), IconButtonFocusRect(IconButtonFace({0, 0, 91, 38})));
}

}  // namespace
