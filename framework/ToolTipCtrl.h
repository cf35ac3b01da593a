// CToolTipCtrl: the common-controls tooltip window, with the operations the skin buttons use.
#pragma once
#include "framework/Wnd.h"
#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A tooltip owned by pParentWnd; dwStyle adds TTS_* styles to the popup.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate) const { SendMessage(TTM_ACTIVATE, bActivate); }
    // A tool for the area lpRectTool of pWnd's client area, identified by nIDTool.
    BOOL AddTool(CWnd* pWnd, const wchar_t* pszText, LPCRECT lpRectTool, UINT_PTR nIDTool) const;
    void UpdateTipText(const wchar_t* pszText, CWnd* pWnd, UINT_PTR nIDTool) const;
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void SetDelayTime(DWORD dwDuration, int iTime) const { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    void RelayEvent(LPMSG lpMsg) const { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void Update() const { SendMessage(TTM_UPDATE); }
};
