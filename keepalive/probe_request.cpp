#include "keepalive/probe_request.h"

#include "keepalive/probe_address.h"
#include "keepalive/probe_cancellation.h"

namespace {

constexpr int kLowestStatus = 100;
constexpr int kHighestStatus = 599;

// One handle of the probe's, closed once: by its end here, or by the cancel.
class KeptHandle {
  public:
    KeptHandle(ProbeCancellation& cancellation, platform::HInternet handle)
        : m_cancellation(cancellation), m_handle(cancellation.Keep(handle)) {}
    KeptHandle(const KeptHandle&) = delete;
    KeptHandle& operator=(const KeptHandle&) = delete;
    ~KeptHandle() {
        if (m_handle != 0) m_cancellation.Close(m_handle);
    }

    platform::HInternet get() const { return m_handle; }
    explicit operator bool() const { return m_handle != 0; }

  private:
    ProbeCancellation& m_cancellation;
    platform::HInternet m_handle;
};

// A connection that the server closed without a status line leaves no status.
bool RequestAnswered(platform::HInternet session, const ProbeAddress& address,
                     const ProbeRequest& request, ProbeCancellation& cancellation) {
    if (cancellation.Cancelled()) return false;  // the probe no longer counts
    const KeptHandle connection(cancellation,
                                platform::Internet().Connect(session, address.host, address.port));
    if (!connection) return false;
    const KeptHandle head(cancellation, platform::Internet().OpenHeadRequest(
                                            connection.get(), address.object, address.secure,
                                            request.attemptTimeoutMs));
    if (!head) return false;
    const int status = platform::Internet().Send(head.get());
    return status >= kLowestStatus && status <= kHighestStatus;
}

// Opens one session and makes up to `attempts` requests through it.
bool RequestThrough(const std::string& agent, platform::InternetRoute route, int attempts,
                    const ProbeAddress& address, const ProbeRequest& request,
                    ProbeCancellation& cancellation) {
    if (cancellation.Cancelled()) return false;
    const KeptHandle session(cancellation, platform::Internet().OpenSession(agent, route));
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
