#pragma once

#include <cstdint>

#include "platform/service.h"

// Calendar time, the local time of day and a steady millisecond count.
namespace platform {

struct LocalTime {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

// A local time with its distance from UTC, as it applied at that moment.
struct ZonedTime {
    LocalTime local;
    int utcOffsetMinutes;
};

class IClock {
  public:
    virtual ~IClock() = default;
    // Calendar time in whole seconds, as time() gives it.
    virtual std::int64_t Now() = 0;
    // GetLocalTime.
    virtual LocalTime GetLocalTime() = 0;
    // The local time at a calendar time (seconds as Now gives them).
    virtual ZonedTime LocalTimeAt(std::int64_t seconds) = 0;
    // GetTickCount64: milliseconds since start-up, unmoved by changes of the clock.
    virtual std::uint64_t GetTickCount64() = 0;
};

inline IClock& Clock() {
    return Use<IClock>();
}

}  // namespace platform
