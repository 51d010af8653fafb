#include "keepalive/event_log.h"

#include <utility>

#include "platform/clock.h"
#include "platform/files.h"
#include "res/product.h"

#ifndef NIMBREL_EVENT_LOG_FILE
#define NIMBREL_EVENT_LOG_FILE 0
#endif

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

EventLog::EventLog() : EventLog(NIMBREL_EVENT_LOG_FILE != 0, kLogFile) {}

EventLog::EventLog(bool fileOutput, std::string fileName)
    : m_fileOutput(fileOutput), m_fileName(std::move(fileName)) {}

void EventLog::Write(const std::string& text) {
    const std::string stamp = LongTimestamp(platform::Clock().GetLocalTime());
    if (m_headerPending) {
        m_headerPending = false;
        Append("\r\n" + stamp + " *QOVE Event Log*, " + kMakerName + " - " + kMakerSite + "\r\n");
    }
    m_lines[m_count++] = ShortTime(platform::Clock().GetLocalTime()) + ": " + text;
    if (m_count > kKeptLines) {
        --m_count;
        for (int i = 0; i < m_count; ++i) m_lines[i] = std::move(m_lines[i + 1]);
        m_lines[m_count].clear();
    }
    Append(m_lines[m_count - 1] + "\r\n");
}

std::string EventLog::Lines() const {
    std::string joined = m_lines[0];
    for (int i = 1; i < m_count; ++i) joined += "\r\n" + m_lines[i];
    return joined;
}

void EventLog::Append(const std::string& text) const {
    if (m_fileOutput) platform::Files().AppendToLog(m_fileName, text);
}
