#pragma once

#include <windows.h>
#include <shellapi.h>

namespace platform {

// Shell_NotifyIconW with the shell loaded for this call only. The icon lives in the taskbar's
// process, so a run in the notification area need not keep the shell (over 1 MB) in memory.
bool NotifyIcon(DWORD message, NOTIFYICONDATAW* data);

}  // namespace platform
