// CMenbanDlg: the translucent veil over the main window while the browser cache is cleared, with
// a four-square spinner and a notice. Its owner places, shows and hides it and runs its timer.
#pragma once
#include "framework/Dialog.h"
#include <gdiplus.h>

class CMenbanDlg : public CDialog {
public:
    CMenbanDlg();
    ~CMenbanDlg() override;

    // The spinner's animation timer; the owner starts it (200 ms) and stops it.
    static constexpr UINT_PTR kSpinnerTimer = 5000;

protected:
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(HDC hDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnPaint();

private:
    CRect FrameRect(Gdiplus::Image* pFrame) const;

    Gdiplus::Image* m_pImgTint = nullptr;
    Gdiplus::Image* m_pImgFrames[4] = {};
    Gdiplus::Image* m_pImgCurrent = nullptr;
    int m_nFrame = 0;
};
