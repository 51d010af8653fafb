#pragma once

#include <string>

#include "platform/user.h"

// Tells the user, once a run, that the autostart shortcut could not be written: every later
// save would fail the same way.
class ShortcutFailureNotice {
  public:
    // A message box owned by owner; folder is "" when the Startup folder is unknown.
    void Tell(platform::Window owner, const std::string& folder);

  private:
    bool m_told = false;
};
