// The main window under Wine: states, commands, tray, hot keys, cache cleaning, the game view's
// messages. The window runs modeless on the test thread (EndDialog then hides it); questions of
// the skinned message box are answered from a helper thread.
#include "install/Settings.h"
#include "mainwnd/CacheCleaner.h"
#include "mainwnd/GameWndMessages.h"
#include "mainwnd/Lander_KvDlg.h"
#include "mainwnd/TrayIcon.h"
#include "resources/resource.h"
#include "skin/MenbanDlg.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <atomic>
#include <shlobj.h>
#include <thread>
#include <tlhelp32.h>
#include <wininet.h>
#include <vector>

using namespace testing_support;

namespace {

const wchar_t kGameUrl[] = L"http://g.example/play_gamecode?g=tsk&svname=%E5%8F%8C%E7%BA%BF1%E5%8C%BA/x";
const UINT kButtons[] = { 1001, 1008, 1002, 1003, 1007, 1005, 1004, 1021, 1030 };

void Pump(HWND hDlg, DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(hDlg, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

template <class Pred>
bool PumpUntil(HWND hDlg, Pred pred, DWORD ms = 10000) {
    DWORD end = GetTickCount() + ms;
    while (!pred()) {
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
        Pump(hDlg, 10);
    }
    return true;
}

CRect WindowRect(HWND h) { CRect r; GetWindowRect(h, &r); return r; }
std::string Text(const CRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}
CRect WorkArea() { CRect r; SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0); return r; }
bool Visible(HWND hDlg, UINT id) { return IsWindowVisible(GetDlgItem(hDlg, id)) != FALSE; }

// Answers the next skinned question shown on the window's thread with the given command.
class MessageBoxAnswer {
public:
    MessageBoxAnswer(HWND hMain, HWND hOverlay, UINT nCommand)
        : m_thread([=] { Run(hMain, hOverlay, nCommand); }) {}
    ~MessageBoxAnswer() { m_thread.join(); }
    bool Answered() const { return m_answered; }

private:
    struct Search { HWND hMain, hOverlay, hFound; };
    static BOOL CALLBACK Find(HWND h, LPARAM lp) {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t cls[16] = {};
        GetClassNameW(h, cls, 16);
        if (h != s->hMain && h != s->hOverlay && IsWindowVisible(h) && !lstrcmpW(cls, L"#32770")) { s->hFound = h; return FALSE; }
        return TRUE;
    }
    void Run(HWND hMain, HWND hOverlay, UINT nCommand) {
        DWORD thread = GetWindowThreadProcessId(hMain, nullptr);
        for (int i = 0; i < 1000; ++i) {
            Search s = { hMain, hOverlay, nullptr };
            EnumThreadWindows(thread, &Find, reinterpret_cast<LPARAM>(&s));
            if (s.hFound) {
                Sleep(50);
                PostMessageW(s.hFound, WM_COMMAND, nCommand, 0);
                m_answered = true;
                return;
            }
            Sleep(10);
        }
    }
    std::atomic<bool> m_answered{ false };
    std::thread m_thread;
};

// Stands in for the game-view process: a child window that records what the main window tells it.
struct FakeGameView {
    struct Message { UINT message; WPARAM wParam; };
    static std::vector<Message>& Log() { static std::vector<Message> log; return log; }
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_GAMEWND_FIT || m == WM_GAMEWND_RELOAD || m == WM_CLOSE) {
            Log().push_back({ m, w });
            return 0;
        }
        return DefWindowProcW(h, m, w, l);
    }
    explicit FakeGameView(HWND hMain) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LanderFakeGameView";
        RegisterClassW(&wc);
        Log().clear();
        hWnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 30, 100, 100, hMain, nullptr, wc.hInstance, nullptr);
        SendMessageW(hMain, WM_GAMEWND_ATTACHED, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    bool Got(UINT m, WPARAM w) const {
        for (const Message& x : Log()) if (x.message == m && x.wParam == w) return true;
        return false;
    }
    HWND hWnd;
};

void SaveScreenshot(HWND hWnd, const wchar_t* pszName) {
    char unixDir[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("LANDER_BUILD_DIR", unixDir, MAX_PATH)) return;
    CString path = CString(L"Z:") + CString(unixDir) + L"\\" + pszName;
    path.Replace(L'/', L'\\');
    CRect r = WindowRect(hWnd);
    HDC hScreen = GetDC(nullptr);
    HDC hMem = CreateCompatibleDC(hScreen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = r.Width();
    bi.bmiHeader.biHeight = r.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP hBmp = CreateDIBSection(hScreen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(hMem, hBmp);
    BitBlt(hMem, 0, 0, r.Width(), r.Height(), hScreen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD stride = ((r.Width() * 3 + 3) & ~3u), size = stride * r.Height();
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + size;
    std::string bytes(reinterpret_cast<char*>(&fh), sizeof(fh));
    bytes.append(reinterpret_cast<char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
    bytes.append(static_cast<char*>(bits), size);
    WriteBytes(path, bytes);
    SelectObject(hMem, old);
    DeleteObject(hBmp);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
}

COLORREF ScreenPixel(HWND hWnd, int x, int y) {
    POINT pt = { x, y };
    ClientToScreen(hWnd, &pt);
    HDC hScreen = GetDC(nullptr);
    COLORREF c = GetPixel(hScreen, pt.x, pt.y);
    ReleaseDC(nullptr, hScreen);
    return c;
}

// Pixels in the name's box that have the text colour (255, 243, 205) or come close to it.
int NamePixels(HWND hWnd) {
    int n = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 208; x < 300; ++x) {
            COLORREF c = ScreenPixel(hWnd, x, y);
            if (GetRValue(c) > 200 && GetGValue(c) > 190 && GetBValue(c) > 150) ++n;
        }
    return n;
}

bool UrlCacheHas(const wchar_t* url) {
    DWORD cb = 0;
    GetUrlCacheEntryInfoW(url, nullptr, &cb);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

void AddUrlCacheEntry(const wchar_t* url, DWORD type, const char* body) {
    wchar_t file[MAX_PATH] = {};
    ASSERT_TRUE(CreateUrlCacheEntryW(url, 0, L"", file, 0)) << GetLastError();
    ASSERT_TRUE(WriteBytes(file, body));
    FILETIME none = {};
    ASSERT_TRUE(CommitUrlCacheEntryW(url, file, none, none, type, nullptr, 0, nullptr, nullptr)) << GetLastError();
}

// Defined ahead of the window tests on purpose: the window's cleaning below also empties the cache
// folder, whose subfolders this process's URL cache would need for new entries.
TEST(ClearUrlCache, DeletesAllEntriesButCookies) {
    const wchar_t kPage[] = L"http://cache.test.invalid/game/main.swf";
    const wchar_t kScript[] = L"http://cache.test.invalid/game/main.js";
    const wchar_t kCookie[] = L"Cookie:player@cache.test.invalid/";
    AddUrlCacheEntry(kPage, NORMAL_CACHE_ENTRY, "swf");
    AddUrlCacheEntry(kScript, NORMAL_CACHE_ENTRY | STICKY_CACHE_ENTRY, "js");
    AddUrlCacheEntry(kCookie, COOKIE_CACHE_ENTRY, "sid=1");
    ASSERT_TRUE(UrlCacheHas(kPage));
    ASSERT_TRUE(UrlCacheHas(kCookie));

    EXPECT_TRUE(ClearUrlCache());

    EXPECT_FALSE(UrlCacheHas(kPage));
    EXPECT_FALSE(UrlCacheHas(kScript));
    EXPECT_TRUE(UrlCacheHas(kCookie));
    DeleteUrlCacheEntryW(kCookie);
}

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
        ResetDataFolder(true);
        WriteSetting(L"Setting", L"screentoggle", L"F10");
        WriteSetting(L"Setting", L"fullscreen", L"F11");
    }
    void Open(const wchar_t* pszUrl = kGameUrl) {
        m_pDlg = new CLander_KvDlg(pszUrl);
        // No game-view process in these tests: the fake stands in where one is needed.
        m_pDlg->SetLauncherExecutable(L"C:\\no\\such\\folder\\Lander_Kv.exe");
        ASSERT_TRUE(m_pDlg->Create(IDD_LANDER_KV_DIALOG, nullptr));
        m_hWnd = m_pDlg->m_hWnd;
        Pump(m_hWnd, 300);
    }
    void TearDown() override {
        if (m_pDlg) {
            if (m_pDlg->m_hWnd) m_pDlg->DestroyWindow();
            delete m_pDlg;
        }
        ResetDataFolder(false);
    }
    void Command(UINT id) { SendMessageW(m_hWnd, WM_COMMAND, id, 0); Pump(m_hWnd, 50); }
    void ExpectMaximizedLayout() {
        EXPECT_TRUE(m_pDlg->IsMaximized());
        EXPECT_FALSE(m_pDlg->IsFullScreen());
        EXPECT_TRUE(WindowRect(m_hWnd) == WorkArea()) << Text(WindowRect(m_hWnd)) << " work area " << Text(WorkArea())
            << " style " << std::hex << GetWindowLongW(m_hWnd, GWL_STYLE) << " ex " << GetWindowLongW(m_hWnd, GWL_EXSTYLE);
        EXPECT_TRUE(IsZoomed(m_hWnd));
        for (UINT id : kButtons) EXPECT_EQ(Visible(m_hWnd, id), id != 1008) << id;
    }
    HWND Overlay() const { return m_pDlg->GetOverlay() ? m_pDlg->GetOverlay()->m_hWnd : nullptr; }

    CLander_KvDlg* m_pDlg = nullptr;
    HWND m_hWnd = nullptr;
};

TEST_F(MainWindow, ComesUpMaximizedToTheWorkAreaWithItsCaption) {
    Open();
    ASSERT_TRUE(IsWindowVisible(m_hWnd));
    ExpectMaximizedLayout();
    EXPECT_EQ(CWnd::FromHandlePermanent(m_hWnd)->GetWindowText(), L"《Tessik》加强版登录器");
    EXPECT_FALSE(GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CAPTION);
    EXPECT_TRUE(m_pDlg->IsTrayIconAdded());
    EXPECT_EQ(m_pDlg->GetServerName(), L"\u53cc\u7ebf1\u533a");

    // The buttons line up from the right edge, all 3 pixels down.
    CRect client;
    GetClientRect(m_hWnd, &client);
    const int w = client.Width();
    struct { UINT id; int x, cx, cy; } places[] = {
        { 1001, w - 28, 28, 26 }, { 1002, w - 57, 28, 26 }, { 1003, w - 86, 28, 26 }, { 1004, w - 172, 85, 24 },
        { 1005, w - 270, 97, 24 }, { 1030, w - 349, 85, 24 }, { 1021, w - 428, 78, 24 }, { 1007, w - 488, 59, 24 },
    };
    for (const auto& p : places) {
        CRect r = WindowRect(GetDlgItem(m_hWnd, p.id));
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r == CRect(p.x, 3, p.x + p.cx, 3 + p.cy)) << p.id << " at " << Text(r);
    }
    // The strip is painted from its images, with the server name in the light text colour.
    EXPECT_GT(NamePixels(m_hWnd), 10);
    SaveScreenshot(m_hWnd, L"mainwnd-maximized.bmp");
    // The paint cycle is closed: nothing is left to paint once the messages are through.
    EXPECT_FALSE(GetUpdateRect(m_hWnd, nullptr, FALSE));

    MINMAXINFO mmi = {};
    SendMessageW(m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 400);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 400);
}

TEST_F(MainWindow, AddressWithoutServerShowsNoName) {
    Open(L"http://g.example/play_gamecode?g=tsk");
    EXPECT_EQ(m_pDlg->GetServerName(), L"");
    EXPECT_EQ(NamePixels(m_hWnd), 0);
}

TEST_F(MainWindow, DoubleClickRestoresCentredAndMaximizesAgain) {
    Open();
    SendMessageW(m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(600, 10));
    Pump(m_hWnd, 200);
    CRect work = WorkArea();
    CRect restored(CPoint(work.left + (work.Width() - 1000) / 2, work.top + (work.Height() - 700) / 2), CSize(1000, 700));
    EXPECT_TRUE(WindowRect(m_hWnd) == restored);
    EXPECT_FALSE(m_pDlg->IsMaximized());
    EXPECT_FALSE(IsZoomed(m_hWnd));
    for (UINT id : kButtons) EXPECT_EQ(Visible(m_hWnd, id), id != 1002) << id;
    EXPECT_GT(NamePixels(m_hWnd), 10);
    SaveScreenshot(m_hWnd, L"mainwnd-restored.bmp");

    SendMessageW(m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(600, 10));
    Pump(m_hWnd, 200);
    ExpectMaximizedLayout();

    // The buttons do the same.
    Command(1002);
    EXPECT_TRUE(WindowRect(m_hWnd) == restored);
    Command(1008);
    ExpectMaximizedLayout();
}

TEST_F(MainWindow, RestoreFromTheTaskbarRefitsToTheWorkArea) {
    Open();
    SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(m_hWnd));
    SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(PumpUntil(m_hWnd, [&] { return WindowRect(m_hWnd) == WorkArea(); }, 2000));
    EXPECT_FALSE(IsIconic(m_hWnd));
}

TEST_F(MainWindow, FullScreenCoversTheScreenAndCancelLeavesIt) {
    Open();
    FakeGameView view(m_hWnd);
    Command(1004);
    EXPECT_TRUE(m_pDlg->IsFullScreen());
    EXPECT_TRUE(WindowRect(m_hWnd) == CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) << Text(WindowRect(m_hWnd));
    for (UINT id : kButtons) EXPECT_FALSE(Visible(m_hWnd, id)) << id;
    EXPECT_TRUE(view.Got(WM_GAMEWND_FIT, 1));
    InvalidateRect(m_hWnd, nullptr, TRUE);
    Pump(m_hWnd, 50);
    EXPECT_FALSE(GetUpdateRect(m_hWnd, nullptr, FALSE));

    // Enter and Escape never close the window, and leave full screen alone.
    PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    Pump(m_hWnd, 100);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    EXPECT_TRUE(m_pDlg->IsFullScreen());

    FakeGameView::Log().clear();
    Command(IDCANCEL);
    ExpectMaximizedLayout();
    EXPECT_TRUE(view.Got(WM_GAMEWND_FIT, 0));
    EXPECT_FALSE(view.Got(WM_GAMEWND_FIT, 1));

    // Cancel outside full screen does nothing at all.
    Command(IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    ExpectMaximizedLayout();

    // Full screen from the restored state also lands maximized when left.
    Command(1002);
    Command(1004);
    EXPECT_TRUE(m_pDlg->IsFullScreen());
    Command(IDCANCEL);
    ExpectMaximizedLayout();
}

TEST_F(MainWindow, FullScreenHotKeyWorksOnlyWhileActive) {
    Open();
    SetForegroundWindow(m_hWnd);
    Pump(m_hWnd, 100);
    if (GetForegroundWindow() != m_hWnd) GTEST_SKIP() << "no foreground window on this display";
    SendMessageW(m_hWnd, WM_HOTKEY, 3, 0);
    EXPECT_TRUE(m_pDlg->IsFullScreen());
    SendMessageW(m_hWnd, WM_HOTKEY, 3, 0);
    ExpectMaximizedLayout();

    // Another program in front: the key does nothing.
    HWND hOther = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(hOther);
    Pump(m_hWnd, 100);
    if (GetForegroundWindow() == hOther) {
        SendMessageW(m_hWnd, WM_HOTKEY, 3, 0);
        EXPECT_FALSE(m_pDlg->IsFullScreen());
    }
    DestroyWindow(hOther);
}

TEST_F(MainWindow, AltF4AsksAndCancellingKeepsTheWindow) {
    Open();
    FakeGameView view(m_hWnd);
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDCANCEL);
        SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(m_hWnd, 100);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    EXPECT_TRUE(m_pDlg->IsTrayIconAdded());
    EXPECT_FALSE(view.Got(WM_CLOSE, 0));

    // Asked again in full screen: cancelling also leaves full screen.
    Command(1004);
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDCANCEL);
        SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump(m_hWnd, 100);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    ExpectMaximizedLayout();

    // Confirmed: the tray icon goes, the game view is closed, the window ends.
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDOK);
        Command(1001);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    EXPECT_FALSE(m_pDlg->IsTrayIconAdded());
    EXPECT_TRUE(view.Got(WM_CLOSE, 0));
}

TEST_F(MainWindow, TrayExitAsksTheSameQuestion) {
    Open();
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDCANCEL);
        Command(32777);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDOK);
        Command(32777);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
}

TEST_F(MainWindow, ModalRunEndsWithTheCloseConfirmation) {
    CLander_KvDlg dlg(kGameUrl);
    dlg.SetLauncherExecutable(L"C:\\no\\such\\folder\\Lander_Kv.exe");
    std::atomic<HWND> hMain{ nullptr };
    std::thread driver([&] {
        for (int i = 0; i < 500 && !hMain; ++i) {
            HWND h = FindWindowW(L"#32770", L"《Tessik》加强版登录器");
            if (h && IsWindowVisible(h)) hMain = h;
            else Sleep(10);
        }
        if (!hMain) return;
        // Enter and Escape first: neither may end the loop.
        PostMessageW(hMain, WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(hMain, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(hMain, WM_KEYDOWN, VK_F5, 0);
        Sleep(200);
        PostMessageW(hMain, WM_COMMAND, 1001, 0);
    });
    std::thread answerer([&] {
        for (int i = 0; i < 500 && !hMain; ++i) Sleep(10);
        if (hMain) MessageBoxAnswer(hMain, dlg.GetOverlay() ? dlg.GetOverlay()->m_hWnd : nullptr, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), 0);
    driver.join();
    answerer.join();
    EXPECT_TRUE(hMain != nullptr);
}

TEST_F(MainWindow, RegistersTheHotKeysOfTheSettingsFile) {
    WriteSetting(L"Setting", L"screentoggle", L"Ctrl+Shift+F9");
    WriteSetting(L"Setting", L"fullscreen", L"");   // an empty value registers nothing
    Open();
    // A combination the window holds cannot be taken by anyone else.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_SHIFT, VK_F9));
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x7002, 0, VK_F11));
    UnregisterHotKey(nullptr, 0x7002);
}

TEST_F(MainWindow, BossKeyHidesAndShows) {
    Open();
    Command(1005);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    SendMessageW(m_hWnd, WM_HOTKEY, 2, 0);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    SendMessageW(m_hWnd, WM_HOTKEY, 2, 0);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    // The tray icon's left click and its menu entry bring it back as well.
    SendMessageW(m_hWnd, WM_TRAYICON, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    Command(32775);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    Command(32775);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));

    // Minimized with its own button, the boss key brings the window back in its state.
    Command(1003);
    EXPECT_TRUE(IsIconic(m_hWnd));
    SendMessageW(m_hWnd, WM_HOTKEY, 2, 0);
    Pump(m_hWnd, 100);
    EXPECT_FALSE(IsIconic(m_hWnd));
    ExpectMaximizedLayout();

    // Minimized from outside, the key toggles visibility and the window stays minimized.
    SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageW(m_hWnd, WM_HOTKEY, 2, 0);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    SendMessageW(m_hWnd, WM_HOTKEY, 2, 0);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    EXPECT_TRUE(IsIconic(m_hWnd));
    SendMessageW(m_hWnd, WM_TRAYICON, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsIconic(m_hWnd));
}

struct MenuSearch { HWND hMenu; };
BOOL CALLBACK FindMenuWindow(HWND h, LPARAM lp) {
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    if (!lstrcmpW(cls, L"#32768") && IsWindowVisible(h)) { reinterpret_cast<MenuSearch*>(lp)->hMenu = h; return FALSE; }
    return TRUE;
}

TEST_F(MainWindow, TrayMenuOpensLeftOfTheCursorAndRunsItsCommands) {
    Open();
    SetCursorPos(800, 500);
    std::atomic<LONG> menuLeft{ -1 }, menuTop{ -1 };
    std::thread chooser([&] {
        for (int i = 0; i < 300; ++i) {
            MenuSearch s = { nullptr };
            EnumWindows(&FindMenuWindow, reinterpret_cast<LPARAM>(&s));
            if (s.hMenu) {
                CRect r = WindowRect(s.hMenu);
                menuLeft = r.left;
                menuTop = r.top;
                Sleep(50);
                // The first entry: hide / show.
                PostMessageW(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
                PostMessageW(m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
                return;
            }
            Sleep(10);
        }
    });
    SendMessageW(m_hWnd, WM_TRAYICON, 0, WM_RBUTTONUP);
    chooser.join();
    Pump(m_hWnd, 100);
    POINT pt;
    GetCursorPos(&pt);
    EXPECT_EQ(menuLeft.load(), pt.x - 130);
    EXPECT_EQ(menuTop.load(), pt.y);
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    Command(32775);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    // F5's command does nothing.
    Command(32778);
    ExpectMaximizedLayout();
}

TEST_F(MainWindow, GameViewIsKeptFittedAndReloaded) {
    Open();
    FakeGameView view(m_hWnd);
    EXPECT_EQ(m_pDlg->GetGameWnd(), view.hWnd);
    Command(1002);
    EXPECT_TRUE(view.Got(WM_GAMEWND_FIT, 0));
    FakeGameView::Log().clear();
    Command(1008);
    EXPECT_TRUE(view.Got(WM_GAMEWND_FIT, 0));
    Command(1021);
    Pump(m_hWnd, 50);
    EXPECT_TRUE(view.Got(WM_GAMEWND_RELOAD, 0));
    FakeGameView::Log().clear();
    SetWindowPos(m_hWnd, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_TRUE(view.Got(WM_GAMEWND_FIT, 0));
}

TEST_F(MainWindow, ServerReselectStartsAFreshLauncherAndEnds) {
    Open();
    FakeGameView view(m_hWnd);
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDCANCEL);
        Command(1007);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    EXPECT_FALSE(view.Got(WM_CLOSE, 0));

    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    CString fresh = CString(system) + L"\\notepad.exe";
    m_pDlg->SetLauncherExecutable(fresh);
    {
        MessageBoxAnswer answer(m_hWnd, Overlay(), IDOK);
        Command(1007);
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    EXPECT_TRUE(view.Got(WM_CLOSE, 0));
    // The fresh instance runs; end it again.
    bool started = false;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe = { sizeof(pe) };
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe)) {
        if (!lstrcmpiW(pe.szExeFile, L"notepad.exe")) {
            started = true;
            if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pe.th32ProcessID)) { TerminateProcess(h, 0); CloseHandle(h); }
        }
    }
    CloseHandle(snap);
    EXPECT_TRUE(started);
}

TEST_F(MainWindow, CacheCleaningShowsTheOverlayAndDeletesTheCache) {
    wchar_t szCache[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE | CSIDL_FLAG_CREATE, nullptr, 0, szCache)));
    CString fixture = CString(szCache) + L"\\LanderFixture";
    ASSERT_TRUE(MakeFolders(fixture + L"\\X1\\keep"));
    ASSERT_TRUE(WriteBytes(fixture + L"\\X1\\keep\\desktop.ini", "ini"));
    ASSERT_TRUE(WriteBytes(fixture + L"\\X1\\keep\\page.htm", "htm"));
    ASSERT_TRUE(WriteBytes(fixture + L"\\X1\\ro.js", "js"));
    SetFileAttributesW(fixture + L"\\X1\\ro.js", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(MakeFolders(fixture + L"\\Y2"));
    ASSERT_TRUE(WriteBytes(fixture + L"\\Y2\\img.png", "png"));

    Open();
    Command(1005);  // hidden by the boss key: the overlay still covers the window's place
    HWND hOverlay = Overlay();
    ASSERT_TRUE(hOverlay);
    EXPECT_FALSE(IsWindowVisible(hOverlay));

    SendMessageW(m_hWnd, WM_COMMAND, 32776, 0);
    EXPECT_TRUE(IsWindowVisible(hOverlay));
    EXPECT_TRUE(WindowRect(hOverlay) == WindowRect(m_hWnd));
    EXPECT_TRUE(m_pDlg->IsCleaningCache());
    // A second request while the worker runs changes nothing.
    SendMessageW(m_hWnd, WM_COMMAND, 1030, 0);
    EXPECT_TRUE(IsWindowVisible(hOverlay));

    EXPECT_TRUE(PumpUntil(m_hWnd, [&] { return !m_pDlg->IsCleaningCache(); }, 30000));
    EXPECT_FALSE(IsWindowVisible(hOverlay));
    EXPECT_TRUE(FileExists(fixture + L"\\X1\\keep\\desktop.ini"));
    EXPECT_FALSE(FileExists(fixture + L"\\X1\\keep\\page.htm"));
    EXPECT_FALSE(FileExists(fixture + L"\\X1\\ro.js"));
    EXPECT_FALSE(FolderExists(fixture + L"\\Y2"));

    // Once done, cleaning can start again.
    Command(1030);
    EXPECT_TRUE(PumpUntil(m_hWnd, [&] { return !m_pDlg->IsCleaningCache(); }, 30000));
    EXPECT_FALSE(IsWindowVisible(hOverlay));
    RemoveTree(fixture);
}

}  // namespace
