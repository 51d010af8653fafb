#pragma once

#include <cstdint>

#include "platform/service.h"

// The system's version record, as GetVersionExA fills an OSVERSIONINFOA.
namespace platform {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // the 95 family
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersion {
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    std::uint32_t platformId;
    char csdVersion[128];
};

class IVersion {
  public:
    virtual ~IVersion() = default;
    virtual bool GetVersionExA(OsVersion* version) = 0;
};

inline IVersion& Version() {
    return Use<IVersion>();
}

}  // namespace platform
