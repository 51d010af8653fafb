#pragma once

// How the command line asks the run to begin.
enum class StartMode {
    Off,        // shown, keeping nothing alive until Stay On
    StayOn,     // "-on": keeping alive from the status page's first showing
    Uninstall,  // "-uninstall": the program's traces removed, nothing shown; wins over "-on"
};

// The run's choices as the command line gives them; read once at start-up, never persisted.
struct StartOptions {
    StartMode mode = StartMode::Off;
    bool startInTray = false;  // "-tray": into the notification area at the first tick
    // "-quiet", given by the uninstaller: an uninstall that cannot be done says so only in the
    // exit code, and the uninstaller tells the user (in silence when it runs silently).
    bool quiet = false;
};

// Evaluates "-tray", "-on", "-uninstall" and "-quiet".
StartOptions EvaluateCommandLine(int argc, const char* const* argv);
