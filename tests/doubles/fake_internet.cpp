#include "tests/doubles/fake_internet.h"

#include <chrono>
#include <cstring>

namespace {

std::string Text(const char* text) {
    return text ? text : "(null)";
}

}  // namespace

platform::HInternet FakeInternet::Open(const std::string& what) {
    open_[next_] = what;
    return next_++;
}

platform::HInternet FakeInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                                const char* proxy, const char* proxyBypass,
                                                std::uint32_t flags) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("InternetOpenA " + Text(agent) + " | " + std::to_string(accessType) + " " +
                     Text(proxy) + " " + Text(proxyBypass) + " " + std::to_string(flags));
    if (failingAccessTypes.count(accessType)) return 0;
    return Open("root");
}

platform::HInternet FakeInternet::InternetConnectA(platform::HInternet internet,
                                                   const char* serverName, std::uint16_t serverPort,
                                                   const char* userName, const char* password,
                                                   std::uint32_t service, std::uint32_t flags,
                                                   std::uintptr_t context) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto parent = open_.find(internet);
    const bool good = parent != open_.end() && parent->second == "root";
    calls_.push_back("InternetConnectA " + std::string(good ? "root" : "BAD") + " " +
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
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto parent = open_.find(connect);
    const bool good = parent != open_.end() && parent->second.rfind("connection ", 0) == 0;
    calls_.push_back("HttpOpenRequestA " + std::string(good ? "connection" : "BAD") + " " +
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
        std::unique_lock<std::mutex> lock(mutex_);
        const auto found = open_.find(request);
        const bool good = found != open_.end() && found->second.rfind("request ", 0) == 0;
        calls_.push_back("HttpSendRequestA " + std::string(good ? "request" : "BAD") + " " +
                         Text(headers) + " " + std::to_string(headersLength));
        if (!good) return false;
        const std::size_t arrival = urls_.size();
        urls_.push_back(found->second.substr(8));
        changed_.notify_all();
        changed_.wait(lock, [&] { return !held_ || arrival < released_; });
        during = duringRequest;
    }
    if (during) during();
    const std::lock_guard<std::mutex> lock(mutex_);
    int answer = kUnreachable;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    statuses_[request] = answer;
    return answer != kUnreachable;
}

bool FakeInternet::HttpQueryInfoA(platform::HInternet request, std::uint32_t infoLevel,
                                  void* buffer, std::uint32_t* bufferLength, std::uint32_t*) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("HttpQueryInfoA " + std::to_string(infoLevel));
    const auto found = statuses_.find(request);
    if (found == statuses_.end() || !buffer || !bufferLength || *bufferLength < 4) return false;
    // As WinINet does for a connection closed without a status line: a status of 0.
    const std::uint32_t status = found->second > 0 ? static_cast<std::uint32_t>(found->second) : 0;
    std::memcpy(buffer, &status, sizeof status);
    *bufferLength = sizeof status;
    return true;
}

bool FakeInternet::InternetCloseHandle(platform::HInternet handle) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("InternetCloseHandle");
    statuses_.erase(handle);
    if (open_.erase(handle)) return true;
    ++badCloses_;
    return false;
}

void FakeInternet::Hold() {
    const std::lock_guard<std::mutex> lock(mutex_);
    held_ = true;
}

void FakeInternet::Release() {
    const std::lock_guard<std::mutex> lock(mutex_);
    held_ = false;
    changed_.notify_all();
}

void FakeInternet::ReleaseFirst(std::size_t count) {
    const std::lock_guard<std::mutex> lock(mutex_);
    released_ = count;
    changed_.notify_all();
}

bool FakeInternet::WaitForRequests(std::size_t count, int seconds) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(seconds),
                             [&] { return urls_.size() >= count; });
}

std::vector<std::string> FakeInternet::Calls() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

std::vector<std::string> FakeInternet::Urls() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return urls_;
}

std::size_t FakeInternet::Requests() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return urls_.size();
}

std::size_t FakeInternet::OpenHandles() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return open_.size();
}

std::size_t FakeInternet::BadCloses() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return badCloses_;
}
