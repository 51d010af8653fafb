#pragma once

#include <windows.h>

#include <string>

// A system message box with the program's UTF-8 texts; returns the button the user chose.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);
