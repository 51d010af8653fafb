#pragma once

#include <string>

// The autostart shortcut in the user's Startup folder.

// Writes a shortcut to target. 1 when it was saved, -1 when COM or the link failed.
int CreateShortcut(const std::string& linkFile, const std::string& workingDirectory,
                   const std::string& target, const std::string& arguments,
                   const std::string& name);

// Creates (on) or deletes the Startup folder's shortcut called name. -1 when it could not be
// created; a missing file is no error. Without a known Startup folder nothing is touched.
int UpdateStartupShortcut(const std::string& target, const std::string& arguments,
                          const std::string& name, int on);

// Creates (on = 1) or deletes the program's own autostart shortcut. Always 0.
int SetAutostart(int on);
