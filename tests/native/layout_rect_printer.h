#pragma once

#include <ostream>

#include "ui/layout_rect.h"

// Readable rectangles in failure messages.
inline void PrintTo(const LayoutRect& rect, std::ostream* out) {
    *out << "{" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << "}";
}
