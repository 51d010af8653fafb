#pragma once

#include <string>

// User-interface texts from "german.lng" beside the program, when that file is there.

extern int g_bLanguageFile;
extern int g_bGermanEdition;

// Set for the rest of the run when the file's "OK" text is "nofile": the file then counts as
// absent, so it is neither read nor filled and no page switches back to it.
extern int g_bLanguageFileOff;

// The start-up check of the file's "OK" text.
void ReadLanguageSwitch();

// The text for key, or "English" (both flags cleared) when the file is absent or empty.
// A key the file lacks gives "y" and is added to the file as key=key.
std::string GetLanguageText(const char* key);

// As GetLanguageText, for texts where "y" or "English" would do harm: english stands in when
// the file is not in force or lacks the key (which is added to the file all the same).
std::string GetLanguageTextOr(const char* key, const std::string& english);
