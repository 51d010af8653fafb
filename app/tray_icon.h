#pragma once

#include <windows.h>
#include <shellapi.h>

// The notification-area icon: its callback message and its record.

inline constexpr UINT kTrayIconId = 100;

// Registered once, during static initialisation.
extern const UINT g_uIconNotifyMessage;
// Sent by the shell when its taskbar is created anew (Explorer restarted).
extern const UINT g_uTaskbarCreatedMessage;

// The record every add and delete uses: window, id 100, message, icon and tip string 100.
NOTIFYICONDATAA MakeTrayIconRecord(HWND window, HICON icon);
