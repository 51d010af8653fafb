#include "keepalive/probe_request.h"

#include "keepalive/probe_address.h"
#include "platform/internet_handle.h"

namespace {

// Every request goes over the line: an answer from the cache would neither make the traffic that
// keeps the line up nor tell whether the PC is online. A redirect is an answer, not an errand.
constexpr std::uint32_t kRequestFlags =
    platform::kInternetFlagTransferAscii | platform::kInternetFlagReload |
    platform::kInternetFlagPragmaNoCache | platform::kInternetFlagNoCacheWrite |
    platform::kInternetFlagNoAutoRedirect;

constexpr std::uint32_t kLowestStatus = 100;
constexpr std::uint32_t kHighestStatus = 599;

// The head, not the page: WinINet reads what is left of a page's body when its handle closes,
// however large the page, so only a request without a body stays cheap.
constexpr const char* kVerb = "HEAD";

// A connection that the server closed without a status line leaves no status code.
bool Answered(platform::HInternet request) {
    std::uint32_t status = 0;
    std::uint32_t size = sizeof status;
    return platform::Internet().HttpQueryInfoA(
               request, platform::kHttpQueryStatusCode | platform::kHttpQueryFlagNumber, &status,
               &size, nullptr) &&
           status >= kLowestStatus && status <= kHighestStatus;
}

bool RequestAnswered(platform::HInternet root, const ProbeAddress& address) {
    const platform::InternetHandle connection(
        platform::Internet().InternetConnectA(root, address.host.c_str(), address.port, nullptr,
                                              nullptr, platform::kInternetServiceHttp, 0, 0));
    if (!connection) return false;
    const std::uint32_t flags =
        kRequestFlags | (address.secure ? platform::kInternetFlagSecure : 0u);
    const platform::InternetHandle request(platform::Internet().HttpOpenRequestA(
        connection.get(), kVerb, address.object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    return request &&
           platform::Internet().HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0) &&
           Answered(request.get());
}

// Opens one root handle and makes up to `requests` requests through it.
bool RequestThrough(const std::string& agent, std::uint32_t accessType, int requests,
                    const ProbeAddress& address) {
    const platform::InternetHandle root(
        platform::Internet().InternetOpenA(agent.c_str(), accessType, nullptr, nullptr, 0));
    if (!root) return false;
    for (int i = 0; i < requests; ++i)
        if (RequestAnswered(root.get(), address)) return true;
    return false;
}

}  // namespace

bool MakeProbeRequests(const ProbeRequest& request) {
    const auto address = SplitProbeUrl(request.url);
    if (!address) return false;  // not a web address: no request could reach anything
    return RequestThrough(request.agent, platform::kInternetOpenTypeProxy, 2, *address) ||
           RequestThrough(request.proxyAgent, platform::kInternetOpenTypePreconfig, 1, *address);
}
