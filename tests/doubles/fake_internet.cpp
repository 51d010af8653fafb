#include "tests/doubles/fake_internet.h"

#include <chrono>

namespace {

std::string Text(const char* text) {
    return text ? text : "(null)";
}

}  // namespace

platform::HInternet FakeInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                                const char* proxy, const char* proxyBypass,
                                                std::uint32_t flags) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("InternetOpenA " + Text(agent) + " | " + std::to_string(accessType) + " " +
                     Text(proxy) + " " + Text(proxyBypass) + " " + std::to_string(flags));
    if (failingAccessTypes.count(accessType)) return 0;
    open_.insert(next_);
    return next_++;
}

platform::HInternet FakeInternet::InternetOpenUrlA(platform::HInternet internet, const char* url,
                                                   const char* headers, std::uint32_t headersLength,
                                                   std::uint32_t flags, std::uintptr_t context) {
    std::function<void()> during;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        calls_.push_back("InternetOpenUrlA " + std::string(open_.count(internet) ? "root" : "BAD") +
                         " " + Text(url) + " " + Text(headers) + " " +
                         std::to_string(headersLength) + " " + std::to_string(flags) + " " +
                         std::to_string(context));
        urls_.push_back(Text(url));
        changed_.notify_all();
        changed_.wait(lock, [this] { return !held_; });
        during = duringRequest;
    }
    if (during) during();
    const std::lock_guard<std::mutex> lock(mutex_);
    bool opened = false;
    if (!requestResults.empty()) {
        opened = requestResults.front();
        requestResults.pop_front();
    }
    if (!opened) return 0;
    open_.insert(next_);
    return next_++;
}

bool FakeInternet::InternetCloseHandle(platform::HInternet handle) {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("InternetCloseHandle");
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
