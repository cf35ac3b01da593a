#include "skin/MenbanDlg.h"
#include "framework/PaintDC.h"
#include "resources/resource.h"
#include "skin/MyMemDC.h"
#include "skin/PngImage.h"
#include "skin/SkinText.h"

BEGIN_MESSAGE_MAP(CMenbanDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CMenbanDlg::CMenbanDlg() : CDialog(IDD_MENBAN) {}

CMenbanDlg::~CMenbanDlg() {
    delete m_pImgTint;
    for (Gdiplus::Image* pFrame : m_pImgFrames) delete pFrame;
}

BOOL CMenbanDlg::OnInitDialog() {
    m_pImgTint = LoadPngImage(IDP_OVERLAY_TINT);
    for (int i = 0; i < 4; ++i) m_pImgFrames[i] = LoadPngImage(IDP_SPINNER_1 + i);
    m_pImgCurrent = m_pImgFrames[0];
    m_nFrame = 1;
    // Constant opacity: the veil appears and goes at once, without fading.
    ModifyStyleEx(0, WS_EX_LAYERED, 0);
    ::SetLayeredWindowAttributes(m_hWnd, 0, 229, LWA_ALPHA);
    return TRUE;
}

CRect CMenbanDlg::FrameRect(Gdiplus::Image* pFrame) const {
    CRect rc;
    GetClientRect(&rc);
    int w = pFrame ? static_cast<int>(pFrame->GetWidth()) : 0;
    int h = pFrame ? static_cast<int>(pFrame->GetHeight()) : 0;
    int x = (rc.Width() - w) / 2, y = (rc.Height() - h) / 2 - 40;
    return CRect(x, y, x + w, y + h);
}

BOOL CMenbanDlg::OnEraseBkgnd(HDC) {
    return TRUE;
}

void CMenbanDlg::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    // Only what this paint uncovers is composed; the rest of the surface never reaches the
    // screen. A spinner tick uncovers its 23 x 23 square, and composing the whole veil for it
    // made each frame cost tens of milliseconds of the window thread.
    CRect box;
    if (!box.IntersectRect(&dc.m_ps.rcPaint, &rc)) return;
    CMyMemDC surface(&dc, rc);
    surface.FillSolidRect(&box, RGB(255, 255, 255));
    Gdiplus::Graphics graphics(surface.m_hDC);
    graphics.SetClip(Gdiplus::Rect(box.left, box.top, box.Width(), box.Height()));
    if (m_pImgTint) {
        Gdiplus::TextureBrush tint(m_pImgTint);
        tint.TranslateTransform(static_cast<Gdiplus::REAL>(rc.left), static_cast<Gdiplus::REAL>(rc.top));
        graphics.FillRectangle(&tint, box.left, box.top, box.Width(), box.Height());
    }
    CRect overlap;
    if (m_pImgCurrent) {
        CRect frame = FrameRect(m_pImgCurrent);
        if (overlap.IntersectRect(&frame, &box))
            graphics.DrawImage(m_pImgCurrent, frame.left, frame.top, frame.Width(), frame.Height());
    }
    CRect notice((rc.Width() - 200) / 2, (rc.Height() - 31) / 2, (rc.Width() - 200) / 2 + 200, (rc.Height() - 31) / 2 + 31);
    if (overlap.IntersectRect(&notice, &box)) {
        CString text;
        text.LoadString(IDS_CACHE_NOTICE);
        auto font = CreateSkinFont(L"arial", 14.0f, Gdiplus::FontStyleRegular);
        Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(notice.left), static_cast<Gdiplus::REAL>(notice.top), 200, 31);
        DrawSkinText(graphics, text, *font, layout, 0xFFFFF5D3, Gdiplus::StringTrimmingEllipsisWord);
    }
}

void CMenbanDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kSpinnerTimer) return;
    if (m_nFrame < 1 || m_nFrame > 4) m_nFrame = 1;
    m_pImgCurrent = m_pImgFrames[m_nFrame - 1];
    CRect frame = FrameRect(m_pImgCurrent);
    InvalidateRect(&frame, TRUE);
    UpdateWindow();
    ++m_nFrame;
}
