#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

// A fresh folder under the Wine prefix's temp folder for one test's files, removed afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        static int count = 0;
        m_path =
            std::filesystem::temp_directory_path() /
            ("nimbrel-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count));
        std::filesystem::create_directories(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // With a trailing backslash, as the program records its folders.
    std::string Directory() const { return m_path.string() + "\\"; }
    std::string Path(const std::string& name) const { return Directory() + name; }

  private:
    std::filesystem::path m_path;
};
