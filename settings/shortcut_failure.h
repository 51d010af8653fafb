#pragma once

#include <string>

#include "platform/user.h"

// Set once the user has been told that the autostart shortcut could not be written.
extern int g_bShortcutFailureTold;

// Tells the user, once a run, in a message box owned by owner, that the autostart shortcut
// could not be written into folder ("" when the Startup folder is unknown).
void TellShortcutNotWritten(platform::Window owner, const std::string& folder);
