#pragma once

// The run's mode and start requests, set from the command line; never persisted.

inline constexpr int kModeOff = 0;
inline constexpr int kModeOnOffline = 1;
inline constexpr int kModeOnOnline = 2;
inline constexpr int kModeUninstall = -99;

extern int g_iMode;
extern int g_bStartInTray;
