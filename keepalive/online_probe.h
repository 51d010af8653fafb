#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// The online probe: a worker opens the keep-alive URL, driven from the user-interface thread by
// the non-blocking step CheckOnline. A probe that has not answered within kProbeTimeLimitMs is
// given up: its result is offline, and whatever its worker does later changes nothing.

inline constexpr int kProbeIdle = 100;     // no probe running; the next step starts one
inline constexpr int kProbeStarted = 200;  // started, its result not yet handed out

inline constexpr int kProbeOnline = 1;
inline constexpr int kProbeOffline = -1;
inline constexpr int kProbePending = 0;

inline constexpr std::uint64_t kProbeTimeLimitMs = 60000;

// What the next probe opens; set on the user-interface thread before each step.
struct ProbeTarget {
    std::string url;
    std::string savedUrl;
    bool suppressAutodial = false;
};
extern ProbeTarget g_probeTarget;

// The step's state; user-interface thread only.
extern int iOnlineStatus;

// 1 from the start of a probe until its worker's last action (or until it is given up).
extern std::atomic<int> g_bChecking;
// The last finished probe's result, 1 online; written before g_bChecking is lowered.
extern std::atomic<int> g_bOnline;
// 1: the probe switches the system's autodial off while its requests run.
extern std::atomic<int> g_bSuppressAutodial;

// Starts a probe, reports that it still runs, or hands out its result once:
// kProbeOnline, kProbeOffline or kProbePending. User-interface thread only; never blocks.
int CheckOnline();

// Drops the running probe, or the result nobody has collected yet, without a log line: the next
// step starts a fresh probe. User-interface thread only.
void AbandonProbe();

// The warnings about a keep-alive URL too short to be one ("URL not correct", then
// "URL2 not correct" when the second text is short too), once for each such URL a probe was
// started with; empty when there is nothing new. The window thread shows them, so the probe
// never waits for the user. User-interface thread only.
std::vector<std::string> TakeShortUrlWarnings();
