#include "ui/lamp_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Rgb {
    int r;
    int g;
    int b;
    int Sum() const { return r + g + b; }
};

// One pixel of frame 0 (unlit) or 1 (lit) of a strip of size-pixel frames.
Rgb At(const std::vector<std::uint32_t>& strip, int size, int frame, int x, int y) {
    const std::uint32_t pixel = strip.at(static_cast<std::size_t>(y) * 2 * size + frame * size + x);
    return {static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

// The first and last columns of a row that differ from the background.
std::pair<int, int> LampSpan(const std::vector<std::uint32_t>& strip, int size, int frame, int y,
                             std::uint32_t background) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < size; ++x) {
        if (strip.at(static_cast<std::size_t>(y) * 2 * size + frame * size + x) == background)
            continue;
        if (first < 0) first = x;
        last = x;
    }
    return {first, last};
}

TEST(LampPicture, TwoFramesOnTheBackgroundWithTheBallFillingEachCentered) {
    for (int size : {15, 19, 23, 30}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint32_t> strip = PaintLampStrip(LampColor::kGreen, size, kWhite);
        ASSERT_EQ(static_cast<std::size_t>(2 * size * size), strip.size());
        for (int frame : {0, 1}) {
            // The corners stay background; the ball spans the frame but for a pixel or two.
            for (int corner : {0, size - 1}) {
                EXPECT_EQ(0xFF * 3, At(strip, size, frame, corner, corner).Sum());
                EXPECT_EQ(0xFF * 3, At(strip, size, frame, size - 1 - corner, corner).Sum());
            }
            const auto [first, last] = LampSpan(strip, size, frame, size / 2, kWhite);
            EXPECT_LE(first, 1);
            EXPECT_GE(last, size - 2);
            EXPECT_LE(std::abs(first - (size - 1 - last)), 1);  // centered
            // The rim is darker than the ball's middle.
            EXPECT_LT(At(strip, size, frame, first + 1, size / 2).Sum(),
                      At(strip, size, frame, size / 2, size / 2).Sum());
        }
    }
}

TEST(LampPicture, UnlitIsGreyAndLitShowsItsColor) {
    const int size = 30;
    const int mid = size / 2;
    for (LampColor color : {LampColor::kRed, LampColor::kYellow, LampColor::kGreen}) {
        const std::vector<std::uint32_t> strip = PaintLampStrip(color, size, kWhite);
        const Rgb unlit = At(strip, size, 0, mid, mid + 3);
        EXPECT_EQ(unlit.r, unlit.g);
        EXPECT_EQ(unlit.g, unlit.b);
        const Rgb lit = At(strip, size, 1, mid, mid + 3);
        switch (color) {
            case LampColor::kRed:
                EXPECT_GT(lit.r, 2 * lit.g);
                EXPECT_GT(lit.r, 2 * lit.b);
                break;
            case LampColor::kYellow:
                EXPECT_GT(lit.r, 2 * lit.b);
                EXPECT_GT(lit.g, 2 * lit.b);
                break;
            case LampColor::kGreen:
                EXPECT_GT(lit.g, 2 * lit.r);
                EXPECT_GT(lit.g, 2 * lit.b);
                break;
        }
    }
}

TEST(LampPicture, LitFromTheUpperLeftWithAGlossSpot) {
    const int size = 30;
    const std::vector<std::uint32_t> strip = PaintLampStrip(LampColor::kRed, size, kWhite);
    for (int frame : {0, 1}) {
        // The gloss spot, up and left of the middle, is nearly white; the lower right is dark.
        const Rgb gloss = At(strip, size, frame, size * 36 / 100, size * 31 / 100);
        EXPECT_GT(gloss.Sum(), 3 * 230);
        EXPECT_LT(At(strip, size, frame, size * 70 / 100, size * 70 / 100).Sum(),
                  gloss.Sum() - 150);
    }
}

TEST(LampPicture, EdgesBlendIntoTheBackgroundAndBadSizesGiveNothing) {
    // The same lamp on black and on white differs only where the edge pixels are partly covered.
    const int size = 23;
    const auto onWhite = PaintLampStrip(LampColor::kYellow, size, kWhite);
    const auto onBlack = PaintLampStrip(LampColor::kYellow, size, 0x000000);
    int partial = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (At(onWhite, size, 1, x, y).Sum() != At(onBlack, size, 1, x, y).Sum()) ++partial;
    EXPECT_GT(partial, 4 * size / 2);  // the whole outline is soft
    EXPECT_LT(partial, size * size / 2);
    EXPECT_GT(At(onBlack, size, 1, size / 2, size / 2).Sum(), 0);  // the middle is all lamp

    EXPECT_TRUE(PaintLampStrip(LampColor::kRed, 0, kWhite).empty());
    EXPECT_TRUE(PaintLampStrip(LampColor::kRed, -4, kWhite).empty());
}

}  // namespace
