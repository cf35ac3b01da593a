// The game view: a dialog of the game-view process that lives inside another process's main
// window, below its caption strip, and shows the game page.
#pragma once
#include "framework/Dialog.h"

class CMyHtmlView;

class CGameWndDlg : public CDialog {
public:
    CGameWndDlg(HWND hFrameWnd, const CString& strUrl);
    ~CGameWndDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CMyHtmlView* m_pView = nullptr;   // owned; null before OnInitDialog and after closing
    HWND m_hFrameWnd;                 // the main window we live in
    CString m_strUrl;                 // the game address we were started with

protected:
    BOOL OnInitDialog() override;
    // The dialog never ends itself through OK or cancel; Enter and Escape belong to the page.
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()
    LRESULT OnClose(WPARAM, LPARAM);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnReload(WPARAM, LPARAM);
    LRESULT OnFit(WPARAM wParam, LPARAM);

private:
    void NavigateToGame();
    static DWORD WINAPI FrameWatcher(LPVOID pParam);
};
