#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/internet.h"

// An internet library that records every call, fails on request, and can hold requests until
// the test lets them go. Safe to call from the probe's worker while the test looks on.
class FakeInternet : public platform::IInternet {
  public:
    platform::HInternet InternetOpenA(const char* agent, std::uint32_t accessType,
                                      const char* proxy, const char* proxyBypass,
                                      std::uint32_t flags) override;
    platform::HInternet InternetOpenUrlA(platform::HInternet internet, const char* url,
                                         const char* headers, std::uint32_t headersLength,
                                         std::uint32_t flags, std::uintptr_t context) override;
    bool InternetCloseHandle(platform::HInternet handle) override;

    // Set up before the probe starts.
    std::set<std::uint32_t> failingAccessTypes;  // InternetOpenA fails for these
    std::deque<bool> requestResults;             // one per request, front first; then failures
    std::function<void()> duringRequest;         // called inside every request

    // Requests wait while held, until Release.
    void Hold();
    void Release();
    // Waits until `count` requests have arrived; false after `seconds`.
    bool WaitForRequests(std::size_t count, int seconds);

    std::vector<std::string> Calls() const;
    std::vector<std::string> Urls() const;
    std::size_t Requests() const;
    std::size_t OpenHandles() const;
    std::size_t BadCloses() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    std::vector<std::string> calls_;
    std::vector<std::string> urls_;
    std::set<platform::HInternet> open_;
    std::size_t badCloses_ = 0;
    platform::HInternet next_ = 0x100;
};
