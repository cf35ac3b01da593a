#include <winsock2.h>
#include "tests/support/LocalHttpServer.h"

namespace testing_support {

LocalHttpServer::LocalHttpServer(int port) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<u_short>(port));
    // Exclusive, so that a second server on a fixed port fails instead of sharing it.
    BOOL exclusive = TRUE;
    setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof(exclusive));
    m_bListening = bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    int len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_bListening = m_bListening && listen(s, 16) == 0;
    m_listener = s;
    m_hThread = CreateThread(nullptr, 0, &Serve, this, 0, nullptr);
}

LocalHttpServer::~LocalHttpServer() {
    closesocket(static_cast<SOCKET>(m_listener));
    WaitForSingleObject(m_hThread, 5000);
    CloseHandle(m_hThread);
}

void LocalHttpServer::SetPage(const std::string& path, const std::string& html) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pages[path] = html;
}

CString LocalHttpServer::Url(const std::string& path) const {
    return FormatString(L"http://127.0.0.1:%d", m_port) + CString(path.c_str());
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests;
}

int LocalHttpServer::CountRequests(const std::string& path) const {
    int n = 0;
    for (const auto& r : Requests()) n += r == path;
    return n;
}

void LocalHttpServer::ClearRequests() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_requests.clear();
}

unsigned long __stdcall LocalHttpServer::Serve(void* pParam) {
    auto* self = static_cast<LocalHttpServer*>(pParam);
    for (;;) {
        SOCKET client = accept(static_cast<SOCKET>(self->m_listener), nullptr, nullptr);
        if (client == INVALID_SOCKET) return 0;
        self->Answer(client);
    }
}

void LocalHttpServer::Answer(uintptr_t c) {
    SOCKET client = static_cast<SOCKET>(c);
    std::string request;
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        int n = recv(client, buf, sizeof(buf), 0);
        if (n <= 0) break;
        request.append(buf, n);
    }
    size_t sp1 = request.find(' '), sp2 = request.find(' ', sp1 + 1);
    std::string path = sp1 != std::string::npos && sp2 != std::string::npos ? request.substr(sp1 + 1, sp2 - sp1 - 1) : "";
    std::string body, status = "200 OK";
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_requests.push_back(path);
        auto it = m_pages.find(path);
        if (it != m_pages.end()) body = it->second;
        else { status = "404 Not Found"; body = "<html><body>not found</body></html>"; }
    }
    std::string reply = "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                        std::to_string(body.size()) + "\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n" + body;
    send(client, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
}

bool PumpMessagesFor(unsigned ms) {
    DWORD start = GetTickCount();
    return PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

}  // namespace testing_support
