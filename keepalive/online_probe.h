#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/threads.h"

class AutodialSwitch;
class EventLog;

// The online probe: a worker opens the keep-alive URL, driven from the user-interface thread by
// the non-blocking step Check. A probe that has not answered within its time limit is given
// up: its result is offline, and whatever its worker does later changes nothing. A probe that
// stops counting, given up or dropped, is cancelled: its worker stops waiting at once, closes
// its own handles, makes no further request and then puts autodial back.

enum class ProbeResult { Pending, Online, Offline };

// What a probe opens, copied on the user-interface thread when it starts.
struct ProbeTarget {
    std::string url;
    // The URL as the settings last loaded or saved it, or a marker after the URL dialog's test;
    // only its length counts, for the second short-URL warning.
    std::string savedUrl;
    bool suppressAutodial = false;  // autodial is switched off while the requests run
};

// How long a probe waits. Each attempt, from the name lookup to the answer's head, has
// attemptMs, and a probe makes three attempts, so against a server that never answers it ends
// by itself before the limit; a slow dial-up line still gets 15 s for each attempt.
struct ProbeTimes {
    std::uint32_t attemptMs = 15000;
    std::uint64_t limitMs = 60000;
};

class ProbeCancellation;

// A keep-alive URL shorter than this gets the short-URL warnings.
inline constexpr std::size_t kShortestUrl = 5;
// The longest the window thread waits for workers when the program ends.
inline constexpr std::uint64_t kEndWaitMs = 100;

class OnlineProbe {
  public:
    // Workers share the switch, so one given up on may outlive the probe.
    OnlineProbe(EventLog& log, std::shared_ptr<AutodialSwitch> autodial, ProbeTimes times = {});
    OnlineProbe(const OnlineProbe&) = delete;
    OnlineProbe& operator=(const OnlineProbe&) = delete;
    ~OnlineProbe();

    // Starts a probe of target, reports that it still runs, or hands out its result once.
    // User-interface thread only; never blocks.
    ProbeResult Check(const ProbeTarget& target);
    // Drops the running probe, or the result nobody has collected yet, without a log line: the
    // next step starts a fresh probe. The dropped probe is cancelled; this never waits for its
    // worker. User-interface thread only.
    void Abandon();
    // Abandons, then gives the workers still running at most kEndWaitMs in all to close their
    // handles and put autodial back, for the program is about to end. User-interface thread
    // only.
    void End();
    // The warnings about a keep-alive URL too short to be one ("URL not correct", then
    // "URL2 not correct" when the saved URL is short too), once for each such URL a probe was
    // started with; empty when there is nothing new. The window thread shows them, so the
    // probe never waits for the user. User-interface thread only.
    std::vector<std::string> TakeShortUrlWarnings();

    // A probe was started and its result is not handed out yet.
    bool Started() const { return m_started; }
    // From the start of a probe until its worker's last action (or until it is given up).
    bool Checking() const;
    // The last finished probe's result.
    bool LastOnline() const;

    // What the probe and its workers co-own.
    struct Shared;

  private:
    ProbeResult Start(const ProbeTarget& target);
    ProbeResult HandOut();
    void DropRunning();
    void ForgetEndedWorkers();
    void NoteShortUrl(const ProbeTarget& target);

    EventLog& m_log;
    const ProbeTimes m_times;
    std::shared_ptr<Shared> m_shared;                   // what the workers touch
    std::shared_ptr<ProbeCancellation> m_cancellation;  // the running probe's
    std::vector<platform::Thread> m_workers;            // those not seen ended yet
    bool m_started = false;
    unsigned m_turn = 0;  // the running probe's
    std::uint64_t m_startedAt = 0;
    std::vector<std::string> m_shortUrlWarnings;
    std::optional<std::string> m_lastShortUrl;  // the short URL last warned about
};
