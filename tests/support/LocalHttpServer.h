// A small HTTP server on 127.0.0.1 for tests that load pages: fixed bodies per path, every
// request path recorded. Runs on its own thread until the object goes.
#pragma once
#include "framework/String.h"
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace testing_support {

class LocalHttpServer {
public:
    // Port 0 takes any free port; a fixed port (the one the launcher is configured for) may be taken.
    explicit LocalHttpServer(int port = 0);
    ~LocalHttpServer();
    bool IsListening() const { return m_bListening; }

    // The body served for path (UTF-8 HTML); unknown paths get 404.
    void SetPage(const std::string& path, const std::string& html);
    // "http://127.0.0.1:<port>" followed by path.
    CString Url(const std::string& path) const;
    // Paths requested so far, in order (query strings included).
    std::vector<std::string> Requests() const;
    int CountRequests(const std::string& path) const;
    void ClearRequests();

private:
    static unsigned long __stdcall Serve(void* pParam);
    void Answer(uintptr_t client);

    uintptr_t m_listener;
    int m_port = 0;
    bool m_bListening = false;
    void* m_hThread = nullptr;
    mutable std::mutex m_lock;
    std::map<std::string, std::string> m_pages;
    std::vector<std::string> m_requests;
};

// Runs the thread's message loop until done() is true or timeoutMs passed; returns done().
template <class F>
bool PumpUntil(F done, unsigned timeoutMs = 10000);
bool PumpMessagesFor(unsigned ms);

}  // namespace testing_support

#include <windows.h>
template <class F>
bool testing_support::PumpUntil(F done, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}
