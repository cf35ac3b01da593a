#include "browser/WebBrowserBase.h"
#include "StandInStubs.h"
#include "tests/support/LocalHttpServer.h"
#include <exdispid.h>
#include <olectl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using testing_support::LocalHttpServer;
using testing_support::PumpUntil;

namespace {

// OLE stays initialised for the whole run, as on the program's user-interface thread; otherwise
// every site's balanced OleUninitialize tears the apartment down and up again (seconds under Wine).
class OleEnvironment : public testing::Environment {
    void SetUp() override { OleInitialize(nullptr); }
    void TearDown() override { OleUninitialize(); }
};
testing::Environment* const g_oleEnvironment = testing::AddGlobalTestEnvironment(new OleEnvironment);

// A control that records what the site does with it.
class FakeControl : public IOleObjectStubs, public IOleInPlaceObjectStubs, public IWebBrowser2Stubs,
                    public IConnectionPointContainer, public IConnectionPoint {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject)) *ppv = static_cast<IOleObject*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceObject)) *ppv = static_cast<IOleInPlaceObject*>(this);
        else if (IsEqualIID(riid, IID_IWebBrowser2) && bHasBrowser) *ppv = static_cast<IWebBrowser2*>(this);
        else if (IsEqualIID(riid, IID_IConnectionPointContainer)) *ppv = static_cast<IConnectionPointContainer*>(this);
        else return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    // The way the system's control activates: asks, takes the context, lets the frame go again.
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* pSite, LONG, HWND, LPCRECT) override {
        ++doVerbs;
        lastVerb = verb;
        IOleInPlaceSite* pInPlace = nullptr;
        pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlace));
        canActivate = pInPlace->CanInPlaceActivate();
        IOleInPlaceFrame* pFrame = nullptr;
        IOleInPlaceUIWindow* pDoc = nullptr;
        RECT pos, clip;
        OLEINPLACEFRAMEINFO info = { sizeof(info) };
        pInPlace->GetWindowContext(&pFrame, &pDoc, &pos, &clip, &info);
        if (pFrame) pFrame->Release();
        pInPlace->Release();
        return S_OK;
    }
    STDMETHODIMP SetExtent(DWORD, SIZEL* p) override { extents.push_back(*p); return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override {
        rects.push_back(*pos);
        EXPECT_TRUE(EqualRect(pos, clip));
        return failRects ? E_FAIL : S_OK;
    }
    STDMETHODIMP Close(DWORD how) override { closes.push_back(how); return S_OK; }
    STDMETHODIMP SetClientSite(IOleClientSite* p) override { clientSites.push_back(p); return S_OK; }
    STDMETHODIMP Navigate(BSTR url, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        navigations.push_back(url);
        return S_OK;
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** pp) override {
        if (!IsEqualIID(riid, DIID_DWebBrowserEvents2)) return CONNECT_E_NOCONNECTION;
        *pp = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IUnknown* pSink, DWORD* pCookie) override {
        sinks.push_back(pSink);
        pSink->AddRef();
        *pCookie = 77;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override {
        unadvised.push_back(cookie);
        for (IUnknown* p : sinks) p->Release();
        sinks.clear();
        return S_OK;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    ULONG refs = 0;
    bool bHasBrowser = true, failRects = false;
    int doVerbs = 0;
    LONG lastVerb = 0;
    HRESULT canActivate = E_FAIL;
    std::vector<SIZEL> extents;
    std::vector<RECT> rects;
    std::vector<DWORD> closes, unadvised;
    std::vector<IOleClientSite*> clientSites;
    std::vector<std::wstring> navigations;
    std::vector<IUnknown*> sinks;
};

class HostWindow {
public:
    HostWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrowserTestHost";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(0, L"BrowserTestHost", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40,
                                 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() { DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

class TestSite : public CWebBrowserBase {
public:
    explicit TestSite(HWND hHost) : m_hHost(hHost) {}
    HWND GetHostWindow() override { return m_hHost; }
    void OnDocumentComplete(CString url) override { completed.push_back(url); }
    void OnBeforeNavigate2(CString url, VARIANT_BOOL* pCancel) override {
        navigating.push_back(url);
        if (url.Find(L"play_gamecode") >= 0) *pCancel = VARIANT_TRUE;
    }
    // Puts the fake in place of the control the constructor made.
    void UseControl(FakeControl* pFake) {
        if (m_pInPlaceObject) m_pInPlaceObject->Release();
        if (m_pWebBrowser) m_pWebBrowser->Release();
        if (m_pOleObject) {
            m_pOleObject->Close(OLECLOSE_NOSAVE);
            m_pOleObject->SetClientSite(nullptr);
            m_pOleObject->Release();
        }
        m_pWebBrowser = nullptr;
        m_pOleObject = pFake;
        m_pInPlaceObject = pFake;
        pFake->refs += 2;
        m_cRef = 0;
    }
    HWND m_hHost;
    std::vector<CString> completed, navigating;
};

class BrowserSite : public testing::Test {
protected:
    HostWindow host;
    FakeControl fake;
};

TEST_F(BrowserSite, AnswersItsInterfaceTableWithOneSharedCount) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    struct Row { const IID* iid; void* expected; };
    const Row rows[] = {
        { &IID_IOleClientSite, static_cast<IOleClientSite*>(&site) },
        { &IID_IUnknown, static_cast<IDispatch*>(&site) },
        { &IID_IDispatch, static_cast<IDispatch*>(&site) },
        { &IID_IDocHostUIHandler, static_cast<IDocHostUIHandler*>(&site) },
        { &IID_IOleWindow, static_cast<IOleInPlaceSite*>(&site) },      // the in-place site, not the frame
        { &IID_IOleInPlaceSite, static_cast<IOleInPlaceSite*>(&site) },
        { &IID_IOleInPlaceFrame, static_cast<IOleInPlaceFrame*>(&site) },
        { &IID_IOleInPlaceUIWindow, static_cast<IOleInPlaceFrame*>(&site) },
        { &IID_IOleObject, nullptr },
        { &IID_IServiceProvider, nullptr },
        { &DIID_DWebBrowserEvents2, nullptr },
    };
    std::vector<IUnknown*> got;
    for (const Row& row : rows) {
        void* p = reinterpret_cast<void*>(1);
        HRESULT hr = static_cast<IDispatch*>(&site)->QueryInterface(*row.iid, &p);
        EXPECT_EQ(p, row.expected);
        EXPECT_EQ(hr, row.expected ? S_OK : E_NOINTERFACE);
        if (p) got.push_back(static_cast<IUnknown*>(p));
    }
    EXPECT_EQ(site.m_cRef, static_cast<LONG>(got.size()));
    for (IUnknown* p : got) p->Release();
    EXPECT_EQ(site.m_cRef, 0);

    // Activation takes and gives back the frame; at 0 the object is still there and usable.
    EXPECT_TRUE(site.InPlaceActivate());
    fake.Unadvise(77);
    EXPECT_EQ(site.m_cRef, 0);
    DOCHOSTUIINFO info = { sizeof(info) };
    EXPECT_EQ(site.GetHostInfo(&info), S_OK);
    EXPECT_EQ(static_cast<IOleInPlaceSite*>(&site)->Release(), static_cast<ULONG>(-1));
    EXPECT_EQ(static_cast<IOleInPlaceSite*>(&site)->AddRef(), 0u);
}

TEST_F(BrowserSite, InvokeRoutesOnlyTheTwoEvents) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    VARIANT url;
    V_VT(&url) = VT_BSTR;
    V_BSTR(&url) = SysAllocString(L"http://127.0.0.1/play_gamecode?x=1");

    // DocumentComplete(pDisp, URL): the URL is the last argument, a VARIANT by reference.
    VARIANT complete[2];
    V_VT(&complete[0]) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(&complete[0]) = &url;
    V_VT(&complete[1]) = VT_DISPATCH;
    V_DISPATCH(&complete[1]) = nullptr;
    DISPPARAMS params = { complete, nullptr, 2, 0 };
    EXPECT_EQ(site.Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(site.completed.size(), 1u);
    EXPECT_EQ(site.completed[0], CString(L"http://127.0.0.1/play_gamecode?x=1"));

    // BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel).
    VARIANT before[7];
    VARIANT empty;
    VariantInit(&empty);
    for (VARIANT& v : before) { V_VT(&v) = VT_VARIANT | VT_BYREF; V_VARIANTREF(&v) = &empty; }
    V_VARIANTREF(&before[5]) = &url;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    V_VT(&before[0]) = VT_BOOL | VT_BYREF;
    V_BOOLREF(&before[0]) = &cancel;
    params = { before, nullptr, 7, 0 };
    EXPECT_EQ(site.Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(site.navigating.size(), 1u);
    EXPECT_EQ(cancel, VARIANT_TRUE);

    // Everything else, ambient requests included, is not ours.
    for (DISPID id : { 0, 250 + 2, 271, 253, -5512, -5501 })
        EXPECT_EQ(site.Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, nullptr, nullptr, nullptr),
                  E_NOTIMPL) << id;
    EXPECT_EQ(site.completed.size(), 1u);
    EXPECT_EQ(site.navigating.size(), 1u);
    VariantClear(&url);
}

TEST_F(BrowserSite, ActivatesOnceAndConnectsTheSinkOnce) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    EXPECT_TRUE(site.InPlaceActivate());
    EXPECT_TRUE(site.InPlaceActivate());
    EXPECT_EQ(fake.doVerbs, 1);
    EXPECT_EQ(fake.lastVerb, OLEIVERB_INPLACEACTIVATE);
    EXPECT_EQ(fake.canActivate, S_OK);   // the flag is set before the control asks
    EXPECT_EQ(fake.sinks.size(), 1u);
    RECT client;
    GetClientRect(host.m_hWnd, &client);
    EXPECT_TRUE(EqualRect(&site.m_rcPos, &client));
}

TEST_F(BrowserSite, PositionsTheControlAndHidesItWithAnEmptyRectangle) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    RECT layout = { 0, 84, 705, 470 };
    EXPECT_TRUE(site.SetPosRect(layout));       // not active yet: only remembered
    EXPECT_TRUE(fake.extents.empty());
    EXPECT_TRUE(EqualRect(&site.m_rcPos, &layout));

    ASSERT_TRUE(site.InPlaceActivate());
    RECT empty = {};
    EXPECT_TRUE(site.SetPosRect(empty));
    EXPECT_TRUE(site.SetPosRect(layout));
    ASSERT_EQ(fake.extents.size(), 2u);
    EXPECT_EQ(fake.extents[0].cx, 0);
    EXPECT_EQ(fake.extents[0].cy, 0);
    EXPECT_EQ(fake.extents[1].cx, 705);
    EXPECT_EQ(fake.extents[1].cy, 386);
    ASSERT_EQ(fake.rects.size(), 2u);
    EXPECT_TRUE(IsRectEmpty(&fake.rects[0]));
    EXPECT_TRUE(EqualRect(&fake.rects[1], &layout));

    fake.failRects = true;                      // a refusing control: the old rectangle stays
    RECT other = { 1, 2, 3, 4 };
    EXPECT_FALSE(site.SetPosRect(other));
    EXPECT_TRUE(EqualRect(&site.m_rcPos, &layout));
}

TEST_F(BrowserSite, HostInfoAddsOnlyTheFlatBorderFlag) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    DOCHOSTUIINFO info;
    memset(&info, 0x5A, sizeof(info));
    info.cbSize = sizeof(info);
    info.dwFlags = DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_SCROLL_NO;
    DOCHOSTUIINFO before = info;
    EXPECT_EQ(site.GetHostInfo(&info), S_OK);
    EXPECT_EQ(info.dwFlags, before.dwFlags | 0x00200000u);
    info.dwFlags = before.dwFlags;
    EXPECT_EQ(memcmp(&info, &before, sizeof(info)), 0);
}

TEST_F(BrowserSite, NavigateWithoutBrowserInterfaceDoesNothing) {
    TestSite site(host.m_hWnd);
    site.UseControl(&fake);
    fake.bHasBrowser = false;
    BSTR url = SysAllocString(L"http://127.0.0.1/x");
    EXPECT_FALSE(site.Navigate(url));
    EXPECT_EQ(site.m_strUrl, CString(L"http://127.0.0.1/x"));
    EXPECT_FALSE(site.InPlaceActivate());       // no browser, no event sink
    EXPECT_TRUE(fake.navigations.empty());
    SysFreeString(url);
}

TEST_F(BrowserSite, DeletingTheSiteClosesTheControlAndLetsGoOfIt) {
    auto* site = new TestSite(host.m_hWnd);
    site->UseControl(&fake);
    ASSERT_TRUE(site->InPlaceActivate());
    ULONG held = fake.refs;
    EXPECT_GT(held, 0u);
    delete site;
    EXPECT_EQ(fake.unadvised, std::vector<DWORD>{ 77 });
    EXPECT_EQ(fake.closes, std::vector<DWORD>{ OLECLOSE_NOSAVE });
    ASSERT_FALSE(fake.clientSites.empty());
    EXPECT_EQ(fake.clientSites.back(), nullptr);
    EXPECT_EQ(fake.refs, 0u);
    EXPECT_TRUE(fake.sinks.empty());
}

// The same site on the stand-in control, with pages from a local server.
TEST_F(BrowserSite, HostsPagesOfALocalServer) {
    LocalHttpServer server;
    server.SetPage("/login", "<html><title>t</title><body><a href=\"/play_gamecode?sv=1\">play</a> <p>text</body></html>");
    TestSite site(host.m_hWnd);
    ASSERT_NE(site.m_pOleObject, nullptr);
    ASSERT_TRUE(site.InPlaceActivate());
    HWND hServer = site.GetBrowserWindow();
    ASSERT_NE(hServer, nullptr);
    EXPECT_TRUE(IsChild(host.m_hWnd, hServer));

    BSTR url = SysAllocString(server.Url("/login"));
    ASSERT_TRUE(site.Navigate(url));
    SysFreeString(url);
    ASSERT_TRUE(PumpUntil([&] { return !site.completed.empty(); }));
    EXPECT_EQ(site.completed[0], server.Url("/login"));
    EXPECT_EQ(site.navigating, std::vector<CString>{ server.Url("/login") });

    // Zero size hides the page, a real rectangle brings it back.
    RECT empty = {}, layout = { 0, 84, 600, 400 };
    ASSERT_TRUE(site.SetPosRect(empty));
    RECT rc;
    GetWindowRect(hServer, &rc);
    EXPECT_TRUE(IsRectEmpty(&rc));
    ASSERT_TRUE(site.SetPosRect(layout));
    GetWindowRect(hServer, &rc);
    EXPECT_EQ(rc.right - rc.left, 600);
    EXPECT_EQ(rc.bottom - rc.top, 316);

    // Clicking the link starts a navigation the site cancels: nothing is fetched.
    PostMessageW(hServer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 14));
    PostMessageW(hServer, WM_LBUTTONUP, 0, MAKELPARAM(12, 14));
    ASSERT_TRUE(PumpUntil([&] { return site.navigating.size() == 2; }));
    EXPECT_EQ(site.navigating[1], server.Url("/play_gamecode?sv=1"));
    testing_support::PumpMessagesFor(300);
    EXPECT_EQ(site.completed.size(), 1u);
    EXPECT_EQ(server.CountRequests("/play_gamecode?sv=1"), 0);
}

}  // namespace
