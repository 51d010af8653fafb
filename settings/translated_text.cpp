#include "settings/translated_text.h"

std::string TranslatedText(const LanguageTexts& texts, const char* key,
                           const std::string& english) {
    const std::string text = texts.TextOr(key, english);
    return text == key ? english : text;
}
