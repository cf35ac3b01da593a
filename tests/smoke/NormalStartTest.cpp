// The whole road of a normal start against a local platform on the configured port: login
// window, the page and the version check, a click on the page's game link, the main window
// with the game address, and the close confirmation ending both processes.
#include "tests/smoke/LauncherWindows.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/SuiteLine.h"
#include "tests/support/TestFiles.h"
#include <cstdio>
#include <string>

using namespace testing_support;
using namespace launcher_windows;

namespace {

const DWORD kTimeoutMs = 60000;

struct ClassSearch { const wchar_t* cls; HWND found; };

BOOL CALLBACK MatchClass(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<ClassSearch*>(p);
    wchar_t cls[64] = L"";
    GetClassNameW(h, cls, 64);
    if (lstrcmpW(cls, s->cls) == 0) { s->found = h; return FALSE; }
    return TRUE;
}

HWND FindChildOfClass(HWND hParent, const wchar_t* pszClass) {
    ClassSearch search = { pszClass, nullptr };
    EnumChildWindows(hParent, &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The login page of the process once it is shown (a non-empty browser window), or null.
HWND ShownLoginPage(DWORD processId) {
    for (HWND h : VisibleWindowsOf(processId)) {
        HWND hServer = FindChildOfClass(h, L"Internet Explorer_Server");
        RECT rc;
        if (hServer && IsWindowVisible(hServer) && GetWindowRect(hServer, &rc) && !IsRectEmpty(&rc)) return hServer;
    }
    return nullptr;
}

int CountStartingWith(const LocalHttpServer& server, const std::string& prefix) {
    int n = 0;
    for (const auto& r : server.Requests()) n += r.rfind(prefix, 0) == 0;
    return n;
}

ScreenCapture CaptureFromScreen(HWND hWnd) {
    RECT rc;
    GetWindowRect(hWnd, &rc);
    HDC hScreen = GetDC(nullptr);
    ScreenCapture shot = ScreenCapture::OfDC(hScreen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(nullptr, hScreen);
    return shot;
}

// The player clicks the game link on the login page; the main window that comes up maximised.
HWND EnterTheGame(const ChildProcess& launcher, HWND hLogin, HWND hPage) {
    PostMessageW(hPage, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    PostMessageW(hPage, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));
    return WaitFor([&]() -> HWND {
        for (HWND h : VisibleWindowsOf(launcher.Id()))
            if (h != hLogin && IsZoomed(h)) return h;
        return nullptr;
    }, kTimeoutMs);
}

class NormalStart : public PlatformFixture {
protected:
    void SetUp() override {
        PlatformFixture::SetUp();
        server.SetPage("/login.php", "<html><head><title>login</title></head><body><a href=\"" + m_gamePath +
                                         "\">enter game</a><p>Nuvra login</body></html>");
        server.SetPage(m_gamePath, "<html><head><title>game</title></head><body><p>the game</body></html>");
    }
    const std::string m_gamePath = "/play_gamecode?g=tsk&ticket=" + std::string(600, 't') + "&svname=S9";
};

TEST_F(NormalStart, FromTheLoginPageToTheGameAndClosedAgain) {
    const std::string& gamePath = m_gamePath;
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(L"\"" + SiblingExecutable() + L"\""));
    HWND hLogin = WaitForLoginWindow(launcher, kTimeoutMs);
    ASSERT_NE(hLogin, nullptr) << "no login window";

    // The first completed document ran the version check before the page showed.
    HWND hPage = WaitFor([&] { return ShownLoginPage(launcher.Id()); }, kTimeoutMs);
    ASSERT_NE(hPage, nullptr) << "the login page never showed";
    EXPECT_EQ(server.CountRequests("/login.php"), 1);
    EXPECT_EQ(CountStartingWith(server, "/getClientVersion.php?"), 1);
    Sleep(300);
    CaptureFromScreen(hLogin).SavePng(L"normal-start-login");

    // The player logs in.
    HWND hMain = EnterTheGame(launcher, hLogin, hPage);
    ASSERT_NE(hMain, nullptr) << "no maximised main window";
    EXPECT_FALSE(IsWindow(hLogin) && IsWindowVisible(hLogin));

    // The game view, a second process, loads the exact game address.
    ASSERT_TRUE(WaitFor([&]() -> HWND { return server.CountRequests(gamePath) ? hMain : nullptr; }, kTimeoutMs))
        << "the game page was never requested";
    // The caption strip names the server in light text right of the product name; the strip's
    // own artwork has nothing that light. (The game page itself, a window of the other process
    // inside ours, is not drawn under Wine.)
    ScreenCapture shot;
    int lightPixels = 0;
    WaitFor([&]() -> HWND {
        shot = CaptureFromScreen(hMain);
        lightPixels = 0;
        for (int y = 0; y < 28; ++y)
            for (int x = 150; x < 500; ++x) {
                Rgb p = shot.Pixel(x, y);
                lightPixels += p.r > 235 && p.g > 225 && p.b > 180;
            }
        return lightPixels > 20 ? hMain : nullptr;
    }, 5000);
    shot.SavePng(L"normal-start-main");
    EXPECT_GT(lightPixels, 20) << "no server name on the caption strip";

    CloseAndConfirm(launcher, hMain, kTimeoutMs);
    DWORD exitCode = 99;
    ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// --- process faults ---------------------------------------------------------------------------
// The main window and the game view are separate processes so that one can fail without the
// other: a main process killed takes its game view along within 2 s, and a game view killed or
// frozen leaves the main window answering within 1.5 s.

const DWORD kGameViewGoneMs = 2000, kMainAnswersMs = 1500;

struct ForeignChildSearch { DWORD pidOwn; DWORD pidFound; };

BOOL CALLBACK MatchForeignChild(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<ForeignChildSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s->pidOwn) return TRUE;
    s->pidFound = pid;
    return FALSE;
}

// The process of the game view: the one whose window sits inside the main window.
DWORD GameViewProcessOf(HWND hMain) {
    ForeignChildSearch search = { 0, 0 };
    GetWindowThreadProcessId(hMain, &search.pidOwn);
    EnumChildWindows(hMain, &MatchForeignChild, reinterpret_cast<LPARAM>(&search));
    return search.pidFound;
}

DWORD WaitForGameView(HWND hMain) {
    DWORD pid = 0;
    WaitFor([&]() -> HWND { return (pid = GameViewProcessOf(hMain)) ? hMain : nullptr; }, kTimeoutMs);
    return pid;
}

// Freezes (or thaws) every thread of a process, as a hung game page would.
void SuspendProcess(DWORD processId, bool suspend) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 te = { sizeof(te) };
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te)) {
        if (te.th32OwnerProcessID != processId) continue;
        if (HANDLE h = OpenThread(THREAD_SUSPEND_RESUME, FALSE, te.th32ThreadID)) {
            if (suspend) SuspendThread(h);
            else ResumeThread(h);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
}

// Messages after which the main window talks to its game view (full screen, leaving it, restore,
// maximise, reload), then a plain one, each sent with a generous time-out; how many it answered
// and how long the slowest answer took.
struct Answers {
    int answered = 0;
    DWORD slowestMs = 0;
    const char* slowest = "";
};

Answers AnswersOf(HWND hMain) {
    const UINT kFullScreen = 1004, kRestore = 1002, kMaximize = 1008, kRefresh = 1021;
    const struct { const char* name; UINT message; WPARAM wParam; } kMessages[] = {
        { "full screen", WM_COMMAND, kFullScreen }, { "leave full screen", WM_COMMAND, IDCANCEL },
        { "restore", WM_COMMAND, kRestore }, { "maximise", WM_COMMAND, kMaximize },
        { "reload", WM_COMMAND, kRefresh }, { "WM_NULL", WM_NULL, 0 },
    };
    Answers answers;
    for (const auto& m : kMessages) {
        DWORD start = GetTickCount();
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(hMain, m.message, m.wParam, 0, SMTO_NORMAL, 10000, &result)) ++answers.answered;
        DWORD took = GetTickCount() - start;
        if (took >= answers.slowestMs) {
            answers.slowestMs = took;
            answers.slowest = m.name;
        }
    }
    return answers;
}
const int kAnswersAsked = 6;

std::string Seconds(DWORD ms) {
    char text[16];
    std::snprintf(text, sizeof(text), "%.1f s", ms / 1000.0);
    return text;
}

// A launcher started and logged in: its main window with the game view inside, or null.
HWND StartAndEnterTheGame(ChildProcess& launcher) {
    if (!launcher.Start(L"\"" + SiblingExecutable() + L"\"")) return nullptr;
    HWND hLogin = WaitForLoginWindow(launcher, kTimeoutMs);
    HWND hPage = hLogin ? WaitFor([&] { return ShownLoginPage(launcher.Id()); }, kTimeoutMs) : nullptr;
    return hPage ? EnterTheGame(launcher, hLogin, hPage) : nullptr;
}

// One line for a game-view fault: answered n/6, slowest in t (which).
std::string Describe(const Answers& a) {
    return "answered " + std::to_string(a.answered) + "/" + std::to_string(kAnswersAsked) + ", slowest in " +
           Seconds(a.slowestMs) + " (" + a.slowest + ")";
}

bool Survived(const Answers& a) { return a.answered == kAnswersAsked && a.slowestMs < kMainAnswersMs; }

TEST_F(NormalStart, ProcessFaultsOfMainWindowAndGameView) {
    const char kSuite[] = "process-faults";
    WriteSuiteStarted(kSuite, "process faults");
    Answers frozen, killed;
    DWORD goneAfter = INFINITE;
    {
        ChildProcess launcher;
        HWND hMain = StartAndEnterTheGame(launcher);
        ASSERT_NE(hMain, nullptr) << "no main window";
        DWORD gameView = WaitForGameView(hMain);
        ASSERT_NE(gameView, 0u) << "no game view inside the main window";
        HANDLE hGameView = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, gameView);
        ASSERT_NE(hGameView, nullptr);

        SuspendProcess(gameView, true);
        frozen = AnswersOf(hMain);
        SuspendProcess(gameView, false);
        EXPECT_TRUE(Survived(frozen)) << "a frozen game view held the main window: " << Describe(frozen);

        TerminateProcess(hGameView, 1);
        WaitForSingleObject(hGameView, 5000);
        CloseHandle(hGameView);
        killed = AnswersOf(hMain);
        EXPECT_TRUE(Survived(killed)) << "a killed game view held the main window: " << Describe(killed);
    }
    {
        ChildProcess launcher;
        HWND hMain = StartAndEnterTheGame(launcher);
        ASSERT_NE(hMain, nullptr) << "no main window";
        DWORD gameView = WaitForGameView(hMain);
        ASSERT_NE(gameView, 0u) << "no game view inside the main window";
        HANDLE hGameView = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, gameView);
        ASSERT_NE(hGameView, nullptr);

        launcher.Kill();
        DWORD start = GetTickCount();
        if (WaitForSingleObject(hGameView, 10000) == WAIT_OBJECT_0) goneAfter = GetTickCount() - start;
        else TerminateProcess(hGameView, 1);
        CloseHandle(hGameView);
        EXPECT_LE(goneAfter, kGameViewGoneMs) << "the game view outlived its main window";
    }
    int survived = Survived(frozen) + Survived(killed) + (goneAfter <= kGameViewGoneMs);
    WriteSuiteLine(kSuite, "process faults: " + std::to_string(survived) + "/3 survived: main killed -> game view gone in " +
                               (goneAfter == INFINITE ? std::string("more than 10 s") : Seconds(goneAfter)) +
                               " (limit 2 s); game view frozen -> main window " + Describe(frozen) +
                               "; game view killed -> " + Describe(killed) + " (limit 1.5 s); " +
                               (survived == 3 ? std::string("nothing lost") : std::to_string(3 - survived) + " LOST"));
}

}  // namespace
