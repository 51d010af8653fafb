#pragma once

#include <string>

// What one probe's worker does on the network, with everything it needs copied in.
struct ProbeRequest {
    std::string url;
    std::string agent;       // for the root handle with the named-proxy access type
    std::string proxyAgent;  // for the root handle with the system's own settings
    bool suppressAutodial = false;
    unsigned turn = 0;
};

// Makes at most three requests for the head of the URL's page and stops at the first that
// gets an HTTP answer, whatever its status (a redirect too: it is not followed). True when one
// did. No page body is read, so the request moves no more than the answer's head.
bool MakeProbeRequests(const ProbeRequest& request);
