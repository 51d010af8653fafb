#pragma once

#include <cstdint>
#include <vector>

// The colour a lamp shows when it is lit.
enum class LampColour { kRed, kYellow, kGreen };

// A lamp's two frames side by side, unlit then lit, each size x size pixels: a shaded ball lit
// from the upper left, in a dark rim, with a gloss spot, on the background colour. The same
// picture as the lamp bitmaps, for the scales at which those would be blurred. Pixels are
// 0xRRGGBB, rows top first.
std::vector<std::uint32_t> PaintLampStrip(LampColour colour, int size, std::uint32_t background);
