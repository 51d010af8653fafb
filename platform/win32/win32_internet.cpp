#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

namespace platform {
namespace {

HINTERNET ToHinternet(HInternet handle) {
    return reinterpret_cast<HINTERNET>(handle);
}

HInternet FromHinternet(HINTERNET handle) {
    return reinterpret_cast<HInternet>(handle);
}

}  // namespace

HInternet Win32Internet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                       const char* proxy, const char* proxyBypass,
                                       std::uint32_t flags) {
    return FromHinternet(::InternetOpenA(agent, accessType, proxy, proxyBypass, flags));
}

HInternet Win32Internet::InternetConnectA(HInternet internet, const char* serverName,
                                          std::uint16_t serverPort, const char* userName,
                                          const char* password, std::uint32_t service,
                                          std::uint32_t flags, std::uintptr_t context) {
    return FromHinternet(::InternetConnectA(ToHinternet(internet), serverName, serverPort, userName,
                                            password, service, flags, context));
}

HInternet Win32Internet::HttpOpenRequestA(HInternet connect, const char* verb,
                                          const char* objectName, const char* version,
                                          const char* referrer, const char** acceptTypes,
                                          std::uint32_t flags, std::uintptr_t context) {
    return FromHinternet(::HttpOpenRequestA(ToHinternet(connect), verb, objectName, version,
                                            referrer, acceptTypes, flags, context));
}

bool Win32Internet::HttpSendRequestA(HInternet request, const char* headers,
                                     std::uint32_t headersLength, void* optional,
                                     std::uint32_t optionalLength) {
    return ::HttpSendRequestA(ToHinternet(request), headers, headersLength, optional,
                              optionalLength);
}

bool Win32Internet::HttpQueryInfoA(HInternet request, std::uint32_t infoLevel, void* buffer,
                                   std::uint32_t* bufferLength, std::uint32_t* index) {
    DWORD length = bufferLength ? *bufferLength : 0;
    DWORD at = index ? *index : 0;
    const BOOL ok = ::HttpQueryInfoA(ToHinternet(request), infoLevel, buffer,
                                     bufferLength ? &length : nullptr, index ? &at : nullptr);
    if (bufferLength) *bufferLength = length;
    if (index) *index = at;
    return ok;
}

bool Win32Internet::InternetCloseHandle(HInternet handle) {
    return ::InternetCloseHandle(ToHinternet(handle));
}

}  // namespace platform
