#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/files.h"

// history.csv in the program's folder under the user's local application data, which is made
// when needed. The file begins with its head row; past kHistoryRotation bytes it becomes
// history.1.csv, replacing an older one, and a new file begins.
class HistoryFile {
  public:
    static constexpr std::uint64_t kHistoryRotation = 1024 * 1024;

    // The file's full path; "" when the system gives no folder for it.
    std::string Path();
    // Appends rows (none: only makes sure the file is there with its head).
    platform::FileWrite Append(const std::string& rows);
    // The small record beside it that outlives a killed run: the open period and the rows not
    // yet written. An empty text removes it; false when it cannot be kept.
    bool KeepRecord(const std::string& text);
    std::optional<std::string> ReadRecord();

  private:
    std::string RecordPath();
    // The folder, made when missing; "" when the system gives none.
    std::string Folder();
    std::string m_folder;
};
