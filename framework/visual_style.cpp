#include "framework/visual_style.h"

#include <uxtheme.h>

bool HighContrastActive() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool VisualStyleActive() {
    return IsAppThemed() && !HighContrastActive();
}

void DrawParentBackground(HWND control, HDC dc, const RECT& area) {
    RECT behind = area;  // the call's parameter is not const
    if (VisualStyleActive() && SUCCEEDED(DrawThemeParentBackground(control, dc, &behind))) return;
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}
