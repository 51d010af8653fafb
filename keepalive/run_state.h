#pragma once

// The run's mode and start requests, set from the command line; never persisted.

// What the lamps show; Uninstall is the run that "-uninstall" asks for and shows nothing.
enum class KeepAliveMode { Off, OnOffline, OnOnline, Uninstall };

extern KeepAliveMode g_mode;
extern int g_bStartInTray;
