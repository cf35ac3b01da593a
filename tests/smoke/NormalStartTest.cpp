// The whole road of a normal start against a local platform on the configured port: login
// window, the page and the version check, a click on the page's game link, the main window
// with the game address, and the close confirmation ending both processes.
#include "tests/smoke/LauncherWindows.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestFiles.h"
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

class NormalStart : public PlatformFixture {};

TEST_F(NormalStart, FromTheLoginPageToTheGameAndClosedAgain) {
    const std::string gamePath = "/play_gamecode?g=tsk&ticket=" + std::string(600, 't') + "&svname=S9";
    server.SetPage("/login.php", "<html><head><title>login</title></head><body><a href=\"" + gamePath +
                                     "\">enter game</a><p>Nuvra login</body></html>");
    server.SetPage(gamePath, "<html><head><title>game</title></head><body><p>the game</body></html>");

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
    PostMessageW(hPage, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    PostMessageW(hPage, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));

    HWND hMain = WaitFor([&]() -> HWND {
        for (HWND h : VisibleWindowsOf(launcher.Id()))
            if (h != hLogin && IsZoomed(h)) return h;
        return nullptr;
    }, kTimeoutMs);
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

}  // namespace
