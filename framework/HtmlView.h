// CHtmlView: a child window hosting the system's web browser control, its events turned into
// virtual operations, as the class library's web-browser view does.
//
// The control is created in WM_CREATE and lives until WM_DESTROY. The view's site objects (client
// site with in-place site and frame, ambient properties, the DWebBrowserEvents2 sink) belong to
// the view and never delete themselves. As with the class library, a view whose window is gone
// deletes itself in PostNcDestroy unless a subclass says otherwise.
#pragma once
#include "framework/Wnd.h"
#include <ole2.h>
#include <exdisp.h>

class CHtmlView : public CWnd {
public:
    CHtmlView();
    ~CHtmlView() override;

    // lpszClassName may be null (our own class); the rectangle is in the parent's client coordinates.
    virtual BOOL Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID);
    void Navigate(const wchar_t* lpszURL, DWORD dwFlags = 0, const wchar_t* lpszTargetFrameName = nullptr,
                  const wchar_t* lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);
    void Refresh();
    // The current document, a new reference the caller releases; null before the first page.
    IDispatch* GetHtmlDocument() const;
    CString GetLocationURL() const;
    IWebBrowser2* GetWebBrowser() const { return m_pBrowserApp; }

    // Keys go to the control first, so that it can run its own accelerators.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Ambient properties the control asks its site for; TRUE when pvar holds the answer.
    virtual BOOL OnAmbientProperty(DISPID dispid, VARIANT* pvar);

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual void OnDraw(HDC hdc) {}
    void PostNcDestroy() override { delete this; }

    // The control's events. The cancel flags start FALSE; the defaults let everything proceed.
    virtual void OnBeforeNavigate2(const CString& strURL, DWORD nFlags, const CString& strTargetFrameName,
                                   const CString& strHeaders, BOOL* pbCancel) { *pbCancel = FALSE; }
    virtual void OnNavigateComplete2(const CString& strURL) {}
    virtual void OnDocumentComplete(const CString& strURL) {}
    virtual void OnNewWindow2(IDispatch** ppDisp, BOOL* pbCancel) { *pbCancel = FALSE; }
    virtual void OnNavigateError(const CString& strURL, const CString& strFrame, DWORD dwError, BOOL* pbCancel) {
        *pbCancel = FALSE;
    }
    virtual void OnQuit() {}

    DECLARE_MESSAGE_MAP()
    LRESULT OnCreate(WPARAM, LPARAM);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(HDC) { return TRUE; }
    LRESULT OnMouseActivate(WPARAM, LPARAM);

    IOleObject* m_pOleObject = nullptr;
    IOleInPlaceObject* m_pInPlaceObject = nullptr;
    IWebBrowser2* m_pBrowserApp = nullptr;

private:
    class Site;
    class EventSink;
    bool CreateControl();
    void DestroyControl();
    LRESULT FireEvent(DISPID id, DISPPARAMS* pParams);

    Site* m_pSite;
    EventSink* m_pSink;
    DWORD m_dwEventCookie = 0;
    bool m_bOleInitialized = false;
    friend class EventSink;
};
