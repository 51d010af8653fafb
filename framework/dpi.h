#pragma once

#include <windows.h>

// The scale windows are drawn at, in dots per inch: 96 is 100 %.
inline constexpr int kDefaultDpi = 96;

// The scale of a window's monitor, or of the system where the system does not tell it per
// window.
int WindowDpi(HWND window);

// A length in pixels at 100 %, at the given scale, rounded to the nearest pixel.
inline int ScaledPixels(int pixels, int dpi) {
    return MulDiv(pixels, dpi, kDefaultDpi);
}
