#pragma once

#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// A loopback HTTP server for the benchmark, on its own thread. Every answer closes its
// connection, so each request the server counts is one the client made.
class BenchServer {
  public:
    enum class Mode {
        kAnswer200,     // a short page
        kNeverAnswer,   // reads the request, then holds the connection until the server stops
        kLargePage,     // a 50 MB page; counts the bytes the client took
        kRedirectLoop,  // a 301 back to the same address, up to kRedirectCap times
    };
    static constexpr long long kLargePageBytes = 50ll * 1024 * 1024;
    // After this many redirects the server answers 200, so an unbounded client still ends.
    static constexpr long long kRedirectCap = 2000;

    explicit BenchServer(Mode mode);
    BenchServer(const BenchServer&) = delete;
    BenchServer& operator=(const BenchServer&) = delete;
    ~BenchServer();

    std::string Url() const;
    long long Requests() const { return m_requests; }
    long long BodyBytesSent() const { return m_bodyBytes; }
    void ResetCounts();

  private:
    void Serve();
    void Answer(SOCKET client);
    void SendLargePage(SOCKET client);

    Mode m_mode;
    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<long long> m_requests{0};
    std::atomic<long long> m_bodyBytes{0};
    std::vector<SOCKET> m_held;  // server thread only
    std::thread m_thread;
};
