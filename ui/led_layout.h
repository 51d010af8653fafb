#pragma once

#include "ui/layout_rect.h"

// Where a lamp control puts its bitmap and its caption, in client coordinates.
struct LedLayout {
    int m_textIndent = 20;
    int m_lampSize = 0;
    int m_lampX = 0;
    int m_lampY = 0;

    // The first placement, when the control is taken over. A centered lamp's m_lampY then
    // holds the control's vertical middle; PlaceForFrame turns it into the corner.
    void PlaceAtSubclass(const LayoutRect& client, bool centerVert);

    // The corner once the bitmap's frame size is known; a frame wider than the indent moves
    // the caption to its right.
    void PlaceForFrame(int frameWidth, int frameHeight);

    // The room for the caption, before it is measured.
    LayoutRect CaptionArea(const LayoutRect& client) const;

    // The caption's rectangle: the measured one, moved to the control's vertical middle.
    static LayoutRect CaptionRect(const LayoutRect& client, LayoutRect measured);
};
