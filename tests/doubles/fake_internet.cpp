#include "tests/doubles/fake_internet.h"

#include <chrono>

namespace {

constexpr platform::HInternet kFirstHandle = 0x100;

}  // namespace

platform::HInternet FakeInternet::Open(const std::string& what) {
    platform::HInternet handle = kFirstHandle;
    for (auto it = m_open.begin(); it != m_open.end() && it->first == handle; ++it) ++handle;
    m_open[handle] = {what, std::this_thread::get_id(), ++m_serial};
    return handle;
}

const FakeInternet::Handle* FakeInternet::Enter(const char* call, platform::HInternet handle,
                                                const std::string& kind) {
    const auto found = m_open.find(handle);
    if (found == m_open.end()) {
        m_misuses.push_back(std::string(call) + " on a handle that is not open");
        return nullptr;
    }
    if (found->second.opener != std::this_thread::get_id())
        m_misuses.push_back(std::string(call) + " on another thread's handle");
    if (found->second.what.rfind(kind, 0) != 0) return nullptr;  // a caller's mistake
    ++found->second.callsRunning;
    return &found->second;
}

// The handle may have been closed meanwhile, and its value handed out again.
void FakeInternet::Leave(platform::HInternet handle, std::uint64_t serial) {
    const auto found = m_open.find(handle);
    if (found != m_open.end() && found->second.serial == serial) --found->second.callsRunning;
}

void FakeInternet::PauseIfDue(std::unique_lock<std::mutex>& lock) {
    if (m_pauseIn == 0 || --m_pauseIn > 0) return;
    m_paused = true;
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return !m_paused; });
}

platform::HInternet FakeInternet::OpenSession(const std::string& agent,
                                              platform::InternetRoute route) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const bool named = route == platform::InternetRoute::NamedProxy;
    m_calls.push_back("OpenSession " + agent + " | " + (named ? "named proxy" : "system settings"));
    PauseIfDue(lock);
    if (failingRoutes.count(route)) return 0;
    return Open("session");
}

platform::HInternet FakeInternet::Connect(platform::HInternet session, const std::string& host,
                                          std::uint16_t port) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const Handle* const parent = Enter("Connect", session, "session");
    m_calls.push_back("Connect " + std::string(parent ? "session" : "BAD") + " " + host + " " +
                      std::to_string(port));
    if (!parent) return 0;
    const std::uint64_t serial = parent->serial;
    PauseIfDue(lock);
    Leave(session, serial);
    return Open("connection " + host + ":" + std::to_string(port));
}

platform::HInternet FakeInternet::OpenHeadRequest(platform::HInternet connection,
                                                  const std::string& object, bool secure,
                                                  std::uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(m_mutex);
    const Handle* const parent = Enter("OpenHeadRequest", connection, "connection ");
    m_calls.push_back("OpenHeadRequest " + std::string(parent ? "connection" : "BAD") + " " +
                      object + (secure ? " secure " : " plain ") + std::to_string(timeoutMs));
    if (!parent) return 0;
    const std::uint64_t serial = parent->serial;
    const std::string target = parent->what.substr(11) + object;
    PauseIfDue(lock);
    Leave(connection, serial);
    return Open("request " + target);
}

int FakeInternet::Send(platform::HInternet request, platform::HSignal cancel,
                       std::uint32_t waitMs) {
    std::function<void()> during;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const Handle* const sent = Enter("Send", request, "request ");
        m_calls.push_back(std::string("Send ") + (sent ? "request" : "BAD"));
        if (!sent) return 0;
        const std::uint64_t serial = sent->serial;
        const std::size_t arrival = m_urls.size();
        m_urls.push_back(sent->what.substr(8));
        m_changed.notify_all();
        PauseIfDue(lock);
        const bool answered = m_changed.wait_for(lock, std::chrono::milliseconds(waitMs), [&] {
            return !m_held || arrival < m_released || RaisedLocked(cancel);
        });
        const bool cancelled = RaisedLocked(cancel);
        Leave(request, serial);
        if (!answered || cancelled) return 0;
        during = duringRequest;
    }
    if (during) during();
    const std::lock_guard<std::mutex> lock(m_mutex);
    int answer = kUnreachable;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    return answer;
}

bool FakeInternet::Close(platform::HInternet handle) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_calls.push_back("Close");
    const Handle* const closed = Enter("Close", handle, "");
    if (!closed) return false;
    const std::uint64_t serial = closed->serial;
    if (closed->callsRunning > 1) m_misuses.push_back("Close of a handle while a call on it runs");
    PauseIfDue(lock);
    Leave(handle, serial);
    // Closed all the same, as the library does.
    const auto found = m_open.find(handle);
    if (found != m_open.end() && found->second.serial == serial) m_open.erase(found);
    return true;
}

platform::HSignal FakeInternet::OpenSignal() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_signals[m_nextSignal] = false;
    return m_nextSignal++;
}

void FakeInternet::Raise(platform::HSignal signal) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_signals.find(signal);
    if (found == m_signals.end()) {
        m_misuses.push_back("Raise of a signal that is not open");
        return;
    }
    found->second = true;
    m_changed.notify_all();
}

bool FakeInternet::RaisedLocked(platform::HSignal signal) {
    const auto found = m_signals.find(signal);
    if (found == m_signals.end()) m_misuses.push_back("Wait on a signal that is not open");
    return found != m_signals.end() && found->second;
}

bool FakeInternet::Raised(platform::HSignal signal) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return RaisedLocked(signal);
}

void FakeInternet::CloseSignal(platform::HSignal signal) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_signals.erase(signal) == 0) m_misuses.push_back("Close of a signal that is not open");
}

void FakeInternet::Hold() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_held = true;
}

void FakeInternet::Release() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_held = false;
    m_changed.notify_all();
}

void FakeInternet::ReleaseFirst(std::size_t count) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_released = count;
    m_changed.notify_all();
}

bool FakeInternet::WaitForRequests(std::size_t count, int seconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(seconds),
                              [&] { return m_urls.size() >= count; });
}

void FakeInternet::PauseInCall(std::size_t nth) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_pauseIn = nth;
}

bool FakeInternet::WaitForPause(int milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return m_paused; });
}

void FakeInternet::Resume() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_pauseIn = 0;
    m_paused = false;
    m_changed.notify_all();
}

std::vector<std::string> FakeInternet::Calls() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

std::vector<std::string> FakeInternet::Urls() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_urls;
}

std::size_t FakeInternet::Requests() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_urls.size();
}

std::size_t FakeInternet::OpenHandles() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_open.size();
}

std::size_t FakeInternet::OpenSignals() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_signals.size();
}

std::vector<std::string> FakeInternet::Misuses() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_misuses;
}
