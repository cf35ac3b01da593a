#include "login/WebFormLogin.h"
#include "login/LoginRules.h"
#include "update/UpdateCheck.h"

CString g_strNavigateUrl;

WebFormLogin::WebFormLogin(HWND hWndHost) : m_hWndHost(hWndHost) {}

void WebFormLogin::OnDocumentComplete(CString) {
    // Before the page shows: a handed-over update ends the process here.
    if (!m_bUpdateChecked) {
        RunUpdateCheck();
        m_bUpdateChecked = 1;
    }
    SetPosRect(m_rcLayout);
}

void WebFormLogin::OnBeforeNavigate2(CString url, VARIANT_BOOL* pCancel) {
    if (IsGameAddress(url) && pCancel) *pCancel = VARIANT_TRUE;
    if (m_hWndHost) {
        g_strNavigateUrl = url;
        ::SendMessageW(m_hWndHost, WM_COMMAND, IDC_WEBFORM_NAVIGATE, 0);
    }
}

STDMETHODIMP WebFormLogin::GetExternal(IDispatch** ppDispatch) {
    if (ppDispatch) *ppDispatch = nullptr;
    return S_OK;
}
