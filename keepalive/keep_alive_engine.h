#pragma once

#include <functional>
#include <string>

#include "keepalive/keep_alive_countdown.h"
#include "keepalive/run_state.h"

// What the keep-alive tick shows and moves outside itself: the lamps, the activity line and
// the main window. The status page is the real one.
class IKeepAliveView {
  public:
    virtual ~IKeepAliveView() = default;
    // Lights the lamp for the current g_mode and no other.
    virtual void UpdateLamps() = 0;
    virtual void MinimiseMainWindow() = 0;
    virtual void ShowActivity(const std::string& line) = 0;
};

// The keep-alive engine's main loop, driven by the status page's timer: while ON, it probes
// right after Stay On and then each time the countdown runs out, polling a running probe on
// every tick, and it shows the outcome in g_mode, on the lamps and in the event log.
class KeepAliveEngine {
  public:
    // probe is the non-blocking step: 1 online, -1 offline, 0 no result yet; abandon drops a
    // running probe or a result nobody has collected, so the next step starts afresh.
    KeepAliveEngine(IKeepAliveView& view, std::function<int()> probe,
                    std::function<void()> abandon);

    // One timer tick.
    void Tick();
    // ON, online at once, with a fresh probe at the next tick.
    void StartStayOn();
    // OFF; a running probe goes on, and the next Stay On drops it.
    void SwitchOff();

  private:
    void Probe();
    void TakeResult(KeepAliveMode mode, const char* logLine);
    void ShowActivity();

    IKeepAliveView& m_view;
    std::function<int()> m_probe;
    std::function<void()> m_abandon;
    KeepAliveCountdown m_countdown;
    int m_nIntervalHours = 0;
    int m_nIntervalMinutes = 0;
    int m_bForceProbe = 0;
    int m_bProbePending = 0;
    std::string m_strDots;
    int m_nDots = 0;
};
