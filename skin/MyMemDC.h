// CMyMemDC: an off-screen surface standing in for a target context for one drawing pass; its
// content goes to the target in one copy when the object is destroyed.
#pragma once
#include "framework/Bitmap.h"
#include "framework/DC.h"

class CMyMemDC : public CDC {
public:
    // An all-zero rect stands for the target's clip box. Drawing uses the target's coordinates.
    explicit CMyMemDC(CDC* pDC, CRect rect = CRect(0, 0, 0, 0));
    ~CMyMemDC() override;

private:
    CBitmap m_bitmap;
    HBITMAP m_oldBitmap = nullptr;  // selected before m_bitmap; put back at the end
    CDC* m_pDC;                     // the target, not owned
    CRect m_rect;
    BOOL m_bMemDC;                  // FALSE for a printer: then we draw on the target directly
};
