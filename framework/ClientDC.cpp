#include "framework/ClientDC.h"

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd) {
    Attach(::GetDC(hWnd));
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
