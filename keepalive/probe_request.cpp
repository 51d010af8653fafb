#include "keepalive/probe_request.h"

#include "keepalive/probe_address.h"
#include "keepalive/probe_cancellation.h"

namespace {

constexpr int kLowestStatus = 100;
constexpr int kHighestStatus = 599;

// One handle of the worker's, closed by it when the step that opened it is over.
class OpenHandle {
  public:
    explicit OpenHandle(platform::HInternet handle) : m_handle(handle) {}
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;
    ~OpenHandle() {
        if (m_handle != 0) platform::Internet().Close(m_handle);
    }

    platform::HInternet get() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }

  private:
    const platform::HInternet m_handle;
};

// A connection that the server closed without a status line leaves no status.
bool RequestAnswered(platform::HInternet session, const ProbeAddress& address,
                     const ProbeRequest& request, ProbeCancellation& cancellation) {
    if (cancellation.Cancelled()) return false;  // the probe no longer counts
    const OpenHandle connection(platform::Internet().Connect(session, address.host, address.port));
    if (!connection || cancellation.Cancelled()) return false;
    const OpenHandle head(platform::Internet().OpenHeadRequest(
        connection.get(), address.object, address.secure, request.attemptTimeoutMs));
    if (!head || cancellation.Cancelled()) return false;
    const int status =
        platform::Internet().Send(head.get(), cancellation.Signal(), request.attemptTimeoutMs);
    return status >= kLowestStatus && status <= kHighestStatus;
}

// Opens one session and makes up to `attempts` requests through it.
bool RequestThrough(const std::string& agent, platform::InternetRoute route, int attempts,
                    const ProbeAddress& address, const ProbeRequest& request,
                    ProbeCancellation& cancellation) {
    if (cancellation.Cancelled()) return false;
    const OpenHandle session(platform::Internet().OpenSession(agent, route));
    if (!session) return false;
    for (int i = 0; i < attempts; ++i)
        if (RequestAnswered(session.get(), address, request, cancellation)) return true;
    return false;
}

}  // namespace

bool MakeProbeRequests(const ProbeRequest& request, ProbeCancellation& cancellation) {
    const auto address = SplitProbeUrl(request.url);
    if (!address) return false;  // not a web address: no request could reach anything
    return RequestThrough(request.agent, platform::InternetRoute::NamedProxy, 2, *address, request,
                          cancellation) ||
           RequestThrough(request.proxyAgent, platform::InternetRoute::SystemSettings, 1, *address,
                          request, cancellation);
}
