#include "framework/HtmlView.h"
#include <exdispid.h>

// The container side the control talks to: client site, in-place site and frame, and the
// ambient properties (through IDispatch). One count for all, never deleting: the view owns it.
class CHtmlView::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
public:
    explicit Site(CHtmlView* pView) : m_pView(pView) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else if (IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override { return ::InterlockedDecrement(&m_cRef); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** pp) override { if (pp) *pp = nullptr; return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** pp) override { if (pp) *pp = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* phwnd) override {
        if (!phwnd) return E_POINTER;
        *phwnd = m_pView->m_hWnd;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override {
        if (ppFrame) { *ppFrame = this; AddRef(); }
        if (ppDoc) *ppDoc = nullptr;
        RECT rc = {};
        ::GetClientRect(m_pView->m_hWnd, &rc);
        if (pos) *pos = rc;
        if (clip) *clip = rc;
        if (info) {
            info->cb = sizeof(OLEINPLACEFRAMEINFO);
            info->fMDIApp = FALSE;
            info->hwndFrame = ::GetParent(m_pView->m_hWnd);
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT rc) override {
        if (rc && m_pView->m_pInPlaceObject) m_pView->m_pInPlaceObject->SetObjectRects(rc, rc);
        return S_OK;
    }

    // IOleInPlaceUIWindow, IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT rc) override { if (!rc) return E_POINTER; ::GetClientRect(m_pView->m_hWnd, rc); return S_OK; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: ambient properties only.
    STDMETHODIMP GetTypeInfoCount(UINT* p) override { if (p) *p = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*,
                        UINT*) override {
        if (!(wFlags & DISPATCH_PROPERTYGET) || !pResult) return DISP_E_MEMBERNOTFOUND;
        ::VariantInit(pResult);
        if (m_pView->OnAmbientProperty(id, pResult)) return S_OK;
        ::VariantClear(pResult);
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    CHtmlView* m_pView;
    LONG m_cRef = 0;
};

// The DWebBrowserEvents2 sink; hands the events to the view's virtual operations.
class CHtmlView::EventSink final : public IDispatch {
public:
    explicit EventSink(CHtmlView* pView) : m_pView(pView) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, DIID_DWebBrowserEvents2))
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&m_cRef); }
    STDMETHODIMP_(ULONG) Release() override { return ::InterlockedDecrement(&m_cRef); }
    STDMETHODIMP GetTypeInfoCount(UINT* p) override { if (p) *p = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*, UINT*) override {
        return m_pView->FireEvent(id, pParams);
    }
private:
    CHtmlView* m_pView;
    LONG m_cRef = 0;
};

namespace {
// An event argument: by reference or by value, as the control chooses.
const VARIANT* Deref(const VARIANT& v) {
    return V_VT(&v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(&v) ? V_VARIANTREF(&v) : &v;
}

CString StringArg(const DISPPARAMS* p, UINT reverseIndex) {
    if (!p || reverseIndex >= p->cArgs) return CString();
    const VARIANT* v = Deref(p->rgvarg[reverseIndex]);
    if (V_VT(v) == VT_BSTR && V_BSTR(v)) return CString(V_BSTR(v));
    if (V_VT(v) == (VT_BSTR | VT_BYREF) && V_BSTRREF(v) && *V_BSTRREF(v)) return CString(*V_BSTRREF(v));
    return CString();
}

LONG LongArg(const DISPPARAMS* p, UINT reverseIndex) {
    if (!p || reverseIndex >= p->cArgs) return 0;
    VARIANT out;
    ::VariantInit(&out);
    if (FAILED(::VariantChangeType(&out, const_cast<VARIANT*>(Deref(p->rgvarg[reverseIndex])), 0, VT_I4))) return 0;
    return V_I4(&out);
}

VARIANT_BOOL* CancelArg(const DISPPARAMS* p, UINT reverseIndex) {
    if (!p || reverseIndex >= p->cArgs) return nullptr;
    const VARIANT& v = p->rgvarg[reverseIndex];
    return V_VT(&v) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(&v) : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
END_MESSAGE_MAP()

CHtmlView::CHtmlView() : m_pSite(new Site(this)), m_pSink(new EventSink(this)) {}

CHtmlView::~CHtmlView() {
    DestroyControl();
    delete m_pSink;
    delete m_pSite;
}

BOOL CHtmlView::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

BOOL CHtmlView::Create(const wchar_t* lpszClassName, const wchar_t* lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID) {
    CREATESTRUCTW cs = {};
    cs.lpszClass = lpszClassName ? lpszClassName : RegisterWindowClass(0);
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    if (!PreCreateWindow(cs)) return FALSE;
    RECT rc = { cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy };
    return CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, rc, cs.hwndParent, nID);
}

LRESULT CHtmlView::OnCreate(WPARAM, LPARAM) {
    if (Default() == -1) return -1;
    return CreateControl() ? 0 : -1;
}

bool CHtmlView::CreateControl() {
    m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&m_pOleObject)))) {
        m_pOleObject = nullptr;
        return false;
    }
    m_pOleObject->SetClientSite(m_pSite);
    RECT rc;
    GetClientRect(&rc);
    if (FAILED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite, 0, m_hWnd, &rc)) ||
        FAILED(m_pOleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pBrowserApp)))) {
        m_pBrowserApp = nullptr;
        DestroyControl();
        return false;
    }
    m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
    IConnectionPointContainer* pContainer = nullptr;
    if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
        IConnectionPoint* pPoint = nullptr;
        if (SUCCEEDED(pContainer->FindConnectionPoint(DIID_DWebBrowserEvents2, &pPoint))) {
            if (FAILED(pPoint->Advise(m_pSink, &m_dwEventCookie))) m_dwEventCookie = 0;
            pPoint->Release();
        }
        pContainer->Release();
    }
    return true;
}

void CHtmlView::DestroyControl() {
    if (m_dwEventCookie && m_pBrowserApp) {
        IConnectionPointContainer* pContainer = nullptr;
        if (SUCCEEDED(m_pBrowserApp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
            IConnectionPoint* pPoint = nullptr;
            if (SUCCEEDED(pContainer->FindConnectionPoint(DIID_DWebBrowserEvents2, &pPoint))) {
                pPoint->Unadvise(m_dwEventCookie);
                pPoint->Release();
            }
            pContainer->Release();
        }
    }
    m_dwEventCookie = 0;
    if (m_pInPlaceObject) {
        m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
        m_pInPlaceObject = nullptr;
    }
    if (m_pBrowserApp) {
        m_pBrowserApp->Release();
        m_pBrowserApp = nullptr;
    }
    if (m_pOleObject) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
        m_pOleObject = nullptr;
    }
    if (m_bOleInitialized) ::OleUninitialize();
    m_bOleInitialized = false;
}

void CHtmlView::OnDestroy() {
    DestroyControl();
    Default();
}

void CHtmlView::OnSize(UINT, int cx, int cy) {
    Default();
    RECT rc = { 0, 0, cx, cy };
    if (m_pInPlaceObject) m_pInPlaceObject->SetObjectRects(&rc, &rc);
}

void CHtmlView::OnPaint() {
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    OnDraw(hdc);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CHtmlView::OnMouseActivate(WPARAM, LPARAM) { return Default(); }

BOOL CHtmlView::OnAmbientProperty(DISPID, VARIANT*) { return FALSE; }

void CHtmlView::Navigate(const wchar_t* lpszURL, DWORD dwFlags, const wchar_t* lpszTargetFrameName,
                         const wchar_t* lpszHeaders, LPVOID lpvPostData, DWORD dwPostDataLen) {
    if (!m_pBrowserApp || !lpszURL) return;
    BSTR url = ::SysAllocString(lpszURL);
    VARIANT flags, frame, headers, post;
    ::VariantInit(&flags);
    ::VariantInit(&frame);
    ::VariantInit(&headers);
    ::VariantInit(&post);
    V_VT(&flags) = VT_I4;
    V_I4(&flags) = static_cast<LONG>(dwFlags);
    if (lpszTargetFrameName) { V_VT(&frame) = VT_BSTR; V_BSTR(&frame) = ::SysAllocString(lpszTargetFrameName); }
    if (lpszHeaders) { V_VT(&headers) = VT_BSTR; V_BSTR(&headers) = ::SysAllocString(lpszHeaders); }
    if (lpvPostData && dwPostDataLen) {
        SAFEARRAY* psa = ::SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        void* pData = nullptr;
        if (psa && SUCCEEDED(::SafeArrayAccessData(psa, &pData))) {
            memcpy(pData, lpvPostData, dwPostDataLen);
            ::SafeArrayUnaccessData(psa);
            V_VT(&post) = VT_ARRAY | VT_UI1;
            V_ARRAY(&post) = psa;
        }
    }
    m_pBrowserApp->Navigate(url, &flags, &frame, &post, &headers);
    ::SysFreeString(url);
    ::VariantClear(&frame);
    ::VariantClear(&headers);
    ::VariantClear(&post);
}

void CHtmlView::Refresh() {
    if (m_pBrowserApp) m_pBrowserApp->Refresh();
}

IDispatch* CHtmlView::GetHtmlDocument() const {
    IDispatch* pDoc = nullptr;
    if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_Document(&pDoc))) return nullptr;
    return pDoc;
}

CString CHtmlView::GetLocationURL() const {
    BSTR url = nullptr;
    if (!m_pBrowserApp || FAILED(m_pBrowserApp->get_LocationURL(&url)) || !url) return CString();
    CString s(url);
    ::SysFreeString(url);
    return s;
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_pBrowserApp) return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
    IOleInPlaceActiveObject* pActive = nullptr;
    if (FAILED(m_pBrowserApp->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&pActive))))
        return FALSE;
    BOOL handled = pActive->TranslateAccelerator(pMsg) == S_OK;
    pActive->Release();
    return handled;
}

LRESULT CHtmlView::FireEvent(DISPID id, DISPPARAMS* p) {
    switch (id) {
    case DISPID_BEFORENAVIGATE2: {   // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        BOOL cancel = FALSE;
        OnBeforeNavigate2(StringArg(p, 5), static_cast<DWORD>(LongArg(p, 4)), StringArg(p, 3), StringArg(p, 1), &cancel);
        if (VARIANT_BOOL* pCancel = CancelArg(p, 0)) *pCancel = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    case DISPID_NAVIGATECOMPLETE2:   // (pDisp, URL)
        OnNavigateComplete2(StringArg(p, 0));
        return S_OK;
    case DISPID_DOCUMENTCOMPLETE:    // (pDisp, URL)
        OnDocumentComplete(StringArg(p, 0));
        return S_OK;
    case DISPID_NEWWINDOW2: {        // (ppDisp, Cancel)
        BOOL cancel = FALSE;
        IDispatch** ppDisp = p && p->cArgs > 1 && V_VT(&p->rgvarg[1]) == (VT_DISPATCH | VT_BYREF)
                                 ? V_DISPATCHREF(&p->rgvarg[1]) : nullptr;
        IDispatch* pIgnored = nullptr;
        OnNewWindow2(ppDisp ? ppDisp : &pIgnored, &cancel);
        if (VARIANT_BOOL* pCancel = CancelArg(p, 0)) *pCancel = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    case DISPID_NAVIGATEERROR: {     // (pDisp, URL, Frame, StatusCode, Cancel)
        BOOL cancel = FALSE;
        OnNavigateError(StringArg(p, 3), StringArg(p, 2), static_cast<DWORD>(LongArg(p, 1)), &cancel);
        if (VARIANT_BOOL* pCancel = CancelArg(p, 0)) *pCancel = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    case DISPID_ONQUIT:
        OnQuit();
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
