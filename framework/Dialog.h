// CDialog: a window made from a dialog template of the executable, modal or modeless.
//
// DoModal runs its own message loop instead of the system's DialogBox loop, so that every message
// passes through the PreTranslateMessage chain of the windows it is meant for, as in the class
// library the program was designed on.
#pragma once
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

    // Runs the dialog until EndDialog; returns the value passed to it, or -1 if it could not start.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; it stays until DestroyWindow.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal dialog with nResult (the window goes when DoModal returns); hides a modeless one.
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    bool IsModal() const { return m_bModal; }

    DECLARE_MESSAGE_MAP()

private:
    HWND CreateFromTemplate(HWND hWndParent);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bModal = false;
    bool m_bEnded = false;
    INT_PTR m_nResult = -1;
};
