#include "framework/ToolTipCtrl.h"
#include <commctrl.h>

namespace {
TOOLINFOW MakeToolInfo(CWnd* pWnd, const wchar_t* pszText, UINT_PTR nIDTool) {
    // The size every common-controls version accepts.
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = pWnd ? pWnd->m_hWnd : nullptr;
    ti.uId = nIDTool;
    ti.hinst = ::GetModuleHandleW(nullptr);
    ti.lpszText = const_cast<wchar_t*>(pszText);
    return ti;
}
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES };
    ::InitCommonControlsEx(&icc);
    RECT r = { CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT };
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, r,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, 0);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, const wchar_t* pszText, LPCRECT lpRectTool, UINT_PTR nIDTool) const {
    TOOLINFOW ti = MakeToolInfo(pWnd, pszText, nIDTool);
    // No TTF_SUBCLASS: the owner relays the mouse messages itself (RelayEvent).
    if (lpRectTool) ti.rect = *lpRectTool;
    else if (pWnd) pWnd->GetClientRect(&ti.rect);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIDTool) const {
    TOOLINFOW ti = MakeToolInfo(pWnd, pszText, nIDTool);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}
