#pragma once

#include <functional>
#include <string>

#include "keepalive/keep_alive_countdown.h"
#include "keepalive/keep_alive_mode.h"
#include "keepalive/online_probe.h"

class EventLog;

// What the keep-alive tick shows outside itself: the lamps and the activity line.
class IKeepAliveView {
  public:
    virtual ~IKeepAliveView() = default;
    // Lights the lamp for the run's current mode and no other.
    virtual void UpdateLamps() = 0;
    virtual void ShowActivity(const std::string& line) = 0;
};

// The keep-alive engine's main loop, driven by a timer: while ON, it probes right after Stay On
// and then each time the countdown runs out, polling a running probe on every tick, and it
// shows the outcome in the run's mode, on the lamps and in the event log. It only keeps the
// line alive; what else the run asked for at start-up is its owner's.
class KeepAliveEngine {
  public:
    // mode is the run's: its owner sets where it starts, the engine moves it. probe is the
    // non-blocking step; abandon drops a running probe or a result nobody has collected, so the
    // next step starts afresh.
    KeepAliveEngine(IKeepAliveView& view, KeepAliveMode& mode, EventLog& log,
                    std::function<ProbeResult()> probe, std::function<void()> abandon);

    // One timer tick.
    void Tick();
    // ON, online at once, with a fresh probe at the next tick.
    void StartStayOn();
    // OFF; a running probe is dropped.
    void SwitchOff();
    // Back from sleep or hibernation: while ON, a fresh probe at once.
    void OnResume();
    // The session may end at any moment: a running probe is dropped, and none starts until the
    // end is cancelled, since autodial stays the user's meanwhile and a probe would be refused.
    void HoldForSessionEnd();
    // The end was cancelled: a probe dropped, or one that fell due meanwhile, comes at the next
    // tick, and the countdown goes on from where it was.
    void ResumeAfterCancelledEnd();

  private:
    bool IsOn() const;
    void Probe();
    void TakeResult(KeepAliveMode mode, const char* logLine);
    void ShowActivity();
    // A running probe, or a result nobody has taken, no longer counts.
    void DropProbe();

    IKeepAliveView& m_view;
    KeepAliveMode& m_mode;
    EventLog& m_log;
    std::function<ProbeResult()> m_probe;
    std::function<void()> m_abandon;
    KeepAliveCountdown m_countdown;
    int m_intervalHours = 0;
    int m_intervalMinutes = 0;
    bool m_forceProbe = false;
    bool m_probePending = false;
    bool m_holding = false;
    std::string m_dots;
};
