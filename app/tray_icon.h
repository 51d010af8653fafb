#pragma once

#include <windows.h>
#include <shellapi.h>

#include "app/tray_presence.h"
#include "base/handles.h"

class Window;

inline constexpr UINT kTrayIconId = 100;

// Registered once, during static initialisation.
extern const UINT g_uIconNotifyMessage;
// Sent by the shell when its taskbar is created anew (Explorer restarted).
extern const UINT g_uTaskbarCreatedMessage;

// The main window's notification-area icon: id 100, tip string 100, the program's icon at the
// small-icon size, callbacks in the shell's version 4. A failed add is tried again on the
// owner's timer kRetryTimer.
class TrayIcon final : private ITrayHost {
  public:
    static constexpr UINT_PTR kRetryTimer = 100;

    explicit TrayIcon(Window& owner);

    TrayPresence& Presence() { return m_presence; }

  private:
    bool AddIcon() override;
    void RemoveIcon() override;
    void HideWindow() override;
    void ShowMinimised() override;
    void StartRetryTimer() override;
    void StopRetryTimer() override;
    NOTIFYICONDATAW Record();
    HICON Icon();

    Window& m_owner;
    OwnedIcon m_icon;
    TrayPresence m_presence{*this};
};
