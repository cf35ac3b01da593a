// A scripted HTTP server on 127.0.0.1 inside the test process: each path gets a canned reply,
// which may lie about its length, stop early, drip slowly or drop the connection.
#pragma once
#include <winsock2.h>
#include "framework/String.h"
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

struct HttpReply {
    int status = 200;
    std::string body;
    bool withContentLength = true;
    long contentLength = -1;          // announced length; -1 announces the body's true size
    size_t bytesToSend = std::string::npos;  // send only this much of the body, then close
    bool resetAfterSending = false;   // end with a reset instead of an orderly close
    int pieces = 1;                   // split the body into this many sends...
    DWORD pauseMs = 0;                // ...with this pause between them
};

class LoopbackServer {
public:
    LoopbackServer() {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        int length = sizeof(address);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_listener, 8);
        m_thread = std::thread([this] { AcceptLoop(); });
    }

    ~LoopbackServer() {
        // A blocked accept is woken by one last connection rather than by closing under it.
        m_stopping = true;
        SOCKET wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(m_port));
        connect(wake, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        m_thread.join();
        closesocket(wake);
        closesocket(m_listener);
        WSACleanup();
    }

    void Serve(const std::string& path, const HttpReply& reply) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_replies[path] = reply;
    }

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>", the form of a version server base address.
    CString BaseUrl() const { return FormatString(L"http://127.0.0.1:%d", m_port); }

    // The request targets received so far, in order ("/path?query").
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    // A loopback port that nothing listens on (connections to it are refused).
    static int UnusedPort() {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(s, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        int length = sizeof(address);
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        closesocket(s);
        WSACleanup();
        return ntohs(address.sin_port);
    }

private:
    void AcceptLoop() {
        for (;;) {
            SOCKET client = accept(m_listener, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            if (m_stopping) {
                closesocket(client);
                return;
            }
            DWORD timeoutMs = 10000;
            setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs), sizeof(timeoutMs));
            Answer(client);
        }
    }

    void Answer(SOCKET client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int n = recv(client, buffer, sizeof(buffer), 0);
            if (n <= 0) break;
            request.append(buffer, n);
        }
        size_t start = request.find(' ') + 1;
        std::string target = request.substr(start, request.find(' ', start) - start);
        std::string path = target.substr(0, target.find('?'));

        HttpReply reply;
        reply.status = 404;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(target);
            auto found = m_replies.find(path);
            if (found != m_replies.end()) reply = found->second;
        }

        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " Scripted\r\n";
        head += "Content-Type: application/octet-stream\r\nCache-Control: no-store\r\nConnection: close\r\n";
        if (reply.withContentLength)
            head += "Content-Length: " +
                    std::to_string(reply.contentLength >= 0 ? static_cast<size_t>(reply.contentLength) : reply.body.size()) + "\r\n";
        head += "\r\n";
        SendAll(client, head.data(), head.size());

        size_t total = reply.bytesToSend < reply.body.size() ? reply.bytesToSend : reply.body.size();
        size_t pieceSize = reply.pieces > 1 ? (total + reply.pieces - 1) / reply.pieces : total;
        for (size_t sent = 0; sent < total; sent += pieceSize) {
            if (sent > 0 && reply.pauseMs) Sleep(reply.pauseMs);
            size_t n = total - sent < pieceSize ? total - sent : pieceSize;
            if (!SendAll(client, reply.body.data() + sent, n)) break;
        }
        if (reply.resetAfterSending) {
            linger hardClose = { 1, 0 };
            setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hardClose), sizeof(hardClose));
        } else {
            shutdown(client, SD_SEND);
            // Let the client read everything before the socket goes.
            while (recv(client, buffer, sizeof(buffer), 0) > 0) {}
        }
        closesocket(client);
    }

    static bool SendAll(SOCKET s, const char* data, size_t size) {
        while (size > 0) {
            int n = send(s, data, static_cast<int>(size), 0);
            if (n <= 0) return false;
            data += n;
            size -= n;
        }
        return true;
    }

    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stopping{ false };
    std::thread m_thread;
    std::mutex m_mutex;
    std::map<std::string, HttpReply> m_replies;
    std::vector<std::string> m_requests;
};

}  // namespace testing_support
