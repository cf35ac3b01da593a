// The game view as a process of its own, embedded into a main window this test plays.
#include "mainwnd/GameWndMessages.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>

using testing_support::LocalHttpServer;
using testing_support::PumpUntil;

namespace {

HWND g_hAttached = nullptr;

LRESULT CALLBACK FrameProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GAMEWND_ATTACHED) {
        g_hAttached = reinterpret_cast<HWND>(wParam);
        return 0;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateFrame() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"GameViewTestFrame";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"GameViewTestFrame", L"frame", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 900,
                           650, nullptr, nullptr, wc.hInstance, nullptr);
}

// The dialog's rectangle in the frame's client coordinates.
RECT PlaceInFrame(HWND hChild, HWND hFrame) {
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

HWND FindPage(HWND hDlg) {
    HWND h = hDlg;
    wchar_t name[64] = L"";
    do {
        h = GetWindow(h, GW_CHILD);
        if (h) GetClassNameW(h, name, 64);
    } while (h && lstrcmpW(name, L"Internet Explorer_Server"));
    return h;
}

class GameViewProcess : public testing::Test {
protected:
    void SetUp() override {
        server.SetPage("/game", "<html><body><a href=\"/page2\">next</a> game</body></html>");
        server.SetPage("/page2", "<html><body>second page</body></html>");
        g_hAttached = nullptr;
        m_hFrame = CreateFrame();
        ASSERT_NE(m_hFrame, nullptr);
    }
    void TearDown() override {
        if (m_pi.hProcess) {
            if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 1);
            WaitForSingleObject(m_pi.hProcess, 5000);
            CloseHandle(m_pi.hProcess);
            CloseHandle(m_pi.hThread);
        }
        if (IsWindow(m_hFrame)) DestroyWindow(m_hFrame);
    }
    // Starts the executable in game-view mode, as the main window's launcher does.
    bool Start(HWND hFrame, const CString& url) {
        CString exe = testing_support::BinaryFolder() + L"Lander_Kv.exe";
        CString cmd = FormatString(L"\"%s\" -frameWnd=%ld -gameurl=%s", exe.GetString(),
                                   static_cast<long>(reinterpret_cast<LONG_PTR>(hFrame)), url.GetString());
        STARTUPINFOW si = { sizeof(si) };
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWNORMAL;
        return CreateProcessW(nullptr, cmd.GetBuffer(cmd.GetLength() + 1), nullptr, nullptr, FALSE,
                              NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &m_pi) != 0;
    }
    void StartAndAttach() {
        ASSERT_TRUE(Start(m_hFrame, server.Url("/game")));
        ASSERT_TRUE(PumpUntil([] { return g_hAttached != nullptr; }, 20000));
        ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/game") == 1; }));
    }
    bool Ended(DWORD ms) {
        return PumpUntil([&] { return WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }, ms);
    }
    RECT FrameClient() {
        RECT rc;
        GetClientRect(m_hFrame, &rc);
        return rc;
    }

    LocalHttpServer server;
    HWND m_hFrame = nullptr;
    PROCESS_INFORMATION m_pi = {};
};

TEST_F(GameViewProcess, AttachesBelowTheStripAndFollowsTheMainWindow) {
    StartAndAttach();
    HWND hGame = g_hAttached;
    EXPECT_EQ(GetParent(hGame), m_hFrame);
    RECT c = FrameClient(), below = { 0, 30, c.right, c.bottom }, whole = c;
    RECT rc = PlaceInFrame(hGame, m_hFrame);
    EXPECT_TRUE(EqualRect(&rc, &below));
    HWND hPage = FindPage(hGame);
    ASSERT_NE(hPage, nullptr);
    RECT page = PlaceInFrame(hPage, m_hFrame);
    EXPECT_TRUE(EqualRect(&page, &below));   // the view fills the dialog

    // Full screen covers the strip, leaving it gives the strip back; both follow the frame's size.
    EXPECT_TRUE(SendToGameView(hGame, WM_GAMEWND_FIT, 1));
    rc = PlaceInFrame(hGame, m_hFrame);
    EXPECT_TRUE(EqualRect(&rc, &whole));
    SetWindowPos(m_hFrame, nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(SendToGameView(hGame, WM_GAMEWND_FIT, 0));
    c = FrameClient();
    below = { 0, 30, c.right, c.bottom };
    rc = PlaceInFrame(hGame, m_hFrame);
    EXPECT_TRUE(EqualRect(&rc, &below));
    ASSERT_TRUE(PumpUntil([&] {
        RECT p = PlaceInFrame(hPage, m_hFrame);
        return EqualRect(&p, &below) != 0;
    }));
}

TEST_F(GameViewProcess, ReloadsTheStartAddressAndLeavesEnterAndEscapeToThePage) {
    StartAndAttach();
    HWND hGame = g_hAttached, hPage = FindPage(hGame);
    ASSERT_NE(hPage, nullptr);
    // Away from the start page first, then back by the refresh request and by F5.
    PostMessageW(hPage, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    PostMessageW(hPage, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/page2") == 1; }));
    PostMessageW(hGame, WM_GAMEWND_RELOAD, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/game") == 2; }));
    PostMessageW(hPage, WM_KEYDOWN, VK_F5, 0);
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/game") == 3; }));

    for (WPARAM key : { VK_RETURN, VK_ESCAPE }) {
        PostMessageW(hPage, WM_KEYDOWN, key, 0);
        CString expected = FormatString(L"keydown:%u", static_cast<unsigned>(key));
        EXPECT_TRUE(PumpUntil([&] {
            wchar_t text[32] = L"";
            GetWindowTextW(hPage, text, 32);
            return expected == text;
        })) << key;
    }
    EXPECT_TRUE(IsWindowVisible(hGame));
    EXPECT_EQ(GetParent(hGame), m_hFrame);
    EXPECT_EQ(WaitForSingleObject(m_pi.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST_F(GameViewProcess, CloseFromTheMainWindowEndsTheProcess) {
    StartAndAttach();
    EXPECT_TRUE(SendToGameView(g_hAttached, WM_CLOSE));
    ASSERT_TRUE(Ended(10000));
    DWORD code = 1;
    GetExitCodeProcess(m_pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(GameViewProcess, EndsSoonAfterTheMainWindowIsGone) {
    StartAndAttach();
    DestroyWindow(m_hFrame);
    EXPECT_TRUE(Ended(5000));   // polled every second, one more second of grace
}

TEST_F(GameViewProcess, AFrozenOrDeadGameViewDoesNotHoldTheMainWindow) {
    StartAndAttach();
    HWND hGame = g_hAttached;
    SuspendThread(m_pi.hThread);
    DWORD start = GetTickCount();
    EXPECT_FALSE(SendToGameView(hGame, WM_GAMEWND_FIT, 1));
    EXPECT_LT(GetTickCount() - start, 1500u);
    ResumeThread(m_pi.hThread);
    TerminateProcess(m_pi.hProcess, 1);
    WaitForSingleObject(m_pi.hProcess, 5000);
    start = GetTickCount();
    EXPECT_FALSE(SendToGameView(hGame, WM_CLOSE));
    EXPECT_LT(GetTickCount() - start, 1500u);
}

TEST_F(GameViewProcess, AFrameThatIsAlreadyGoneEndsTheGameViewAtOnce) {
    HWND hGone = CreateFrame();
    DestroyWindow(hGone);
    ASSERT_TRUE(Start(hGone, server.Url("/game")));
    EXPECT_TRUE(Ended(20000));
    EXPECT_EQ(g_hAttached, nullptr);
}

}  // namespace
