#include "keepalive/online_probe.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <utility>

#include "keepalive/autodial.h"
#include "keepalive/probe_request.h"
#include "platform/clock.h"
#include "platform/threads.h"
#include "res/product.h"
#include "ui/event_log.h"

ProbeTarget g_probeTarget;
int iOnlineStatus = kProbeIdle;
std::atomic<int> g_bChecking{0};
std::atomic<int> g_bOnline{0};
std::atomic<int> g_bSuppressAutodial{0};

namespace {

constexpr std::size_t kShortestUrl = 5;

// Which probe counts: each start and each give-up moves it on, and a worker whose probe no
// longer counts writes nothing. Never destroyed: a worker may outlive the program's statics.
struct ProbeTurn {
    std::mutex lock;
    unsigned current = 0;
};

ProbeTurn& Turn() {
    static auto* const turn = new ProbeTurn;
    return *turn;
}

// The user-interface thread's side of the running probe.
struct RunningProbe {
    unsigned turn = 0;
    std::uint64_t startedAt = 0;
};
RunningProbe g_running;

// Workers of this and earlier probes: reaped once ended. One given up on is not waited for; it
// touches only what is never destroyed, so it may still be running when the program ends.
std::vector<platform::Thread>& Workers() {
    static auto* const workers = new std::vector<platform::Thread>;
    return *workers;
}

std::vector<std::string> g_shortUrlWarnings;
std::optional<std::string> g_lastShortUrl;  // the short URL last warned about

void ReapEndedWorkers() {
    auto& workers = Workers();
    for (auto it = workers.begin(); it != workers.end();)
        it = it->Ended() ? workers.erase(it) : it + 1;
}

// Once for each short URL; a good one in between makes the next short one new again.
void NoteShortUrl() {
    const std::string& url = g_probeTarget.url;
    const bool isShort = url.size() < kShortestUrl;
    if (isShort && url != g_lastShortUrl) {
        g_shortUrlWarnings = {"URL not correct"};
        if (g_probeTarget.savedUrl.size() < kShortestUrl)
            g_shortUrlWarnings.push_back("URL2 not correct");
    }
    g_lastShortUrl = isShort ? std::optional<std::string>(url) : std::nullopt;
}

// Everything the worker needs, copied on the user-interface thread before it starts.
ProbeRequest TakeRequest(unsigned turn) {
    ProbeRequest request;
    request.url = g_probeTarget.url;
    NoteShortUrl();
    request.agent = g_strVersion + "_" + g_strAgentTag;
    request.proxyAgent = g_strVersion + "_PROXY_" + g_strAgentTag;
    request.suppressAutodial = g_bSuppressAutodial == 1;
    request.turn = turn;
    return request;
}

bool Counts(unsigned turn) {
    return Turn().current == turn;
}

void RunWorker(const ProbeRequest& request) {
    if (request.suppressAutodial) {
        // Under the turn's lock, so a probe given up on meanwhile never switches autodial off.
        const std::lock_guard<std::mutex> lock(Turn().lock);
        if (!Counts(request.turn)) return;
        SuppressAutodial(1, request.turn);
    }
    const int result = MakeProbeRequests(request);
    if (request.suppressAutodial) SuppressAutodial(0, request.turn);
    const std::lock_guard<std::mutex> lock(Turn().lock);
    if (!Counts(request.turn)) return;
    g_bOnline = result;
    g_bChecking = 0;
}

int StartProbe() {
    ReapEndedWorkers();
    unsigned turn = 0;
    {
        // Raised before the worker exists, so no step in between hands out the previous result.
        const std::lock_guard<std::mutex> lock(Turn().lock);
        turn = ++Turn().current;
        g_bChecking = 1;
    }
    platform::Thread worker(
        platform::Threads().StartThread([request = TakeRequest(turn)] { RunWorker(request); }));
    if (!worker) {
        const std::lock_guard<std::mutex> lock(Turn().lock);
        g_bChecking = 0;
        return kProbePending;
    }
    Workers().push_back(std::move(worker));
    g_running = RunningProbe{turn, platform::Clock().GetTickCount64()};
    g_eventLog.Write("Checking online...");
    iOnlineStatus = kProbeStarted;
    return kProbePending;
}

// Stops the running probe from counting, and puts autodial back if it is holding it off.
void DropRunningProbe() {
    {
        const std::lock_guard<std::mutex> lock(Turn().lock);
        ++Turn().current;
        g_bChecking = 0;
    }
    SuppressAutodial(0, g_running.turn);
    iOnlineStatus = kProbeIdle;
}

int HandOutResult() {
    if (g_bChecking) {
        if (platform::Clock().GetTickCount64() - g_running.startedAt < kProbeTimeLimitMs)
            return kProbePending;
        DropRunningProbe();  // given up: it counts as offline
        g_bOnline = 0;
    }
    const int result = g_bOnline == 1 ? kProbeOnline : kProbeOffline;
    g_eventLog.Write(result == kProbeOnline ? "Online!" : "OFFline!");
    iOnlineStatus = kProbeIdle;
    return result;
}

}  // namespace

int CheckOnline() {
    if (iOnlineStatus == kProbeIdle) return StartProbe();
    if (iOnlineStatus == kProbeStarted) return HandOutResult();
    g_eventLog.Write("iOnlineStatus error");
    return kProbePending;
}

void AbandonProbe() {
    if (iOnlineStatus == kProbeStarted) DropRunningProbe();
}

std::vector<std::string> TakeShortUrlWarnings() {
    return std::exchange(g_shortUrlWarnings, {});
}
