#include <windows.h>

#include "base/wide_text.h"
#include "platform/win32/win32_services.h"

namespace platform {

void Win32User::ShowMessage(Window owner, const std::string& text, const std::string& caption,
                            MessageIcon icon) {
    const UINT type = MB_OK | (icon == MessageIcon::kWarning ? MB_ICONWARNING : 0);
    MessageBoxW(reinterpret_cast<HWND>(owner), ToWide(text).c_str(), ToWide(caption).c_str(), type);
}

void Win32User::WarningBeep() {
    MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace platform
