#pragma once

#include "platform/files.h"

namespace platform {

// Owns one open file handle and closes it once.
class File {
  public:
    File(const char* path, std::uint32_t access, std::uint32_t share, std::uint32_t disposition,
         std::uint32_t attributes)
        : m_handle(Files().CreateFileA(path, access, share, disposition, attributes)) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (is_open()) Files().CloseHandle(m_handle);
    }

    bool is_open() const { return m_handle != kInvalidFile; }
    FileHandle get() const { return m_handle; }

  private:
    FileHandle m_handle;
};

}  // namespace platform
