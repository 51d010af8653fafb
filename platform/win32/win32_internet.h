#pragma once

#include "platform/internet.h"

namespace platform {

// Forwards to WinINet's wide functions.
class Win32Internet final : public IInternet {
  public:
    HInternet OpenSession(const std::string& agent, InternetRoute route) override;
    HInternet Connect(HInternet session, const std::string& host, std::uint16_t port) override;
    HInternet OpenHeadRequest(HInternet connection, const std::string& object, bool secure,
                              std::uint32_t timeoutMs) override;
    int Send(HInternet request) override;
    bool Close(HInternet handle) override;
};

}  // namespace platform
