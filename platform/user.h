#pragma once

#include <cstdint>

#include "platform/service.h"

// The few user-interface calls the logic makes itself.
namespace platform {

using Window = std::intptr_t;  // an HWND

inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconExclamation = 0x30;

class IUser {
  public:
    virtual ~IUser() = default;
    virtual int MessageBoxA(Window owner, const char* text, const char* caption,
                            std::uint32_t type) = 0;
    virtual bool MessageBeep(std::uint32_t type) = 0;
};

inline IUser& User() {
    return Use<IUser>();
}

}  // namespace platform
