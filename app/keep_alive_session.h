#pragma once

#include <string>

#include "app/start_options.h"
#include "history/line_history.h"
#include "keepalive/keep_alive_engine.h"
#include "keepalive/keep_alive_mode.h"
#include "platform/user.h"

class EventLog;
class OnlineProbe;
struct Settings;

// What shows a run of keeping alive: the lamps and the activity line, and the main window that
// the start into the tray hides. The status page is the real one.
class IRunView : public IKeepAliveView {
  public:
    virtual void MinimizeMainWindow() = 0;
};

// What shows the line's state outside the main window: the notification-area icon's tip and its
// notices.
class ILineView {
  public:
    virtual ~ILineView() = default;
    // The tip's line for the state now: "Online since 09:05".
    virtual void ShowLineState(const std::string& line) = 0;
    virtual void NoticeLineChange(const LineChange& change) = 0;
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
    // Any end of the run ends the line history's open period.
    ~KeepAliveSession() override;

    // The command line's choices, taken before any window exists: "-on" starts in ON, online.
    void TakeStartOptions(const StartOptions& options);
    // Only the user's own run keeps the line history, from the moment its window has been drawn:
    // the left-over record's folder costs the shell's loading, which the first paint need not
    // wait for. A mode chosen before counts from here; no probe has a result yet.
    void BeginHistory();
    // The view from now on; nullptr once it goes, so that nothing calls into it afterwards.
    void SetView(IRunView* view);
    // The same for the line's state; told the state now at once.
    void SetLineView(ILineView* view);

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
    // The Windows session ends: the process may be ended without another word.
    void OnSessionEnd();
    // Opens the line history for the user.
    void OpenHistory(platform::Window owner);

  private:
    ProbeResult TakeResult(ProbeResult result);
    void ShowLineState();

    void UpdateLamps() override;
    void ShowActivity(const std::string& line) override;

    KeepAliveMode m_mode = KeepAliveMode::Off;
    bool m_startInTray = false;
    IRunView* m_view = nullptr;
    ILineView* m_lineView = nullptr;
    LineHistory m_history;
    KeepAliveEngine m_engine;
};
