#pragma once

#include <string>

// User-interface texts from "german.lng" beside the program, when that file is there.

extern int g_bLanguageFile;
extern int g_bGermanEdition;

// The text for key, or "English" (both flags cleared) when the file is absent or empty.
// A key the file lacks gives "y" and is added to the file as key=key.
std::string GetLanguageText(const char* key);
