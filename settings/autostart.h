#pragma once

#include <string>

#include "platform/user.h"
#include "settings/folders.h"
#include "settings/language.h"
#include "settings/shortcut_failure.h"

// The autostart shortcut in the user's Startup folder.

// Writes a shortcut to target; false when COM or the link failed.
bool CreateShortcut(const std::string& linkFile, const std::string& workingDirectory,
                    const std::string& target, const std::string& arguments,
                    const std::string& name);

// Creates (on) or deletes the Startup folder's shortcut called name; false when it could not be
// created. A missing file is no error. Creating first makes a missing Startup folder; without
// one nothing is touched.
bool UpdateStartupShortcut(Folders& folders, const std::string& target,
                           const std::string& arguments, const std::string& name, bool on);

// The program's own autostart shortcut, named by the language file when it is in use.
class Autostart {
  public:
    Autostart(Folders& folders, LanguageTexts& texts);

    // Creates (on) or deletes the shortcut, and with it the one written last under another
    // name. A shortcut that cannot be written is told once a run, in a message box owned by
    // owner.
    void Set(bool on, platform::Window owner = 0);

  private:
    Folders& m_folders;
    LanguageTexts& m_texts;
    ShortcutFailureNotice m_failureNotice;
};
