#include <windows.h>

#include <cstdlib>

#include "platform/win32/win32_services.h"

namespace platform {

int Win32Process::ArgumentCount() {
    return __argc;
}

char** Win32Process::Arguments() {
    return __argv;
}

std::uint32_t Win32Process::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    return ::GetModuleFileNameA(nullptr, buffer, size);
}

}  // namespace platform
