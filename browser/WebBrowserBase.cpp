#include "browser/WebBrowserBase.h"
#include <exdispid.h>
#include <shlobj.h>
#include <shlguid.h>

namespace {
const wchar_t kBrowserServerClass[] = L"Internet Explorer_Server";

// The event's URL argument: a VARIANT reached by reference that holds a BSTR.
CString UrlArgument(const VARIANT& arg) {
    const VARIANT* v = &arg;
    if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
    if (!v) return CString();
    if (V_VT(v) == VT_BSTR && V_BSTR(v)) return CString(V_BSTR(v));
    if (V_VT(v) == (VT_BSTR | VT_BYREF) && V_BSTRREF(v) && *V_BSTRREF(v)) return CString(*V_BSTRREF(v));
    return CString();
}
}

CWebBrowserBase::CWebBrowserBase() {
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr)) return;
    m_bOleInitialized = true;
    if (FAILED(::StgCreateDocfile(nullptr, STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, &m_pStorage)))
        return;
    if (FAILED(::OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                           static_cast<IOleClientSite*>(this), m_pStorage, reinterpret_cast<void**>(&m_pOleObject)))) {
        m_pOleObject = nullptr;
        return;
    }
    m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&m_pInPlaceObject));
}

CWebBrowserBase::~CWebBrowserBase() {
    // The control must not call into a site that is gone: disconnect the sink, close the
    // control and take our site back before the interfaces are released.
    if (m_dwEventCookie && m_pWebBrowser) {
        IConnectionPointContainer* pContainer = nullptr;
        if (SUCCEEDED(m_pWebBrowser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
            IConnectionPoint* pPoint = nullptr;
            if (SUCCEEDED(pContainer->FindConnectionPoint(DIID_DWebBrowserEvents2, &pPoint))) {
                pPoint->Unadvise(m_dwEventCookie);
                pPoint->Release();
            }
            pContainer->Release();
        }
    }
    if (m_pInPlaceObject) {
        if (m_bInPlaceActive) m_pInPlaceObject->InPlaceDeactivate();
        m_pInPlaceObject->Release();
    }
    if (m_pWebBrowser) m_pWebBrowser->Release();
    if (m_pOleObject) {
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
    }
    if (m_pStorage) m_pStorage->Release();
    if (m_bOleInitialized) ::OleUninitialize();
}

STDMETHODIMP CWebBrowserBase::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IDocHostUIHandler))
        *ppv = static_cast<IDocHostUIHandler*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CWebBrowserBase::AddRef() { return ::InterlockedIncrement(&m_cRef); }

// The owner deletes the object; the count only tells how many references are out.
STDMETHODIMP_(ULONG) CWebBrowserBase::Release() { return ::InterlockedDecrement(&m_cRef); }

STDMETHODIMP CWebBrowserBase::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                     VARIANT*, EXCEPINFO*, UINT*) {
    switch (dispIdMember) {
    case DISPID_DOCUMENTCOMPLETE:
        if (!pDispParams || pDispParams->cArgs < 1) return E_INVALIDARG;
        OnDocumentComplete(UrlArgument(pDispParams->rgvarg[0]));
        return S_OK;
    case DISPID_BEFORENAVIGATE2: {
        if (!pDispParams || pDispParams->cArgs < 6) return E_INVALIDARG;
        const VARIANT& cancel = pDispParams->rgvarg[0];
        VARIANT_BOOL* pCancel = V_VT(&cancel) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(&cancel) : nullptr;
        VARIANT_BOOL ignored = VARIANT_FALSE;
        OnBeforeNavigate2(UrlArgument(pDispParams->rgvarg[5]), pCancel ? pCancel : &ignored);
        return S_OK;
    }
    default:
        return E_NOTIMPL;
    }
}

STDMETHODIMP CWebBrowserBase::GetMoniker(DWORD, DWORD, IMoniker** ppmk) {
    if (ppmk) *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CWebBrowserBase::GetContainer(IOleContainer** ppContainer) {
    if (ppContainer) *ppContainer = nullptr;
    return E_FAIL;
}

STDMETHODIMP CWebBrowserBase::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = GetHostWindow();
    return S_OK;
}

void CWebBrowserBase::ResetPosToHostClient() {
    m_rcPos = RECT{};
    if (HWND hHost = GetHostWindow()) ::GetClientRect(hHost, &m_rcPos);
}

STDMETHODIMP CWebBrowserBase::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) {
    if (ppFrame) {
        *ppFrame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
    }
    if (ppDoc) *ppDoc = nullptr;
    ResetPosToHostClient();
    if (lprcPosRect) *lprcPosRect = m_rcPos;
    if (lprcClipRect) *lprcClipRect = m_rcPos;
    if (lpFrameInfo) {
        lpFrameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ::GetParent(GetHostWindow());
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::GetBorder(LPRECT lprectBorder) {
    ResetPosToHostClient();
    if (lprectBorder) *lprectBorder = m_rcPos;
    return S_OK;
}

STDMETHODIMP CWebBrowserBase::GetHostInfo(DOCHOSTUIINFO* pInfo) {
    if (!pInfo) return E_POINTER;
    pInfo->dwFlags |= DOCHOSTUIFLAG_NO3DOUTERBORDER;
    return S_OK;
}

bool CWebBrowserBase::InPlaceActivate() {
    if (!m_pOleObject) return false;
    HWND hHost = GetHostWindow();
    if (m_rcPos.right - m_rcPos.left == 0 || m_rcPos.bottom - m_rcPos.top == 0) {
        m_rcPos = RECT{};
        if (hHost) ::GetClientRect(hHost, &m_rcPos);
    }
    if (m_bInPlaceActive) return true;
    // Set first: the control asks CanInPlaceActivate while it activates.
    m_bInPlaceActive = true;
    if (FAILED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(this), 0,
                                    hHost, &m_rcPos)))
        return false;

    IWebBrowser2* pBrowser = GetWebBrowser();
    if (!pBrowser) return false;
    IConnectionPointContainer* pContainer = nullptr;
    if (FAILED(pBrowser->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))))
        return false;
    IConnectionPoint* pPoint = nullptr;
    HRESULT hr = pContainer->FindConnectionPoint(DIID_DWebBrowserEvents2, &pPoint);
    pContainer->Release();
    if (FAILED(hr)) return false;
    hr = pPoint->Advise(static_cast<IDispatch*>(this), &m_dwEventCookie);
    pPoint->Release();
    if (FAILED(hr)) {
        m_dwEventCookie = 0;
        return false;
    }
    return true;
}

bool CWebBrowserBase::SetPosRect(const RECT& rc) {
    if (m_bInPlaceActive) {
        if (!m_pOleObject || !m_pInPlaceObject) return false;
        SIZEL size = { rc.right - rc.left, rc.bottom - rc.top };
        if (FAILED(m_pOleObject->SetExtent(DVASPECT_CONTENT, &size))) return false;
        if (FAILED(m_pInPlaceObject->SetObjectRects(&rc, &rc))) return false;
    }
    m_rcPos = rc;
    return true;
}

bool CWebBrowserBase::Navigate(BSTR url) {
    m_strUrl = url ? url : L"";
    IWebBrowser2* pBrowser = GetWebBrowser();
    if (!pBrowser) return false;
    return SUCCEEDED(pBrowser->Navigate(url, nullptr, nullptr, nullptr, nullptr));
}

IWebBrowser2* CWebBrowserBase::GetWebBrowser() {
    if (!m_pWebBrowser && m_pOleObject &&
        FAILED(m_pOleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_pWebBrowser))))
        m_pWebBrowser = nullptr;
    return m_pWebBrowser;
}

HWND CWebBrowserBase::GetBrowserWindow() {
    HWND hWnd = nullptr;
    if (IWebBrowser2* pBrowser = GetWebBrowser()) {
        IServiceProvider* pProvider = nullptr;
        if (SUCCEEDED(pBrowser->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&pProvider)))) {
            IOleWindow* pWindow = nullptr;
            if (SUCCEEDED(pProvider->QueryService(SID_SShellBrowser, IID_IOleWindow, reinterpret_cast<void**>(&pWindow)))) {
                pWindow->GetWindow(&hWnd);
                pWindow->Release();
            }
            pProvider->Release();
        }
    }
    while (hWnd) {
        wchar_t name[261] = L"";
        ::GetClassNameW(hWnd, name, 261);
        if (!lstrcmpiW(name, kBrowserServerClass)) return hWnd;
        hWnd = ::GetWindow(hWnd, GW_CHILD);
    }
    return nullptr;
}
