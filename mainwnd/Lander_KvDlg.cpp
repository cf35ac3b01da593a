#include "mainwnd/Lander_KvDlg.h"
#include "app/ProductText.h"

CLander_KvDlg::CLander_KvDlg(CWnd* pParent) : CDialog(IDD_LANDER_KV_DIALOG, pParent) {}

BOOL CLander_KvDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LoadProductText(IDS_WINDOW_TITLE));
    MoveWindow(100, 100, 800, 600);
    return TRUE;
}
