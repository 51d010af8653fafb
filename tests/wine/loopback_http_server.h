#pragma once

#include <winsock2.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Owns one socket and closes it once.
class Socket {
  public:
    Socket() = default;
    explicit Socket(SOCKET socket) : m_socket(socket) {}
    Socket(Socket&& other) noexcept;
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    ~Socket() { reset(); }

    SOCKET get() const { return m_socket; }
    explicit operator bool() const { return m_socket != INVALID_SOCKET; }
    void reset(SOCKET socket = INVALID_SOCKET);

  private:
    SOCKET m_socket = INVALID_SOCKET;
};

// A small HTTP server on 127.0.0.1 and an ephemeral port, run by a test on its own thread.
// It records each request line and user-agent text and answers as its mode says.
class LoopbackHttpServer {
  public:
    enum class Mode {
        kAnswer200,
        kAnswer500,
        kNeverAnswer,         // accepts and reads the request, then holds the connection until Stop
        kClosedPort,          // a port that was free a moment ago and has nobody listening
        kRedirectToItself,    // 301 to its own address, on the same connection
        kHugePage,            // a 200 with a 50 MB page, sent as fast as the client takes it
        kCloseWithoutAnswer,  // reads the request, then closes the connection
        kCloseLate,           // reads the request, then holds the connection for kLateCloseMs
    };
    static constexpr int kLateCloseMs = 3000;
    struct Request {
        std::string line;
        std::string userAgent;
    };

    explicit LoopbackHttpServer(Mode mode);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    // "http://127.0.0.1:<port>/keepalive".
    std::string Url() const;
    // Answers the next requests as mode says.
    void SetMode(Mode mode) { m_mode = mode; }
    // Runs on the server's thread once a request has been read, before it is answered.
    void OnRequest(std::function<void()> action);
    // Waits until `count` requests have arrived; false after `milliseconds`.
    bool WaitForRequests(std::size_t count, int milliseconds);
    std::vector<Request> Requests() const;
    // Bytes of page bodies the clients have taken (sent into the connection).
    long long BodyBytesSent() const { return m_bodyBytes; }
    // Held connections that the client has not closed yet.
    std::size_t OpenConnections() const;
    // Stops listening and closes every connection, held ones too; waits for the server's thread.
    void Stop();

  private:
    void Serve();
    bool Readable(SOCKET socket) const;
    void Answer(Socket client);
    bool ReadRequest(SOCKET client, std::string& head);
    void SendHugePage(SOCKET client, bool withBody);
    void CloseLateConnections();

    std::atomic<Mode> m_mode;
    WSADATA m_wsa{};
    Socket m_listener;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<long long> m_bodyBytes{0};
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Request> m_requests;
    struct Held {
        Socket socket;
        std::chrono::steady_clock::time_point closeAt;  // the far future for a never-answer
    };
    std::vector<Held> m_held;
    std::function<void()> m_onRequest;
    std::thread m_thread;
};
