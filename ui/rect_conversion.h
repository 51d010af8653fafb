#pragma once

#include <windows.h>

#include "ui/layout_rect.h"

// Between the system's rectangles and the geometry's.

inline LayoutRect ToLayout(const RECT& rect) {
    return LayoutRect{rect.left, rect.top, rect.right, rect.bottom};
}

inline RECT ToRect(const LayoutRect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}
