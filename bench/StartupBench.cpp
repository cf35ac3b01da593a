// Start-up and memory: from process start to the first window on screen, and the process's
// peak working set once it shows what it is for.
//   startup_bench <runs> <baseline exe> <launcher exe>
// The baseline is the plain window program. For the launcher the window is the login window,
// and its memory is read once the login page is shown (the page server must be up). Each
// program is started once unmeasured first (the launcher's first start installs itself), then
// the two alternate, so that both meet the same machine.
// Prints "startup_ms <launcher> <baseline>" and "peak_working_set_kib <launcher> <baseline>", medians.
#include "app/ProductText.h"
#include "bench/BenchSupport.h"
#include "framework/String.h"
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cwchar>

namespace {

const DWORD kWindowTimeoutMs = 60000;
// After the window is up, what else it shows settles in this long (a page paints, a reply comes).
const DWORD kSettleMs = 500;

enum class Target { Plain, Launcher };

struct Search {
    DWORD pid;
    Target target;
    const wchar_t* title;
    HWND found;
};

// The plain program's window: visible, unowned, not empty. The launcher's: its login window,
// titled with the product text and drawn as layered artwork (the main window stays hidden).
BOOL CALLBACK MatchShownWindow(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s->pid || !IsWindowVisible(h)) return TRUE;
    RECT rc;
    if (!GetWindowRect(h, &rc) || IsRectEmpty(&rc)) return TRUE;
    if (s->target == Target::Plain) {
        if (GetWindow(h, GW_OWNER)) return TRUE;
    } else {
        wchar_t text[128] = L"";
        GetWindowTextW(h, text, 128);
        if (wcscmp(text, s->title) != 0 || !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_LAYERED)) return TRUE;
    }
    s->found = h;
    return FALSE;
}

BOOL CALLBACK FindShownPage(HWND h, LPARAM p) {
    wchar_t cls[64] = L"";
    GetClassNameW(h, cls, 64);
    RECT rc;
    if (wcscmp(cls, L"Internet Explorer_Server") == 0 && IsWindowVisible(h) && GetWindowRect(h, &rc) &&
        !IsRectEmpty(&rc)) {
        *reinterpret_cast<bool*>(p) = true;
        return FALSE;
    }
    return TRUE;
}

// The login page lives in the login popup, a window of its own that the login window owns.
struct PageSearch {
    DWORD pid;
    bool shown;
};

BOOL CALLBACK FindPageInWindow(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<PageSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pid && IsWindowVisible(h)) EnumChildWindows(h, &FindShownPage, reinterpret_cast<LPARAM>(&s->shown));
    return !s->shown;
}

bool PageShown(DWORD processId) {
    PageSearch search = { processId, false };
    EnumWindows(&FindPageInWindow, reinterpret_cast<LPARAM>(&search));
    return search.shown;
}

struct Sample {
    double ms;
    double peakKib;
};

bool RunOnce(const CString& exe, Target target, const CString& title, Sample& sample) {
    CString commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si = { sizeof(si) };
    PROCESS_INFORMATION pi = {};
    double start = bench::NowSeconds();
    if (!CreateProcessW(nullptr, commandLine.GetBuffer(commandLine.GetLength() + 1), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &si, &pi)) {
        fwprintf(stderr, L"startup_bench: cannot start %ls (error %lu)\n", exe.GetString(), GetLastError());
        return false;
    }
    Search search = { pi.dwProcessId, target, title, nullptr };
    while (!search.found) {
        EnumWindows(&MatchShownWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0 ||
            bench::NowSeconds() - start > kWindowTimeoutMs / 1000.0)
            break;
    }
    sample.ms = (bench::NowSeconds() - start) * 1000;
    bool ok = search.found != nullptr;
    if (!ok) fwprintf(stderr, L"startup_bench: %ls showed no window\n", exe.GetString());

    if (ok && target == Target::Launcher) {
        double pageStart = bench::NowSeconds();
        while (!PageShown(pi.dwProcessId)) {
            if (bench::NowSeconds() - pageStart > kWindowTimeoutMs / 1000.0) {
                fwprintf(stderr, L"startup_bench: the login page never showed (is the page server up?)\n");
                ok = false;
                break;
            }
            Sleep(10);
        }
    }
    if (ok) {
        Sleep(kSettleMs);
        PROCESS_MEMORY_COUNTERS memory = { sizeof(memory) };
        ok = GetProcessMemoryInfo(pi.hProcess, &memory, sizeof(memory)) != FALSE;
        sample.peakKib = memory.PeakWorkingSetSize / 1024.0;
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr, L"usage: startup_bench <runs> <baseline exe> <launcher exe>\n");
        return 2;
    }
    int runs = _wtoi(argv[1]);
    CString title = LoadProductText(IDS_WINDOW_TITLE);
    std::vector<double> launcherMs, baselineMs, launcherKib, baselineKib;
    for (int i = 0; i <= runs; ++i) {
        Sample plain = {}, launcher = {};
        if (!RunOnce(argv[2], Target::Plain, title, plain)) return 1;
        if (!RunOnce(argv[3], Target::Launcher, title, launcher)) return 1;
        if (i == 0) continue;  // the unmeasured first starts
        baselineMs.push_back(plain.ms);
        baselineKib.push_back(plain.peakKib);
        launcherMs.push_back(launcher.ms);
        launcherKib.push_back(launcher.peakKib);
        fwprintf(stderr, L"startup_bench: run %d: launcher %.0f ms %.0f KiB, plain window %.0f ms %.0f KiB\n", i,
                 launcher.ms, launcher.peakKib, plain.ms, plain.peakKib);
    }
    bench::Report("startup_ms", { bench::Median(launcherMs), bench::Median(baselineMs) });
    bench::Report("peak_working_set_kib", { bench::Median(launcherKib), bench::Median(baselineKib) });
    return 0;
}
