#include "browser/MyHtmlView.h"
#include <mshtmdid.h>

namespace {
// DIID_HTMLDocumentEvents2; the toolchain's import library lacks it.
const IID kHTMLDocumentEvents2 = { 0x3050f613, 0x98b5, 0x11cf, { 0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b } };

IConnectionPoint* FindDocumentEvents(IDispatch* pDocument) {
    if (!pDocument) return nullptr;
    IConnectionPointContainer* pContainer = nullptr;
    if (FAILED(pDocument->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))) ||
        !pContainer)
        return nullptr;
    IConnectionPoint* pPoint = nullptr;
    if (FAILED(pContainer->FindConnectionPoint(kHTMLDocumentEvents2, &pPoint))) pPoint = nullptr;
    pContainer->Release();
    return pPoint;
}
}  // namespace

BEGIN_MESSAGE_MAP(CMyHtmlView, CHtmlView)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CMyHtmlView::CMyHtmlView() : m_pEvtHandler(new SDocEvtHandler) {}

CMyHtmlView::~CMyHtmlView() {
    DisconnectDocumentEvents();
    if (m_pDocument) m_pDocument->Release();
    delete m_pEvtHandler;
}

BOOL CMyHtmlView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CHtmlView::PreCreateWindow(cs);
}

// The download-control request only gets its type; the framework's default then decides, and as
// it answers no ambient property the control keeps its own download defaults for the game page.
BOOL CMyHtmlView::OnAmbientProperty(DISPID dispid, VARIANT* pvar) {
    if (dispid == DISPID_AMBIENT_DLCONTROL && pvar) V_VT(pvar) = VT_I4;
    return CHtmlView::OnAmbientProperty(dispid, pvar);
}

void CMyHtmlView::OnDocumentComplete(const CString& strURL) {
    ConnectDocumentEvents();
    CHtmlView::OnDocumentComplete(strURL);
}

void CMyHtmlView::OnDestroy() {
    // The document goes with the control: let go of it while it is still there.
    DisconnectDocumentEvents();
    if (m_pDocument) {
        m_pDocument->Release();
        m_pDocument = nullptr;
    }
    CHtmlView::OnDestroy();
}

void CMyHtmlView::ConnectDocumentEvents() {
    if (m_dwCookie) DisconnectDocumentEvents();
    if (m_pDocument) m_pDocument->Release();
    m_pDocument = GetHtmlDocument();
    IConnectionPoint* pPoint = FindDocumentEvents(m_pDocument);
    if (!pPoint) return;
    if (FAILED(pPoint->Advise(m_pEvtHandler->GetInterface(&IID_IUnknown), &m_dwCookie))) m_dwCookie = 0;
    pPoint->Release();
}

void CMyHtmlView::DisconnectDocumentEvents() {
    if (!m_dwCookie) return;
    if (IConnectionPoint* pPoint = FindDocumentEvents(m_pDocument)) {
        pPoint->Unadvise(m_dwCookie);
        pPoint->Release();
    }
    m_dwCookie = 0;
}
