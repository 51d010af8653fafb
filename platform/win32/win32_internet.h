#pragma once

#include "platform/internet.h"

namespace platform {

// Forwards to WinINet's wide functions in its asynchronous mode, so that a request's wait ends
// on its cancel signal or its deadline while the calling thread still owns its handles.
class Win32Internet final : public IInternet {
  public:
    HInternet OpenSession(const std::string& agent, InternetRoute route) override;
    HInternet Connect(HInternet session, const std::string& host, std::uint16_t port) override;
    HInternet OpenHeadRequest(HInternet connection, const std::string& object, bool secure,
                              std::uint32_t timeoutMs) override;
    int Send(HInternet request, HSignal cancel, std::uint32_t waitMs) override;
    bool Close(HInternet handle) override;
    HSignal OpenSignal() override;
    void Raise(HSignal signal) override;
    bool Raised(HSignal signal) override;
    void CloseSignal(HSignal signal) override;
};

}  // namespace platform
