#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "history/line_period.h"

// How long, in the largest two units that fit: "3 min 12 s", "2 h 5 min", "45 s"; a second unit
// of nothing is left out ("1 h").
std::string DurationText(std::int64_t seconds);

// The tip's line for the open period: "Online since 09:05", "Offline since 10:12", "Off".
std::string TipStateLine(const std::optional<LinePeriod>& open);
