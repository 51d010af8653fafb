#pragma once

#include <cstdint>
#include <string>

#include "platform/service.h"

// The few user-interface calls the logic makes itself.
namespace platform {

using Window = std::intptr_t;  // an HWND

enum class MessageIcon { kNone, kWarning };

class IUser {
  public:
    virtual ~IUser() = default;
    // A modal message box with an OK button.
    virtual void ShowMessage(Window owner, const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // The system's warning sound.
    virtual void WarningBeep() = 0;
};

inline IUser& User() {
    return Use<IUser>();
}

}  // namespace platform
