#pragma once

#include <cstdint>

#include "platform/service.h"

// Plain files and folders, shaped like CreateFileA and friends.
namespace platform {

using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFile = -1;

inline constexpr std::uint32_t kGenericRead = 0x80000000u;
inline constexpr std::uint32_t kGenericWrite = 0x40000000u;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kOpenAlways = 4;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kAttributeTemporary = 0x100;

inline constexpr int kCsidlStartup = 7;
inline constexpr int kCsidlFlagCreate = 0x8000;

class IFiles {
  public:
    virtual ~IFiles() = default;
    virtual FileHandle CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                                   std::uint32_t disposition, std::uint32_t attributes) = 0;
    virtual std::uint32_t GetFileSize(FileHandle file) = 0;
    virtual bool SeekToEnd(FileHandle file) = 0;
    virtual bool WriteFile(FileHandle file, const void* data, std::uint32_t size) = 0;
    virtual bool CloseHandle(FileHandle file) = 0;
    virtual bool DeleteFileA(const char* path) = 0;
    // GetCurrentDirectoryA: the length written, 0 on failure, or the size needed when too small.
    virtual std::uint32_t GetCurrentDirectoryA(std::uint32_t size, char* buffer) = 0;
    // SHGetFolderPathA into a buffer of 260 characters; false unless it gives S_OK. A missing
    // folder fails, unless csidl carries kCsidlFlagCreate: then the shell creates it.
    virtual bool GetSpecialFolderPath(int csidl, char* path) = 0;
};

inline IFiles& Files() {
    return Use<IFiles>();
}

}  // namespace platform
