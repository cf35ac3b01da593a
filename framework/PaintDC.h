// CPaintDC: the context of one paint cycle (BeginPaint ... EndPaint) of a window.
#pragma once
#include "framework/DC.h"
#include "framework/Wnd.h"

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};
