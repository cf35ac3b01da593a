// The stand-in's document model: a document over one parsed page, its elements and the click
// event object. Elements and event objects keep their document alive.
#pragma once
#include "ConnectionPoint.h"
#include "Page.h"
#include "StandInStubs.h"
#include <memory>

class StandInDocument final : public IHTMLDocument2Stubs, public IConnectionPointContainer {
public:
    explicit StandInDocument(std::unique_ptr<Page> page);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_cRef; }
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP get_URL(BSTR* p) override;
    STDMETHODIMP get_title(BSTR* p) override;
    STDMETHODIMP get_body(IHTMLElement** p) override;
    STDMETHODIMP get_readyState(BSTR* p) override;

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** pp) override;

    // Tells the page's click listeners; false when one of them cancelled the default action.
    bool FireClick(const PageNode* pTarget, POINT pt);
    // A COM element for a node of this document (a new reference), or null for null.
    IHTMLElement* ElementFor(const PageNode* pNode);

    const Page& GetPage() const { return *m_page; }

private:
    ~StandInDocument() = default;
    ULONG m_cRef = 1;
    std::unique_ptr<Page> m_page;
    ConnectionPoint m_events;
};
