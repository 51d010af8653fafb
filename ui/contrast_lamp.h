#pragma once

#include <windows.h>

// A lamp as high contrast shows it, in the system's colors and told apart by shape as well:
// lit, a disc of the highlight color in a ring of the text color; unlit, the ring alone,
// hollow on the face color. box is the lamp's square.
void DrawContrastLamp(HDC dc, const RECT& box, bool lit);
