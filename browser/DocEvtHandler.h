// SDocEvtHandler: the game page's document event sink; reports clicks on links on the debugger output.
#pragma once
#include "framework/CmdTarget.h"
#include "framework/String.h"
#include <mshtml.h>

// The interface id the sink answers with its dispatch interface.
extern const IID IID_SDocEvtHandlerEvents;

class SDocEvtHandler : public CCmdTarget {
public:
    SDocEvtHandler();

    // A click anywhere in the document: writes "单击事件:<href>\r\n" for the innermost link around
    // the clicked element. Never cancels the click.
    void OnClick(IHTMLEventObj* pEvtObj);

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

// The line OnClick writes for a link with the given href.
CString FormatLinkClickLine(const CString& strHref);
