#pragma once

#include <windows.h>

#include <string>

// A string of the program's string table in UTF-8; empty when there is none with this id.
std::string ResourceString(UINT id);
