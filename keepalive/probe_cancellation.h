#pragma once

#include "platform/internet.h"

// The cancel signal of one probe. Whoever drops the probe only raises it; the worker reads it
// between its steps and its requests wait on it, and the worker closes its own handles. Shared
// by both sides, it goes with the last of them. Any thread.
class ProbeCancellation {
  public:
    ProbeCancellation();
    ProbeCancellation(const ProbeCancellation&) = delete;
    ProbeCancellation& operator=(const ProbeCancellation&) = delete;
    ~ProbeCancellation();

    // False when the library had no signal to give: such a probe could not be stopped.
    explicit operator bool() const { return m_signal != 0; }
    void Cancel();
    bool Cancelled() const;
    platform::HSignal Signal() const { return m_signal; }

  private:
    platform::IInternet& m_internet;  // the one that made the signal closes it
    const platform::HSignal m_signal;
};
