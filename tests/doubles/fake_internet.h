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
    // What a sent request meets: no connection at all, a server that closes without a status
    // line, or an answer with this HTTP status.
    static constexpr int kUnreachable = 0;
    static constexpr int kClosedWithoutAnswer = -1;

    platform::HInternet InternetOpenA(const char* agent, std::uint32_t accessType,
                                      const char* proxy, const char* proxyBypass,
                                      std::uint32_t flags) override;
    platform::HInternet InternetConnectA(platform::HInternet internet, const char* serverName,
                                         std::uint16_t serverPort, const char* userName,
                                         const char* password, std::uint32_t service,
                                         std::uint32_t flags, std::uintptr_t context) override;
    platform::HInternet HttpOpenRequestA(platform::HInternet connect, const char* verb,
                                         const char* objectName, const char* version,
                                         const char* referrer, const char** acceptTypes,
                                         std::uint32_t flags, std::uintptr_t context) override;
    bool HttpSendRequestA(platform::HInternet request, const char* headers,
                          std::uint32_t headersLength, void* optional,
                          std::uint32_t optionalLength) override;
    bool HttpQueryInfoA(platform::HInternet request, std::uint32_t infoLevel, void* buffer,
                        std::uint32_t* bufferLength, std::uint32_t* index) override;
    bool InternetCloseHandle(platform::HInternet handle) override;

    // Set up before the probe starts.
    std::set<std::uint32_t> failingAccessTypes;  // InternetOpenA fails for these
    std::deque<int> answers;                     // one per sent request, front first; then none
    std::function<void()> duringRequest;         // called inside every sent request

    // Sent requests wait while held, until Release; ReleaseFirst lets the first `count` sent
    // requests go, in the order they came, and holds the others.
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
    std::map<platform::HInternet, int> m_statuses;      // request -> the status it met
    std::size_t m_badCloses = 0;
    platform::HInternet m_next = 0x100;
};
