#include "framework/Dialog.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

HWND CDialog::CreateFromTemplate(HWND hWndParent) {
    HINSTANCE hInst = ::GetModuleHandleW(nullptr);
    HRSRC hRes = ::FindResourceW(hInst, MAKEINTRESOURCEW(m_nIDTemplate), RT_DIALOG);
    HGLOBAL hTemplate = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    auto* pTemplate = hTemplate ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : nullptr;
    if (!pTemplate) return nullptr;
    return ::CreateDialogIndirectParamW(hInst, pTemplate, hWndParent, &DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    // From here on the dialog's messages come through our procedure first; the dialog manager's
    // own procedure stays behind it for the default behaviour.
    auto* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg->SubclassWindow(hWnd)) return TRUE;
    RECT before;
    ::GetWindowRect(hWnd, &before);
    BOOL result = pDlg->OnInitDialog();
    // A top-level dialog that its initialisation neither showed nor moved would otherwise open
    // where its template says, the corner of the screen: it opens centred on its owner instead.
    RECT after;
    if (::IsWindow(hWnd) && !(::GetWindowLongW(hWnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE)) &&
        ::GetWindowRect(hWnd, &after) && after.left == before.left && after.top == before.top)
        pDlg->CenterWindow();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    if (m_hWnd) return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(pParentWnd ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd) return -1;
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hOwner && AfxGetApp() && AfxGetApp()->m_pMainWnd && AfxGetApp()->m_pMainWnd != this)
        hOwner = AfxGetApp()->m_pMainWnd->m_hWnd;
    // The owner is disabled while we run, as with any modal window.
    bool ownerDisabled = hOwner && ::IsWindowEnabled(hOwner) && !::EnableWindow(hOwner, FALSE);

    m_bModal = true;
    m_bEnded = false;
    m_nResult = -1;
    HWND hWnd = CreateFromTemplate(hOwner);
    if (hWnd && !m_bEnded) {
        if (!::IsWindowVisible(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);
        MSG msg;
        while (!m_bEnded) {
            BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) { ::PostQuitMessage(static_cast<int>(msg.wParam)); break; }
            if (got < 0) break;
            if (!WalkPreTranslateTree(m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (!m_hWnd) break;  // destroyed from inside
        }
    }
    // Give the owner back its input before we go, so that activation returns to it.
    if (ownerDisabled) ::EnableWindow(hOwner, TRUE);
    if (hOwner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hOwner);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    m_bModal = false;
    return hWnd ? m_nResult : -1;
}

void CDialog::EndDialog(int nResult) {
    m_nResult = nResult;
    if (m_bModal) {
        m_bEnded = true;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    // Keyboard navigation of the dialog's controls (Tab, arrows, default button).
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}
