#pragma once

#include "ui/layout_rect.h"

// Where an icon button draws its parts inside its item rectangle. A pressed button shows its
// icon and caption one pixel right and down.

// The rectangle whose top-left corner is the icon's: 3 pixels from the left beside a caption,
// centered without one, vertically centered in both cases.
LayoutRect IconButtonIconRect(const LayoutRect& item, int cxIcon, int cyIcon, bool withCaption,
                              bool pressed);

// The room the caption is centered in: right of the icon when there is one.
LayoutRect IconButtonCaptionRoom(const LayoutRect& item, int cxIcon, bool hasIcon, bool pressed);

// A measured text rectangle, whose corner is the room's, moved to the room's center.
LayoutRect IconButtonCenterCaption(const LayoutRect& room, LayoutRect measured);

// The rectangle inside the black outer frame, and the focus rectangle within it.
LayoutRect IconButtonFace(const LayoutRect& item);
LayoutRect IconButtonFocusRect(const LayoutRect& face);
