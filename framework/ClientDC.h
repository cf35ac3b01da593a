// CClientDC: the client-area context of a window, released with the object.
#pragma once
#include "framework/DC.h"

class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
