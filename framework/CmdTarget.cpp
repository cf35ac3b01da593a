#include "framework/CmdTarget.h"

CCmdTarget::CCmdTarget() : m_xDispatch(this) {}

const DispatchMap* CCmdTarget::GetThisDispatchMap() {
    static const DispatchMap map = { nullptr, nullptr, 0 };
    return &map;
}

const InterfaceMap* CCmdTarget::GetThisInterfaceMap() {
    static const InterfaceMap map = { nullptr, nullptr, 0 };
    return &map;
}

IUnknown* CCmdTarget::GetInterface(const IID* piid) {
    if (!m_bAutomation || !piid) return nullptr;
    if (IsEqualIID(*piid, IID_IUnknown) || IsEqualIID(*piid, IID_IDispatch)) return &m_xDispatch;
    for (const InterfaceMap* map = GetInterfaceMap(); map; map = map->base ? map->base() : nullptr)
        for (size_t i = 0; i < map->count; ++i)
            if (IsEqualIID(*piid, *map->iids[i])) return &m_xDispatch;
    return nullptr;
}

IDispatch* CCmdTarget::GetIDispatch(BOOL bAddRef) {
    if (!m_bAutomation) return nullptr;
    if (bAddRef) m_xDispatch.AddRef();
    return &m_xDispatch;
}

const DispatchMapEntry* CCmdTarget::FindDispatch(DISPID id, const wchar_t* pszName) const {
    for (const DispatchMap* map = GetDispatchMap(); map; map = map->base ? map->base() : nullptr) {
        for (size_t i = 0; i < map->count; ++i) {
            const DispatchMapEntry& e = map->entries[i];
            if (pszName ? !lstrcmpiW(e.name, pszName) : e.dispid == id) return &e;
        }
    }
    return nullptr;
}

STDMETHODIMP CCmdTarget::XDispatch::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = m_pOwner->GetInterface(&riid);
    if (!*ppv) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP CCmdTarget::XDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        const DispatchMapEntry* e = i == 0 ? m_pOwner->FindDispatch(0, names[i]) : nullptr;
        ids[i] = e ? e->dispid : DISPID_UNKNOWN;
        if (!e) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP CCmdTarget::XDispatch::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT* pResult,
                                           EXCEPINFO*, UINT*) {
    const DispatchMapEntry* e = m_pOwner->FindDispatch(id, nullptr);
    if (!e) return DISP_E_MEMBERNOTFOUND;
    if (pResult) ::VariantInit(pResult);
    return e->invoke(m_pOwner, pParams);
}
