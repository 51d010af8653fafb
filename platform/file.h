#pragma once

#include "platform/files.h"

namespace platform {

// Owns one open file handle and closes it once.
class File {
  public:
    File(const char* path, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
         std::uint32_t attributes)
        : handle_(Files().CreateFileA(path, access, share, disposition, attributes)) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (is_open()) Files().CloseHandle(handle_);
    }

    bool is_open() const { return handle_ != kInvalidFile; }
    FileHandle get() const { return handle_; }

  private:
    FileHandle handle_;
};

}  // namespace platform
