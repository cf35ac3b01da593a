// CWebBrowserBase: our own OLE container site for the system's web browser control.
//
// Why it is shaped like this: the control wants a client site, an in-place site, an in-place
// frame and a UI handler, and it sends its DWebBrowserEvents2 to an IDispatch sink. One object
// answers all five interfaces with one shared count, so the control may hold any of them in any
// order. The count never deletes the object: the owner creates it with new and deletes it, and
// the destructor closes the control and lets go of everything the site holds.
#pragma once
#include "framework/String.h"
#include <windows.h>
#include <ole2.h>
#include <exdisp.h>
#include <mshtmhst.h>

class CWebBrowserBase : public IDispatch,
                        public IOleClientSite,
                        public IOleInPlaceSite,
                        public IOleInPlaceFrame,
                        public IDocHostUIHandler {
public:
    CWebBrowserBase();
    virtual ~CWebBrowserBase();
    CWebBrowserBase(const CWebBrowserBase&) = delete;
    CWebBrowserBase& operator=(const CWebBrowserBase&) = delete;

    // IUnknown, shared by every interface.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch: the event sink of the control.
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // The window the control lives in; supplied by the subclass.
    virtual HWND GetHostWindow() { return nullptr; }
    virtual void OnDocumentComplete(CString url) {}
    // pCancel points at the event's cancel flag; setting it stops the navigation.
    virtual void OnBeforeNavigate2(CString url, VARIANT_BOOL* pCancel) {}

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP GetContainer(IOleContainer** ppContainer) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return S_OK; }

    // IOleWindow (through the in-place site and the frame alike)
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_bInPlaceActive ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                  LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame
    STDMETHODIMP GetBorder(LPRECT lprectBorder) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return E_NOTIMPL; }

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return E_NOTIMPL; }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* pInfo) override;
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override { return E_NOTIMPL; }
    STDMETHODIMP HideUI() override { return E_NOTIMPL; }
    STDMETHODIMP UpdateUI() override { return E_NOTIMPL; }
    // (EnableModeless is shared with the frame: both answer E_NOTIMPL.)
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    STDMETHODIMP GetExternal(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }

    // Shows the control in the host window and connects the event sink (once).
    bool InPlaceActivate();
    // Moves and sizes the control; an empty rectangle hides it while it keeps its page.
    bool SetPosRect(const RECT& rc);
    // False without navigating when there is no control.
    bool Navigate(BSTR url);
    // Owned by the site; null when there is no control.
    IWebBrowser2* GetWebBrowser();
    // The control's "Internet Explorer_Server" window, or null.
    HWND GetBrowserWindow();

    LONG m_cRef = 0;
    RECT m_rcPos = {};
    bool m_bInPlaceActive = false;
    RECT m_rcLayout = {};   // where the owner wants the control once a page is loaded
    CString m_strUrl;
    IOleObject* m_pOleObject = nullptr;
    IOleInPlaceObject* m_pInPlaceObject = nullptr;
    IStorage* m_pStorage = nullptr;
    IWebBrowser2* m_pWebBrowser = nullptr;

private:
    void ResetPosToHostClient();

    DWORD m_dwEventCookie = 0;      // our DWebBrowserEvents2 connection, undone in the destructor
    bool m_bOleInitialized = false;
};
