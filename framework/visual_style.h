#pragma once

#include <windows.h>

// Whether controls are drawn in the system's visual style: themes on for this program and no
// high contrast, which keeps the classic colors.
bool VisualStyleActive();

// Whether the user has high contrast on.
bool HighContrastActive();

// Fills area of control's dc with what its parent shows behind it: the page's own background
// when a visual style is active, the button face otherwise.
void DrawParentBackground(HWND control, HDC dc, const RECT& area);
