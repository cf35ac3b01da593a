// CLanderLogin: the start window. A borderless layered window showing the login artwork with
// its own transparency, dragged by any point, with the login popup kept over its central panel.
// It ends when the popup hands over a game address; closing it asks and then ends the process.
#pragma once
#include "framework/Dialog.h"
#include <windows.h>
#include <gdiplus.h>

class CLoginPopupDlg;

class CLanderLogin : public CDialog {
public:
    CLanderLogin();
    ~CLanderLogin() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CString GetGameUrl() const { return m_strGameUrl; }

    CString m_strGameUrl;
    Gdiplus::Image* m_pImgBackground = nullptr;
    CLoginPopupDlg* m_pLoginPopup = nullptr;
    int m_nImgWidth = 0;
    int m_nImgHeight = 0;

    // Where the popup sits over the artwork, and its size.
    static const int kPopupLeft = 353;
    static const int kPopupTop = 194;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    DECLARE_MESSAGE_MAP()
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);

private:
    void ShowArtwork();
    void PlacePopup();
};
