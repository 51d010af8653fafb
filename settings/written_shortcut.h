#pragma once

#include <string>

// The file name of the autostart shortcut last written, kept in the settings key: when the
// shortcut's name changes (the language file, a user's edit), the old file is still found.

// Whether name can only mean a shortcut directly in the Startup folder: a plain file name (no
// folder, drive or stream part, no wildcard) that ends in ".lnk".
bool IsStartupLinkName(const std::string& name);

// The remembered file name; "" when none is remembered or the stored text is no such name.
std::string ReadWrittenShortcut();

void RememberWrittenShortcut(const std::string& fileName);

void ForgetWrittenShortcut();
