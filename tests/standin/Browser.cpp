#include "Browser.h"
#include <exdispid.h>
#include <mshtmhst.h>
#include <olectl.h>
#include <shlobj.h>
#include <shlguid.h>
#include <mshtmdid.h>

namespace {

// The page's text face: the system's dialog font at its size, in a family that holds Chinese
// (the test prefix maps it to the CJK font installed with the tools).
HFONT CreatePageFont(bool underline) {
    LOGFONTW lf;
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lstrcpynW(lf.lfFaceName, L"Microsoft YaHei", LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfUnderline = underline;
    return CreateFontIndirectW(&lf);
}
const wchar_t kMessageClass[] = L"StandIn Browser Messages";
const wchar_t kEmbeddingClass[] = L"Shell Embedding";
const wchar_t kDocViewClass[] = L"Shell DocObject View";
const wchar_t kServerClass[] = L"Internet Explorer_Server";
const UINT WM_LOAD_PENDING = WM_APP + 1;
const UINT_PTR kRefreshTimer = 1;
const int kMargin = 8;

HINSTANCE g_hInstance = nullptr;

// A VARIANT argument reached by reference, as the browser events pass most of theirs.
struct ByRefArg {
    VARIANT value;
    ByRefArg() { VariantInit(&value); }
    ~ByRefArg() { VariantClear(&value); }
    void Into(VARIANT& arg) {
        V_VT(&arg) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&arg) = &value;
    }
};

struct Box {
    RECT rc;
    size_t run;
};

// Flows the runs into lines: words wrap at the right edge, a run marked as new line starts one.
std::vector<Box> Layout(HDC hdc, const Page& page, int width, std::vector<std::wstring>* pieces) {
    std::vector<Box> boxes;
    TEXTMETRICW tm;
    GetTextMetricsW(hdc, &tm);
    int lineHeight = tm.tmHeight + 4;
    int x = kMargin, y = kMargin;
    for (size_t r = 0; r < page.runs.size(); ++r) {
        const PageRun& run = page.runs[r];
        if (run.bNewLine && x > kMargin) { x = kMargin; y += lineHeight; }
        size_t i = 0;
        while (i < run.text.size()) {
            size_t end = run.text.find(L' ', i);
            end = end == std::wstring::npos ? run.text.size() : end + 1;
            std::wstring word = run.text.substr(i, end - i);
            i = end;
            SIZE size;
            GetTextExtentPoint32W(hdc, word.c_str(), static_cast<int>(word.size()), &size);
            if (x > kMargin && x + size.cx > width - kMargin) { x = kMargin; y += lineHeight; }
            boxes.push_back(Box{ { x, y, x + size.cx, y + lineHeight }, r });
            if (pieces) pieces->push_back(word);
            x += size.cx;
        }
    }
    return boxes;
}
}  // namespace

void RegisterStandInClasses(HINSTANCE hInstance) {
    g_hInstance = hInstance;
    const wchar_t* names[] = { kMessageClass, kEmbeddingClass, kDocViewClass, kServerClass };
    for (const wchar_t* name : names) {
        WNDCLASSEXW wc = { sizeof(wc) };
        wc.lpfnWndProc = &StandInBrowser::WindowProc;
        wc.hInstance = hInstance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        wc.style = name == kServerClass ? CS_DBLCLKS : 0;
        RegisterClassExW(&wc);
    }
}

StandInBrowser::StandInBrowser() : m_events(this, DIID_DWebBrowserEvents2) {
    m_hMessageWnd = CreateWindowExW(0, kMessageClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_hInstance, nullptr);
    SetWindowLongPtrW(m_hMessageWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

StandInBrowser::~StandInBrowser() {
    DestroyWindows();
    if (m_hMessageWnd) DestroyWindow(m_hMessageWnd);
    if (m_pDocument) m_pDocument->Release();
    if (m_pInPlaceSite) m_pInPlaceSite->Release();
    if (m_pClientSite) m_pClientSite->Release();
}

STDMETHODIMP StandInBrowser::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IWebBrowser) ||
        IsEqualIID(riid, IID_IWebBrowserApp) || IsEqualIID(riid, IID_IWebBrowser2))
        *ppv = static_cast<IWebBrowser2*>(this);
    else if (IsEqualIID(riid, IID_IOleObject))
        *ppv = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
        *ppv = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(riid, IID_IServiceProvider))
        *ppv = static_cast<IServiceProvider*>(this);
    else if (IsEqualIID(riid, IID_IPersistStorage) || IsEqualIID(riid, IID_IPersist))
        *ppv = static_cast<IPersistStorage*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) StandInBrowser::Release() {
    ULONG n = --m_cRef;
    if (!n) delete this;
    return n;
}

// --- navigation ---

STDMETHODIMP StandInBrowser::Navigate(BSTR URL, VARIANT*, VARIANT*, VARIANT*, VARIANT*) {
    if (!URL) return E_INVALIDARG;
    std::wstring url(URL);
    if (!FireBeforeNavigate2(url)) return S_OK;  // the container cancelled it
    m_strPendingUrl = url;
    m_bLoading = true;
    KillTimer(m_hMessageWnd, kRefreshTimer);
    PostMessageW(m_hMessageWnd, WM_LOAD_PENDING, 0, 0);
    return S_OK;
}

STDMETHODIMP StandInBrowser::Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData,
                                       VARIANT* Headers) {
    if (!URL) return E_INVALIDARG;
    VARIANT* v = V_VT(URL) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(URL) : URL;
    if (V_VT(v) != VT_BSTR) return E_INVALIDARG;
    return Navigate(V_BSTR(v), Flags, TargetFrameName, PostData, Headers);
}

// A reload asks nobody: no BeforeNavigate2, but the new document completes as usual.
STDMETHODIMP StandInBrowser::Refresh() {
    if (!m_pDocument) return S_OK;
    m_strPendingUrl = m_pDocument->GetPage().url;
    m_bLoading = true;
    PostMessageW(m_hMessageWnd, WM_LOAD_PENDING, 0, 0);
    return S_OK;
}

void StandInBrowser::LoadPending() {
    if (!m_bLoading) return;
    std::wstring url = m_strPendingUrl;
    // The page's download-control ambient, as the real control asks for it before each load.
    IDispatch* pAmbient = nullptr;
    if (m_pClientSite && SUCCEEDED(m_pClientSite->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pAmbient)))) {
        DISPPARAMS none = {};
        VARIANT result;
        VariantInit(&result);
        pAmbient->Invoke(DISPID_AMBIENT_DLCONTROL, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                         &result, nullptr, nullptr);
        VariantClear(&result);
        pAmbient->Release();
    }
    std::unique_ptr<Page> page = LoadPage(url);
    m_bLoading = false;
    bool failed = page->bFailed;
    int refresh = page->refreshSeconds;
    std::wstring finalUrl = page->url;
    if (m_pDocument) m_pDocument->Release();
    m_pDocument = new StandInDocument(std::move(page));
    m_nScroll = 0;
    if (m_hServer) InvalidateRect(m_hServer, nullptr, FALSE);

    // The sinks may navigate again, release us or close us from inside: stay alive meanwhile.
    AddRef();
    if (failed) FireNavigateError(url);
    FireWithUrl(DISPID_NAVIGATECOMPLETE2, finalUrl);
    FireWithUrl(DISPID_DOCUMENTCOMPLETE, finalUrl);
    if (refresh >= 0 && !m_bLoading && m_hMessageWnd) SetTimer(m_hMessageWnd, kRefreshTimer, refresh * 1000, nullptr);
    Release();
}

bool StandInBrowser::FireBeforeNavigate2(const std::wstring& url) {
    VARIANT args[7];
    ByRefArg vUrl, vFlags, vFrame, vPostData, vHeaders;
    V_VT(&vUrl.value) = VT_BSTR;
    V_BSTR(&vUrl.value) = SysAllocString(url.c_str());
    V_VT(&vFlags.value) = VT_I4;
    V_I4(&vFlags.value) = 0;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    V_VT(&args[6]) = VT_DISPATCH;
    V_DISPATCH(&args[6]) = static_cast<IWebBrowser2*>(this);
    vUrl.Into(args[5]);
    vFlags.Into(args[4]);
    vFrame.Into(args[3]);
    vPostData.Into(args[2]);
    vHeaders.Into(args[1]);
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &cancel;
    DISPPARAMS params = { args, nullptr, 7, 0 };
    AddRef();
    m_events.Fire(DISPID_BEFORENAVIGATE2, &params);
    Release();
    return cancel == VARIANT_FALSE;
}

void StandInBrowser::FireWithUrl(DISPID id, const std::wstring& url) {
    VARIANT args[2];
    ByRefArg vUrl;
    V_VT(&vUrl.value) = VT_BSTR;
    V_BSTR(&vUrl.value) = SysAllocString(url.c_str());
    V_VT(&args[1]) = VT_DISPATCH;
    V_DISPATCH(&args[1]) = static_cast<IWebBrowser2*>(this);
    vUrl.Into(args[0]);
    DISPPARAMS params = { args, nullptr, 2, 0 };
    m_events.Fire(id, &params);
}

void StandInBrowser::FireNavigateError(const std::wstring& url) {
    VARIANT args[5];
    ByRefArg vUrl, vFrame, vStatus;
    V_VT(&vUrl.value) = VT_BSTR;
    V_BSTR(&vUrl.value) = SysAllocString(url.c_str());
    V_VT(&vStatus.value) = VT_I4;
    V_I4(&vStatus.value) = INET_E_RESOURCE_NOT_FOUND;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    V_VT(&args[4]) = VT_DISPATCH;
    V_DISPATCH(&args[4]) = static_cast<IWebBrowser2*>(this);
    vUrl.Into(args[3]);
    vFrame.Into(args[2]);
    vStatus.Into(args[1]);
    V_VT(&args[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&args[0]) = &cancel;
    DISPPARAMS params = { args, nullptr, 5, 0 };
    m_events.Fire(DISPID_NAVIGATEERROR, &params);
}

STDMETHODIMP StandInBrowser::get_Document(IDispatch** ppDisp) {
    if (!ppDisp) return E_POINTER;
    *ppDisp = m_pDocument ? static_cast<IHTMLDocument2*>(m_pDocument) : nullptr;
    if (!m_pDocument) return S_FALSE;
    m_pDocument->AddRef();
    return S_OK;
}

STDMETHODIMP StandInBrowser::get_LocationURL(BSTR* p) {
    if (!p) return E_POINTER;
    *p = SysAllocString(m_pDocument ? m_pDocument->GetPage().url.c_str() : L"");
    return S_OK;
}

STDMETHODIMP StandInBrowser::get_LocationName(BSTR* p) {
    if (!p) return E_POINTER;
    *p = SysAllocString(m_pDocument ? m_pDocument->GetPage().title.c_str() : L"");
    return S_OK;
}

STDMETHODIMP StandInBrowser::get_Busy(VARIANT_BOOL* p) {
    if (!p) return E_POINTER;
    *p = m_bLoading ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP StandInBrowser::get_ReadyState(READYSTATE* p) {
    if (!p) return E_POINTER;
    *p = m_bLoading ? READYSTATE_LOADING : READYSTATE_COMPLETE;
    return S_OK;
}

STDMETHODIMP StandInBrowser::get_HWND(SHANDLE_PTR* p) {
    if (!p) return E_POINTER;
    *p = reinterpret_cast<SHANDLE_PTR>(m_hEmbedding);
    return m_hEmbedding ? S_OK : E_FAIL;
}

STDMETHODIMP StandInBrowser::get_Visible(VARIANT_BOOL* p) {
    if (!p) return E_POINTER;
    *p = m_bVisible ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP StandInBrowser::put_Visible(VARIANT_BOOL v) {
    m_bVisible = v != VARIANT_FALSE;
    if (m_hEmbedding) ShowWindow(m_hEmbedding, m_bVisible ? SW_SHOWNA : SW_HIDE);
    return S_OK;
}

// --- embedding ---

STDMETHODIMP StandInBrowser::SetClientSite(IOleClientSite* pSite) {
    if (pSite) pSite->AddRef();
    if (m_pClientSite) m_pClientSite->Release();
    m_pClientSite = pSite;
    return S_OK;
}

STDMETHODIMP StandInBrowser::GetClientSite(IOleClientSite** pp) {
    if (!pp) return E_POINTER;
    *pp = m_pClientSite;
    if (m_pClientSite) m_pClientSite->AddRef();
    return S_OK;
}

STDMETHODIMP StandInBrowser::Close(DWORD) {
    InPlaceDeactivate();
    KillTimer(m_hMessageWnd, kRefreshTimer);
    m_bLoading = false;
    return S_OK;
}

STDMETHODIMP StandInBrowser::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pSite, LONG, HWND hwndParent,
                                    LPCRECT lprcPosRect) {
    if (iVerb == OLEIVERB_HIDE) {
        if (m_hEmbedding) ShowWindow(m_hEmbedding, SW_HIDE);
        return S_OK;
    }
    if (iVerb != OLEIVERB_INPLACEACTIVATE && iVerb != OLEIVERB_UIACTIVATE && iVerb != OLEIVERB_SHOW &&
        iVerb != OLEIVERB_PRIMARY)
        return OLEOBJ_S_INVALIDVERB;
    if (m_hEmbedding) return S_OK;
    if (!pSite) pSite = m_pClientSite;
    if (!pSite) return E_UNEXPECTED;
    IOleInPlaceSite* pInPlace = nullptr;
    if (FAILED(pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlace)))) return E_NOINTERFACE;
    if (pInPlace->CanInPlaceActivate() != S_OK) {
        pInPlace->Release();
        return E_FAIL;
    }
    pInPlace->OnInPlaceActivate();
    IOleInPlaceFrame* pFrame = nullptr;
    IOleInPlaceUIWindow* pDoc = nullptr;
    RECT pos = lprcPosRect ? *lprcPosRect : RECT{}, clip = pos;
    OLEINPLACEFRAMEINFO info = { sizeof(info) };
    pInPlace->GetWindowContext(&pFrame, &pDoc, &pos, &clip, &info);
    if (pFrame) pFrame->Release();
    if (pDoc) pDoc->Release();
    HWND hParent = hwndParent;
    if (!hParent) pInPlace->GetWindow(&hParent);

    IDocHostUIHandler* pHandler = nullptr;
    if (SUCCEEDED(pSite->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&pHandler)))) {
        DOCHOSTUIINFO host = { sizeof(host) };
        if (SUCCEEDED(pHandler->GetHostInfo(&host))) m_dwHostFlags = host.dwFlags;
        pHandler->Release();
    }
    m_pInPlaceSite = pInPlace;
    CreateWindows(hParent, pos);
    return m_hEmbedding ? S_OK : E_FAIL;
}

STDMETHODIMP StandInBrowser::GetUserClassID(CLSID* p) {
    if (!p) return E_POINTER;
    *p = CLSID_WebBrowser;
    return S_OK;
}

STDMETHODIMP StandInBrowser::SetExtent(DWORD, SIZEL* p) {
    if (!p) return E_POINTER;
    m_extent = *p;
    return S_OK;
}

STDMETHODIMP StandInBrowser::GetExtent(DWORD, SIZEL* p) {
    if (!p) return E_POINTER;
    *p = m_extent;
    return S_OK;
}

STDMETHODIMP StandInBrowser::GetMiscStatus(DWORD, DWORD* p) {
    if (!p) return E_POINTER;
    *p = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
         OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

STDMETHODIMP StandInBrowser::GetWindow(HWND* phwnd) {
    if (!phwnd) return E_POINTER;
    *phwnd = m_hEmbedding;
    return m_hEmbedding ? S_OK : E_FAIL;
}

STDMETHODIMP StandInBrowser::InPlaceDeactivate() {
    if (!m_pInPlaceSite) return S_OK;
    DestroyWindows();
    IOleInPlaceSite* pSite = m_pInPlaceSite;
    m_pInPlaceSite = nullptr;
    pSite->OnInPlaceDeactivate();
    pSite->Release();
    return S_OK;
}

STDMETHODIMP StandInBrowser::SetObjectRects(LPCRECT lprcPosRect, LPCRECT) {
    if (!lprcPosRect) return E_POINTER;
    if (m_hEmbedding)
        MoveWindow(m_hEmbedding, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                   lprcPosRect->bottom - lprcPosRect->top, TRUE);
    return S_OK;
}

STDMETHODIMP StandInBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** pp) {
    if (!pp) return E_POINTER;
    *pp = nullptr;
    if (!IsEqualIID(riid, DIID_DWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
    *pp = &m_events;
    AddRef();
    return S_OK;
}

STDMETHODIMP StandInBrowser::QueryService(REFGUID guidService, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualGUID(guidService, SID_SShellBrowser) && !IsEqualGUID(guidService, SID_SWebBrowserApp))
        return E_NOINTERFACE;
    return QueryInterface(riid, ppv);
}

// --- windows ---

void StandInBrowser::CreateWindows(HWND hParent, const RECT& rc) {
    DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    m_hEmbedding = CreateWindowExW(0, kEmbeddingClass, L"", m_bVisible ? child : child & ~WS_VISIBLE, rc.left, rc.top,
                                   rc.right - rc.left, rc.bottom - rc.top, hParent, nullptr, g_hInstance, nullptr);
    if (!m_hEmbedding) return;
    SetWindowLongPtrW(m_hEmbedding, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RECT client;
    GetClientRect(m_hEmbedding, &client);
    m_hDocView = CreateWindowExW(0, kDocViewClass, L"", child, 0, 0, client.right, client.bottom, m_hEmbedding,
                                 nullptr, g_hInstance, nullptr);
    SetWindowLongPtrW(m_hDocView, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    DWORD exStyle = (m_dwHostFlags & DOCHOSTUIFLAG_NO3DOUTERBORDER) ? 0 : WS_EX_CLIENTEDGE;
    m_hServer = CreateWindowExW(exStyle, kServerClass, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, client.right,
                                client.bottom, m_hDocView, nullptr, g_hInstance, nullptr);
    SetWindowLongPtrW(m_hServer, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void StandInBrowser::DestroyWindows() {
    HWND h = m_hEmbedding;
    m_hEmbedding = m_hDocView = m_hServer = nullptr;
    if (h && IsWindow(h)) DestroyWindow(h);
}

LRESULT CALLBACK StandInBrowser::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<StandInBrowser*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hWnd, message, wParam, lParam);
    return self->HandleMessage(hWnd, message, wParam, lParam);
}

LRESULT StandInBrowser::HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hWnd == m_hMessageWnd) {
        if (message == WM_LOAD_PENDING) {
            LoadPending();
            return 0;
        }
        if (message == WM_TIMER && wParam == kRefreshTimer) {
            KillTimer(hWnd, kRefreshTimer);
            if (m_pDocument) {
                BSTR url = SysAllocString(m_pDocument->GetPage().refreshUrl.c_str());
                Navigate(url, nullptr, nullptr, nullptr, nullptr);
                SysFreeString(url);
            }
            return 0;
        }
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    switch (message) {
    case WM_SIZE:
        // Each window of the chain fills its parent.
        if (HWND hChild = ::GetWindow(hWnd, GW_CHILD))
            MoveWindow(hChild, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_ERASEBKGND:
        return hWnd == m_hServer ? 1 : DefWindowProcW(hWnd, message, wParam, lParam);
    case WM_PAINT:
        if (hWnd == m_hServer) {
            Paint(hWnd);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (hWnd == m_hServer) SetFocus(hWnd);
        return 0;
    case WM_LBUTTONUP:
        if (hWnd == m_hServer) Click(POINT{ static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)) });
        return 0;
    case WM_MOUSEWHEEL:
        m_nScroll = std::max(0, m_nScroll - GET_WHEEL_DELTA_WPARAM(wParam) / 2);
        if (m_hServer) InvalidateRect(m_hServer, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        // Tests read the last key that reached the page from the window text.
        if (hWnd == m_hServer) {
            wchar_t text[32];
            wsprintfW(text, L"keydown:%u", static_cast<unsigned>(wParam));
            SetWindowTextW(hWnd, text);
        }
        return 0;
    case WM_GETDLGCODE:
        // The page takes every key, Enter and Escape included, as a browser does.
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

void StandInBrowser::Paint(HWND hWnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, std::max<LONG>(rc.right, 1), std::max<LONG>(rc.bottom, 1));
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    FillRect(mem, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreatePageFont(false);
    HFONT linkFont = CreatePageFont(true);
    HGDIOBJ oldFont = SelectObject(mem, font);
    SetBkMode(mem, TRANSPARENT);
    if (m_pDocument) {
        std::vector<std::wstring> pieces;
        std::vector<Box> boxes = Layout(mem, m_pDocument->GetPage(), rc.right, &pieces);
        for (size_t i = 0; i < boxes.size(); ++i) {
            const PageRun& run = m_pDocument->GetPage().runs[boxes[i].run];
            bool link = run.node && run.node->EnclosingLink();
            SelectObject(mem, link ? linkFont : font);
            SetTextColor(mem, link ? RGB(0, 0, 204) : RGB(0, 0, 0));
            TextOutW(mem, boxes[i].rc.left, boxes[i].rc.top - m_nScroll, pieces[i].c_str(),
                     static_cast<int>(pieces[i].size()));
        }
    }
    BitBlt(hdc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBmp);
    DeleteObject(linkFont);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(hWnd, &ps);
}

void StandInBrowser::Click(POINT pt) {
    if (!m_pDocument || !m_hServer) return;
    StandInDocument* pDoc = m_pDocument;
    pDoc->AddRef();
    const Page& page = pDoc->GetPage();
    const PageNode* target = page.FindFirst(L"BODY");
    HDC hdc = GetDC(m_hServer);
    HFONT font = CreatePageFont(false);
    HGDIOBJ old = SelectObject(hdc, font);
    RECT rc;
    GetClientRect(m_hServer, &rc);
    POINT hit = { pt.x, pt.y + m_nScroll };
    for (const Box& box : Layout(hdc, page, rc.right, nullptr))
        if (PtInRect(&box.rc, hit)) { target = page.runs[box.run].node; break; }
    SelectObject(hdc, old);
    DeleteObject(font);
    ReleaseDC(m_hServer, hdc);

    AddRef();
    bool proceed = pDoc->FireClick(target, pt);
    const PageNode* link = target ? target->EnclosingLink() : nullptr;
    const std::wstring* href = link ? link->Attribute(L"href") : nullptr;
    if (proceed && href && m_pDocument == pDoc) {
        BSTR url = SysAllocString(ResolveUrl(page.url, *href).c_str());
        Navigate(url, nullptr, nullptr, nullptr, nullptr);
        SysFreeString(url);
    }
    pDoc->Release();
    Release();
}
