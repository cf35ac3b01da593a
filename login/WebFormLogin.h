// WebFormLogin: the browser site of the login popup. The page stays hidden until a document has
// loaded (the first one also runs the update check), every navigation is reported to the popup,
// and the navigation to the game is cancelled so the popup can take its address.
#pragma once
#include "browser/WebBrowserBase.h"
#include "resources/resource.h"

// Address of the most recent navigation of the login page.
extern CString g_strNavigateUrl;

class WebFormLogin : public CWebBrowserBase {
public:
    explicit WebFormLogin(HWND hWndHost);

    HWND GetHostWindow() override { return m_hWndHost; }
    void OnDocumentComplete(CString url) override;
    void OnBeforeNavigate2(CString url, VARIANT_BOOL* pCancel) override;

    // The page gets no external object from us.
    STDMETHODIMP GetExternal(IDispatch** ppDispatch) override;

    HWND m_hWndHost;
    int m_bUpdateChecked = 0;
};
