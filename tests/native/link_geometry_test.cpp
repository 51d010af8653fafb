#include "ui/link_geometry.h"

#include <gtest/gtest.h>

#include "tests/native/layout_rect_printer.h"

namespace {

constexpr LayoutRect kStatic{10, 20, 110, 60};  // 100 x 40
constexpr std::uint32_t kNotify = 0x100;

TEST(FitLinkToText, LeftStaticKeepsItsTopLeftCorner) {
    EXPECT_EQ((LayoutRect{10, 20, 50, 33}), FitLinkToText(kStatic, 40, 13, 0));
    EXPECT_EQ((LayoutRect{10, 20, 50, 33}), FitLinkToText(kStatic, 40, 13, kNotify));
}

TEST(FitLinkToText, CenteredStaticKeepsItsCenter) {
    EXPECT_EQ((LayoutRect{40, 20, 80, 33}), FitLinkToText(kStatic, 40, 13, kSsCenter));
    // Odd room: the halves truncate, so the left margin is the smaller one.
    EXPECT_EQ((LayoutRect{40, 20, 81, 33}), FitLinkToText({10, 20, 111, 60}, 40, 13, kSsCenter));
}

TEST(FitLinkToText, RightAlignedStaticKeepsItsRightEdge) {
    EXPECT_EQ((LayoutRect{70, 20, 110, 33}), FitLinkToText(kStatic, 40, 13, kSsRight | kNotify));
}

TEST(FitLinkToText, CenterImageStaticKeepsItsVerticalCenter) {
    EXPECT_EQ((LayoutRect{10, 33, 50, 47}), FitLinkToText(kStatic, 40, 13, kSsCenterImage));
    EXPECT_EQ((LayoutRect{40, 33, 80, 47}),
              FitLinkToText(kStatic, 40, 13, kSsCenterImage | kSsCenter));
}

TEST(FitLinkToText, OtherStaticTypesAreLeftAligned) {
    constexpr std::uint32_t kSimple = 0xB;
    constexpr std::uint32_t kLeftNoWordWrap = 0xC;
    EXPECT_EQ((LayoutRect{10, 20, 50, 33}), FitLinkToText(kStatic, 40, 13, kSimple));
    EXPECT_EQ((LayoutRect{10, 20, 50, 33}), FitLinkToText(kStatic, 40, 13, kLeftNoWordWrap));
}

TEST(FitLinkToText, TextWiderThanTheStaticGrowsIt) {
    EXPECT_EQ((LayoutRect{10, 20, 150, 33}), FitLinkToText(kStatic, 140, 13, 0));
    EXPECT_EQ((LayoutRect{-10, 20, 130, 33}), FitLinkToText(kStatic, 140, 13, kSsCenter));
    EXPECT_EQ((LayoutRect{-30, 20, 110, 33}), FitLinkToText(kStatic, 140, 13, kSsRight));
}

}  // namespace
