#pragma once

#include <cstdint>

#include "ui/layout_rect.h"

// Where a link static goes when it shrinks to its text.

// The static styles that decide it, with their Win32 values.
inline constexpr std::uint32_t kSsTypeMask = 0x1F;
inline constexpr std::uint32_t kSsCenter = 0x1;
inline constexpr std::uint32_t kSsRight = 0x2;
inline constexpr std::uint32_t kSsCenterImage = 0x200;

// The window rectangle fitted around a text of textWidth x textHeight: the text keeps its place
// (left edge, center or right edge; top, or the vertical center with the center-image style).
LayoutRect FitLinkToText(LayoutRect window, int textWidth, int textHeight, std::uint32_t style);
