#pragma once

#include <cstdint>

#include "platform/service.h"

// The system's version record, as GetVersionExA fills an OSVERSIONINFOA; RtlGetVersion also
// gives the product type.
namespace platform {

// The line of Windows a record is from, numbered as the system numbers it; a number the system
// may add later is kept as it came.
enum class WindowsFamily : std::uint32_t { Win32s = 0, Windows95 = 1, Nt = 2 };

// What an NT system is installed as, numbered as the system numbers it.
enum class ProductType : std::uint8_t {
    Unknown = 0,
    Workstation = 1,
    DomainController = 2,
    Server = 3
};

struct OsVersion {
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    WindowsFamily platformId;
    char csdVersion[128];
    ProductType productType = ProductType::Unknown;
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
