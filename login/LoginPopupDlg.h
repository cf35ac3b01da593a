// CLoginPopupDlg: the window over the login artwork's central panel that shows the platform's
// login page. A colour-keyed green band at the top lets the artwork show through; the page sits
// below it once loaded. The first navigation to the game ends the login window with its address.
#pragma once
#include "framework/Dialog.h"
#include "skin/TouchButton.h"

class CLanderLogin;
class WebFormLogin;

class CLoginPopupDlg : public CDialog {
public:
    explicit CLoginPopupDlg(CWnd* pParent);
    ~CLoginPopupDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CLanderLogin* m_pLoginWnd;
    CTouchButton m_btnMin;
    CTouchButton m_btnClose;
    HBRUSH m_brBackground = nullptr;
    WebFormLogin* m_pWebForm = nullptr;

protected:
    void DoDataExchange();
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()
    void OnMinimize();
    void OnCloseButton();
    void OnWebFormNavigate();
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColorDlg(WPARAM wParam, LPARAM lParam);

private:
    // Hands a key to the page's own accelerator handling; false when there is no page to take it.
    bool ForwardKeyToPage(MSG* pMsg, BOOL* pResult);
};

// "是否退出…？" in the skinned box; accepting ends the process at once with exit code 0.
void ConfirmCloseLauncher();
