// CBitmap: an owned GDI bitmap handle, deleted with the object.
#pragma once
#include <windows.h>

class CDC;

class CBitmap {
public:
    CBitmap() = default;
    ~CBitmap() { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    HBITMAP m_hObject = nullptr;
    operator HBITMAP() const { return m_hObject; }
    HBITMAP GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HBITMAP hBitmap);
    HBITMAP Detach();
    BOOL DeleteObject();

    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // A bitmap resource of the executable.
    BOOL LoadBitmap(UINT nIDResource);
};
