#include "keepalive/keep_alive_countdown.h"

#include "platform/clock.h"

void KeepAliveCountdown::SetInterval(int hours, int minutes, int seconds) {
    m_nHours = hours;
    m_nMinutes = minutes;
    m_nSeconds = seconds;
}

void KeepAliveCountdown::StartNow() {
    m_tStart = platform::Clock().Now();
    m_bArmed = true;
}

void KeepAliveCountdown::Disarm() {
    m_bArmed = false;
}

bool KeepAliveCountdown::IsDue() const {
    if (!m_bArmed) return false;
    const std::int64_t interval =
        std::int64_t{m_nHours} * 3600 + std::int64_t{m_nMinutes} * 60 + std::int64_t{m_nSeconds};
    return m_tStart + interval < platform::Clock().Now();
}
