#pragma once

#include "ui/layout_rect.h"

// Where an icon button draws its parts inside its item rectangle. A pressed button shows its
// icon and caption one pixel right and down.

// The rectangle whose top-left corner is the icon's: 3 pixels from the left beside a caption,
// centred without one, vertically centred in both cases.
LayoutRect IconButtonIconRect(const LayoutRect& item, int cxIcon, int cyIcon, bool withCaption,
                              bool pressed);

// The room the caption is centred in: right of the icon when there is one.
LayoutRect IconButtonCaptionRoom(const LayoutRect& item, int cxIcon, bool hasIcon, bool pressed);

// A measured text rectangle, whose corner is the room's, moved to the room's centre.
LayoutRect IconButtonCentreCaption(const LayoutRect& room, LayoutRect measured);

// The rectangle inside the black outer frame, and the focus rectangle within it.
LayoutRect IconButtonFace(const LayoutRect& item);
LayoutRect IconButtonFocusRect(const LayoutRect& face);
