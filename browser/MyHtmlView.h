// CMyHtmlView: the game page view of the game-view process.
#pragma once
#include "browser/DocEvtHandler.h"
#include "framework/HtmlView.h"

class CMyHtmlView : public CHtmlView {
public:
    CMyHtmlView();
    ~CMyHtmlView() override;

    BOOL PreTranslateMessage(MSG* pMsg) override { return CHtmlView::PreTranslateMessage(pMsg); }
    BOOL OnAmbientProperty(DISPID dispid, VARIANT* pvar) override;

    // Advise cookie of the document connection; 0 when none is held.
    DWORD GetDocumentCookie() const { return m_dwCookie; }

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // The owner deletes the view.
    void PostNcDestroy() override {}
    void OnDraw(HDC) override {}
    void OnDocumentComplete(const CString& strURL) override;

    DECLARE_MESSAGE_MAP()
    LRESULT OnContextMenu(WPARAM, LPARAM) { return 0; }
    void OnDestroy();

private:
    void ConnectDocumentEvents();
    void DisconnectDocumentEvents();

    SDocEvtHandler* m_pEvtHandler;
    DWORD m_dwCookie = 0;
    IDispatch* m_pDocument = nullptr;
};
