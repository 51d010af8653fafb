#pragma once

#include <string>

// Folders recorded at start-up, the Startup folder when the shortcut needs it. Paths are UTF-8.

// Every directory ends with a backslash; a folder the system cannot give is empty.
struct Folders {
    std::string programPath;    // the program's own file, never the command line's first word
    std::string programDir;     // the folder that holds it, with help.htm and german.lng
    std::string startDir;       // the current directory at start-up
    std::string startupFolder;  // the user's Startup folder

    std::string HelpPath() const { return programDir + "help.htm"; }
    std::string LanguageFilePath() const { return programDir + "german.lng"; }
};

// Every folder but the Startup folder, which only the autostart shortcut needs: asking for it
// loads the shell, which the first window does not need.
Folders RecordFolders();

// Records the Startup folder; with create, the shell makes it as it does for a new profile when
// it is missing. Whether the folder is known.
bool RecordStartupFolder(Folders& folders, bool create);
