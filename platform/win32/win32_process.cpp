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

}  // namespace platform
