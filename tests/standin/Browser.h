// The stand-in web browser control: accepts what a container does with the system's control
// (create, activate in place in a window, set extent and rectangles, navigate, advise for
// DWebBrowserEvents2) and shows fetched pages as plain text and links.
#pragma once
#include "ConnectionPoint.h"
#include "Document.h"
#include "StandInStubs.h"
#include <servprov.h>
#include <string>

class StandInBrowser final : public IWebBrowser2Stubs,
                       public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IConnectionPointContainer,
                       public IServiceProvider,
                       public IPersistStorage {
public:
    StandInBrowser();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override;

    // IWebBrowser2
    STDMETHODIMP Navigate(BSTR URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers) override;
    STDMETHODIMP Navigate2(VARIANT* URL, VARIANT* Flags, VARIANT* TargetFrameName, VARIANT* PostData, VARIANT* Headers) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP Refresh2(VARIANT*) override { return Refresh(); }
    STDMETHODIMP Stop() override { return S_OK; }
    STDMETHODIMP GoBack() override { return E_FAIL; }
    STDMETHODIMP GoForward() override { return E_FAIL; }
    STDMETHODIMP get_Document(IDispatch** ppDisp) override;
    STDMETHODIMP get_LocationURL(BSTR* p) override;
    STDMETHODIMP get_LocationName(BSTR* p) override;
    STDMETHODIMP get_Busy(VARIANT_BOOL* p) override;
    STDMETHODIMP get_ReadyState(READYSTATE* p) override;
    STDMETHODIMP get_HWND(SHANDLE_PTR* p) override;
    STDMETHODIMP get_Visible(VARIANT_BOOL* p) override;
    STDMETHODIMP put_Visible(VARIANT_BOOL v) override;
    STDMETHODIMP get_Silent(VARIANT_BOOL* p) override { if (!p) return E_POINTER; *p = VARIANT_TRUE; return S_OK; }
    STDMETHODIMP put_Silent(VARIANT_BOOL) override { return S_OK; }
    STDMETHODIMP Quit() override { return S_OK; }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** pp) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pSite, LONG, HWND hwndParent, LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* p) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* p) override;
    STDMETHODIMP GetExtent(DWORD, SIZEL* p) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* p) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** pp) override;

    // IServiceProvider: the shell browser's window is our outermost window.
    STDMETHODIMP QueryService(REFGUID guidService, REFIID riid, void** ppv) override;

    // IPersistStorage: the control keeps nothing in its storage.
    STDMETHODIMP GetClassID(CLSID* p) override { return GetUserClassID(p); }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    ~StandInBrowser();
    LRESULT HandleMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    void CreateWindows(HWND hParent, const RECT& rc);
    void DestroyWindows();
    void LoadPending();
    void Paint(HWND hWnd);
    void Click(POINT pt);
    bool FireBeforeNavigate2(const std::wstring& url);
    void FireWithUrl(DISPID id, const std::wstring& url);
    void FireNavigateError(const std::wstring& url);

    ULONG m_cRef = 1;
    ConnectionPoint m_events;
    IOleClientSite* m_pClientSite = nullptr;
    IOleInPlaceSite* m_pInPlaceSite = nullptr;
    HWND m_hMessageWnd = nullptr;
    HWND m_hEmbedding = nullptr;     // "Shell Embedding", child of the container's window
    HWND m_hDocView = nullptr;       // "Shell DocObject View"
    HWND m_hServer = nullptr;        // "Internet Explorer_Server": the page itself
    SIZEL m_extent = {};
    DWORD m_dwHostFlags = 0;         // from the container's IDocHostUIHandler::GetHostInfo
    bool m_bVisible = true;
    bool m_bLoading = false;
    std::wstring m_strPendingUrl;
    StandInDocument* m_pDocument = nullptr;
    int m_nScroll = 0;               // pixels scrolled down
};

// The module's window classes; registered once when the DLL loads.
void RegisterStandInClasses(HINSTANCE hInstance);
