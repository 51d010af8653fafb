#pragma once

#include <cstdint>
#include <string>

#include "history/line_period.h"

// The history file's format: UTF-8 with a byte-order mark, comma-separated with CR LF line ends.
inline constexpr const char* kHistoryHead = "\xEF\xBB\xBFstart,end,state,seconds,probes\r\n";

// A field as a spreadsheet reads it back: in quotes, with quotes doubled, when it holds a comma,
// a quote or a line break.
std::string CsvField(const std::string& text);

// Local time with its offset from UTC: 2026-12-08T09:05:07+01:00.
std::string IsoLocalTime(std::int64_t seconds);

// The row of a period that ended at end, with its line end.
std::string HistoryRow(const LinePeriod& period, std::int64_t end);
