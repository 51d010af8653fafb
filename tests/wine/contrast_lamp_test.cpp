#include "ui/contrast_lamp.h"

#include <gtest/gtest.h>

#include "tests/wine/control_host.h"

namespace {

// High contrast draws a lamp in the system's colors only, lit as a filled disc and unlit as a
// hollow ring, so lit and unlit differ by shape as well.
TEST(ContrastLamp, LitAndUnlitDifferInShapeAndUseOnlySystemColors) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    Canvas unlit(30, 30);
    Canvas lit(30, 30);
    for (Canvas* canvas : {&unlit, &lit}) {
        canvas->Fill(face);
        DrawContrastLamp(canvas->Dc(), RECT{0, 0, 30, 30}, canvas == &lit);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const COLORREF pixel = canvas->At(x, y);
                EXPECT_TRUE(pixel == face || pixel == text || pixel == highlight) << x << "," << y;
            }
        EXPECT_EQ(text, canvas->At(1, 15));  // the ring
    }
    EXPECT_EQ(face, unlit.At(15, 15));
    EXPECT_EQ(highlight, lit.At(15, 15));
}

}  // namespace
