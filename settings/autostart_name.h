#pragma once

#include <string>

// The autostart shortcut's name and file, worked out without the shell.

// Whether c may stand in a file name: no control character, no part of a path or wildcard.
bool IsFileNameCharacter(char c);

// The language file's "AutostartLink" text while that file is in force, else the product's
// name; made into a name the Startup folder can hold.
std::string AutostartLinkName();

// The shortcut file called name in the Startup folder; empty while that folder is unknown.
std::string StartupLinkFile(const std::string& name);
