#include "mainwnd/WorkAreaFit.h"

CRect WorkAreaWindowRect(const CRect& rcTaskbar, const CRect& rcWorkArea) {
    int x = 0, y = 0;
    if (!rcTaskbar.IsRectNull()) {
        if (rcTaskbar.bottom == rcWorkArea.top) y = rcTaskbar.bottom;
        else if (rcTaskbar.right == rcWorkArea.left) x = rcTaskbar.right;
    }
    return CRect(CPoint(x, y), rcWorkArea.Size());
}
