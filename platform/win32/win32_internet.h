#pragma once

#include "platform/internet.h"

namespace platform {

// Forwards to WinINet.
class Win32Internet final : public IInternet {
  public:
    HInternet InternetOpenA(const char* agent, std::uint32_t accessType, const char* proxy,
                            const char* proxyBypass, std::uint32_t flags) override;
    HInternet InternetOpenUrlA(HInternet internet, const char* url, const char* headers,
                               std::uint32_t headersLength, std::uint32_t flags,
                               std::uintptr_t context) override;
    bool InternetCloseHandle(HInternet handle) override;
};

}  // namespace platform
