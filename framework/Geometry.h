// CPoint, CSize, CRect: the Win32 structures with the conveniences the windows use.
#pragma once
#include <windows.h>

struct CPoint : POINT {
    CPoint() { x = y = 0; }
    CPoint(int ix, int iy) { x = ix; y = iy; }
    CPoint(POINT p) { x = p.x; y = p.y; }
    explicit CPoint(LPARAM lParam) { x = static_cast<short>(LOWORD(lParam)); y = static_cast<short>(HIWORD(lParam)); }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

struct CSize : SIZE {
    CSize() { cx = cy = 0; }
    CSize(int w, int h) { cx = w; cy = h; }
};

struct CRect : RECT {
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    CRect(POINT topLeft, SIZE size) { left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    bool IsRectNull() const { return !left && !top && !right && !bottom; }
    bool PtInRect(POINT p) const { return ::PtInRect(this, p) != FALSE; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    // This becomes the overlap of a and b (empty when they do not meet); true when not empty.
    bool IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b) != FALSE; }
    bool operator==(const CRect& o) const { return ::EqualRect(this, &o) != FALSE; }
    bool operator!=(const CRect& o) const { return !(*this == o); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
