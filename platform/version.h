#pragma once

#include <cstdint>

#include "platform/service.h"

// The system's version record, as GetVersionExA fills an OSVERSIONINFOA; RtlGetVersion also
// gives the product type.
namespace platform {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // the 95 family
inline constexpr std::uint32_t kPlatformNt = 2;

inline constexpr std::uint8_t kProductUnknown = 0;
inline constexpr std::uint8_t kProductWorkstation = 1;
inline constexpr std::uint8_t kProductDomainController = 2;
inline constexpr std::uint8_t kProductServer = 3;

struct OsVersion {
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    std::uint32_t platformId;
    char csdVersion[128];
    std::uint8_t productType = kProductUnknown;
};

class IVersion {
  public:
    virtual ~IVersion() = default;
    // The version the program's manifest lets the system admit to.
    virtual bool GetVersionExA(OsVersion* version) = 0;
    // The version the system really is, whatever the manifest says; false where the system
    // has no such call (the 95 family).
    virtual bool RtlGetVersion(OsVersion* version) = 0;
};

inline IVersion& Version() {
    return Use<IVersion>();
}

}  // namespace platform
