#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/keep_alive_session.h"
#include "app/tray_presence.h"
#include "base/handles.h"

class LanguageTexts;
class Window;

inline constexpr UINT kTrayIconId = 100;

// Registered once, during static initialization.
extern const UINT g_uIconNotifyMessage;
// Sent by the shell when its taskbar is created again (Explorer restarted).
extern const UINT g_uTaskbarCreatedMessage;

// The main window's notification-area icon: id 100, tip string 100 over the line's state, the
// program's icon at the small-icon size, callbacks in the shell's version 4. A failed add is
// tried again on the owner's timer kRetryTimer. Changes of the line are told by its notices.
class TrayIcon final : private ITrayHost, public ILineView {
  public:
    static constexpr UINT_PTR kRetryTimer = 100;

    TrayIcon(Window& owner, const LanguageTexts& texts);

    TrayPresence& Presence() { return m_presence; }

  private:
    bool AddIcon() override;
    void RemoveIcon() override;
    void HideWindow() override;
    void ShowMinimized() override;
    void StartRetryTimer() override;
    void StopRetryTimer() override;
    void ShowLineState(const std::string& line) override;
    void NoticeLineChange(const LineChange& change) override;
    NOTIFYICONDATAW Record();
    HICON Icon();

    Window& m_owner;
    const LanguageTexts& m_texts;
    std::string m_lineState;
    OwnedIcon m_icon;
    TrayPresence m_presence{*this};
};
