#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder for one test's files, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "nimbrel-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    // The folder written the Windows way, with a trailing backslash; the doubles map it back.
    std::string WindowsDirectory() const {
        std::string path = m_path.string() + "\\";
        for (char& c : path)
            if (c == '/') c = '\\';
        return path;
    }
    std::string WindowsPath(const std::string& name) const { return WindowsDirectory() + name; }
    std::filesystem::path HostPath(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};
