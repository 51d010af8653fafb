#include "ui/link_geometry.h"

LayoutRect FitLinkToText(LayoutRect window, int textWidth, int textHeight, std::uint32_t style) {
    LayoutRect fitted = window;
    if (style & kSsCenterImage) {
        const int margin = (window.bottom - window.top - textHeight) / 2;
        fitted.top += margin;
        fitted.bottom -= margin;
    } else {
        fitted.bottom = fitted.top + textHeight;
    }
    // The alignment is a value of the style's type field, not a set of bits: SS_SIMPLE (11)
    // holds both bits and is left-aligned.
    const std::uint32_t type = style & kSsTypeMask;
    if (type == kSsCenter) {
        const int margin = (window.right - window.left - textWidth) / 2;
        fitted.left += margin;
        fitted.right -= margin;
    } else if (type == kSsRight) {
        fitted.left = fitted.right - textWidth;
    } else {
        fitted.right = fitted.left + textWidth;
    }
    return fitted;
}
