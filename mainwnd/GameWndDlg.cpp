#include "mainwnd/GameWndDlg.h"
#include "resources/resource.h"

BEGIN_MESSAGE_MAP(CGameWndDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CGameWndDlg::CGameWndDlg(HWND hFrameWnd, const CString& strGameUrl)
    : CDialog(IDD_GAMEWND), m_hFrameWnd(hFrameWnd), m_strGameUrl(strGameUrl) {}

void CGameWndDlg::OnDestroy() {
    Default();
    PostQuitMessage(0);
}

void CGameWndDlg::PostNcDestroy() { delete this; }
