// CCustomMessageBox: the program's own message box. A captionless skinned dialog with a title,
// a short text, OK, Cancel and a close cross; it can be dragged by any point that is not a button.
#pragma once
#include "framework/Dialog.h"
#include "skin/TouchButton.h"
#include <gdiplus.h>

class CCustomMessageBox : public CDialog {
public:
    CCustomMessageBox();
    ~CCustomMessageBox() override;

    void SetMessage(CString title, CString text);
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetText() const { return m_strText; }

    // IDOK (1) for OK; IDCANCEL (2) for Cancel, the close cross or Escape.
    using CDialog::DoModal;

protected:
    void DoDataExchange();
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(HDC hDC);
    LRESULT OnNcHitTest(WPARAM wParam, LPARAM lParam);
    void OnClose();

private:
    CTouchButton m_btnOK;
    CTouchButton m_btnCancel;
    CTouchButton m_btnClose;
    Gdiplus::Image* m_pImgBackground = nullptr;
    CString m_strTitle;
    CString m_strText;
};
