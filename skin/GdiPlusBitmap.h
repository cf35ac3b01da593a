// CGdiPlusBitmap: owns one GDI+ bitmap.
#pragma once
#include <windows.h>
#include <gdiplus.h>

class CGdiPlusBitmap {
public:
    CGdiPlusBitmap() = default;
    virtual ~CGdiPlusBitmap() { delete m_pBitmap; }
    CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
    CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

    operator Gdiplus::Bitmap*() const { return m_pBitmap; }

    Gdiplus::Bitmap* m_pBitmap = nullptr;  // null when nothing is loaded
};
