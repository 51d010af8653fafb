#include "history/line_texts.h"

#include <iterator>

#include "history/padded_number.h"
#include "platform/clock.h"

std::string DurationText(std::int64_t seconds) {
    struct Unit {
        std::int64_t seconds;
        const char* name;
    };
    static const Unit kUnits[] = {{86400, "d"}, {3600, "h"}, {60, "min"}, {1, "s"}};
    std::size_t first = 0;
    while (first + 1 < std::size(kUnits) && seconds < kUnits[first].seconds) ++first;
    std::string text = std::to_string(seconds / kUnits[first].seconds) + ' ' + kUnits[first].name;
    if (first + 1 == std::size(kUnits)) return text;
    const Unit& next = kUnits[first + 1];
    const std::int64_t rest = seconds % kUnits[first].seconds / next.seconds;
    return rest == 0 ? text : text + ' ' + std::to_string(rest) + ' ' + next.name;
}

std::string TipStateLine(const std::optional<LinePeriod>& open) {
    if (!open || open->state == LineState::kOff) return "Off";
    const platform::LocalTime since = platform::Clock().LocalTimeAt(open->start).local;
    return std::string(open->state == LineState::kOnline ? "Online" : "Offline") + " since " +
           PaddedNumber(since.hour, 2) + ':' + PaddedNumber(since.minute, 2);
}
