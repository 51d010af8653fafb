#pragma once

#include <cstdint>

#include "platform/service.h"

// The internet library's calls the probe makes, shaped like InternetOpenA and friends.
namespace platform {

using HInternet = std::intptr_t;  // an HINTERNET; 0 is none

inline constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
inline constexpr std::uint32_t kInternetOpenTypeProxy = 3;
inline constexpr std::uint32_t kInternetServiceHttp = 3;
inline constexpr std::uint32_t kInternetFlagTransferAscii = 0x1;
inline constexpr std::uint32_t kInternetFlagPragmaNoCache = 0x100;
inline constexpr std::uint32_t kInternetFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kInternetFlagSecure = 0x00800000;
inline constexpr std::uint32_t kInternetFlagNoCacheWrite = 0x04000000;
inline constexpr std::uint32_t kInternetFlagReload = 0x80000000;
inline constexpr std::uint32_t kHttpQueryStatusCode = 19;
inline constexpr std::uint32_t kHttpQueryFlagNumber = 0x20000000;

class IInternet {
  public:
    virtual ~IInternet() = default;
    virtual HInternet InternetOpenA(const char* agent, std::uint32_t accessType, const char* proxy,
                                    const char* proxyBypass, std::uint32_t flags) = 0;
    virtual HInternet InternetConnectA(HInternet internet, const char* serverName,
                                       std::uint16_t serverPort, const char* userName,
                                       const char* password, std::uint32_t service,
                                       std::uint32_t flags, std::uintptr_t context) = 0;
    virtual HInternet HttpOpenRequestA(HInternet connect, const char* verb, const char* objectName,
                                       const char* version, const char* referrer,
                                       const char** acceptTypes, std::uint32_t flags,
                                       std::uintptr_t context) = 0;
    virtual bool HttpSendRequestA(HInternet request, const char* headers,
                                  std::uint32_t headersLength, void* optional,
                                  std::uint32_t optionalLength) = 0;
    virtual bool HttpQueryInfoA(HInternet request, std::uint32_t infoLevel, void* buffer,
                                std::uint32_t* bufferLength, std::uint32_t* index) = 0;
    virtual bool InternetCloseHandle(HInternet handle) = 0;
};

inline IInternet& Internet() {
    return Use<IInternet>();
}

}  // namespace platform
