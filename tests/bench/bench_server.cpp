#include "tests/bench/bench_server.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace {

void SendAll(SOCKET socket, const std::string& text) {
    send(socket, text.data(), static_cast<int>(text.size()), 0);
}

// Waits up to milliseconds for the socket to become readable.
bool Readable(SOCKET socket, long milliseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval wait{milliseconds / 1000, milliseconds % 1000 * 1000};
    return select(0, &set, nullptr, nullptr, &wait) == 1;
}

}  // namespace

BenchServer::BenchServer(Mode mode) : m_mode(mode) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(m_listener, SOMAXCONN);
    int length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

BenchServer::~BenchServer() {
    m_stopping = true;
    m_thread.join();
    for (SOCKET held : m_held) closesocket(held);
    closesocket(m_listener);
    WSACleanup();
}

std::string BenchServer::Url() const {
    return "http://127.0.0.1:" + std::to_string(m_port) + "/keepalive";
}

void BenchServer::ResetCounts() {
    m_requests = 0;
    m_bodyBytes = 0;
}

void BenchServer::Serve() {
    while (!m_stopping) {
        if (!Readable(m_listener, 50)) continue;
        const SOCKET client = accept(m_listener, nullptr, nullptr);
        if (client != INVALID_SOCKET) Answer(client);
    }
}

void BenchServer::Answer(SOCKET client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && Readable(client, 5000)) {
        const int n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    const long long count = ++m_requests;
    switch (m_mode) {
        case Mode::kNeverAnswer:
            m_held.push_back(client);
            return;
        case Mode::kLargePage:
            SendLargePage(client);
            break;
        case Mode::kRedirectLoop:
            if (count <= kRedirectCap) {
                SendAll(client, "HTTP/1.1 301 Moved Permanently\r\nLocation: " + Url() +
                                    "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                break;
            }
            [[fallthrough]];
        case Mode::kAnswer200:
            SendAll(client,
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"
                    "Connection: close\r\n\r\n<html></html>");
            break;
    }
    shutdown(client, SD_SEND);
    closesocket(client);
}

// A small send buffer, so the bytes counted are close to the bytes the client read.
void BenchServer::SendLargePage(SOCKET client) {
    int sendBuffer = 16 * 1024;
    setsockopt(client, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sendBuffer),
               sizeof sendBuffer);
    DWORD sendTimeout = 5000;  // a client that stops reading but keeps the connection
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
               sizeof sendTimeout);
    SendAll(client, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(kLargePageBytes) + "\r\nConnection: close\r\n\r\n");
    const std::string chunk(16 * 1024, 'x');
    long long sent = 0;
    while (sent < kLargePageBytes && !m_stopping) {
        const int n = send(client, chunk.data(),
                           static_cast<int>(std::min<long long>(
                               static_cast<long long>(chunk.size()), kLargePageBytes - sent)),
                           0);
        if (n <= 0) break;
        sent += n;
        m_bodyBytes += n;
    }
}
