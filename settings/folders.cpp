#include "settings/folders.h"

#include <cstring>

#include "platform/file.h"
#include "platform/process.h"
#include "settings/bounded_copy.h"

namespace {

// An over-long folder would be cut in the middle of a name, so it is dropped instead.
std::string AsDirectory(const char* directory) {
    char target[kPathBufferSize];
    const std::size_t length = CopyBounded(target, kPathBufferSize - 1, directory);
    if (length >= kPathBufferSize - 1) return "";
    return std::string(target, length) + '\\';
}

// The program's own file, whatever name or folder the command line started it by. A path the
// buffer cannot hold whole is dropped, like an over-long folder: cut, it would name another file.
void RecordProgram(Folders& folders) {
    constexpr auto size = static_cast<std::uint32_t>(kPathBufferSize);
    char path[kPathBufferSize];
    std::uint32_t n = platform::Process().GetModuleFileNameA(path, size);
    if (n >= size) n = 0;
    folders.programPath.assign(path, n);
    const std::size_t slash = folders.programPath.rfind('\\');
    folders.programDir = folders.programPath.substr(0, slash == std::string::npos ? 0 : slash + 1);
}

std::string StartDirectory() {
    char current[kPathBufferSize] = "";
    const std::uint32_t n = platform::Files().GetCurrentDirectoryA(300, current);
    if (n == 0 || n >= 300) current[0] = '\0';
    return AsDirectory(current);
}

std::string StartupFolder(int flags) {
    char startup[kPathBufferSize] = "";
    if (platform::Files().GetSpecialFolderPath(platform::kCsidlStartup | flags, startup) &&
        startup[0])
        return AsDirectory(startup);
    return "";
}

}  // namespace

Folders RecordFolders() {
    Folders folders;
    RecordProgram(folders);
    folders.startDir = StartDirectory();
    folders.startupFolder = StartupFolder(0);
    return folders;
}

bool CreateStartupFolder(Folders& folders) {
    folders.startupFolder = StartupFolder(platform::kCsidlFlagCreate);
    return !folders.startupFolder.empty();
}

int GetFileSizeByName(const char* path) {
    platform::File file(path, platform::kGenericRead, 0, platform::kOpenExisting,
                        platform::kAttributeNormal);
    if (!file.is_open()) return -1;
    return static_cast<int>(platform::Files().GetFileSize(file.get()));
}
