#pragma once

#include <optional>
#include <string>

#include "platform/service.h"

// Plain files and the user's folders. Paths are UTF-8, with backslashes.
namespace platform {

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
    virtual bool RemoveFile(const std::string& path) = 0;
    // The current directory; "" when the system cannot give it.
    virtual std::string CurrentDirectory() = 0;
    // The user's Startup folder, made first when `create` and it is missing; "" when the
    // system cannot give it.
    virtual std::string StartupFolder(bool create) = 0;
};

inline constexpr std::size_t kLargestReadFile = 4 * 1024 * 1024;

inline IFiles& Files() {
    return Use<IFiles>();
}

}  // namespace platform
