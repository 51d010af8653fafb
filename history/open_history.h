#pragma once

#include <string>

#include "platform/user.h"

// Opens the history file with the user's program for ".csv", or with Notepad when there is
// none or the shell cannot open it.
void OpenHistory(platform::Window owner, const std::string& path);
