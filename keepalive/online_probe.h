#pragma once

#include <atomic>

// The online probe: one worker at a time opens the keep-alive URL, driven from the
// user-interface thread by the non-blocking step CheckOnline.

inline constexpr int kProbeIdle = 100;     // no probe running; the next step starts one
inline constexpr int kProbeStarted = 200;  // started, its result not yet handed out

inline constexpr int kProbeOnline = 1;
inline constexpr int kProbeOffline = -1;
inline constexpr int kProbePending = 0;

// The step's state; user-interface thread only.
extern int iOnlineStatus;

// 1 from the start of a probe until its worker's last action.
extern std::atomic<int> g_bChecking;
// The last finished probe's result, 1 online; written before g_bChecking is lowered.
extern std::atomic<int> g_bOnline;
// 1: the probe switches the system's autodial off while its requests run.
extern std::atomic<int> g_bSuppressAutodial;

// Starts a probe, reports that it still runs, or hands out its result once:
// kProbeOnline, kProbeOffline or kProbePending. User-interface thread only; never blocks.
int CheckOnline();

// The worker's body: opens the keep-alive URL and leaves the result in g_bOnline.
void is_online();
