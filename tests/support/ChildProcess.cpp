#include "tests/support/ChildProcess.h"
#include "tests/support/TestFiles.h"
#include <cstdlib>

namespace testing_support {

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != search->processId || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER)) return TRUE;
    if (search->title) {
        wchar_t text[256] = L"";
        GetWindowTextW(hWnd, text, 256);
        if (lstrcmpW(text, search->title) != 0) return TRUE;
    }
    search->found = hWnd;
    return FALSE;
}
}  // namespace

HWND FindTopLevelWindow(DWORD processId, const wchar_t* pszTitle) {
    WindowSearch search = { processId, pszTitle, nullptr };
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const CString& strCommandLine) {
    Kill();
    STARTUPINFOW si = { sizeof(si) };
    CString line = strCommandLine;
    return CreateProcessW(nullptr, line.GetBuffer(line.GetLength() + 1), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &m_pi) != FALSE;
}

HWND ChildProcess::WaitForWindow(DWORD timeoutMs, const wchar_t* pszTitle) const {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = FindTopLevelWindow(m_pi.dwProcessId, pszTitle)) return h;
        if (GetTickCount() - start > timeoutMs || WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        Sleep(50);
    }
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* pExitCode) const {
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (pExitCode) GetExitCodeProcess(m_pi.hProcess, pExitCode);
    return true;
}

void ChildProcess::Kill() {
    if (!m_pi.hProcess) return;
    if (WaitForSingleObject(m_pi.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = {};
}

CString SiblingExecutable() { return BinaryFolder() + L"Lander_Kv.exe"; }

CString ProductExecutable() {
    const char* product = std::getenv("LANDER_PRODUCT_EXE");
    return product && *product ? CString(product) : SiblingExecutable();
}

}  // namespace testing_support
