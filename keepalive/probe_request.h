#pragma once

#include <cstdint>
#include <string>

class ProbeCancellation;

// What one probe's worker does on the network, with everything it needs copied in.
struct ProbeRequest {
    std::string url;
    std::string agent;       // for the session through a named proxy
    std::string proxyAgent;  // for the session with the system's own settings
    bool suppressAutodial = false;
    unsigned turn = 0;
    // One attempt's deadline: its name lookup, proxy, connect, send and answer together. The
    // library's own connect, send and receive time-outs get it too, so that a request left
    // behind at a cancel ends within it.
    std::uint32_t attemptTimeoutMs = 0;
};

// Makes at most three requests for the head of the URL's page and stops at the first that
// gets an HTTP answer, whatever its status (a redirect too: it is not followed). True when one
// did. No page body is read, so the request moves no more than the answer's head. Once the
// probe is cancelled no further step starts, and the calling thread closes the handles it had
// open, the request before its connection, the connection before its session.
bool MakeProbeRequests(const ProbeRequest& request, ProbeCancellation& cancellation);
