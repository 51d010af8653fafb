#include "keepalive/probe_cancellation.h"

#include <algorithm>
#include <utility>

platform::HInternet ProbeCancellation::Keep(platform::HInternet handle) {
    if (handle == 0) return 0;
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        if (!m_cancelled) {
            m_open.push_back(handle);
            return handle;
        }
    }
    platform::Internet().Close(handle);
    return 0;
}

void ProbeCancellation::Close(platform::HInternet handle) {
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        const auto found = std::find(m_open.begin(), m_open.end(), handle);
        if (found == m_open.end()) return;  // the cancel closed it
        m_open.erase(found);
    }
    platform::Internet().Close(handle);
}

void ProbeCancellation::Cancel() {
    std::vector<platform::HInternet> open;
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_cancelled = true;
        open = std::exchange(m_open, {});
    }
    // The request before its connection, the connection before its session.
    for (auto it = open.rbegin(); it != open.rend(); ++it) platform::Internet().Close(*it);
}

bool ProbeCancellation::Cancelled() const {
    const std::lock_guard<std::mutex> lock(m_lock);
    return m_cancelled;
}
