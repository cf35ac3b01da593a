#include "framework/DC.h"
#include "framework/Bitmap.h"

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC || m_hDC) return FALSE;
    m_hDC = m_hAttribDC = hDC;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    if (m_hDC) return FALSE;
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::IsPrinting() const {
    return m_hAttribDC && ::GetDeviceCaps(m_hAttribDC, TECHNOLOGY) == DT_RASPRINTER;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT old = {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

HBITMAP CDC::SelectObject(CBitmap* pBitmap) {
    return static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr));
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) const {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) const {
    RECT r = { x, y, x + cx, y + cy };
    FillSolidRect(&r, clr);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) const {
    // The usual trick: an opaque empty text paints its rectangle in the background colour.
    COLORREF old = ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}
