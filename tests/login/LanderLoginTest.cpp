// The login window with its popup and the stand-in browser control against a local platform on
// the port the launcher is configured for.
#include "app/ProductText.h"
#include "login/LanderLogin.h"
#include "login/LoginPopupDlg.h"
#include "login/WebFormLogin.h"
#include "tests/support/PlatformFixture.h"
#include "tests/support/ScreenCapture.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

using namespace testing_support;

namespace {


std::string LoginPage(const std::string& gameHref) {
    return "<html><head><title>login</title></head><body><a href=\"" + gameHref +
           "\">enter game</a><p>Nuvra login</body></html>";
}

int CountVersionRequests(const LocalHttpServer& server) {
    int n = 0;
    for (const auto& r : server.Requests()) n += r.rfind("/getClientVersion.php?", 0) == 0;
    return n;
}

// Runs fn on the login window's own modal loop, every 50 ms until it returns true.
class ModalProbe {
public:
    explicit ModalProbe(std::function<bool()> fn) {
        s_fn = std::move(fn);
        m_id = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~ModalProbe() { KillTimer(nullptr, m_id); s_fn = nullptr; }
private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        // The probe pumps messages itself; the timer must not run it again from inside.
        if (!s_fn || s_bBusy) return;
        s_bBusy = true;
        if (s_fn()) s_fn = nullptr;
        s_bBusy = false;
    }
    static std::function<bool()> s_fn;
    static bool s_bBusy;
    UINT_PTR m_id;
};
std::function<bool()> ModalProbe::s_fn;
bool ModalProbe::s_bBusy = false;

class LoginWindow : public PlatformFixture {};

bool BrowserShown(CLanderLogin& login) {
    if (!login.m_pLoginPopup || !login.m_pLoginPopup->m_pWebForm) return false;
    HWND hBrowser = login.m_pLoginPopup->m_pWebForm->GetBrowserWindow();
    RECT rc;
    return hBrowser && GetWindowRect(hBrowser, &rc) && !IsRectEmpty(&rc);
}

BOOL PreTranslateKey(CLoginPopupDlg* pPopup, UINT key) {
    MSG msg = { pPopup->m_pWebForm->GetBrowserWindow(), WM_KEYDOWN, key, 1 };
    return pPopup->PreTranslateMessage(&msg);
}

TEST_F(LoginWindow, ShowsThePageOnceLoadedAndEndsWithTheWholeGameAddressOfALinkClick) {
    // A long address (near the browser's own limit of about 2 KB) must come through whole.
    std::string gamePath = "/play_gamecode?svname=S7&sig=" + std::string(1900, 'k');
    server.SetPage("/login.php", LoginPage(gamePath));

    CLanderLogin login;
    bool probed = false;
    int versionRequestsAtShow = -1;
    ModalProbe probe([&] {
        if (!login.m_hWnd) return false;
        CLoginPopupDlg* pPopup = login.m_pLoginPopup;
        if (!BrowserShown(login)) {
            // While loading the page is hidden at zero size.
            if (pPopup && pPopup->m_pWebForm && pPopup->m_pWebForm->GetBrowserWindow()) {
                RECT rc;
                GetWindowRect(pPopup->m_pWebForm->GetBrowserWindow(), &rc);
                EXPECT_TRUE(IsRectEmpty(&rc));
            }
            return false;
        }
        probed = true;
        versionRequestsAtShow = CountVersionRequests(server);
        wchar_t title[64] = L"";
        GetWindowTextW(login.m_hWnd, title, 64);
        EXPECT_EQ(CString(title), LoadProductText(IDS_WINDOW_TITLE));
        EXPECT_TRUE(login.GetStyle() & WS_MINIMIZEBOX);

        RECT rcLogin, rcPopup, rcBrowser;
        login.GetWindowRect(&rcLogin);
        pPopup->GetWindowRect(&rcPopup);
        EXPECT_EQ(rcLogin.right - rcLogin.left, 1114);
        EXPECT_EQ(rcLogin.bottom - rcLogin.top, 723);
        EXPECT_EQ(rcPopup.left - rcLogin.left, 353);
        EXPECT_EQ(rcPopup.top - rcLogin.top, 194);
        EXPECT_EQ(rcPopup.right - rcPopup.left, 705);
        EXPECT_EQ(rcPopup.bottom - rcPopup.top, 470);
        GetWindowRect(pPopup->m_pWebForm->GetBrowserWindow(), &rcBrowser);
        EXPECT_EQ(rcBrowser.top - rcPopup.top, 84);
        EXPECT_EQ(rcBrowser.bottom, rcPopup.bottom);
        EXPECT_EQ(rcBrowser.right - rcBrowser.left, 705);
        // A layered window's image is only on the screen, not in its own context.
        PumpMessages();
        HDC hScreen = GetDC(nullptr);
        ScreenCapture shot = ScreenCapture::OfDC(hScreen, rcLogin.left, rcLogin.top, 1114, 723);
        ReleaseDC(nullptr, hScreen);
        shot.SavePng(L"login-window");
        // The artwork shows around the popup, and the popup's green band is keyed out.
        EXPECT_GT(shot.MeanBrightness(60, 300, 200, 200), 10.0);
        EXPECT_FALSE(shot.Pixel(353 + 300, 194 + 40) == (Rgb{ 0, 255, 0 }));

        // Space and Esc never reach the page, Enter is left to it.
        EXPECT_TRUE(PreTranslateKey(pPopup, VK_SPACE));
        EXPECT_TRUE(PreTranslateKey(pPopup, VK_ESCAPE));
        EXPECT_FALSE(PreTranslateKey(pPopup, VK_RETURN));
        // Enter and Esc on the login window itself do not close it.
        login.SendMessage(WM_COMMAND, IDOK, 0);
        login.SendMessage(WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindow(login.m_hWnd) && login.IsWindowVisible());

        // Dragging moves the popup along.
        login.SetWindowPos(nullptr, rcLogin.left + 40, rcLogin.top + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        pPopup->GetWindowRect(&rcPopup);
        EXPECT_EQ(rcPopup.left, rcLogin.left + 40 + 353);
        EXPECT_EQ(rcPopup.top, rcLogin.top + 30 + 194);

        // A navigation that is not to the game changes nothing.
        g_strNavigateUrl = server.Url("/elsewhere.php");
        pPopup->SendMessage(WM_COMMAND, IDC_WEBFORM_NAVIGATE, 0);
        EXPECT_TRUE(login.GetGameUrl().IsEmpty());

        // The player logs in: a click on the page's link.
        HWND hServer = pPopup->m_pWebForm->GetBrowserWindow();
        PostMessageW(hServer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
        PostMessageW(hServer, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));
        return true;
    });
    login.DoModal();

    EXPECT_TRUE(probed);
    EXPECT_EQ(versionRequestsAtShow, 1) << "the update check runs once, before the page shows";
    EXPECT_EQ(login.GetGameUrl(), server.Url(gamePath));
    EXPECT_EQ(login.GetGameUrl().GetLength(), static_cast<int>(server.Url(gamePath).GetLength()));
    EXPECT_EQ(g_strNavigateUrl, server.Url(gamePath));
    // Cancelled: the game address itself is never fetched by the login page.
    EXPECT_EQ(server.CountRequests(gamePath), 0);
    EXPECT_EQ(CountVersionRequests(server), 1);
}

TEST_F(LoginWindow, MinimisesWithItsPopupAndComesBackTogether) {
    server.SetPage("/login.php", LoginPage("/play_gamecode?svname=S1"));
    CString longAddress = CString(L"http://127.0.0.1/frame/play_gamecode?svname=S1&sig=") + CString(L'q', 8192);
    CLanderLogin login;
    int step = 0;
    ModalProbe probe([&] {
        if (!BrowserShown(login)) return false;
        CLoginPopupDlg* pPopup = login.m_pLoginPopup;
        if (step == 0) {
            pPopup->SendMessage(WM_COMMAND, IDC_BTN_LOGIN_MIN, 0);
            EXPECT_TRUE(login.IsIconic());
            EXPECT_FALSE(pPopup->IsWindowVisible());
            login.ShowWindow(SW_RESTORE);
            step = 1;
            return false;
        }
        EXPECT_FALSE(login.IsIconic());
        EXPECT_TRUE(pPopup->IsWindowVisible());
        RECT rcLogin, rcPopup;
        login.GetWindowRect(&rcLogin);
        pPopup->GetWindowRect(&rcPopup);
        EXPECT_EQ(rcPopup.left - rcLogin.left, 353);
        EXPECT_EQ(rcPopup.top - rcLogin.top, 194);
        // A frame's navigation ends the login as well, and an 8 KB address is kept whole.
        g_strNavigateUrl = longAddress;
        pPopup->SendMessage(WM_COMMAND, IDC_WEBFORM_NAVIGATE, 0);
        return true;
    });
    login.DoModal();
    EXPECT_EQ(step, 1);
    EXPECT_EQ(login.GetGameUrl(), longAddress);
}

}  // namespace
