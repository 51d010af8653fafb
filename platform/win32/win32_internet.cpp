#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

#include "base/wide_text.h"

namespace platform {
namespace {

// Every request goes over the line: an answer from the cache would neither make the traffic
// that keeps the line up nor tell whether the PC is online. A redirect is an answer, not an
// errand.
constexpr DWORD kRequestFlags = INTERNET_FLAG_TRANSFER_ASCII | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;

// Set on the request handle: time-outs set on the session or connection are ignored by Wine.
constexpr DWORD kTimeoutOptions[] = {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                     INTERNET_OPTION_RECEIVE_TIMEOUT};
// One connect try per attempt, so the connect time-out bounds the attempt's connecting.
constexpr DWORD kConnectRetries = 1;

HINTERNET ToHinternet(HInternet handle) {
    return reinterpret_cast<HINTERNET>(handle);
}

HInternet FromHinternet(HINTERNET handle) {
    return reinterpret_cast<HInternet>(handle);
}

bool SetDword(HINTERNET handle, DWORD option, DWORD value) {
    return InternetSetOptionW(handle, option, &value, sizeof value);
}

}  // namespace

HInternet Win32Internet::OpenSession(const std::string& agent, InternetRoute route) {
    const DWORD access = route == InternetRoute::NamedProxy ? INTERNET_OPEN_TYPE_PROXY
                                                            : INTERNET_OPEN_TYPE_PRECONFIG;
    return FromHinternet(InternetOpenW(ToWide(agent).c_str(), access, nullptr, nullptr, 0));
}

HInternet Win32Internet::Connect(HInternet session, const std::string& host, std::uint16_t port) {
    return FromHinternet(InternetConnectW(ToHinternet(session), ToWide(host).c_str(), port, nullptr,
                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0));
}

HInternet Win32Internet::OpenHeadRequest(HInternet connection, const std::string& object,
                                         bool secure, std::uint32_t timeoutMs) {
    const DWORD flags = kRequestFlags | (secure ? INTERNET_FLAG_SECURE : 0u);
    HINTERNET request = HttpOpenRequestW(ToHinternet(connection), L"HEAD", ToWide(object).c_str(),
                                         nullptr, nullptr, nullptr, flags, 0);
    if (!request) return 0;
    bool bounded = true;
    for (DWORD option : kTimeoutOptions) bounded = SetDword(request, option, timeoutMs) && bounded;
    if (!bounded) {  // a request without its time-outs could hang for good
        InternetCloseHandle(request);
        return 0;
    }
    // Fewer tries only shorten the attempt: without them the give-up's close still ends it.
    SetDword(request, INTERNET_OPTION_CONNECT_RETRIES, kConnectRetries);
    return FromHinternet(request);
}

int Win32Internet::Send(HInternet request) {
    if (!HttpSendRequestW(ToHinternet(request), nullptr, 0, nullptr, 0)) return 0;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(ToHinternet(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                        &status, &size, nullptr))
        return 0;
    return static_cast<int>(status);
}

bool Win32Internet::Close(HInternet handle) {
    return InternetCloseHandle(ToHinternet(handle));
}

}  // namespace platform
