#pragma once

#include <string>

#include "platform/user.h"

// Why a link could not be opened, for a result code of the shell or of a program start.
std::string LinkErrorReason(int code);

// Tells the user that a link could not be opened and why, in a box with the exclamation icon
// and the program's name as caption.
void ReportError(int code, platform::Window owner);
