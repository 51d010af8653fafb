#pragma once

// What keeping the notification-area icon moves outside itself: the shell and the main window.
class ITrayHost {
  public:
    virtual ~ITrayHost() = default;
    // Adds the icon; false when the shell does not take it (no taskbar yet, or a busy one).
    virtual bool AddIcon() = 0;
    virtual void RemoveIcon() = 0;
    virtual void HideWindow() = 0;
    // Minimized but on show, so that the taskbar has a button for it.
    virtual void ShowMinimized() = 0;
    virtual void StartRetryTimer() = 0;
    virtual void StopRetryTimer() = 0;
};

// The main window in the notification area. The window hides only once the icon is in, so the
// user can always reach the program: while the shell refuses the icon, the window stays
// minimized with its taskbar button, and the icon is tried again on every retry tick.
class TrayPresence {
  public:
    explicit TrayPresence(ITrayHost& host) : m_host(host) {}

    // The window was minimized: into the notification area.
    void OnMinimized();
    // The window is back on the screen: the icon goes.
    void OnRestored();
    void OnRetryTimer();
    // A new taskbar has none of the old icons.
    void OnTaskbarCreated();
    // The run ends: no icon may stay behind.
    void OnExit();

    // The icon is in the notification area, so it can carry a notice.
    bool IconShown() const { return m_state == State::InTray; }

  private:
    enum class State { OnScreen, Waiting, InTray };

    void TryAdd();

    ITrayHost& m_host;
    State m_state = State::OnScreen;
};
