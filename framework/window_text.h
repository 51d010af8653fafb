#pragma once

#include <windows.h>

#include <string>

// Window and control texts in the program's UTF-8, through the wide calls.
std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);
void SetItemText(HWND dialog, int id, const std::string& text);
