#include "skin/TouchButton.h"
#include "framework/ClientDC.h"
#include "skin/MyMemDC.h"
#include <commctrl.h>

BEGIN_MESSAGE_MAP(CTouchButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursor)
END_MESSAGE_MAP()

CTouchButton::~CTouchButton() {
    delete m_pImgHover;
    delete m_pImgNormal;
    delete m_pImgPressed;
    DestroyToolTip();
}

void CTouchButton::PreSubclassWindow() {
    ModifyStyle(0, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

bool CTouchButton::SetImages(UINT idNormal, UINT idHover, UINT idPressed) {
    m_pImgHover = new CGdiPlusBitmapResource;
    bool loaded = m_pImgHover->LoadFromResource(idHover);
    m_pImgNormal = new CGdiPlusBitmapResource;
    m_pImgNormal->LoadFromResource(idNormal);
    m_pImgPressed = new CGdiPlusBitmapResource;
    m_pImgPressed->LoadFromResource(idPressed);
    return loaded;
}

BOOL CTouchButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_CTLCOLORBTN) {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        CtlColor(&dc, CTLCOLOR_BTN);
        dc.Detach();
        return FALSE;  // a null brush: the owner's own colour handling stays in effect
    }
    return CButton::OnChildNotify(message, wParam, lParam, pResult);
}

void CTouchButton::MakeLook(CDC& dcLook, CBitmap& bmpLook, CDC& surface, Gdiplus::Graphics& graphics,
                            CGdiPlusBitmapResource* pFace, bool bHover) {
    CRect rc;
    GetClientRect(&rc);
    surface.BitBlt(0, 0, rc.Width(), rc.Height(), &m_dcBackground, 0, 0, SRCCOPY);
    if (Gdiplus::Bitmap* pBitmap = pFace->m_pBitmap) {
        // Natural size, never scaled to the button.
        int w = static_cast<int>(pBitmap->GetWidth()), h = static_cast<int>(pBitmap->GetHeight());
        Gdiplus::Rect dest(0, 0, w, h);
        if (bHover) {
            // Each colour channel becomes 1.05 x value + 0.05: a brighter face, alpha unchanged.
            Gdiplus::ColorMatrix brighter = {{
                {1.05f, 0, 0, 0, 0},
                {0, 1.05f, 0, 0, 0},
                {0, 0, 1.05f, 0, 0},
                {0, 0, 0, 1, 0},
                {0.05f, 0.05f, 0.05f, 0, 1},
            }};
            Gdiplus::ImageAttributes attributes;
            attributes.SetColorMatrix(&brighter);
            graphics.DrawImage(pBitmap, dest, 0, 0, w, h, Gdiplus::UnitPixel, &attributes);
        } else {
            graphics.DrawImage(pBitmap, dest, 0, 0, w, h, Gdiplus::UnitPixel);
        }
        graphics.Flush(Gdiplus::FlushIntentionSync);
    }
    dcLook.CreateCompatibleDC(&surface);
    bmpLook.CreateCompatibleBitmap(&surface, rc.Width(), rc.Height());
    dcLook.SelectObject(&bmpLook);
    dcLook.BitBlt(0, 0, rc.Width(), rc.Height(), &surface, 0, 0, SRCCOPY);
}

HBRUSH CTouchButton::CtlColor(CDC* pDC, UINT) {
    if (m_bPrepared || !m_pImgNormal || !m_pImgHover || !m_pImgPressed) return nullptr;

    CRect rc;
    GetClientRect(&rc);
    CMyMemDC surface(pDC, rc);
    Gdiplus::Graphics graphics(surface.m_hDC);

    if (!m_dcBackground.m_hDC) {
        // What the parent shows under the button right now, captured once.
        HWND hParent = GetParent();
        CClientDC parentDC(hParent);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rcWindow), 2);
        m_dcBackground.CreateCompatibleDC(&parentDC);
        m_bmpBackground.CreateCompatibleBitmap(&parentDC, rc.Width(), rc.Height());
        m_dcBackground.SelectObject(&m_bmpBackground);
        m_dcBackground.BitBlt(0, 0, rc.Width(), rc.Height(), &parentDC, rcWindow.left, rcWindow.top, SRCCOPY);
    }
    if (!m_dcNormal.m_hDC) MakeLook(m_dcNormal, m_bmpNormal, surface, graphics, m_pImgNormal, false);
    if (!m_dcPressed.m_hDC) MakeLook(m_dcPressed, m_bmpPressed, surface, graphics, m_pImgPressed, false);
    if (!m_dcHover.m_hDC) MakeLook(m_dcHover, m_bmpHover, surface, graphics, m_pImgHover, true);

    if (!m_pCurrentDC) m_pCurrentDC = &m_dcNormal;
    m_bPrepared = TRUE;
    return nullptr;
}

void CTouchButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    if (lpDIS->itemState & ODS_SELECTED) m_pCurrentDC = &m_dcPressed;
    else m_pCurrentDC = m_bHover ? &m_dcHover : &m_dcNormal;
    if (!m_pCurrentDC->m_hDC) return;  // not prepared: no faces yet
    CRect rc;
    GetClientRect(&rc);
    ::BitBlt(lpDIS->hDC, 0, 0, rc.Width(), rc.Height(), m_pCurrentDC->m_hDC, 0, 0, SRCCOPY);
}

BOOL CTouchButton::OnEraseBkgnd(HDC) {
    return TRUE;
}

void CTouchButton::OnMouseMove(UINT, POINT) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = { sizeof(tme), TME_HOVER | TME_LEAVE, m_hWnd, 1 };
        m_bTracking = ::_TrackMouseEvent(&tme);
    }
    Default();
}

LRESULT CTouchButton::OnMouseHover(WPARAM, LPARAM) {
    m_bHover = TRUE;
    Invalidate(TRUE);
    // The tooltip is made afresh each time the mouse comes to rest here.
    DestroyToolTip();
    SetTooltipText(m_strTooltip, TRUE);
    if (m_pToolTip && ::IsWindow(m_pToolTip->m_hWnd)) m_pToolTip->Update();
    return 0;
}

LRESULT CTouchButton::OnMouseLeave(WPARAM, LPARAM) {
    m_bTracking = FALSE;
    m_bHover = FALSE;
    Invalidate(TRUE);
    return 0;
}

LRESULT CTouchButton::OnSetCursor(WPARAM, LPARAM) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

void CTouchButton::InitToolTip() {
    if (m_pToolTip) return;
    m_pToolTip = new CToolTipCtrl;
    m_pToolTip->Create(this);
    m_pToolTip->Activate(TRUE);
}

void CTouchButton::DestroyToolTip() {
    if (!m_pToolTip) return;
    if (::IsWindow(m_pToolTip->m_hWnd)) m_pToolTip->DestroyWindow();
    delete m_pToolTip;
    m_pToolTip = nullptr;
}

void CTouchButton::SetTooltipText(CString text, BOOL bActivate) {
    if (text.IsEmpty()) return;
    InitToolTip();
    m_strTooltip = text;
    if (m_pToolTip->GetToolCount() == 0) {
        CRect rc;
        GetClientRect(&rc);
        m_pToolTip->AddTool(this, m_strTooltip, &rc, 1);
    }
    m_pToolTip->UpdateTipText(m_strTooltip, this, 1);
    m_pToolTip->SetDelayTime(TTDT_AUTOMATIC, 2000);
    m_pToolTip->Activate(bActivate);
}

BOOL CTouchButton::PreTranslateMessage(MSG* pMsg) {
    // A quick second click presses the button again instead of being a double click.
    if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
    if (m_pToolTip && ::IsWindow(m_pToolTip->m_hWnd)) m_pToolTip->RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}
