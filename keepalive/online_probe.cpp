#include "keepalive/online_probe.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>

#include "keepalive/autodial.h"
#include "keepalive/event_log.h"
#include "keepalive/probe_cancellation.h"
#include "keepalive/probe_request.h"
#include "platform/clock.h"
#include "platform/threads.h"
#include "res/product.h"

// Which probe counts: each start and each give-up moves the turn on, and a worker whose probe
// no longer counts writes nothing.
struct OnlineProbe::Shared {
    explicit Shared(std::shared_ptr<AutodialSwitch> autodialSwitch)
        : autodial(std::move(autodialSwitch)) {}

    const std::shared_ptr<AutodialSwitch> autodial;
    std::mutex lock;  // guards the turn, and the writes below
    unsigned turn = 0;
    // Read without the lock, so the window thread never waits for a worker that holds it.
    std::atomic<bool> checking{false};
    std::atomic<bool> online{false};  // written before checking is lowered
};

namespace {

void RunWorker(OnlineProbe::Shared& shared, const ProbeRequest& request,
               ProbeCancellation& cancellation) {
    bool mayRequest = true;
    if (request.suppressAutodial) {
        // Under the turn's lock, so a probe given up on meanwhile never switches autodial off.
        const std::lock_guard<std::mutex> lock(shared.lock);
        if (shared.turn != request.turn) return;
        mayRequest = shared.autodial->SwitchOff(request.turn);
    }
    const bool answered = mayRequest && MakeProbeRequests(request, cancellation);
    // Its handles are closed now, so none of its requests can go out any more.
    if (request.suppressAutodial) shared.autodial->SwitchBack(request.turn);
    const std::lock_guard<std::mutex> lock(shared.lock);
    if (shared.turn != request.turn) return;
    shared.online = answered;
    shared.checking = false;
}

ProbeRequest MakeRequest(const ProbeTarget& target, unsigned turn, std::uint32_t attemptMs) {
    ProbeRequest request;
    request.url = target.url;
    request.agent = kVersion + "_" + kAgentTag;
    request.proxyAgent = kVersion + "_PROXY_" + kAgentTag;
    request.suppressAutodial = target.suppressAutodial;
    request.turn = turn;
    request.attemptTimeoutMs = attemptMs;
    return request;
}

platform::ThreadHandle StartWorker(const std::shared_ptr<OnlineProbe::Shared>& shared,
                                   const std::shared_ptr<ProbeCancellation>& cancellation,
                                   ProbeRequest request) {
    return platform::Threads().StartThread([shared, cancellation, request = std::move(request)] {
        RunWorker(*shared, request, *cancellation);
    });
}

}  // namespace

OnlineProbe::OnlineProbe(EventLog& log, std::shared_ptr<AutodialSwitch> autodial, ProbeTimes times)
    : m_log(log), m_times(times), m_shared(std::make_shared<Shared>(std::move(autodial))) {}

// A worker still running keeps its share of the state and ends soon after its cancel.
OnlineProbe::~OnlineProbe() {
    Abandon();
}

ProbeResult OnlineProbe::Check(const ProbeTarget& target) {
    return m_started ? HandOut() : Start(target);
}

void OnlineProbe::Abandon() {
    if (m_started) DropRunning();
}

void OnlineProbe::End() {
    Abandon();
    const std::uint64_t start = platform::Clock().GetTickCount64();
    for (const platform::Thread& worker : m_workers) {
        const std::uint64_t waited = platform::Clock().GetTickCount64() - start;
        if (waited >= kEndWaitMs || !worker.Ended(static_cast<std::uint32_t>(kEndWaitMs - waited)))
            return;
    }
}

std::vector<std::string> OnlineProbe::TakeShortUrlWarnings() {
    return std::exchange(m_shortUrlWarnings, {});
}

bool OnlineProbe::Checking() const {
    return m_shared->checking;
}

bool OnlineProbe::LastOnline() const {
    return m_shared->online;
}

// Once for each short URL; a good one in between makes the next short one new again.
void OnlineProbe::NoteShortUrl(const ProbeTarget& target) {
    const bool isShort = target.url.size() < kShortestUrl;
    if (isShort && target.url != m_lastShortUrl) {
        m_shortUrlWarnings = {"URL not correct"};
        if (target.savedUrl.size() < kShortestUrl) m_shortUrlWarnings.push_back("URL2 not correct");
    }
    m_lastShortUrl = isShort ? std::optional<std::string>(target.url) : std::nullopt;
}

ProbeResult OnlineProbe::Start(const ProbeTarget& target) {
    unsigned turn = 0;
    {
        // Raised before the worker exists, so no step in between hands out the previous result.
        const std::lock_guard<std::mutex> lock(m_shared->lock);
        turn = ++m_shared->turn;
        m_shared->checking = true;
    }
    NoteShortUrl(target);
    ForgetEndedWorkers();
    auto cancellation = std::make_shared<ProbeCancellation>();
    platform::Thread worker(
        *cancellation
            ? StartWorker(m_shared, cancellation, MakeRequest(target, turn, m_times.attemptMs))
            : 0);
    if (!worker) {
        const std::lock_guard<std::mutex> lock(m_shared->lock);
        m_shared->checking = false;
        return ProbeResult::Pending;
    }
    m_workers.push_back(std::move(worker));
    m_cancellation = std::move(cancellation);
    m_turn = turn;
    m_startedAt = platform::Clock().GetTickCount64();
    m_log.Write("Checking online...");
    m_started = true;
    return ProbeResult::Pending;
}

void OnlineProbe::ForgetEndedWorkers() {
    m_workers.erase(std::remove_if(m_workers.begin(), m_workers.end(),
                                   [](const platform::Thread& worker) { return worker.Ended(); }),
                    m_workers.end());
}

// Stops the running probe from counting and signals its worker, which closes its handles and
// puts autodial back itself; nothing here waits for it.
void OnlineProbe::DropRunning() {
    {
        const std::lock_guard<std::mutex> lock(m_shared->lock);
        ++m_shared->turn;
        m_shared->checking = false;
    }
    std::exchange(m_cancellation, nullptr)->Cancel();
    m_started = false;
}

ProbeResult OnlineProbe::HandOut() {
    if (Checking()) {
        if (platform::Clock().GetTickCount64() - m_startedAt < m_times.limitMs)
            return ProbeResult::Pending;
        DropRunning();  // given up: it counts as offline
        m_shared->online = false;
    }
    const bool online = LastOnline();
    m_log.Write(online ? "Online!" : "OFFline!");
    m_cancellation.reset();
    m_started = false;
    return online ? ProbeResult::Online : ProbeResult::Offline;
}
