#include "skin/MyMemDC.h"

CMyMemDC::CMyMemDC(CDC* pDC, CRect rect) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting()) {
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        if (rect == CRect(0, 0, 0, 0)) pDC->GetClipBox(&m_rect);
        else m_rect = rect;
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }
}

CMyMemDC::~CMyMemDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        if (m_oldBitmap) SelectObject(m_oldBitmap);
    } else {
        // The handles are the target's: nothing of them may be destroyed here.
        m_hDC = m_hAttribDC = nullptr;
    }
}
