#include "framework/message_box.h"

#include "base/wide_text.h"

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), type);
}
