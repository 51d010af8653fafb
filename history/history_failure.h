#pragma once

#include <string>

// Tells the user that the line history could not be written (a full disk, a folder not
// allowed); the run goes on without it. path is "" when the system gives no folder for it.
void TellHistoryFailure(const std::string& path);
