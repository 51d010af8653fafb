#include "app/pages/control_texts.h"

#include <string>
#include <vector>

#include "framework/window_text.h"

void ShowControlTexts(HWND window, LanguageTexts& texts,
                      std::initializer_list<ControlText> controls) {
    std::vector<const char*> keys;
    for (const ControlText& control : controls) keys.push_back(control.key);
    const std::vector<std::string> shown = texts.Take(keys);
    if (shown.empty()) return;
    auto text = shown.begin();
    for (const ControlText& control : controls) {
        if (control.id != kNoControl) SetItemText(window, control.id, *text);
        ++text;
    }
}
