#pragma once

#include <string>

// The keep-alive engine's diagnostic trail: the latest five time-stamped lines in memory, and,
// in developer builds only, every line appended to a log file (see docs/event-log.md).
class CEventLog {
  public:
    CEventLog();
    CEventLog(int fileOutput, std::string fileName);

    // Stamps text with the local time of day (" 9:05:07: text") and keeps it.
    void Write(std::string text);
    // The kept lines, oldest first, joined with CR LF; empty when there is none.
    void GetLines(std::string& lines) const;

  private:
    void Append(const std::string& text) const;

    std::string m_strLines[10];
    int m_nCount = 0;
    int m_nMaximum = 5;
    int m_bHeaderPending = 1;
    int m_bFileOutput;
    std::string m_strFileName;
};

extern CEventLog g_eventLog;
