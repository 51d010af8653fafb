#pragma once

#include <windows.h>
#include <shellapi.h>

#include "base/loaded_library.h"

// Shell_NotifyIconW with the shell loaded for as long as the object lives: the calls of one
// change to a window's notification-area icon. The icon lives in the taskbar's process, so a run
// in the notification area need not keep the shell (over 1 MB) in memory.
class NotifyIcon {
  public:
    NotifyIcon();
    bool operator()(DWORD message, NOTIFYICONDATAW* data) const;

  private:
    using Call = BOOL(DWORD, NOTIFYICONDATAW*);

    LoadedLibrary m_shell;
    SystemFunctionPointer<Call> m_call;
};
