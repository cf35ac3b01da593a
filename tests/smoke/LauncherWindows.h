// Finding and driving the windows of a launcher process started by a test.
#pragma once
#include "app/ProductText.h"
#include "tests/support/ChildProcess.h"
#include <gtest/gtest.h>
#include <vector>
#include <windows.h>
#include <tlhelp32.h>

namespace launcher_windows {

// Visible top-level windows of the process, owned ones included.
struct WindowSearch { DWORD pid; std::vector<HWND> found; };

inline BOOL CALLBACK CollectVisibleWindow(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && IsWindowVisible(h)) s->found.push_back(h);
    return TRUE;
}

inline std::vector<HWND> VisibleWindowsOf(DWORD processId) {
    WindowSearch search = { processId, {} };
    EnumWindows(&CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls fn (which returns a window or null) until it finds one or the time is up.
template <class F>
HWND WaitFor(F fn, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = fn()) return h;
        if (GetTickCount() - start > timeoutMs) return nullptr;
        Sleep(100);
    }
}

// The login window: titled with the product text, layered artwork; owned by the hidden main window.
inline HWND WaitForLoginWindow(const testing_support::ChildProcess& process, DWORD timeoutMs) {
    CString title = LoadProductText(IDS_WINDOW_TITLE);
    return WaitFor([&]() -> HWND {
        for (HWND h : VisibleWindowsOf(process.Id())) {
            wchar_t text[128] = L"";
            GetWindowTextW(h, text, 128);
            if (title == text && (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED)) return h;
        }
        return nullptr;
    }, timeoutMs);
}

// The skinned confirmation box: the process's window with an OK button.
inline HWND FindConfirmation(DWORD processId) {
    for (HWND h : VisibleWindowsOf(processId))
        if (GetDlgItem(h, IDOK) && GetDlgItem(h, IDCANCEL)) return h;
    return nullptr;
}

// Asks hWnd to close the way the taskbar does, then answers the confirmation with OK.
inline void CloseAndConfirm(const testing_support::ChildProcess& process, HWND hWnd, DWORD timeoutMs) {
    PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = WaitFor([&] { return FindConfirmation(process.Id()); }, timeoutMs);
    ASSERT_NE(box, nullptr) << "no close confirmation";
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// Child processes of the launcher (the game view), so that none outlives a failed test.
inline void EndChildrenOf(DWORD processId) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe = { sizeof(pe) };
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe)) {
        if (pe.th32ParentProcessID != processId) continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pe.th32ProcessID)) {
            TerminateProcess(h, 0);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
}

// The launcher's child processes still running.
inline std::vector<DWORD> ChildrenOf(DWORD processId) {
    std::vector<DWORD> children;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe = { sizeof(pe) };
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe))
        if (pe.th32ParentProcessID == processId) children.push_back(pe.th32ProcessID);
    CloseHandle(snap);
    return children;
}

}  // namespace launcher_windows
