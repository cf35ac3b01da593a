// CButton: a button control. An owner-drawn one is painted by its own DrawItem: the parent hands
// the draw request to the button's object (reflection).
#pragma once
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {}

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
