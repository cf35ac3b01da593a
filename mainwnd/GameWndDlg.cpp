#include "mainwnd/GameWndDlg.h"
#include "browser/MyHtmlView.h"
#include "mainwnd/GameWndMessages.h"
#include "resources/resource.h"
#include <cstdlib>

namespace {
const UINT kViewId = 10000;
const DWORD kFramePollMs = 1000;
const DWORD kExitGraceMs = 1000;
}

BEGIN_MESSAGE_MAP(CGameWndDlg, CDialog)
    ON_MESSAGE(WM_CLOSE, OnClose)
    ON_WM_SIZE()
    ON_MESSAGE(WM_GAMEWND_RELOAD, OnReload)
    ON_MESSAGE(WM_GAMEWND_FIT, OnFit)
END_MESSAGE_MAP()

CGameWndDlg::CGameWndDlg(HWND hFrameWnd, const CString& strUrl)
    : CDialog(IDD_GAMEWND), m_hFrameWnd(hFrameWnd), m_strUrl(strUrl) {}

CGameWndDlg::~CGameWndDlg() {
    if (m_pView) {
        m_pView->DestroyWindow();
        delete m_pView;
    }
}

BOOL CGameWndDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_hFrameWnd) {
        m_pView = new CMyHtmlView;
        RECT empty = {};
        m_pView->Create(nullptr, L"MyWebBrowser", WS_CHILD | WS_VISIBLE, empty, this, kViewId);
        NavigateToGame();

        RECT frame;
        ::GetClientRect(m_hFrameWnd, &frame);
        MoveWindow(frame.left, frame.top + kGameWndCaptionHeight, frame.right - frame.left,
                   frame.bottom - frame.top - kGameWndCaptionHeight, TRUE);
        RECT client;
        GetClientRect(&client);
        if (m_pView->m_hWnd) m_pView->MoveWindow(&client, FALSE);
        SetParent(m_hFrameWnd);
        ::SendMessageW(m_hFrameWnd, WM_GAMEWND_ATTACHED, reinterpret_cast<WPARAM>(m_hWnd), 0);
    }
    if (HANDLE hThread = ::CreateThread(nullptr, 0, &FrameWatcher, this, 0, nullptr)) ::CloseHandle(hThread);
    return TRUE;
}

// Ends the process once the main window is gone (closed, crashed or killed).
DWORD WINAPI CGameWndDlg::FrameWatcher(LPVOID pParam) {
    auto* pDlg = static_cast<CGameWndDlg*>(pParam);
    HWND hDlg = pDlg->m_hWnd, hFrame = pDlg->m_hFrameWnd;
    while (::IsWindow(hFrame)) ::Sleep(kFramePollMs);
    // A main process that was killed takes its windows along, ours among them: then there is
    // nothing left to close in order, and the grace period would only keep a dead view around.
    if (!::PostMessageW(hDlg, WM_CLOSE, 0, 0)) std::exit(0);
    ::Sleep(kExitGraceMs);
    std::exit(0);
}

void CGameWndDlg::NavigateToGame() {
    if (m_pView) m_pView->Navigate(m_strUrl, 0, nullptr, nullptr, nullptr, 0);
}

LRESULT CGameWndDlg::OnClose(WPARAM, LPARAM) {
    if (m_pView) {
        m_pView->DestroyWindow();
        delete m_pView;
        m_pView = nullptr;
    }
    ::PostQuitMessage(0);
    return 0;
}

void CGameWndDlg::OnSize(UINT, int, int) {
    Default();
    if (m_pView && m_pView->m_hWnd) {
        RECT client;
        GetClientRect(&client);
        m_pView->MoveWindow(&client, FALSE);
    }
}

LRESULT CGameWndDlg::OnReload(WPARAM, LPARAM) {
    NavigateToGame();
    return 0;
}

LRESULT CGameWndDlg::OnFit(WPARAM wParam, LPARAM) {
    if (!m_hFrameWnd) return 0;
    RECT frame;
    ::GetClientRect(m_hFrameWnd, &frame);
    if (wParam == 0) frame.top += kGameWndCaptionHeight;
    MoveWindow(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, FALSE);
    if (!IsWindowVisible()) ShowWindow(SW_SHOW);
    return 0;
}

BOOL CGameWndDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE) return FALSE;
        if (pMsg->wParam == VK_F5) {
            NavigateToGame();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}
