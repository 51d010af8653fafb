#pragma once

#include <windows.h>

#include <initializer_list>

#include "settings/language.h"

// A control of a window and the language file's key for its text.
struct ControlText {
    int id;
    const char* key;
};

// For a key the file gets with a window's others, though no control shows it.
inline constexpr int kNoControl = 0;

// With the language file in use at the latest reading, puts the file's text for each key into
// its control of window and adds the keys the file lacks, in the order given (see
// LanguageTexts::Take). Nothing otherwise: the controls keep their layout's English texts.
void ShowControlTexts(HWND window, LanguageTexts& texts,
                      std::initializer_list<ControlText> controls);
