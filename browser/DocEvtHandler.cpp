#include "browser/DocEvtHandler.h"
#include "framework/String.h"
#include <mshtmdid.h>

// {3050F617-98B5-11CF-BB82-00AA00BDCE0B}
const IID IID_SDocEvtHandlerEvents = { 0x3050f617, 0x98b5, 0x11cf, { 0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b } };

BEGIN_DISPATCH_MAP(SDocEvtHandler, CCmdTarget)
    DISP_FUNCTION_ID(SDocEvtHandler, L"HTMLELEMENTEVENTS2_ONCLICK", DISPID_HTMLELEMENTEVENTS2_ONCLICK, OnClick,
                     VT_EMPTY, VTS_DISPATCH)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(SDocEvtHandler, CCmdTarget)
    INTERFACE_PART_DISPATCH(IID_SDocEvtHandlerEvents)
END_INTERFACE_MAP()

SDocEvtHandler::SDocEvtHandler() { EnableAutomation(); }

CString FormatLinkClickLine(const CString& strHref) { return FormatString(L"单击事件:%s\r\n", strHref.GetString()); }

void SDocEvtHandler::OnClick(IHTMLEventObj* pEvtObj) {
    if (!pEvtObj) return;
    // A page interface that fails ends the walk: the click then simply goes unreported.
    IHTMLElement* pElement = nullptr;
    if (FAILED(pEvtObj->get_srcElement(&pElement))) return;
    while (pElement) {
        BSTR tag = nullptr;
        bool isLink = SUCCEEDED(pElement->get_tagName(&tag)) && tag && (!lstrcmpW(tag, L"a") || !lstrcmpW(tag, L"A"));
        ::SysFreeString(tag);
        if (isLink) {
            VARIANT href;
            ::VariantInit(&href);
            BSTR name = ::SysAllocString(L"href");
            HRESULT hr = pElement->getAttribute(name, 0, &href);
            ::SysFreeString(name);
            CString text;
            if (SUCCEEDED(hr) && V_VT(&href) == VT_BSTR && V_BSTR(&href)) text = V_BSTR(&href);
            ::VariantClear(&href);
            if (SUCCEEDED(hr)) ::OutputDebugStringW(FormatLinkClickLine(text));
            break;
        }
        IHTMLElement* pParent = nullptr;
        if (FAILED(pElement->get_parentElement(&pParent))) pParent = nullptr;
        pElement->Release();
        pElement = pParent;
    }
    if (pElement) pElement->Release();
}
