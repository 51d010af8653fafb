#include "history/line_history.h"

#include <cstdlib>

#include "history/history_row.h"
#include "platform/clock.h"

namespace {

// While nothing changes the record is renewed no more often than this.
constexpr std::int64_t kRecordSeconds = 60;
// 9999-12-31 23:59:59 UTC, the last second the system's calendar takes; a record past it was not
// written by a run.
constexpr long long kLatestSeconds = 253402300799;

std::int64_t Now() {
    return platform::Clock().Now();
}

// A period from switch-on has no state until its first result, and is no row without one.
bool Known(const LinePeriod& period) {
    return period.state == LineState::kOff || period.probes > 0;
}

// The record's first line: "state start last probes", or "-" when no period is open.
std::string PeriodLine(const std::optional<LinePeriod>& open) {
    if (!open) return "-\r\n";
    return std::to_string(static_cast<int>(open->state)) + ' ' + std::to_string(open->start) + ' ' +
           std::to_string(open->last) + ' ' + std::to_string(open->probes) + "\r\n";
}

// The record's first line as PeriodLine writes it; nothing when it is not one.
std::optional<LinePeriod> ReadPeriod(const std::string& line) {
    long long numbers[4] = {};
    const char* next = line.c_str();
    for (long long& number : numbers) {
        char* end = nullptr;
        number = std::strtoll(next, &end, 10);
        if (end == next) return std::nullopt;
        next = end;
    }
    const auto [state, start, last, probes] = numbers;
    if (*next != '\0' || state < 0 || state > static_cast<int>(LineState::kOff) || start < 0 ||
        last < start || last > kLatestSeconds || probes < 0 || probes > 0x7FFFFFFF)
        return std::nullopt;
    return LinePeriod{static_cast<LineState>(state), start, last, static_cast<int>(probes)};
}

}  // namespace

// A killed run's open period ends at the last moment that run saw it.
void LineHistory::Begin() {
    m_running = true;
    const std::optional<std::string> record = m_file.ReadRecord();
    if (!record) return;
    const std::size_t lineEnd = record->find("\r\n");
    if (lineEnd != std::string::npos) {
        const std::optional<LinePeriod> left = ReadPeriod(record->substr(0, lineEnd));
        m_pending = record->substr(lineEnd + 2);
        if (left && Known(*left)) m_pending += HistoryRow(*left, left->last);
    }
    Flush();
    KeepRecord();
}

void LineHistory::SwitchOn() {
    if (!m_running) return;
    const std::int64_t now = Now();
    Finish(now);
    Start(LineState::kOnline, now, 0);
}

std::optional<LineChange> LineHistory::Result(bool online) {
    if (!m_running || !m_open || m_open->state == LineState::kOff) return std::nullopt;
    const std::int64_t now = Now();
    const LineState state = online ? LineState::kOnline : LineState::kOffline;
    if (m_open->probes > 0 && m_open->state != state) {
        const LineChange change{online, online ? now - m_open->start : 0};
        Finish(now);
        Start(state, now, 1);
        return change;
    }
    const bool first = m_open->probes == 0;
    m_open->state = state;
    m_open->last = now;
    ++m_open->probes;
    if (first || now - m_recordKept >= kRecordSeconds) KeepRecord();
    return std::nullopt;
}

void LineHistory::SwitchOff() {
    if (!m_running) return;
    const std::int64_t now = Now();
    Finish(now);
    Start(LineState::kOff, now, 0);
}

void LineHistory::End() {
    if (!m_running) return;
    Finish(Now());
    m_running = false;
    Flush();
    KeepRecord();
}

void LineHistory::Retry() {
    if (!m_running || m_pending.empty()) return;
    Flush();
    if (m_pending.empty()) KeepRecord();
}

std::string LineHistory::PreparedFile() {
    Retry();
    if (m_file.Append("") == platform::FileWrite::kFailed) m_failed = true;
    return m_file.Path();
}

bool LineHistory::TakeFailure() {
    if (!m_failed || m_told) return false;
    m_told = true;
    return true;
}

void LineHistory::Finish(std::int64_t end) {
    if (m_open && Known(*m_open)) m_pending += HistoryRow(*m_open, end);
    m_open.reset();
}

void LineHistory::Start(LineState state, std::int64_t now, int probes) {
    m_open = LinePeriod{state, now, now, probes};
    Flush();
    KeepRecord();
}

// A locked file keeps the rows for the next chance; any other failure too, and it is told.
void LineHistory::Flush() {
    if (m_pending.empty()) return;
    const platform::FileWrite written = m_file.Append(m_pending);
    if (written == platform::FileWrite::kDone)
        m_pending.clear();
    else if (written == platform::FileWrite::kFailed)
        m_failed = true;
}

void LineHistory::KeepRecord() {
    m_recordKept = Now();
    const bool empty = !m_open && m_pending.empty();
    if (!m_file.KeepRecord(empty ? "" : PeriodLine(m_open) + m_pending)) m_failed = true;
}
