#pragma once

// What the lamps show; Uninstall is the run that "-uninstall" asks for and shows nothing.
enum class KeepAliveMode { Off, OnOffline, OnOnline, Uninstall };

// The run's mode and start requests, set from the command line; never persisted.
struct RunState {
    KeepAliveMode mode = KeepAliveMode::Off;
    bool startInTray = false;
};
