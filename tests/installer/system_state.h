#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

// What the installer and the uninstaller touch, read from outside: the install folder, the
// Start-menu shortcut, the entry in the list of installed apps; and running them to the end.
namespace installed {

using namespace std::chrono_literals;

// %LOCALAPPDATA%\Programs\Nimbrel\, with a trailing backslash.
std::string Folder();
// The names of the files in the folder and below it, sorted, with paths relative to it. Paths
// here are UTF-8.
std::vector<std::string> Files(const std::string& folder = Folder());
// The folder's files together, in bytes.
unsigned long long TotalSize();
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);
std::string MenuShortcut();

// The entry under HKCU ...\CurrentVersion\Uninstall\Nimbrel.
bool ListEntryExists();
std::optional<std::string> ListString(const char* name);
std::optional<DWORD> ListDword(const char* name);

// Runs a command line to its end; its exit code, or nothing when it did not end in time.
std::optional<DWORD> Run(const std::string& commandLine, std::chrono::milliseconds timeout = 60s);

// The uninstaller runs a copy of itself from the temp folder and ends at once: the uninstall is
// over when that copy has ended as well.
struct Uninstall {
    bool finished = false;
    // Visible top-level windows that came up while it ran: "class: caption".
    std::vector<std::string> windows;
};
Uninstall RunUninstaller(const std::string& commandLine, std::chrono::milliseconds timeout = 30s);

// Ends every process started from the install folder and removes all the installer's traces.
void RemoveEverything(const std::string& folder = Folder());

}  // namespace installed
