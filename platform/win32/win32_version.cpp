#include <windows.h>

#include <cstring>

#include "platform/win32/win32_services.h"

namespace platform {

bool Win32Version::GetVersionExA(OsVersion* version) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info)) return false;
#pragma GCC diagnostic pop
    version->majorVersion = info.dwMajorVersion;
    version->minorVersion = info.dwMinorVersion;
    version->buildNumber = info.dwBuildNumber;
    version->platformId = info.dwPlatformId;
    std::memcpy(version->csdVersion, info.szCSDVersion, sizeof version->csdVersion);
    return true;
}

}  // namespace platform
