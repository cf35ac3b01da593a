// The launcher's main window: a captionless skinned dialog filling the work area. Its top 30
// pixels are the caption strip with the server name and nine buttons; everything below belongs
// to the game view, a window of a second process re-parented into this one.
#pragma once
#include "framework/Dialog.h"
#include "mainwnd/TrayIcon.h"
#include "skin/TouchButton.h"

namespace Gdiplus { class Image; }
class CMenbanDlg;

class CLander_KvDlg : public CDialog {
public:
    // Normal start: the login runs first and yields the game address.
    CLander_KvDlg();
    // The game address is already known; no login.
    explicit CLander_KvDlg(const CString& strGameUrl);
    ~CLander_KvDlg() override;

    // The executable started for the game view and for a server re-select; empty means the
    // running one.
    void SetLauncherExecutable(const CString& strPath) { m_strLauncherExe = strPath; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Window states.
    void FitToWorkArea();
    void LayoutCaptionButtons();
    void ShowCaptionButtons(int nCmdShow);
    void EnterMaximized();
    void RestoreWindow();
    void EnterFullScreen();
    void LeaveFullScreen();
    void InvalidateCaptionStrip();
    void RegisterHotKeys();

    bool IsFullScreen() const { return m_bFullScreen; }
    bool IsMaximized() const { return m_bMaximized; }
    bool IsCleaningCache() const { return m_bCleaningCache; }
    bool IsTrayIconAdded() const { return m_tray.IsAdded(); }
    HWND GetGameWnd() const { return m_hGameWnd; }
    const CString& GetServerName() const { return m_strServerName; }
    CMenbanDlg* GetOverlay() const { return m_pMenbanDlg; }

    static const int kCaptionHeight = 30;

protected:
    void DoDataExchange();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnPaint();
    void OnLButtonDblClk(UINT nFlags, POINT pt);
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnMaximize();
    void OnRestore();
    void OnMinimize();
    void OnFullScreen();
    void OnBossKey();
    void OnClearCache();
    void OnSelectServer();
    void OnClose();
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(HDC hDC);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayIcon(WPARAM wParam, LPARAM lParam);
    void OnTrayExit();
    void OnTrayClearCache();
    void OnTrayToggle();
    void OnAcceleratorF5();
    void OnRefresh();
    void OnCacheCleared();
    LRESULT OnGameWndAttached(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);

private:
    void SetBigIcon();
    void ConfirmClose();
    void CloseGameView();
    // Sent, as the game view expects; a hung game view cannot hold this window for good.
    void SendToGameView(UINT message, WPARAM wParam);
    void PaintCaptionStrip(HDC hDC);
    CString LauncherExecutable() const;

    CTouchButton m_btnClose;
    CTouchButton m_btnMax;
    CTouchButton m_btnRestore;
    CTouchButton m_btnUnused1017;
    CTouchButton m_btnMin;
    CTouchButton m_btnServer;
    CTouchButton m_btnBoss;
    CTouchButton m_btnFullScreen;
    CTouchButton m_btnUnused1011;
    CTouchButton m_btnRefresh;
    CTouchButton m_btnClearCache;
    bool m_bFullScreen = false;
    bool m_bMaximized = false;
    TrayIcon m_tray;
    CMenbanDlg* m_pMenbanDlg = nullptr;
    HWND m_hGameWnd = nullptr;
    // The game view let the last message time out: it is frozen or gone.
    bool m_bGameWndUnanswered = false;
    CString m_strGameUrl;
    CString m_strServerName;
    Gdiplus::Image* m_pImgCaptionLeft = nullptr;
    Gdiplus::Image* m_pImgCaptionMid = nullptr;
    Gdiplus::Image* m_pImgCaptionRight = nullptr;
    int m_bMinimized = 0;
    HACCEL m_hAccel = nullptr;

    bool m_bRunLogin;
    // A second cleaning must not start while a worker still deletes: its completion would
    // hide the overlay too early.
    bool m_bCleaningCache = false;
    CString m_strLauncherExe;
};
