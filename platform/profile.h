#pragma once

#include <cstdint>

#include "platform/service.h"

// Profile (INI) files, read and written as GetPrivateProfileStringA and
// WritePrivateProfileStringA do.
namespace platform {

class IProfile {
  public:
    virtual ~IProfile() = default;
    virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultText, char* buffer,
                                                   std::uint32_t size, const char* path) = 0;
    virtual bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* path) = 0;
};

inline IProfile& Profile() {
    return Use<IProfile>();
}

}  // namespace platform
