#pragma once

#include <string>

#include "settings/language.h"

// The autostart shortcut's name and file, worked out without the shell.

// Whether c may stand in a file name: no control character, no part of a path or wildcard.
bool IsFileNameCharacter(char c);

// The language file's key of the shortcut's name.
inline constexpr const char* kAutostartLinkKey = "AutostartLink";

// The language file's "AutostartLink" text while that file is in use and the text is more
// than the key's own placeholder, else the product's name; made into a name the Startup folder
// can hold.
std::string AutostartLinkName(const LanguageTexts& texts);

// The shortcut file called name in the Startup folder; empty while that folder is unknown.
std::string StartupLinkFile(const std::string& startupFolder, const std::string& name);
