// CDC: a device context. Like the class library's, the object deletes the context it holds when
// it goes; a context that belongs to someone else is given back with Detach first.
#pragma once
#include "framework/Geometry.h"

class CBitmap;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;        // output
    HDC m_hAttribDC = nullptr;  // attribute queries; the same context except for printers

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    BOOL IsPrinting() const;
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    CPoint SetWindowOrg(int x, int y);

    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    // Returns the bitmap that was selected before.
    HBITMAP SelectObject(CBitmap* pBitmap);

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) const;
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) const;
    void FillSolidRect(LPCRECT lpRect, COLORREF clr) const;
};
