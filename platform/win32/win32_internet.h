#pragma once

#include "platform/internet.h"

namespace platform {

// Forwards to WinINet.
class Win32Internet final : public IInternet {
  public:
    HInternet InternetOpenA(const char* agent, std::uint32_t accessType, const char* proxy,
                            const char* proxyBypass, std::uint32_t flags) override;
    HInternet InternetConnectA(HInternet internet, const char* serverName, std::uint16_t serverPort,
                               const char* userName, const char* password, std::uint32_t service,
                               std::uint32_t flags, std::uintptr_t context) override;
    HInternet HttpOpenRequestA(HInternet connect, const char* verb, const char* objectName,
                               const char* version, const char* referrer, const char** acceptTypes,
                               std::uint32_t flags, std::uintptr_t context) override;
    bool HttpSendRequestA(HInternet request, const char* headers, std::uint32_t headersLength,
                          void* optional, std::uint32_t optionalLength) override;
    bool HttpQueryInfoA(HInternet request, std::uint32_t infoLevel, void* buffer,
                        std::uint32_t* bufferLength, std::uint32_t* index) override;
    bool InternetCloseHandle(HInternet handle) override;
};

}  // namespace platform
