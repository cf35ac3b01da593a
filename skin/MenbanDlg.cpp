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
    CMyMemDC surface(&dc, rc);
    surface.FillSolidRect(&rc, RGB(255, 255, 255));
    Gdiplus::Graphics graphics(surface.m_hDC);
    if (m_pImgTint) {
        Gdiplus::TextureBrush tint(m_pImgTint);
        tint.TranslateTransform(static_cast<Gdiplus::REAL>(rc.left), static_cast<Gdiplus::REAL>(rc.top));
        graphics.FillRectangle(&tint, rc.left, rc.top, rc.Width(), rc.Height());
    }
    if (m_pImgCurrent) {
        CRect frame = FrameRect(m_pImgCurrent);
        graphics.DrawImage(m_pImgCurrent, frame.left, frame.top, frame.Width(), frame.Height());
    }
    CString notice;
    notice.LoadString(IDS_CACHE_NOTICE);
    auto font = CreateSkinFont(L"arial", 14.0f, Gdiplus::FontStyleRegular);
    Gdiplus::RectF layout(static_cast<Gdiplus::REAL>((rc.Width() - 200) / 2),
                          static_cast<Gdiplus::REAL>((rc.Height() - 31) / 2), 200, 31);
    DrawSkinText(graphics, notice, *font, layout, 0xFFFFF5D3, Gdiplus::StringTrimmingEllipsisWord);
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
