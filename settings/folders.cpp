#include "settings/folders.h"

#include "platform/files.h"
#include "platform/process.h"

namespace {

// A drive's root comes with its backslash already.
std::string AsDirectory(const std::string& directory) {
    if (directory.empty() || directory.back() == '\\') return directory;
    return directory + '\\';
}

// The program's own file, whatever name or folder the command line started it by.
void RecordProgram(Folders& folders) {
    folders.programPath = platform::Process().ProgramPath();
    const std::size_t slash = folders.programPath.rfind('\\');
    folders.programDir = folders.programPath.substr(0, slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

Folders RecordFolders() {
    Folders folders;
    RecordProgram(folders);
    folders.startDir = AsDirectory(platform::Files().CurrentDirectory());
    return folders;
}

bool RecordStartupFolder(Folders& folders, bool create) {
    folders.startupFolder = AsDirectory(platform::Files().StartupFolder(create));
    return !folders.startupFolder.empty();
}
