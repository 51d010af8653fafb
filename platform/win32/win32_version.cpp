#include <windows.h>

#include <cstring>

#include "base/loaded_library.h"
#include "base/wide_text.h"
#include "platform/win32/win32_services.h"

namespace platform {

namespace {

// The service-pack text in UTF-8, cut to the record's field at a character's end.
void CopyServicePack(const WCHAR (&wide)[128], char (&text)[128]) {
    std::memset(text, 0, sizeof text);
    const std::string utf8 = FromWide(WideView(wide, wcsnlen(wide, 128)));
    std::size_t length = utf8.size();
    if (length > sizeof text) {
        length = sizeof text;
        while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) --length;
    }
    std::memcpy(text, utf8.data(), length);
}

}  // namespace

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
    version->platformId = static_cast<WindowsFamily>(info.dwPlatformId);
    std::memcpy(version->csdVersion, info.szCSDVersion, sizeof version->csdVersion);
    version->productType = ProductType::Unknown;
    return true;
}

// Found at run time: ntdll is in every NT process, and the call does not exist elsewhere.
bool Win32Version::RtlGetVersion(OsVersion* version) {
    using GetVersionCall = LONG(OSVERSIONINFOEXW*);
    const auto call = LoadedFunction<GetVersionCall>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!call || call(&info) != 0) return false;
    version->majorVersion = info.dwMajorVersion;
    version->minorVersion = info.dwMinorVersion;
    version->buildNumber = info.dwBuildNumber;
    version->platformId = static_cast<WindowsFamily>(info.dwPlatformId);
    CopyServicePack(info.szCSDVersion, version->csdVersion);
    version->productType = static_cast<ProductType>(info.wProductType);
    return true;
}

}  // namespace platform
