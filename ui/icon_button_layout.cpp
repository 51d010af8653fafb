#include "ui/icon_button_layout.h"

namespace {

constexpr int kIconMargin = 3;
constexpr int kFocusInset = 3;

LayoutRect Deflated(LayoutRect rect, int by) {
    rect.left += by;
    rect.top += by;
    rect.right -= by;
    rect.bottom -= by;
    return rect;
}

}  // namespace

LayoutRect IconButtonIconRect(const LayoutRect& item, int cxIcon, int cyIcon, bool withCaption,
                              bool pressed) {
    LayoutRect icon = item;
    icon.left += withCaption ? kIconMargin : (icon.Width() - cxIcon) / 2;
    icon.top += (icon.Height() - cyIcon) / 2;
    if (pressed) icon.Offset(1, 1);
    return icon;
}

LayoutRect IconButtonCaptionRoom(const LayoutRect& item, int cxIcon, bool hasIcon, bool pressed) {
    LayoutRect room = item;
    if (hasIcon) room.left += cxIcon + kIconMargin;
    if (pressed) room.Offset(1, 1);
    return room;
}

LayoutRect IconButtonCenterCaption(const LayoutRect& room, LayoutRect measured) {
    measured.Offset((room.Width() - measured.Width()) / 2, (room.Height() - measured.Height()) / 2);
    return measured;
}

LayoutRect IconButtonFace(const LayoutRect& item) {
    return Deflated(item, 1);
}

LayoutRect IconButtonFocusRect(const LayoutRect& face) {
    return Deflated(face, kFocusInset);
}
