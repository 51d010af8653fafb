#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/internet.h"

// An internet library that records every call, fails on request, and can hold requests until
// the test lets them go or pause a call at a moment the test picks. Like the real one it hands
// out a closed handle's value again (the lowest free one), and it records as misuse every call
// on a handle that is not open, from a thread that did not open it, and every close of a handle
// while a call on it runs. Safe to call from the probe's workers while the test looks on.
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
    int Send(platform::HInternet request, platform::HSignal cancel, std::uint32_t waitMs) override;
    bool Close(platform::HInternet handle) override;
    platform::HSignal OpenSignal() override;
    void Raise(platform::HSignal signal) override;
    bool Raised(platform::HSignal signal) override;
    void CloseSignal(platform::HSignal signal) override;

    // Set up before the probe starts.
    std::set<platform::InternetRoute> failingRoutes;  // OpenSession fails for these
    std::deque<int> answers;              // one per sent request, front first; then none
    std::function<void()> duringRequest;  // called inside every sent request

    // Sent requests wait while held, until Release, their cancel or their wait's end;
    // ReleaseFirst lets the first `count` sent requests go, in the order they came, and holds
    // the others.
    void Hold();
    void Release();
    void ReleaseFirst(std::size_t count);
    // Waits until `count` requests have been sent; false after `seconds`.
    bool WaitForRequests(std::size_t count, int seconds);
    // The call that comes `nth` from now (1: the next) stops inside, its handle in use, until
    // Resume; no cancel ends the pause. WaitForPause is false when none came in `milliseconds`.
    void PauseInCall(std::size_t nth);
    bool WaitForPause(int milliseconds);
    void Resume();

    std::vector<std::string> Calls() const;
    // "host:port/object" of every sent request.
    std::vector<std::string> Urls() const;
    std::size_t Requests() const;
    std::size_t OpenHandles() const;
    std::size_t OpenSignals() const;
    std::vector<std::string> Misuses() const;

  private:
    struct Handle {
        std::string what;  // "session", "connection host:port" or "request host:port/object"
        std::thread::id opener;
        std::uint64_t serial = 0;  // tells a value handed out again from its earlier handle
        int callsRunning = 0;
    };
    // Checks the handle a call is made on and marks it in use: what the handle is, or nothing
    // (and a misuse) when the call may not use it.
    const Handle* Enter(const char* call, platform::HInternet handle, const std::string& kind);
    void Leave(platform::HInternet handle, std::uint64_t serial);
    void PauseIfDue(std::unique_lock<std::mutex>& lock);
    bool RaisedLocked(platform::HSignal signal);
    platform::HInternet Open(const std::string& what);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    std::size_t m_released = 0;
    std::size_t m_pauseIn = 0;  // calls to go until the pause; 0 for none
    bool m_paused = false;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_urls;
    std::map<platform::HInternet, Handle> m_open;
    std::map<platform::HSignal, bool> m_signals;  // signal -> raised
    std::uint64_t m_serial = 0;
    platform::HSignal m_nextSignal = 0x9000;
    std::vector<std::string> m_misuses;
};
