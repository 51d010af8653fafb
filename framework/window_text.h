#pragma once

#include <windows.h>

#include <string>

#include "base/wide_text.h"

// Window and control texts in the program's UTF-8, through the wide calls.
std::string WindowText(HWND window);
// The same for drawing, which wants it in UTF-16.
WideString WideWindowText(HWND window);
void SetText(HWND window, const std::string& text);
void SetItemText(HWND dialog, int id, const std::string& text);
