#include "ui/event_log.h"

#include <string>
#include <utility>

#include "platform/clock.h"
#include "res/product.h"
#include "settings/folders.h"

#ifndef NIMBREL_EVENT_LOG_FILE
#define NIMBREL_EVENT_LOG_FILE 0
#endif

CEventLog g_eventLog;

namespace {

constexpr const char* kLogFile = "c:\\aaaout\\nblog.txt";

// A number at least two characters wide, filled on the left with pad.
std::string TwoWide(int value, char pad) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(text.begin(), pad);
    return text;
}

std::string ShortTime(const platform::LocalTime& t) {
    return TwoWide(t.hour, ' ') + ':' + TwoWide(t.minute, '0') + ':' + TwoWide(t.second, '0');
}

std::string LongTimestamp(const platform::LocalTime& t) {
    return ShortTime(t) + ": @ " + std::to_string(t.day) + '-' + std::to_string(t.month) + '-' +
           std::to_string(t.year);
}

}  // namespace

CEventLog::CEventLog() : CEventLog(NIMBREL_EVENT_LOG_FILE, kLogFile) {}

CEventLog::CEventLog(int fileOutput, std::string fileName)
    : m_bFileOutput(fileOutput), m_strFileName(std::move(fileName)) {}

void CEventLog::Write(std::string text) {
    const std::string stamp = LongTimestamp(platform::Clock().GetLocalTime());
    if (m_bHeaderPending) {
        m_bHeaderPending = 0;
        Append("\r\n" + stamp + " *QOVE Event Log*, " + g_strMaker + " - " + kMakerSite + "\r\n");
    }
    m_strLines[m_nCount++] = ShortTime(platform::Clock().GetLocalTime()) + ": " + text;
    if (m_nCount > m_nMaximum) {
        --m_nCount;
        for (int i = 0; i < m_nCount; ++i) m_strLines[i] = std::move(m_strLines[i + 1]);
        m_strLines[m_nCount].clear();
    }
    Append(m_strLines[m_nCount - 1] + "\r\n");
}

void CEventLog::GetLines(std::string& lines) const {
    std::string joined = m_strLines[0];
    for (int i = 1; i < m_nCount; ++i) joined += "\r\n" + m_strLines[i];
    lines = joined;
}

void CEventLog::Append(const std::string& text) const {
    if (m_bFileOutput) AppendToFile(m_strFileName.c_str(), text.c_str());
}
