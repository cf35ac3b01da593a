// CCmdTarget: the automation part of the class library, as far as the program uses it.
//
// EnableAutomation gives the object an IDispatch whose Invoke looks the dispatch id up in the
// class's dispatch map; the interface map lists further interface ids answered with that same
// IDispatch (event interfaces a connection point asks its sinks for). Handlers take one
// VTS_DISPATCH argument, the only shape the program needs. The reference count never deletes
// the object: whoever creates it deletes it.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <cstddef>

class CCmdTarget;

struct DispatchMapEntry {
    const wchar_t* name;
    DISPID dispid;
    HRESULT (*invoke)(CCmdTarget* self, DISPPARAMS* pParams);
};

struct DispatchMap {
    const DispatchMap* (*base)();
    const DispatchMapEntry* entries;
    size_t count;
};

struct InterfaceMap {
    const InterfaceMap* (*base)();
    const IID* const* iids;
    size_t count;
};

#define VTS_DISPATCH "\x09"

class CCmdTarget {
public:
    CCmdTarget();
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    void EnableAutomation() { m_bAutomation = true; }
    // The object's interface for iid (IUnknown, IDispatch or one of the interface map), not
    // AddRef'ed; null when automation is off or the id is unknown.
    IUnknown* GetInterface(const IID* piid);
    IDispatch* GetIDispatch(BOOL bAddRef);
    LONG m_dwRef = 0;

    static const DispatchMap* GetThisDispatchMap();
    static const InterfaceMap* GetThisInterfaceMap();

protected:
    virtual const DispatchMap* GetDispatchMap() const { return GetThisDispatchMap(); }
    virtual const InterfaceMap* GetInterfaceMap() const { return GetThisInterfaceMap(); }

private:
    class XDispatch : public IDispatch {
    public:
        explicit XDispatch(CCmdTarget* pOwner) : m_pOwner(pOwner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return ::InterlockedIncrement(&m_pOwner->m_dwRef); }
        STDMETHODIMP_(ULONG) Release() override { return ::InterlockedDecrement(&m_pOwner->m_dwRef); }
        STDMETHODIMP GetTypeInfoCount(UINT* p) override { if (p) *p = 0; return S_OK; }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
        STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO*,
                            UINT*) override;
    private:
        CCmdTarget* m_pOwner;
    };

    const DispatchMapEntry* FindDispatch(DISPID id, const wchar_t* pszName) const;

    XDispatch m_xDispatch;
    bool m_bAutomation = false;
};

namespace fw {
// Calls a handler taking one interface pointer: the argument is asked for that interface, and a
// page that passes something else gets a type mismatch instead of a wrong pointer.
template <class T, class P, void (T::*F)(P*)>
HRESULT InvokeDispatchArg(CCmdTarget* self, DISPPARAMS* pParams) {
    if (!pParams || pParams->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    VARIANT arg;
    ::VariantInit(&arg);
    if (FAILED(::VariantChangeType(&arg, &pParams->rgvarg[0], 0, VT_DISPATCH))) return DISP_E_TYPEMISMATCH;
    P* p = nullptr;
    HRESULT hr = V_DISPATCH(&arg) ? V_DISPATCH(&arg)->QueryInterface(__uuidof(P), reinterpret_cast<void**>(&p))
                                  : E_POINTER;
    ::VariantClear(&arg);
    if (FAILED(hr) || !p) return DISP_E_TYPEMISMATCH;
    (static_cast<T*>(self)->*F)(p);
    p->Release();
    return S_OK;
}
}  // namespace fw

#define DECLARE_DISPATCH_MAP()                                                   \
public:                                                                          \
    static const DispatchMap* GetThisDispatchMap();                              \
protected:                                                                       \
    const DispatchMap* GetDispatchMap() const override { return GetThisDispatchMap(); }

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                  \
    const DispatchMap* theClass::GetThisDispatchMap() {                          \
        typedef theClass ThisClass;                                              \
        typedef baseClass BaseClass;                                             \
        static const DispatchMapEntry entries[] = {

// One handler taking one interface pointer (vtsParams must be VTS_DISPATCH, vtRetVal VT_EMPTY).
#define DISP_FUNCTION_ID(theClass, pszName, dispid, pfn, vtRetVal, vtsParams)    \
            { pszName, dispid, &fw::InvokeDispatchArg<ThisClass, fw::ArgOf<decltype(&ThisClass::pfn)>::type, &ThisClass::pfn> },

#define END_DISPATCH_MAP()                                                       \
            { nullptr, 0, nullptr } };                                           \
        static const DispatchMap map = { &BaseClass::GetThisDispatchMap, entries, \
                                         sizeof(entries) / sizeof(entries[0]) - 1 }; \
        return &map;                                                             \
    }

#define DECLARE_INTERFACE_MAP()                                                  \
public:                                                                          \
    static const InterfaceMap* GetThisInterfaceMap();                            \
protected:                                                                       \
    const InterfaceMap* GetInterfaceMap() const override { return GetThisInterfaceMap(); }

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                 \
    const InterfaceMap* theClass::GetThisInterfaceMap() {                        \
        typedef baseClass BaseClass;                                             \
        static const IID* const iids[] = {

// An interface id answered with the object's automation IDispatch.
#define INTERFACE_PART_DISPATCH(iid) &iid,

#define END_INTERFACE_MAP()                                                      \
            nullptr };                                                           \
        static const InterfaceMap map = { &BaseClass::GetThisInterfaceMap, iids, \
                                          sizeof(iids) / sizeof(iids[0]) - 1 };  \
        return &map;                                                             \
    }

namespace fw {
template <class M> struct ArgOf;
template <class T, class P> struct ArgOf<void (T::*)(P*)> { typedef P type; };
}
