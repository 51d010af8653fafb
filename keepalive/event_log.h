#pragma once

#include <string>

// The keep-alive engine's diagnostic trail: the latest five time-stamped lines in memory, and,
// in developer builds only, every line appended to a log file (see docs/event-log.md).
// Window thread only.
class EventLog {
  public:
    EventLog();
    EventLog(bool fileOutput, std::string fileName);

    // Stamps text with the local time of day (" 9:05:07: text") and keeps it.
    void Write(const std::string& text);
    // The kept lines, oldest first, joined with CR LF; empty when there is none.
    std::string Lines() const;

  private:
    void Append(const std::string& text) const;

    static constexpr int kKeptLines = 5;

    std::string m_lines[kKeptLines + 1];
    int m_count = 0;
    bool m_headerPending = true;
    bool m_fileOutput;
    std::string m_fileName;
};
