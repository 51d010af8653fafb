#include "settings/folders.h"

#include <cstring>

#include "platform/file.h"
#include "platform/process.h"
#include "settings/bounded_copy.h"

char g_szProgramPath[kPathBufferSize];
char g_szProgramDir[kPathBufferSize];
char g_szStartDir[kPathBufferSize];
char g_szStartupFolder[kPathBufferSize];

namespace {

// An over-long folder would be cut in the middle of a name, so it is dropped instead.
void RecordDirectory(char* target, const char* directory) {
    const std::size_t length = CopyBounded(target, kPathBufferSize - 1, directory);
    if (length >= kPathBufferSize - 1) {
        target[0] = '\0';
        return;
    }
    target[length] = '\\';
    target[length + 1] = '\0';
}

// The program's own file, whatever name or folder the command line started it by. A path the
// buffer cannot hold whole is dropped, like an over-long folder: cut, it would name another file.
void RecordProgram() {
    constexpr auto size = static_cast<std::uint32_t>(kPathBufferSize);
    std::uint32_t n = platform::Process().GetModuleFileNameA(g_szProgramPath, size);
    if (n >= size) n = 0;
    g_szProgramPath[n] = '\0';
    const char* slash = std::strrchr(g_szProgramPath, '\\');
    const std::size_t length = slash ? static_cast<std::size_t>(slash - g_szProgramPath) + 1 : 0;
    std::memcpy(g_szProgramDir, g_szProgramPath, length);
    g_szProgramDir[length] = '\0';
}

void RecordStartDirectory() {
    char current[kPathBufferSize] = "";
    const std::uint32_t n = platform::Files().GetCurrentDirectoryA(300, current);
    if (n == 0 || n >= 300) current[0] = '\0';
    RecordDirectory(g_szStartDir, current);
}

void RecordStartupFolder(int flags) {
    char startup[kPathBufferSize] = "";
    if (platform::Files().GetSpecialFolderPath(platform::kCsidlStartup | flags, startup) &&
        startup[0])
        RecordDirectory(g_szStartupFolder, startup);
    else
        g_szStartupFolder[0] = '\0';
}

}  // namespace

void InitFolders() {
    RecordProgram();
    RecordStartDirectory();
    RecordStartupFolder(0);
}

bool CreateStartupFolder() {
    RecordStartupFolder(platform::kCsidlFlagCreate);
    return g_szStartupFolder[0] != '\0';
}

int GetFileSizeByName(const char* path) {
    platform::File file(path, platform::kGenericRead, 0, platform::kOpenExisting,
                        platform::kAttributeNormal);
    if (!file.is_open()) return -1;
    return static_cast<int>(platform::Files().GetFileSize(file.get()));
}

int AppendToFile(const char* path, const char* text) {
    platform::File file(path, platform::kGenericWrite, platform::kFileShareWrite,
                        platform::kOpenAlways, platform::kAttributeTemporary);
    if (file.is_open() && platform::Files().SeekToEnd(file.get()))
        platform::Files().WriteFile(file.get(), text,
                                    static_cast<std::uint32_t>(std::strlen(text)));
    return 0;
}
