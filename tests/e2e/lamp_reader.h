#pragma once

#include <windows.h>

// What a lamp of the running program shows on the screen, told by comparing the pixels at the
// lamp's place with the frames of its bitmap from the program's own resources.
namespace driver {

enum class Lamp { kUnlit, kLit, kNeither };

Lamp ReadLamp(HWND lamp, int bitmapId);

}  // namespace driver
