#pragma once

#include <mutex>
#include <vector>

#include "platform/internet.h"

// The network handles one probe's worker has open, so that whoever drops the probe can close
// them. Closing ends a request blocked on the network (on Windows; under Wine its own time-outs
// end it), and once cancelled the probe opens nothing new, so none of its requests goes out.
// Each handle is closed exactly once, by the worker or by the cancel. Any thread.
class ProbeCancellation {
  public:
    ProbeCancellation() = default;
    ProbeCancellation(const ProbeCancellation&) = delete;
    ProbeCancellation& operator=(const ProbeCancellation&) = delete;

    // Takes a just-opened handle into keeping and gives it back; after a cancel it closes the
    // handle at once and gives back none.
    platform::HInternet Keep(platform::HInternet handle);
    // Closes a kept handle unless the cancel has closed it already.
    void Close(platform::HInternet handle);
    // Closes every kept handle, the newest first; from now on nothing is kept.
    void Cancel();
    bool Cancelled() const;

  private:
    mutable std::mutex m_lock;  // guards both below; never held while a handle closes
    bool m_cancelled = false;
    std::vector<platform::HInternet> m_open;
};
