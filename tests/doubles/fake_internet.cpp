#include "tests/doubles/fake_internet.h"

#include <chrono>

platform::HInternet FakeInternet::Open(const std::string& what) {
    m_open[m_next] = what;
    return m_next++;
}

platform::HInternet FakeInternet::OpenSession(const std::string& agent,
                                              platform::InternetRoute route) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const bool named = route == platform::InternetRoute::NamedProxy;
    m_calls.push_back("OpenSession " + agent + " | " + (named ? "named proxy" : "system settings"));
    if (failingRoutes.count(route)) return 0;
    return Open("session");
}

platform::HInternet FakeInternet::Connect(platform::HInternet session, const std::string& host,
                                          std::uint16_t port) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto parent = m_open.find(session);
    const bool good = parent != m_open.end() && parent->second == "session";
    m_calls.push_back("Connect " + std::string(good ? "session" : "BAD") + " " + host + " " +
                      std::to_string(port));
    if (!good) return 0;
    return Open("connection " + host + ":" + std::to_string(port));
}

platform::HInternet FakeInternet::OpenHeadRequest(platform::HInternet connection,
                                                  const std::string& object, bool secure,
                                                  std::uint32_t timeoutMs) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto parent = m_open.find(connection);
    const bool good = parent != m_open.end() && parent->second.rfind("connection ", 0) == 0;
    m_calls.push_back("OpenHeadRequest " + std::string(good ? "connection" : "BAD") + " " + object +
                      (secure ? " secure " : " plain ") + std::to_string(timeoutMs));
    if (!good) return 0;
    return Open("request " + parent->second.substr(11) + object);
}

int FakeInternet::Send(platform::HInternet request) {
    std::function<void()> during;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto found = m_open.find(request);
        const bool good = found != m_open.end() && found->second.rfind("request ", 0) == 0;
        m_calls.push_back(std::string("Send ") + (good ? "request" : "BAD"));
        if (!good) return 0;
        const std::size_t arrival = m_urls.size();
        m_urls.push_back(found->second.substr(8));
        m_changed.notify_all();
        // As on Windows, closing the handle ends the wait.
        m_changed.wait(
            lock, [&] { return !m_held || arrival < m_released || m_open.count(request) == 0; });
        if (m_open.count(request) == 0) return 0;
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
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back("Close");
    m_changed.notify_all();
    if (m_open.erase(handle)) return true;
    ++m_badCloses;
    return false;
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

std::size_t FakeInternet::BadCloses() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_badCloses;
}
