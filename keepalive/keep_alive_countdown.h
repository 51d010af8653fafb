#pragma once

#include <cstdint>

// When the next keep-alive probe is due: an interval counted from a start time, in the
// calendar time of the platform clock.
class KeepAliveCountdown {
  public:
    void SetInterval(int hours, int minutes, int seconds);
    // Starts counting from the current time.
    void StartNow();
    void Disarm();
    // True when armed and the interval has passed by more than its whole seconds.
    bool IsDue() const;

  private:
    int m_hours = 0;
    int m_minutes = 0;
    int m_seconds = 0;
    bool m_armed = false;
    std::int64_t m_startedAt = 0;
};
