// One outgoing dispatch interface of a stand-in object: sinks advise here, Fire calls them all.
// It lives inside its container and shares the container's reference count.
#pragma once
#include <ocidl.h>
#include <olectl.h>
#include <utility>
#include <vector>

class ConnectionPoint : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* pContainer, REFIID iid) : m_pContainer(pContainer), m_iid(iid) {}
    ~ConnectionPoint() {
        for (auto& s : m_sinks) s.second->Release();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IConnectionPoint)) return E_NOINTERFACE;
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pContainer->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pContainer->Release(); }

    STDMETHODIMP GetConnectionInterface(IID* pIID) override {
        if (!pIID) return E_POINTER;
        *pIID = m_iid;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** pp) override {
        if (!pp) return E_POINTER;
        *pp = m_pContainer;
        m_pContainer->AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* pSink, DWORD* pdwCookie) override {
        if (!pSink || !pdwCookie) return E_POINTER;
        // Like the real browser: the event interface itself, else plain IDispatch.
        IDispatch* pDispatch = nullptr;
        if (FAILED(pSink->QueryInterface(m_iid, reinterpret_cast<void**>(&pDispatch))) &&
            FAILED(pSink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
            return CONNECT_E_CANNOTCONNECT;
        *pdwCookie = ++m_dwLastCookie;
        m_sinks.emplace_back(*pdwCookie, pDispatch);
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD dwCookie) override {
        for (size_t i = 0; i < m_sinks.size(); ++i) {
            if (m_sinks[i].first != dwCookie) continue;
            IDispatch* p = m_sinks[i].second;
            m_sinks.erase(m_sinks.begin() + i);
            p->Release();
            return S_OK;
        }
        return CONNECT_E_NOCONNECTION;
    }
    STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Calls every sink; a sink may unadvise (or advise) from inside the call.
    // pResult receives the last sink's result.
    void Fire(DISPID id, DISPPARAMS* pParams, VARIANT* pResult = nullptr) {
        std::vector<std::pair<DWORD, IDispatch*>> sinks = m_sinks;
        for (auto& s : sinks) s.second->AddRef();
        for (auto& s : sinks) {
            if (pResult) VariantClear(pResult);
            s.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, pParams, pResult, nullptr, nullptr);
        }
        for (auto& s : sinks) s.second->Release();
    }
    size_t SinkCount() const { return m_sinks.size(); }

private:
    IConnectionPointContainer* m_pContainer;
    IID m_iid;
    DWORD m_dwLastCookie = 0;
    std::vector<std::pair<DWORD, IDispatch*>> m_sinks;
};
