#pragma once

#include <string>

#include "app/start_options.h"
#include "keepalive/keep_alive_engine.h"
#include "keepalive/keep_alive_mode.h"

class EventLog;
class OnlineProbe;
struct Settings;

// What shows a run of keeping alive: the lamps and the activity line, and the main window that
// the start into the tray hides. The status page is the real one.
class IRunView : public IKeepAliveView {
  public:
    virtual void MinimiseMainWindow() = 0;
};

// One run of keeping the line alive. The session owns the engine and the run's choices: the
// mode the lamps show and the start into the tray. The application object owns the session for
// the whole run; the status page shows it while the page exists and forwards the user's clicks
// and its timer's ticks.
class KeepAliveSession final : private IKeepAliveView {
  public:
    // Each probe goes to the target that settings give at that moment.
    KeepAliveSession(const Settings& settings, EventLog& log, OnlineProbe& probe);
    KeepAliveSession(const KeepAliveSession&) = delete;
    KeepAliveSession& operator=(const KeepAliveSession&) = delete;

    // The command line's choices, taken before any window exists: "-on" starts in ON, online.
    void TakeStartOptions(const StartOptions& options);
    // The view from now on; nullptr once it goes, so that nothing calls into it afterwards.
    void SetView(IRunView* view);

    KeepAliveMode Mode() const { return m_mode; }

    // One timer tick. The first one carries out the start into the tray, once.
    void Tick();
    // Stay On, Switch off, back from sleep or hibernation, a session end asked for and
    // cancelled: see the engine.
    void StartStayOn();
    void SwitchOff();
    void OnResume();
    void HoldForSessionEnd();
    void ResumeAfterCancelledEnd();
    // The user asked for the window: a start into the tray that has not happened yet is dropped.
    void KeepOnScreen();

  private:
    void UpdateLamps() override;
    void ShowActivity(const std::string& line) override;

    KeepAliveMode m_mode = KeepAliveMode::Off;
    bool m_startInTray = false;
    IRunView* m_view = nullptr;
    KeepAliveEngine m_engine;
};
