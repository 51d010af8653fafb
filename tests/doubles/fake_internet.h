#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/internet.h"

// An internet library that records every call, fails on request, and can hold requests until
// the test lets them go. Safe to call from the probe's workers while the test looks on.
class FakeInternet : public platform::IInternet {
  public:
    // What a sent request meets: no answer at all, or an answer with this HTTP status.
    static constexpr int kUnreachable = 0;

    platform::HInternet OpenSession(const std::string& agent,
                                    platform::InternetRoute route) override;
    platform::HInternet Connect(platform::HInternet session, const std::string& host,
                                std::uint16_t port) override;
    platform::HInternet OpenHeadRequest(platform::HInternet connection, const std::string& object,
                                        bool secure, std::uint32_t timeoutMs) override;
    int Send(platform::HInternet request) override;
    bool Close(platform::HInternet handle) override;

    // Set up before the probe starts.
    std::set<platform::InternetRoute> failingRoutes;  // OpenSession fails for these
    std::deque<int> answers;              // one per sent request, front first; then none
    std::function<void()> duringRequest;  // called inside every sent request

    // Sent requests wait while held, until Release or until their handle is closed (which ends
    // them unanswered); ReleaseFirst lets the first `count` sent requests go, in the order they
    // came, and holds the others.
    void Hold();
    void Release();
    void ReleaseFirst(std::size_t count);
    // Waits until `count` requests have been sent; false after `seconds`.
    bool WaitForRequests(std::size_t count, int seconds);

    std::vector<std::string> Calls() const;
    // "host:port/object" of every sent request.
    std::vector<std::string> Urls() const;
    std::size_t Requests() const;
    std::size_t OpenHandles() const;
    std::size_t BadCloses() const;

  private:
    platform::HInternet Open(const std::string& what);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    std::size_t m_released = 0;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_urls;
    std::map<platform::HInternet, std::string> m_open;  // handle -> what it is, with its target
    std::size_t m_badCloses = 0;
    platform::HInternet m_next = 0x100;
};
