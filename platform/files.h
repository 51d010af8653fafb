#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/service.h"

// Plain files and the user's folders. Paths are UTF-8, with backslashes.
namespace platform {

// How a write that another program may stand in the way of ended.
enum class FileWrite { kDone, kLocked, kFailed };

class IFiles {
  public:
    virtual ~IFiles() = default;
    // The whole file; nothing when it cannot be read or is larger than any file this program
    // reads (kLargestReadFile).
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;
    // Gives an existing file this content; false when it is missing or cannot be written.
    virtual bool ReplaceFileContent(const std::string& path, const std::string& bytes) = 0;
    // Appends to a log file, made when missing; others may hold it open meanwhile.
    virtual bool AppendToLog(const std::string& path, const std::string& bytes) = 0;
    // Appends to a file, made when missing, that others may read meanwhile but not write. kLocked
    // when another program holds it without leaving it open for writing.
    virtual FileWrite AppendToFile(const std::string& path, const std::string& bytes) = 0;
    // Gives a file this content, made when missing; an end of the run meanwhile leaves the old
    // content or the new one.
    virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
    // The size in bytes; nothing when the file is missing.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
    // Renames a file, replacing one of the new name; kLocked as for AppendToFile.
    virtual FileWrite MoveReplacing(const std::string& from, const std::string& to) = 0;
    // Makes a folder whose parent exists; true when it is there afterwards.
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // The current directory; "" when the system cannot give it.
    virtual std::string CurrentDirectory() = 0;
    // The user's Startup folder, made first when `create` and it is missing; "" when the
    // system cannot give it.
    virtual std::string StartupFolder(bool create) = 0;
    // The user's local application data folder; "" when the system cannot give it.
    virtual std::string LocalAppDataFolder() = 0;
};

inline constexpr std::size_t kLargestReadFile = 4 * 1024 * 1024;

inline IFiles& Files() {
    return Use<IFiles>();
}

}  // namespace platform
