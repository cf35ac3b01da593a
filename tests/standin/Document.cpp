#include "Document.h"
#include <mshtmdid.h>

namespace {

// DIID_HTMLDocumentEvents2; the import library of the toolchain lacks it.
const IID kDocumentEvents2 = { 0x3050f613, 0x98b5, 0x11cf, { 0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b } };

BSTR Bstr(const std::wstring& s) { return SysAllocStringLen(s.data(), static_cast<UINT>(s.size())); }

// An element of the document: tag name, parent and attributes are all the stand-in offers.
class StandInElement final : public IHTMLElementStubs {
public:
    StandInElement(StandInDocument* pDoc, const PageNode* pNode) : m_pDoc(pDoc), m_pNode(pNode) { m_pDoc->AddRef(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, IID_IHTMLElement))
            return E_NOINTERFACE;
        *ppv = static_cast<IHTMLElement*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG n = --m_cRef;
        if (!n) {
            m_pDoc->Release();
            delete this;
        }
        return n;
    }

    STDMETHODIMP get_tagName(BSTR* p) override {
        if (!p) return E_POINTER;
        *p = Bstr(m_pNode->tag);
        return S_OK;
    }
    STDMETHODIMP get_parentElement(IHTMLElement** p) override {
        if (!p) return E_POINTER;
        *p = m_pDoc->ElementFor(m_pNode->parent);
        return S_OK;
    }
    STDMETHODIMP getAttribute(BSTR name, LONG, VARIANT* p) override {
        if (!p || !name) return E_POINTER;
        VariantInit(p);
        std::wstring key(name);
        for (auto& c : key) c = static_cast<wchar_t>(towlower(c));
        const std::wstring* value = m_pNode->Attribute(key);
        if (!value) {
            V_VT(p) = VT_NULL;
            return S_OK;
        }
        // The browser reports links absolute, as the address they lead to.
        std::wstring text = key == L"href" ? ResolveUrl(m_pDoc->GetPage().url, *value) : *value;
        V_VT(p) = VT_BSTR;
        V_BSTR(p) = Bstr(text);
        return S_OK;
    }
    STDMETHODIMP get_id(BSTR* p) override {
        if (!p) return E_POINTER;
        const std::wstring* id = m_pNode->Attribute(L"id");
        *p = id ? Bstr(*id) : nullptr;
        return S_OK;
    }
    STDMETHODIMP get_innerText(BSTR* p) override {
        if (!p) return E_POINTER;
        std::wstring text;
        for (const PageRun& run : m_pDoc->GetPage().runs)
            for (const PageNode* n = run.node; n; n = n->parent)
                if (n == m_pNode) { text += run.text; break; }
        *p = Bstr(text);
        return S_OK;
    }

private:
    ~StandInElement() = default;
    ULONG m_cRef = 1;
    StandInDocument* m_pDoc;
    const PageNode* m_pNode;
};

class StandInEventObj final : public IHTMLEventObjStubs {
public:
    StandInEventObj(IHTMLElement* pSource, POINT pt) : m_pSource(pSource), m_pt(pt) {
        if (m_pSource) m_pSource->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, IID_IHTMLEventObj))
            return E_NOINTERFACE;
        *ppv = static_cast<IHTMLEventObj*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG n = --m_cRef;
        if (!n) {
            if (m_pSource) m_pSource->Release();
            delete this;
        }
        return n;
    }

    STDMETHODIMP get_srcElement(IHTMLElement** p) override {
        if (!p) return E_POINTER;
        *p = m_pSource;
        if (m_pSource) m_pSource->AddRef();
        return S_OK;
    }
    STDMETHODIMP get_type(BSTR* p) override {
        if (!p) return E_POINTER;
        *p = SysAllocString(L"click");
        return S_OK;
    }
    STDMETHODIMP get_clientX(LONG* p) override { if (!p) return E_POINTER; *p = m_pt.x; return S_OK; }
    STDMETHODIMP get_clientY(LONG* p) override { if (!p) return E_POINTER; *p = m_pt.y; return S_OK; }
    STDMETHODIMP put_returnValue(VARIANT v) override {
        m_bCancelled = V_VT(&v) == VT_BOOL && V_BOOL(&v) == VARIANT_FALSE;
        return S_OK;
    }
    STDMETHODIMP put_cancelBubble(VARIANT_BOOL) override { return S_OK; }

    bool m_bCancelled = false;

private:
    ~StandInEventObj() = default;
    ULONG m_cRef = 1;
    IHTMLElement* m_pSource;
    POINT m_pt;
};

}  // namespace

StandInDocument::StandInDocument(std::unique_ptr<Page> page)
    : m_page(std::move(page)), m_events(this, kDocumentEvents2) {}

STDMETHODIMP StandInDocument::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IHTMLDocument) ||
        IsEqualIID(riid, IID_IHTMLDocument2))
        *ppv = static_cast<IHTMLDocument2*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) StandInDocument::Release() {
    ULONG n = --m_cRef;
    if (!n) delete this;
    return n;
}

STDMETHODIMP StandInDocument::get_URL(BSTR* p) {
    if (!p) return E_POINTER;
    *p = Bstr(m_page->url);
    return S_OK;
}

STDMETHODIMP StandInDocument::get_title(BSTR* p) {
    if (!p) return E_POINTER;
    *p = Bstr(m_page->title);
    return S_OK;
}

STDMETHODIMP StandInDocument::get_body(IHTMLElement** p) {
    if (!p) return E_POINTER;
    *p = ElementFor(m_page->FindFirst(L"BODY"));
    return S_OK;
}

STDMETHODIMP StandInDocument::get_readyState(BSTR* p) {
    if (!p) return E_POINTER;
    *p = SysAllocString(L"complete");
    return S_OK;
}

STDMETHODIMP StandInDocument::FindConnectionPoint(REFIID riid, IConnectionPoint** pp) {
    if (!pp) return E_POINTER;
    *pp = nullptr;
    if (!IsEqualIID(riid, kDocumentEvents2)) return CONNECT_E_NOCONNECTION;
    *pp = &m_events;
    AddRef();
    return S_OK;
}

IHTMLElement* StandInDocument::ElementFor(const PageNode* pNode) {
    return pNode ? new StandInElement(this, pNode) : nullptr;
}

bool StandInDocument::FireClick(const PageNode* pTarget, POINT pt) {
    IHTMLElement* pSource = ElementFor(pTarget);
    auto* pEvent = new StandInEventObj(pSource, pt);
    if (pSource) pSource->Release();
    VARIANT arg;
    V_VT(&arg) = VT_DISPATCH;
    V_DISPATCH(&arg) = static_cast<IHTMLEventObj*>(pEvent);
    DISPPARAMS params = { &arg, nullptr, 1, 0 };
    VARIANT result;
    VariantInit(&result);
    m_events.Fire(DISPID_HTMLDOCUMENTEVENTS2_ONCLICK, &params, &result);
    bool proceed = !pEvent->m_bCancelled && !(V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_FALSE);
    VariantClear(&result);
    pEvent->Release();
    return proceed;
}
