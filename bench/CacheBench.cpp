// Cache cleaning: ClearFolder on a worker thread, as the main window runs it, while the overlay's
// spinner turns on this thread; then a plain delete loop of ours on an equal tree, the same way.
//   cache_bench <tree for ClearFolder> <tree for the plain loop>
// Prints "cache_clean <ClearFolder s> <plain loop s> <worst frame gap ms> <frames> <worst gap ms
// beside the plain loop>". The script builds both trees and checks that they end empty.
#include "bench/BenchSupport.h"
#include "framework/WinApp.h"
#include "mainwnd/CacheCleaner.h"
#include "resources/resource.h"
#include "skin/MenbanDlg.h"
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
#include <process.h>
#include <cstdio>

namespace {

const UINT kSpinnerPeriodMs = 200;

// The baseline: everything below strFolder goes, depth first, with nothing checked or reported.
void PlainDelete(const CString& strFolder) {
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW(strFolder + L"\\*", &fd);
    if (hFind == INVALID_HANDLE_VALUE) return;
    do {
        if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0) continue;
        CString path = strFolder + L"\\" + fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            PlainDelete(path);
            RemoveDirectoryW(path);
        } else {
            DeleteFileW(path);
        }
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
}

struct Job {
    CString folder;
    bool plain;
};

unsigned __stdcall CleanWorker(void* pParam) {
    auto* job = static_cast<Job*>(pParam);
    if (job->plain)
        PlainDelete(job->folder);
    else
        ClearFolder(job->folder);
    return 0;
}

struct Outcome {
    double seconds;
    double worstGapMs;
    int frames;
};

// Runs the job on a worker while this thread keeps the overlay's messages flowing, and notes
// when each spinner frame was drawn (the timer handler paints at once).
Outcome RunUnderOverlay(CMenbanDlg& overlay, Job job) {
    overlay.SetTimer(CMenbanDlg::kSpinnerTimer, kSpinnerPeriodMs);
    double start = bench::NowSeconds();
    HANDLE hWorker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CleanWorker, &job, 0, nullptr));
    Outcome outcome = { 0, 0, 0 };
    double last = start;
    for (;;) {
        DWORD wait = MsgWaitForMultipleObjects(1, &hWorker, FALSE, INFINITE, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0) break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            if (msg.message == WM_TIMER && msg.hwnd == overlay.m_hWnd && msg.wParam == CMenbanDlg::kSpinnerTimer) {
                double now = bench::NowSeconds();
                if ((now - last) * 1000 > outcome.worstGapMs) outcome.worstGapMs = (now - last) * 1000;
                last = now;
                ++outcome.frames;
            }
        }
    }
    double end = bench::NowSeconds();
    // A stall at the very end counts as well.
    if ((end - last) * 1000 > outcome.worstGapMs) outcome.worstGapMs = (end - last) * 1000;
    outcome.seconds = end - start;
    overlay.KillTimer(CMenbanDlg::kSpinnerTimer);
    CloseHandle(hWorker);
    return outcome;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: cache_bench <tree for ClearFolder> <tree for the plain loop>\n");
        return 2;
    }
    INITCOMMONCONTROLSEX icc = { sizeof(icc), 0xFF };
    InitCommonControlsEx(&icc);
    CWinAppEx app;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    int rc = 0;
    {
        // As the main window shows it, over a 1000 x 600 window.
        CMenbanDlg overlay;
        if (!overlay.Create(IDD_MENBAN, nullptr)) {
            fwprintf(stderr, L"cache_bench: no overlay\n");
            rc = 1;
        } else {
            overlay.ShowWindow(SW_HIDE);
            overlay.SetWindowPos(nullptr, 50, 50, 1000, 600, SWP_NOZORDER);
            overlay.ShowWindow(SW_SHOWNOACTIVATE);
            overlay.UpdateWindow();
            Outcome ours = RunUnderOverlay(overlay, { argv[1], false });
            Outcome plain = RunUnderOverlay(overlay, { argv[2], true });
            overlay.DestroyWindow();
            bench::Report("cache_clean", { ours.seconds, plain.seconds, ours.worstGapMs, static_cast<double>(ours.frames),
                                           plain.worstGapMs });
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return rc;
}
