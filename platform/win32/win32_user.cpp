#include <windows.h>

#include "platform/win32/win32_services.h"

namespace platform {

int Win32User::MessageBoxA(Window owner, const char* text, const char* caption,
                           std::uint32_t type) {
    return ::MessageBoxA(reinterpret_cast<HWND>(owner), text, caption, type);
}

bool Win32User::MessageBeep(std::uint32_t type) {
    return ::MessageBeep(type) != FALSE;
}

}  // namespace platform
