#pragma once

#include <string>

#include "platform/service.h"

// The system's ANSI code page, for text stored in it by older files.
namespace platform {

class ICodePage {
  public:
    virtual ~ICodePage() = default;
    // Bytes in the ANSI code page as UTF-8.
    virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
};

inline ICodePage& CodePage() {
    return Use<ICodePage>();
}

}  // namespace platform
