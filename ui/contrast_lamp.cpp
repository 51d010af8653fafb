#include "ui/contrast_lamp.h"

#include <algorithm>

#include "base/handles.h"

void DrawContrastLamp(HDC dc, const RECT& box, bool lit) {
    // The ring grows with the lamp, one pixel at 100 %.
    const int ringWidth = std::max<int>(1, (box.right - box.left) / 8);
    OwnedGdiObject pen(CreatePen(PS_SOLID | PS_INSIDEFRAME, ringWidth, GetSysColor(COLOR_BTNTEXT)));
    HBRUSH fill = GetSysColorBrush(lit ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const HGDIOBJ previousPen = SelectObject(dc, pen.get());
    const HGDIOBJ previousBrush = SelectObject(dc, fill);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previousPen);
}
