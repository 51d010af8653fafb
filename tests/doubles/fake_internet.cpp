#include "tests/doubles/fake_internet.h"

#include <chrono>
#include <cstring>

namespace {

std::string Text(const char* text) {
    return text ? text : "(null)";
}

}  // namespace

platform::HInternet FakeInternet::Open(const std::string& what) {
    m_open[m_next] = what;
    return m_next++;
}

platform::HInternet FakeInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                                const char* proxy, const char* proxyBypass,
                                                std::uint32_t flags) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back("InternetOpenA " + Text(agent) + " | " + std::to_string(accessType) + " " +
                      Text(proxy) + " " + Text(proxyBypass) + " " + std::to_string(flags));
    if (failingAccessTypes.count(accessType)) return 0;
    return Open("root");
}

platform::HInternet FakeInternet::InternetConnectA(platform::HInternet internet,
                                                   const char* serverName, std::uint16_t serverPort,
                                                   const char* userName, const char* password,
                                                   std::uint32_t service, std::uint32_t flags,
                                                   std::uintptr_t context) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto parent = m_open.find(internet);
    const bool good = parent != m_open.end() && parent->second == "root";
    m_calls.push_back("InternetConnectA " + std::string(good ? "root" : "BAD") + " " +
                      Text(serverName) + " " + std::to_string(serverPort) + " " + Text(userName) +
                      " " + Text(password) + " " + std::to_string(service) + " " +
                      std::to_string(flags) + " " + std::to_string(context));
    if (!good) return 0;
    return Open("connection " + Text(serverName) + ":" + std::to_string(serverPort));
}

platform::HInternet FakeInternet::HttpOpenRequestA(platform::HInternet connect, const char* verb,
                                                   const char* objectName, const char* version,
                                                   const char* referrer, const char** acceptTypes,
                                                   std::uint32_t flags, std::uintptr_t context) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto parent = m_open.find(connect);
    const bool good = parent != m_open.end() && parent->second.rfind("connection ", 0) == 0;
    m_calls.push_back("HttpOpenRequestA " + std::string(good ? "connection" : "BAD") + " " +
                      Text(verb) + " " + Text(objectName) + " " + Text(version) + " " +
                      Text(referrer) + " " + (acceptTypes ? "types" : "(null)") + " " +
                      std::to_string(flags) + " " + std::to_string(context));
    if (!good) return 0;
    return Open("request " + parent->second.substr(11) + Text(objectName));
}

bool FakeInternet::HttpSendRequestA(platform::HInternet request, const char* headers,
                                    std::uint32_t headersLength, void*, std::uint32_t) {
    std::function<void()> during;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto found = m_open.find(request);
        const bool good = found != m_open.end() && found->second.rfind("request ", 0) == 0;
        m_calls.push_back("HttpSendRequestA " + std::string(good ? "request" : "BAD") + " " +
                          Text(headers) + " " + std::to_string(headersLength));
        if (!good) return false;
        const std::size_t arrival = m_urls.size();
        m_urls.push_back(found->second.substr(8));
        m_changed.notify_all();
        m_changed.wait(lock, [&] { return !m_held || arrival < m_released; });
        during = duringRequest;
    }
    if (during) during();
    const std::lock_guard<std::mutex> lock(m_mutex);
    int answer = kUnreachable;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    m_statuses[request] = answer;
    return answer != kUnreachable;
}

bool FakeInternet::HttpQueryInfoA(platform::HInternet request, std::uint32_t infoLevel,
                                  void* buffer, std::uint32_t* bufferLength, std::uint32_t*) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back("HttpQueryInfoA " + std::to_string(infoLevel));
    const auto found = m_statuses.find(request);
    if (found == m_statuses.end() || !buffer || !bufferLength || *bufferLength < 4) return false;
    // As WinINet does for a connection closed without a status line: a status of 0.
    const std::uint32_t status = found->second > 0 ? static_cast<std::uint32_t>(found->second) : 0;
    std::memcpy(buffer, &status, sizeof status);
    *bufferLength = sizeof status;
    return true;
}

bool FakeInternet::InternetCloseHandle(platform::HInternet handle) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back("InternetCloseHandle");
    m_statuses.erase(handle);
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
