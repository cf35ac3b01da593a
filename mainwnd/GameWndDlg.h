// The game view: a child dialog of another process's main window that shows the game page.
#pragma once
#include "framework/Dialog.h"

class CGameWndDlg : public CDialog {
public:
    CGameWndDlg(HWND hFrameWnd, const CString& strGameUrl);

protected:
    void PostNcDestroy() override;
    void OnCancel() override { DestroyWindow(); }
    void OnOK() override {}

    DECLARE_MESSAGE_MAP()
    void OnDestroy();

private:
    HWND m_hFrameWnd;
    CString m_strGameUrl;
};
