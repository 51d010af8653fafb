#pragma once

#include <cstdint>
#include <vector>

// The color a lamp shows when it is lit.
enum class LampColor { kRed, kYellow, kGreen };

// A lamp's two frames side by side, unlit then lit, each size x size pixels: a shaded ball lit
// from the upper left, in a dark rim, with a gloss spot, on the background color. The same
// picture as the lamp bitmaps, for the scales at which those would be blurred. Pixels are
// 0xRRGGBB, rows top first.
std::vector<std::uint32_t> PaintLampStrip(LampColor color, int size, std::uint32_t background);
