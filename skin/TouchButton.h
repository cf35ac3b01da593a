// CTouchButton: the push button of the skinned windows. It shows a normal, hover or pressed PNG
// face over the parent's pixels underneath it, so faces with transparent parts sit seamlessly on
// a painted background. Hand cursor, optional tooltip, a double click counts as a second press.
#pragma once
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/DC.h"
#include "framework/ToolTipCtrl.h"
#include "skin/GdiPlusBitmapResource.h"

class CTouchButton : public CButton {
public:
    CTouchButton() = default;
    ~CTouchButton() override;

    // Loads the three faces (hover first); returns whether the hover face loaded. Call once,
    // after placing the button and before its first paint: the looks are made only once.
    bool SetImages(UINT idNormal, UINT idHover, UINT idPressed);
    // An empty text does nothing.
    void SetTooltipText(CString text, BOOL bActivate = TRUE);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The colour request sent before every paint: makes the looks the first time.
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

protected:
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(HDC hDC);
    void OnMouseMove(UINT nFlags, POINT point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);

    void InitToolTip();
    void DestroyToolTip();
    void MakeLook(CDC& dcLook, CBitmap& bmpLook, CDC& surface, Gdiplus::Graphics& graphics, CGdiPlusBitmapResource* pFace, bool bHover);

    BOOL m_bPrepared = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bTracking = FALSE;
    CGdiPlusBitmapResource* m_pImgHover = nullptr;
    CGdiPlusBitmapResource* m_pImgNormal = nullptr;
    CGdiPlusBitmapResource* m_pImgPressed = nullptr;
    CString m_strTooltip;
    CToolTipCtrl* m_pToolTip = nullptr;
    // The bitmaps of the four surfaces below. Declared first so that they go last, when no
    // context holds them any more.
    CBitmap m_bmpBackground, m_bmpNormal, m_bmpPressed, m_bmpHover;
    // The parent's pixels under the button, and the three finished looks.
    CDC m_dcBackground, m_dcNormal, m_dcPressed, m_dcHover;
    CDC* m_pCurrentDC = nullptr;
};
