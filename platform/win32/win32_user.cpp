#include <windows.h>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_services.h"

namespace platform {

void Win32User::ShowMessage(Window owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) {
    const UINT type = MB_OK | (icon == MessageIcon::kWarning ? MB_ICONWARNING : 0);
    MessageBoxW(reinterpret_cast<HWND>(owner), ToUtf16(text).c_str(), ToUtf16(caption).c_str(),
                type);
}

void Win32User::WarningBeep() {
    MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace platform
