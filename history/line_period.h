#pragma once

#include <cstdint>

// What the line was during one stretch of the run: what the probe said, or switched off.
enum class LineState { kOnline, kOffline, kOff };

// One period of one state, in calendar seconds. probes counts the probe results in it; a period
// that began at switch-on and has none yet does not know its state.
struct LinePeriod {
    LineState state;
    std::int64_t start;
    std::int64_t last;  // the latest moment the run saw it: its start or its latest probe
    int probes;
};

const char* StateName(LineState state);
