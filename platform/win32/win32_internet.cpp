#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

namespace platform {
namespace {

HINTERNET ToHinternet(HInternet handle) {
    return reinterpret_cast<HINTERNET>(handle);
}

}  // namespace

HInternet Win32Internet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                       const char* proxy, const char* proxyBypass,
                                       std::uint32_t flags) {
    return reinterpret_cast<HInternet>(
        ::InternetOpenA(agent, accessType, proxy, proxyBypass, flags));
}

HInternet Win32Internet::InternetOpenUrlA(HInternet internet, const char* url, const char* headers,
                                          std::uint32_t headersLength, std::uint32_t flags,
                                          std::uintptr_t context) {
    return reinterpret_cast<HInternet>(
        ::InternetOpenUrlA(ToHinternet(internet), url, headers, headersLength, flags, context));
}

bool Win32Internet::InternetCloseHandle(HInternet handle) {
    return ::InternetCloseHandle(ToHinternet(handle));
}

}  // namespace platform
