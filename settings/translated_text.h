#pragma once

#include <string>

#include "settings/language.h"

// The language file's text for key, or english when the file is not in use, lacks the key,
// or holds only the placeholder added for a missing key (key=key): a text added after a
// language file was written stays readable, in English, run after run.
std::string TranslatedText(const LanguageTexts& texts, const char* key, const std::string& english);
