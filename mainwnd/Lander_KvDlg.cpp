#include "mainwnd/Lander_KvDlg.h"
#include "app/ProductText.h"
#include "install/Settings.h"
#include "mainwnd/CacheCleaner.h"
#include "mainwnd/GameUrl.h"
#include "mainwnd/GameViewLauncher.h"
#include "mainwnd/GameWndMessages.h"
#include "mainwnd/HotKeyTable.h"
#include "mainwnd/RunLogin.h"
#include "mainwnd/WorkAreaFit.h"
#include "skin/CustomMessageBox.h"
#include "skin/MenbanDlg.h"
#include "skin/PngImage.h"
#include <gdiplus.h>
#include <process.h>

namespace {
// Controls of template 101 and commands of the window.
constexpr UINT kBtnClose = 1001, kBtnRestore = 1002, kBtnMin = 1003, kBtnFullScreen = 1004,
               kBtnBoss = 1005, kBtnServer = 1007, kBtnMax = 1008, kBtnUnused1011 = 1011,
               kBtnUnused1017 = 1017, kBtnRefresh = 1021, kBtnClearCache = 1030;
constexpr UINT kCmdTrayToggle = 32775, kCmdTrayClearCache = 32776, kCmdTrayExit = 32777, kCmdF5 = 32778;
constexpr UINT kTemplateMain = 101, kTemplateOverlay = 274, kMenuTray = 151, kAccelMain = 303;
constexpr UINT kIconWindow = 180, kIconTray = 273;
constexpr UINT kPngCaptionLeft = 203, kPngCaptionMid = 172, kPngCaptionRight = 206;
constexpr UINT_PTR kTimerRefit = 102, kTimerOverlay = 5000;
constexpr int kRestoredWidth = 1000, kRestoredHeight = 700;
constexpr int kHotKeyBoss = 2, kHotKeyFullScreen = 3;
}

BEGIN_MESSAGE_MAP(CLander_KvDlg, CDialog)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_WM_PAINT()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_COMMAND(kBtnMax, OnMaximize)
    ON_COMMAND(kBtnRestore, OnRestore)
    ON_COMMAND(kBtnMin, OnMinimize)
    ON_COMMAND(kBtnFullScreen, OnFullScreen)
    ON_COMMAND(kBtnBoss, OnBossKey)
    ON_COMMAND(kBtnClearCache, OnClearCache)
    ON_COMMAND(kBtnServer, OnSelectServer)
    ON_COMMAND(kBtnClose, OnClose)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_MESSAGE(WM_HOTKEY, OnHotKey)
    ON_WM_SIZE()
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_TRAYICON, OnTrayIcon)
    ON_COMMAND(kCmdTrayExit, OnTrayExit)
    ON_COMMAND(kCmdTrayClearCache, OnTrayClearCache)
    ON_COMMAND(kCmdTrayToggle, OnTrayToggle)
    ON_COMMAND(kCmdF5, OnAcceleratorF5)
    ON_COMMAND(kBtnRefresh, OnRefresh)
    ON_COMMAND(IDC_CACHE_CLEARED, OnCacheCleared)
    ON_MESSAGE(WM_GAMEWND_ATTACHED, OnGameWndAttached)
    ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
END_MESSAGE_MAP()

CLander_KvDlg::CLander_KvDlg() : CDialog(kTemplateMain), m_bRunLogin(true) {}

CLander_KvDlg::CLander_KvDlg(const CString& strGameUrl)
    : CDialog(kTemplateMain), m_strGameUrl(strGameUrl), m_bRunLogin(false) {}

CLander_KvDlg::~CLander_KvDlg() {
    if (m_pMenbanDlg) {
        if (m_pMenbanDlg->m_hWnd) m_pMenbanDlg->DestroyWindow();
        delete m_pMenbanDlg;
    }
}

void CLander_KvDlg::DoDataExchange() {
    m_btnClose.SubclassDlgItem(kBtnClose, this);
    m_btnMax.SubclassDlgItem(kBtnMax, this);
    m_btnRestore.SubclassDlgItem(kBtnRestore, this);
    m_btnUnused1017.SubclassDlgItem(kBtnUnused1017, this);
    m_btnMin.SubclassDlgItem(kBtnMin, this);
    m_btnServer.SubclassDlgItem(kBtnServer, this);
    m_btnBoss.SubclassDlgItem(kBtnBoss, this);
    m_btnFullScreen.SubclassDlgItem(kBtnFullScreen, this);
    m_btnUnused1011.SubclassDlgItem(kBtnUnused1011, this);
    m_btnRefresh.SubclassDlgItem(kBtnRefresh, this);
    m_btnClearCache.SubclassDlgItem(kBtnClearCache, this);
}

BOOL CLander_KvDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DoDataExchange();
    m_bMinimized = 0;

    CString title = LoadProductText(IDS_WINDOW_TITLE);
    SetWindowText(title);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() & ~WS_CAPTION);
    SetWindowPos(nullptr, 0, 0, kRestoredWidth, kRestoredHeight, 0);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetStyle() | WS_SYSMENU | WS_MINIMIZEBOX);

    // A login the player leaves ends the process itself; whatever comes back is played.
    if (m_bRunLogin) m_strGameUrl = RunLoginAndGetGameUrl();
    m_strServerName = ServerNameFromDecodedUrl(DecodeGameUrl(m_strGameUrl));

    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    HICON hTrayIcon = static_cast<HICON>(::LoadImageW(hInst, MAKEINTRESOURCEW(kIconTray), IMAGE_ICON,
                                                      ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    m_tray.Add(m_hWnd, hTrayIcon, title);

    m_btnClose.SetImages(207, 208, 227);
    m_btnMax.SetImages(220, 213, 228);
    m_btnRestore.SetImages(221, 217, 229);
    m_btnMin.SetImages(209, 210, 230);
    m_btnServer.SetImages(211, 212, 231);
    m_btnServer.SetTooltipText(L"选择新的服务器", TRUE);
    m_btnBoss.SetImages(223, 215, 233);
    m_btnBoss.SetTooltipText(L"老板键（快捷键F10）", TRUE);
    m_btnFullScreen.SetImages(224, 214, 234);
    m_btnFullScreen.SetTooltipText(L"全屏/取消全屏（快捷键F11）", TRUE);
    m_btnRefresh.SetImages(226, 219, 236);
    m_btnRefresh.SetTooltipText(L"刷新", TRUE);
    m_btnClearCache.SetImages(252, 253, 261);
    m_btnClearCache.SetTooltipText(L"清除缓存", TRUE);

    m_pImgCaptionLeft = LoadPngImage(kPngCaptionLeft);
    m_pImgCaptionMid = LoadPngImage(kPngCaptionMid);
    m_pImgCaptionRight = LoadPngImage(kPngCaptionRight);

    // The restored placement: 1000 x 700 in the middle of the work area.
    CenterWindow();
    // This also makes the window visible, so the modal loop does not show it again.
    EnterMaximized();

    m_pMenbanDlg = new CMenbanDlg;
    m_pMenbanDlg->Create(kTemplateOverlay, this);
    m_pMenbanDlg->ShowWindow(SW_HIDE);

    m_hAccel = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(kAccelMain));
    RegisterHotKeys();

    auto* pLaunch = new GameViewLaunch;
    pLaunch->strExePath = LauncherExecutable();
    pLaunch->hFrameWnd = m_hWnd;
    pLaunch->strGameUrl = m_strGameUrl;
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &GameViewLauncher, pLaunch, 0, nullptr));
    if (hThread) ::CloseHandle(hThread);
    else delete pLaunch;
    return TRUE;
}

CString CLander_KvDlg::LauncherExecutable() const {
    if (!m_strLauncherExe.IsEmpty()) return m_strLauncherExe;
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return szPath;
}

// --- window states ---------------------------------------------------------------------------

void CLander_KvDlg::FitToWorkArea() {
    CRect rcTaskbar;
    if (HWND hTaskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) ::GetWindowRect(hTaskbar, &rcTaskbar);
    CRect rcWorkArea;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWorkArea, 0);
    CRect rc = WorkAreaWindowRect(rcTaskbar, rcWorkArea);
    SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
    SendToGameView(WM_GAMEWND_FIT, 0);
    InvalidateCaptionStrip();
}

void CLander_KvDlg::LayoutCaptionButtons() {
    CRect rc;
    GetClientRect(&rc);
    const int w = rc.Width(), y = 3;
    struct Place { CTouchButton* button; int right; int cx; int cy; };
    const Place places[] = {
        { &m_btnClose, 28, 28, 26 }, { &m_btnMax, 57, 28, 26 }, { &m_btnRestore, 57, 28, 26 },
        { &m_btnMin, 86, 28, 26 }, { &m_btnFullScreen, 172, 85, 24 }, { &m_btnBoss, 270, 97, 24 },
        { &m_btnClearCache, 349, 85, 24 }, { &m_btnRefresh, 428, 78, 24 }, { &m_btnServer, 488, 59, 24 },
    };
    for (const Place& p : places)
        if (p.button->m_hWnd) p.button->SetWindowPos(nullptr, w - p.right, y, p.cx, p.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLander_KvDlg::ShowCaptionButtons(int nCmdShow) {
    CTouchButton* buttons[] = { &m_btnClose, &m_btnMax, &m_btnRestore, &m_btnMin, &m_btnServer,
                                &m_btnBoss, &m_btnFullScreen, &m_btnRefresh, &m_btnClearCache };
    for (CTouchButton* b : buttons)
        if (b->m_hWnd) b->ShowWindow(nCmdShow);
}

void CLander_KvDlg::EnterMaximized() {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    m_bMaximized = true;
    FitToWorkArea();
    LayoutCaptionButtons();
    m_btnMax.ShowWindow(SW_HIDE);
    m_btnRestore.ShowWindow(SW_SHOW);
    InvalidateCaptionStrip();
}

void CLander_KvDlg::RestoreWindow() {
    m_bMaximized = false;
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    LayoutCaptionButtons();
    SendToGameView(WM_GAMEWND_FIT, 0);
    m_btnMax.ShowWindow(SW_SHOW);
    m_btnRestore.ShowWindow(SW_HIDE);
    CRect rc(0, 0, kRestoredWidth, kCaptionHeight);
    InvalidateRect(&rc, TRUE);
}

void CLander_KvDlg::EnterFullScreen() {
    m_bFullScreen = true;
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    SetWindowPos(nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER);
    SendToGameView(WM_GAMEWND_FIT, 1);
    ShowCaptionButtons(SW_HIDE);
    // Repaint this window at once, but not its children: the game view is a window of another
    // process, and painting it from here would wait for that process, frozen or not.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
}

void CLander_KvDlg::LeaveFullScreen() {
    m_bFullScreen = false;
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    m_bMaximized = true;
    FitToWorkArea();
    LayoutCaptionButtons();
    ShowCaptionButtons(SW_SHOW);
    m_btnMax.ShowWindow(SW_HIDE);
    m_btnRestore.ShowWindow(SW_SHOW);
}

void CLander_KvDlg::InvalidateCaptionStrip() {
    CRect rc;
    GetClientRect(&rc);
    rc.bottom = rc.top + kCaptionHeight;
    InvalidateRect(&rc, TRUE);
}

void CLander_KvDlg::RegisterHotKeys() {
    HotKeyTable table;
    const struct { int id; const wchar_t* key; } keys[] = { { kHotKeyBoss, L"screentoggle" }, { kHotKeyFullScreen, L"fullscreen" } };
    for (const auto& k : keys) {
        SettingBuffer value = {};
        ReadSetting(L"Setting", k.key, L"0", value);
        if (!value[0]) continue;
        ::UnregisterHotKey(m_hWnd, k.id);
        HotKey key = ParseHotKey(table, value);
        // A combination another program holds simply does not work.
        ::RegisterHotKey(m_hWnd, k.id, key.nModifiers, key.nKeyCode);
    }
}

void CLander_KvDlg::SendToGameView(UINT message, WPARAM wParam) {
    // A hung or dead game view must never freeze the main window. One command may send several
    // messages (a size change, then the fit), so after one has timed out the window waits only
    // briefly until the game view answers again: a frozen game view costs a command about one
    // second, not one second per message.
    if (!m_hGameWnd) return;
    UINT timeoutMs = m_bGameWndUnanswered ? kGameWndUnansweredTimeoutMs : kGameWndSendTimeoutMs;
    m_bGameWndUnanswered = !::SendToGameView(m_hGameWnd, message, wParam, 0, nullptr, timeoutMs);
}

void CLander_KvDlg::CloseGameView() {
    if (!m_hGameWnd) return;
    SendToGameView(WM_CLOSE, 0);
    ::Sleep(50);
}

// --- keyboard, icon, painting ---------------------------------------------------------------

BOOL CLander_KvDlg::PreTranslateMessage(MSG* pMsg) {
    // Enter and Escape never reach the dialog's key handling: they must not close the window.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) return FALSE;
    if (m_hAccel && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CLander_KvDlg::SetBigIcon() {
    SetIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconWindow)), TRUE);
}

LRESULT CLander_KvDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CDialog::DefWindowProc(message, wParam, lParam);
    if (m_hWnd && ::IsWindow(m_hWnd) &&
        (message == WM_NCPAINT || message == WM_NCACTIVATE || message == WM_NOTIFY || message == WM_MOVE || message == WM_PAINT))
        SetBigIcon();
    return result;
}

void CLander_KvDlg::OnPaint() {
    SetBigIcon();
    // Validating the update region ends the paint cycle; the strip itself is drawn by the
    // erase request that BeginPaint sends.
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
}

BOOL CLander_KvDlg::OnEraseBkgnd(HDC hDC) {
    if (!m_pImgCaptionLeft || !m_pImgCaptionMid || !m_pImgCaptionRight || m_bFullScreen) return TRUE;
    PaintCaptionStrip(hDC);
    return TRUE;
}

void CLander_KvDlg::PaintCaptionStrip(HDC hDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    const int w = rcClient.Width();
    if (w <= 0) return;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, w, kCaptionHeight);
    HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
    {
        Gdiplus::Graphics g(hMemDC);
        const int cxLeft = static_cast<int>(m_pImgCaptionLeft->GetWidth());
        const int cyLeft = static_cast<int>(m_pImgCaptionLeft->GetHeight());
        const int cyMid = static_cast<int>(m_pImgCaptionMid->GetHeight());
        const int cxRight = static_cast<int>(m_pImgCaptionRight->GetWidth());
        const int cyRight = static_cast<int>(m_pImgCaptionRight->GetHeight());

        Gdiplus::TextureBrush left(m_pImgCaptionLeft), mid(m_pImgCaptionMid), right(m_pImgCaptionRight);
        left.TranslateTransform(static_cast<Gdiplus::REAL>(rcClient.left), static_cast<Gdiplus::REAL>(rcClient.top));
        g.FillRectangle(&left, rcClient.left, rcClient.top, cxLeft, cyLeft);
        int x = rcClient.left + cxLeft;
        mid.TranslateTransform(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(rcClient.top));
        g.FillRectangle(&mid, x, rcClient.top, w - cxLeft - cxRight, cyMid);
        x = rcClient.right - cxRight;
        right.TranslateTransform(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(rcClient.top));
        g.FillRectangle(&right, x, rcClient.top, cxRight, cyRight);

        if (!m_strServerName.IsEmpty()) {
            g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
            // Where the family is not installed the name still shows, in the generic sans serif.
            Gdiplus::FontFamily family(L"微软雅黑");
            const Gdiplus::FontFamily* pFamily = family.IsAvailable() ? &family : Gdiplus::FontFamily::GenericSansSerif();
            Gdiplus::Font font(pFamily, 14.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::SolidBrush brush(Gdiplus::Color(0xFFFFF3CD));
            CString text = FormatString(L"[ %s ]", m_strServerName.GetString());
            g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
            g.DrawString(text, -1, &font, Gdiplus::PointF(static_cast<Gdiplus::REAL>(cxLeft + 5), 4.0f), &brush);
        }
    }
    ::BitBlt(hDC, 0, 0, w, kCaptionHeight, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
}

// --- mouse, size, timer ---------------------------------------------------------------------

void CLander_KvDlg::OnLButtonDown(UINT, POINT) {
    // The strip drags the window, unless it fills the work area.
    if (!IsZoomed()) PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    Default();
}

void CLander_KvDlg::OnLButtonDblClk(UINT, POINT) {
    if (IsZoomed()) RestoreWindow();
    else EnterMaximized();
    Default();
}

void CLander_KvDlg::OnSize(UINT, int, int) {
    SendToGameView(WM_GAMEWND_FIT, m_bFullScreen ? 1 : 0);
}

LRESULT CLander_KvDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
    pInfo->ptMinTrackSize.x = 400;
    pInfo->ptMinTrackSize.y = 400;
    return Default();
}

LRESULT CLander_KvDlg::OnActivate(WPARAM, LPARAM) {
    // Activation must not move the keyboard focus out of the game view.
    return 0;
}

void CLander_KvDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerRefit) {
        FitToWorkArea();
        KillTimer(kTimerRefit);
    }
    Default();
}

// --- commands -------------------------------------------------------------------------------

void CLander_KvDlg::OnCancel() {
    // The dialog manager's answer to a close request: it only ever leaves full screen.
    if (m_bFullScreen) {
        LeaveFullScreen();
        InvalidateCaptionStrip();
    }
}

void CLander_KvDlg::OnMaximize() {
    m_bMinimized = 0;
    EnterMaximized();
}

void CLander_KvDlg::OnRestore() {
    m_bMinimized = 0;
    RestoreWindow();
}

void CLander_KvDlg::OnMinimize() {
    m_bMinimized = 1;
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CLander_KvDlg::OnFullScreen() {
    m_bMinimized = 0;
    EnterFullScreen();
}

void CLander_KvDlg::OnBossKey() {
    ShowWindow(SW_HIDE);
}

void CLander_KvDlg::OnClose() {
    ConfirmClose();
}

void CLander_KvDlg::OnTrayExit() {
    ConfirmClose();
}

void CLander_KvDlg::ConfirmClose() {
    CString text = FormatString(L"是否退出%s？", LoadProductText(IDS_WINDOW_TITLE).GetString());
    CCustomMessageBox box;
    box.SetMessage(L"关闭提示", text);
    if (box.DoModal() != IDOK) return;
    m_tray.Remove();
    CloseGameView();
    EndDialog(0);
}

void CLander_KvDlg::OnSelectServer() {
    CCustomMessageBox box;
    box.SetMessage(L"选服", L"是否退出当前区服，重新选择新区服？");
    if (box.DoModal() != IDOK) return;
    ShowWindow(SW_HIDE);
    CloseGameView();

    // A fresh launcher shows the login again, where the player picks a server.
    CString exe = LauncherExecutable();
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, TRUE };
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (::CreateProcessW(exe, nullptr, &sa, &sa, FALSE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(pi.hProcess);
        ::CloseHandle(pi.hThread);
    }
    EndDialog(0);
}

void CLander_KvDlg::OnRefresh() {
    if (m_hGameWnd) ::PostMessageW(m_hGameWnd, WM_GAMEWND_RELOAD, 0, 0);
}

void CLander_KvDlg::OnAcceleratorF5() {
    // F5 belongs to the game view; here it is swallowed.
}

void CLander_KvDlg::OnTrayClearCache() {
    OnClearCache();
}

void CLander_KvDlg::OnTrayToggle() {
    ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CLander_KvDlg::OnClearCache() {
    if (m_bCleaningCache) return;
    if (m_pMenbanDlg && m_pMenbanDlg->m_hWnd) {
        CRect rc;
        GetWindowRect(&rc);
        m_pMenbanDlg->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER);
        m_pMenbanDlg->SetTimer(kTimerOverlay, 200);
        m_pMenbanDlg->ShowWindow(SW_SHOW);
    }
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ClearBrowserCache, m_hWnd, 0, nullptr));
    if (!hThread) {
        // No worker, no completion: take the overlay away again at once.
        OnCacheCleared();
        return;
    }
    ::CloseHandle(hThread);
    m_bCleaningCache = true;
}

void CLander_KvDlg::OnCacheCleared() {
    m_bCleaningCache = false;
    if (m_pMenbanDlg && m_pMenbanDlg->m_hWnd) {
        m_pMenbanDlg->KillTimer(kTimerOverlay);
        m_pMenbanDlg->ShowWindow(SW_HIDE);
    }
}

LRESULT CLander_KvDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    UINT nCommand = static_cast<UINT>(wParam & 0xFFF0);
    if (nCommand == SC_CLOSE) {
        ConfirmClose();
    } else if (nCommand == SC_RESTORE && m_bMaximized) {
        // A window restored from the taskbar comes back at the system's maximized size, which
        // covers the taskbar: fit it to the work area once the restore is through.
        SetTimer(kTimerRefit, 10);
    }
    return Default();
}

LRESULT CLander_KvDlg::OnHotKey(WPARAM wParam, LPARAM) {
    if (wParam == kHotKeyBoss) {
        if (m_bMinimized) {
            ShowWindow(SW_SHOW);
            if (m_bMaximized) OnMaximize();
            else OnRestore();
            SetForegroundWindow();
        } else {
            ShowWindow(IsWindowVisible() ? SW_HIDE : SW_SHOW);
        }
    } else if (wParam == kHotKeyFullScreen) {
        HWND hForeground = ::GetForegroundWindow();
        if (hForeground && (hForeground == m_hWnd || hForeground == ::GetLastActivePopup(m_hWnd))) {
            if (m_bFullScreen) LeaveFullScreen();
            else EnterFullScreen();
        }
    }
    return Default();
}

LRESULT CLander_KvDlg::OnTrayIcon(WPARAM, LPARAM lParam) {
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
        ShowWindow(SW_SHOW);
        SetForegroundWindow();
        break;
    case WM_RBUTTONUP: {
        HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kMenuTray));
        if (!hMenu) break;
        if (HMENU hPopup = ::GetSubMenu(hMenu, 0)) {
            POINT pt;
            ::GetCursorPos(&pt);
            SetForegroundWindow();
            ::TrackPopupMenu(hPopup, TPM_RIGHTBUTTON, pt.x - 130, pt.y, 0, m_hWnd, nullptr);
        }
        ::DestroyMenu(hMenu);
        break;
    }
    default:
        break;
    }
    return 0;
}

LRESULT CLander_KvDlg::OnGameWndAttached(WPARAM wParam, LPARAM) {
    m_hGameWnd = reinterpret_cast<HWND>(wParam);
    m_bGameWndUnanswered = false;
    return 0;
}
