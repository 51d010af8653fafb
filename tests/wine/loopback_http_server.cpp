#include "tests/wine/loopback_http_server.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <utility>

Socket::Socket(Socket&& other) noexcept : m_socket(std::exchange(other.m_socket, INVALID_SOCKET)) {}

Socket& Socket::operator=(Socket&& other) noexcept {
    reset(std::exchange(other.m_socket, INVALID_SOCKET));
    return *this;
}

void Socket::reset(SOCKET socket) {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    m_socket = socket;
}

namespace {

constexpr int kPollMilliseconds = 20;

std::string HeaderValue(const std::string& head, const std::string& name) {
    const std::string key = "\r\n" + name + ":";
    const std::size_t at = head.find(key);
    if (at == std::string::npos) return "";
    std::size_t start = at + key.size();
    while (start < head.size() && head[start] == ' ') ++start;
    return head.substr(start, head.find("\r\n", start) - start);
}

bool ReadableNow(SOCKET socket) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval none{0, 0};
    return select(0, &readable, nullptr, nullptr, &none) == 1;
}

void SendAll(SOCKET socket, const std::string& text) {
    send(socket, text.data(), static_cast<int>(text.size()), 0);
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer(Mode mode) : m_mode(mode) {
    WSAStartup(MAKEWORD(2, 2), &m_wsa);
    m_listener.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(m_listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    int size = sizeof address;
    getsockname(m_listener.get(), reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    if (m_mode == Mode::kClosedPort) {
        m_listener.reset();
        return;
    }
    listen(m_listener.get(), 8);
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    Stop();
    WSACleanup();
}

std::string LoopbackHttpServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(m_port) + "/keepalive";
}

void LoopbackHttpServer::OnRequest(std::function<void()> action) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_onRequest = std::move(action);
}

bool LoopbackHttpServer::WaitForRequests(std::size_t count, int milliseconds) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_arrived.wait_for(lock, std::chrono::milliseconds(milliseconds),
                              [&] { return m_requests.size() >= count; });
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void LoopbackHttpServer::Stop() {
    m_stopping = true;
    if (m_thread.joinable()) m_thread.join();
    m_listener.reset();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_held.clear();
}

bool LoopbackHttpServer::Readable(SOCKET socket) const {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval wait{0, kPollMilliseconds * 1000};
    return select(0, &readable, nullptr, nullptr, &wait) == 1;
}

// A socket the peer has closed reads as its end at once.
std::size_t LoopbackHttpServer::OpenConnections() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<std::size_t>(
        std::count_if(m_held.begin(), m_held.end(), [](const Held& held) {
            char peeked = 0;
            return !ReadableNow(held.socket.get()) ||
                   recv(held.socket.get(), &peeked, 1, MSG_PEEK) > 0;
        }));
}

void LoopbackHttpServer::CloseLateConnections() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    m_held.erase(std::remove_if(m_held.begin(), m_held.end(),
                                [&](const Held& held) { return held.closeAt <= now; }),
                 m_held.end());
}

void LoopbackHttpServer::Serve() {
    while (!m_stopping) {
        CloseLateConnections();
        if (!Readable(m_listener.get())) continue;
        Socket client(accept(m_listener.get(), nullptr, nullptr));
        if (client) Answer(std::move(client));
    }
}

bool LoopbackHttpServer::ReadRequest(SOCKET client, std::string& head) {
    head.clear();
    char buffer[1024];
    while (!m_stopping && head.find("\r\n\r\n") == std::string::npos) {
        if (!Readable(client)) continue;
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    return !m_stopping;
}

// As fast as the client takes it: what it takes is what the request moved.
void LoopbackHttpServer::SendHugePage(SOCKET client, bool withBody) {
    constexpr long long kPageBytes = 50LL * 1024 * 1024;
    SendAll(client, "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                        std::to_string(kPageBytes) + "\r\n\r\n");
    if (!withBody) return;
    static const std::string chunk(16384, 'x');
    for (long long left = kPageBytes; left > 0 && !m_stopping;) {
        const int n = send(client, chunk.data(),
                           static_cast<int>(std::min<long long>(left, chunk.size())), 0);
        if (n <= 0) return;
        m_bodyBytes += n;
        left -= n;
    }
}

void LoopbackHttpServer::Answer(Socket client) {
    std::string head;
    while (ReadRequest(client.get(), head)) {
        std::function<void()> action;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            action = m_onRequest;
        }
        if (action) action();
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(
                Request{head.substr(0, head.find("\r\n")), HeaderValue(head, "User-Agent")});
            m_arrived.notify_all();
            if (m_mode == Mode::kNeverAnswer || m_mode == Mode::kCloseLate) {
                const auto now = std::chrono::steady_clock::now();
                m_held.push_back(
                    {std::move(client), m_mode == Mode::kCloseLate
                                            ? now + std::chrono::milliseconds(kLateCloseMs)
                                            : now + std::chrono::hours(24)});
                return;
            }
        }
        const bool headOnly = head.rfind("HEAD ", 0) == 0;
        switch (m_mode) {
            case Mode::kCloseWithoutAnswer:
                return;
            case Mode::kRedirectToItself:
                SendAll(client.get(), "HTTP/1.1 301 Moved Permanently\r\nLocation: " + Url() +
                                          "\r\nContent-Length: 0\r\n\r\n");
                continue;  // the same connection may bring the next request
            case Mode::kHugePage:
                SendHugePage(client.get(), !headOnly);
                return;
            default:
                break;
        }
        const std::string status =
            m_mode == Mode::kAnswer200 ? "200 OK" : "500 Internal Server Error";
        SendAll(client.get(), "HTTP/1.1 " + status +
                                  "\r\nContent-Type: text/plain\r\nContent-Length: 2\r\n"
                                  "Cache-Control: public, max-age=3600\r\n"
                                  "Connection: close\r\n\r\n" +
                                  (headOnly ? "" : "ok"));
        return;
    }
}
