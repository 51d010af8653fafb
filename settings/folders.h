#pragma once

// Folders recorded once at start-up, and the small file helpers shared by the program.

inline constexpr int kPathBufferSize = 301;

extern char g_szProgramPath[kPathBufferSize];
extern char g_szProgramDir[kPathBufferSize];
extern char g_szStartDir[kPathBufferSize];
extern char g_szStartupFolder[kPathBufferSize];

// Records the program's own path (never the command line's first word) and directory, the start-up
// directory and the Startup folder; every directory ends with a backslash. A folder the system
// cannot give is left empty.
void InitFolders();

// Records the Startup folder again, asking the shell to create it as it does for a new profile
// when it is missing. Whether the folder is known.
bool CreateStartupFolder();

// The file's size in bytes (low 32 bits), or -1 when it cannot be opened. Also the existence test.
int GetFileSizeByName(const char* path);

// Appends text to the file, creating it when absent; silently does nothing when it cannot.
int AppendToFile(const char* path, const char* text);
