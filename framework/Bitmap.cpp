#include "framework/Bitmap.h"
#include "framework/DC.h"

BOOL CBitmap::Attach(HBITMAP hBitmap) {
    if (!hBitmap || m_hObject) return FALSE;
    m_hObject = hBitmap;
    return TRUE;
}

HBITMAP CBitmap::Detach() {
    HBITMAP h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CBitmap::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    if (m_hObject || !pDC) return FALSE;
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    if (m_hObject) return FALSE;
    return Attach(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource)));
}
