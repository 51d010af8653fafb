#include "history/history_row.h"

#include <cstdlib>

#include "history/padded_number.h"
#include "platform/clock.h"

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string IsoLocalTime(std::int64_t seconds) {
    const platform::ZonedTime time = platform::Clock().LocalTimeAt(seconds);
    const platform::LocalTime& t = time.local;
    const int offset = std::abs(time.utcOffsetMinutes);
    return PaddedNumber(t.year, 4) + '-' + PaddedNumber(t.month, 2) + '-' + PaddedNumber(t.day, 2) +
           'T' + PaddedNumber(t.hour, 2) + ':' + PaddedNumber(t.minute, 2) + ':' +
           PaddedNumber(t.second, 2) + (time.utcOffsetMinutes < 0 ? '-' : '+') +
           PaddedNumber(offset / 60, 2) + ':' + PaddedNumber(offset % 60, 2);
}

std::string HistoryRow(const LinePeriod& period, std::int64_t end) {
    const std::string fields[] = {IsoLocalTime(period.start), IsoLocalTime(end),
                                  StateName(period.state), std::to_string(end - period.start),
                                  std::to_string(period.probes)};
    std::string row;
    for (const std::string& field : fields) row += (row.empty() ? "" : ",") + CsvField(field);
    return row + "\r\n";
}
