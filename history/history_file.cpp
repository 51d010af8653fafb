#include "history/history_file.h"

#include "history/history_row.h"
#include "res/product.h"

std::string HistoryFile::Folder() {
    if (!m_folder.empty()) return m_folder;
    const std::string base = platform::Files().LocalAppDataFolder();
    if (!base.empty()) m_folder = base + "\\" + kProductName;
    return m_folder;
}

std::string HistoryFile::Path() {
    const std::string folder = Folder();
    return folder.empty() ? "" : folder + "\\history.csv";
}

std::string HistoryFile::RecordPath() {
    const std::string folder = Folder();
    return folder.empty() ? "" : folder + "\\history.open";
}

platform::FileWrite HistoryFile::Append(const std::string& rows) {
    platform::IFiles& files = platform::Files();
    const std::string path = Path();
    if (path.empty() || !files.MakeFolder(Folder())) return platform::FileWrite::kFailed;
    // A missing file and an empty one both begin with the head.
    std::uint64_t size = files.FileSize(path).value_or(0);
    if (size >= kHistoryRotation) {
        const platform::FileWrite moved = files.MoveReplacing(path, Folder() + "\\history.1.csv");
        if (moved != platform::FileWrite::kDone) return moved;
        size = 0;
    }
    if (size > 0 && rows.empty()) return platform::FileWrite::kDone;
    return files.AppendToFile(path, (size == 0 ? kHistoryHead : "") + rows);
}

bool HistoryFile::KeepRecord(const std::string& text) {
    platform::IFiles& files = platform::Files();
    const std::string path = RecordPath();
    if (path.empty()) return false;
    if (text.empty()) return files.RemoveFile(path) || !files.FileSize(path);
    return files.MakeFolder(Folder()) && files.WriteWholeFile(path, text);
}

std::optional<std::string> HistoryFile::ReadRecord() {
    const std::string path = RecordPath();
    if (path.empty()) return std::nullopt;
    return platform::Files().ReadFile(path);
}
