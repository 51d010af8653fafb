#pragma once

#include <optional>
#include <string>

// What a .lnk file on disk holds, read through the system's shell-link object.
struct SavedShortcut {
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string iconLocation;
    int iconIndex = -1;
    std::string description;
    int showCmd = 0;
    unsigned hotkey = 0xFFFF;
};

// None when the file is missing or no shortcut. COM is initialized on the calling thread.
std::optional<SavedShortcut> ReadSavedShortcut(const std::string& file);
