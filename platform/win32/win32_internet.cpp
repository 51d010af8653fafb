#include "platform/win32/win32_internet.h"

#include <windows.h>
#include <wininet.h>

#include <memory>

#include "base/handles.h"
#include "base/wide_text.h"

namespace platform {
namespace {

// Every request goes over the line: an answer from the cache would neither make the traffic
// that keeps the line up nor tell whether the PC is online. A redirect is an answer, not an
// errand.
constexpr DWORD kRequestFlags = INTERNET_FLAG_TRANSFER_ASCII | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;

// Set on the request handle: time-outs set on the session or connection are ignored by Wine,
// which ends a pending request, closed or not, only through these.
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

// What the library's callback touches for one request, as the request's context. It lives
// until the handle's closing notice, the last callback for the handle, since a completion may
// still come after the close.
struct RequestState {
    OwnedKernelObject completed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool sent = false;  // written before completed is set
};

// Sessions and connections have no context: only requests wait for anything.
void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID information, DWORD) {
    auto* const state = reinterpret_cast<RequestState*>(context);
    if (state == nullptr) return;
    if (status == INTERNET_STATUS_REQUEST_COMPLETE) {
        state->sent = static_cast<const INTERNET_ASYNC_RESULT*>(information)->dwResult != FALSE;
        SetEvent(state->completed.get());
    } else if (status == INTERNET_STATUS_HANDLE_CLOSING) {
        delete state;
    }
}

RequestState* StateOf(HINTERNET request) {
    DWORD_PTR context = 0;
    DWORD size = sizeof context;
    if (!InternetQueryOptionW(request, INTERNET_OPTION_CONTEXT_VALUE, &context, &size))
        return nullptr;
    return reinterpret_cast<RequestState*>(context);
}

// True once the library has the answer's head; false on a failure, the cancel or the wait's end.
bool SendAndWait(HINTERNET request, RequestState& state, HANDLE cancel, DWORD waitMs) {
    if (HttpSendRequestW(request, nullptr, 0, nullptr, 0)) return true;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    const HANDLE ends[] = {state.completed.get(), cancel};
    return WaitForMultipleObjects(2, ends, FALSE, waitMs) == WAIT_OBJECT_0 && state.sent;
}

HANDLE ToEvent(HSignal signal) {
    return reinterpret_cast<HANDLE>(signal);
}

}  // namespace

HInternet Win32Internet::OpenSession(const std::string& agent, InternetRoute route) {
    const DWORD access = route == InternetRoute::NamedProxy ? INTERNET_OPEN_TYPE_PROXY
                                                            : INTERNET_OPEN_TYPE_PRECONFIG;
    HINTERNET session =
        InternetOpenW(ToWide(agent).c_str(), access, nullptr, nullptr, INTERNET_FLAG_ASYNC);
    if (session &&
        InternetSetStatusCallbackW(session, OnStatus) == INTERNET_INVALID_STATUS_CALLBACK) {
        InternetCloseHandle(session);  // without its callback no request could end
        return 0;
    }
    return FromHinternet(session);
}

HInternet Win32Internet::Connect(HInternet session, const std::string& host, std::uint16_t port) {
    return FromHinternet(InternetConnectW(ToHinternet(session), ToWide(host).c_str(), port, nullptr,
                                          nullptr, INTERNET_SERVICE_HTTP, 0, 0));
}

HInternet Win32Internet::OpenHeadRequest(HInternet connection, const std::string& object,
                                         bool secure, std::uint32_t timeoutMs) {
    const DWORD flags = kRequestFlags | (secure ? INTERNET_FLAG_SECURE : 0u);
    auto state = std::make_unique<RequestState>();
    if (!state->completed) return 0;
    HINTERNET request =
        HttpOpenRequestW(ToHinternet(connection), L"HEAD", ToWide(object).c_str(), nullptr, nullptr,
                         nullptr, flags, reinterpret_cast<DWORD_PTR>(state.get()));
    if (!request) return 0;
    state.release();  // the callback frees it when the handle closes
    bool bounded = true;
    for (DWORD option : kTimeoutOptions) bounded = SetDword(request, option, timeoutMs) && bounded;
    if (!bounded) {  // left behind at a cancel, it would keep its socket for good under Wine
        InternetCloseHandle(request);
        return 0;
    }
    // Fewer tries only shorten the time a request left behind at a cancel keeps its socket.
    SetDword(request, INTERNET_OPTION_CONNECT_RETRIES, kConnectRetries);
    return FromHinternet(request);
}

int Win32Internet::Send(HInternet request, HSignal cancel, std::uint32_t waitMs) {
    RequestState* const state = StateOf(ToHinternet(request));
    if (!state || !SendAndWait(ToHinternet(request), *state, ToEvent(cancel), waitMs)) return 0;
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

HSignal Win32Internet::OpenSignal() {
    return reinterpret_cast<HSignal>(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

void Win32Internet::Raise(HSignal signal) {
    SetEvent(ToEvent(signal));
}

bool Win32Internet::Raised(HSignal signal) {
    return WaitForSingleObject(ToEvent(signal), 0) == WAIT_OBJECT_0;
}

void Win32Internet::CloseSignal(HSignal signal) {
    CloseHandle(ToEvent(signal));
}

}  // namespace platform
