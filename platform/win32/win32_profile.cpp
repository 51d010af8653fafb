#include <windows.h>

#include "platform/win32/win32_services.h"

namespace platform {

std::uint32_t Win32Profile::GetPrivateProfileStringA(const char* section, const char* key,
                                                     const char* defaultText, char* buffer,
                                                     std::uint32_t size, const char* path) {
    return ::GetPrivateProfileStringA(section, key, defaultText, buffer, size, path);
}

bool Win32Profile::WritePrivateProfileStringA(const char* section, const char* key,
                                              const char* value, const char* path) {
    return ::WritePrivateProfileStringA(section, key, value, path);
}

}  // namespace platform
