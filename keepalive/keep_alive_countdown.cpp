#include "keepalive/keep_alive_countdown.h"

#include "platform/clock.h"

void KeepAliveCountdown::SetInterval(int hours, int minutes, int seconds) {
    m_hours = hours;
    m_minutes = minutes;
    m_seconds = seconds;
}

void KeepAliveCountdown::StartNow() {
    m_startedAt = platform::Clock().Now();
    m_armed = true;
}

void KeepAliveCountdown::Disarm() {
    m_armed = false;
}

bool KeepAliveCountdown::IsDue() const {
    if (!m_armed) return false;
    const std::int64_t interval =
        std::int64_t{m_hours} * 3600 + std::int64_t{m_minutes} * 60 + std::int64_t{m_seconds};
    return m_startedAt + interval < platform::Clock().Now();
}
