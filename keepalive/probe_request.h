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
    std::uint32_t attemptTimeoutMs = 0;  // for each of an attempt's connect, send and receive
};

// Makes at most three requests for the head of the URL's page and stops at the first that
// gets an HTTP answer, whatever its status (a redirect too: it is not followed). True when one
// did. No page body is read, so the request moves no more than the answer's head. Once the
// probe is cancelled no further attempt starts, and the handles it had open are closed.
bool MakeProbeRequests(const ProbeRequest& request, ProbeCancellation& cancellation);
