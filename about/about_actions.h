#pragma once

#include <string>

#include "platform/user.h"

// What the about page's two buttons do.

// Opens the help file; says where it was looked for when it cannot.
void OpenHelpFile(platform::Window owner, const std::string& helpPath);

// Opens the maker's update page for this version; a failure goes unreported.
void OpenUpdatePage(platform::Window owner);
