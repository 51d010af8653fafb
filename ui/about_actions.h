#pragma once

#include "platform/user.h"

// What the about page's two buttons do.

// Opens the help file beside the program; says where it was looked for when it cannot.
void OpenHelpFile(platform::Window owner);

// Opens the maker's update page for this version; a failure goes unreported.
void OpenUpdatePage(platform::Window owner);
