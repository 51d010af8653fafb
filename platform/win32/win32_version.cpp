#include <windows.h>

#include <cstring>

#include "platform/win32/win32_services.h"

namespace platform {

namespace {

// The service-pack text in UTF-8, cut to the record's field at a character's end.
void CopyServicePack(const WCHAR* wide, char (&text)[128]) {
    std::memset(text, 0, sizeof text);
    char utf8[4 * 128] = "";
    if (!WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr)) return;
    std::size_t length = std::strlen(utf8);
    if (length > sizeof text) {
        length = sizeof text;
        while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80) --length;
    }
    std::memcpy(text, utf8, length);
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
    using GetVersionCall = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto call = ntdll ? reinterpret_cast<GetVersionCall>(
                                  reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                            : nullptr;
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
