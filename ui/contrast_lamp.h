#pragma once

#include <windows.h>

// A lamp as high contrast shows it, in the system's colours and told apart by shape as well:
// lit, a disc of the highlight colour in a ring of the text colour; unlit, the ring alone,
// hollow on the face colour. box is the lamp's square.
void DrawContrastLamp(HDC dc, const RECT& box, bool lit);
