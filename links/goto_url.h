#pragma once

#include <cstdint>
#include <string>

// Opens target (a web or "mailto:" address) with the system's default program. When the shell
// cannot, runs the program registered for ".htm" pages with the target instead. Returns the
// shell's or that program start's result: above 32 means the target was opened.
//
// The registered command and the command line have fixed limits (259 and 519 characters); a
// fallback that would not fit is not tried, and the shell's own result is returned.
std::intptr_t GotoURL(const std::string& target);
