#include "skin/CustomMessageBox.h"
#include "resources/resource.h"
#include "skin/MyMemDC.h"
#include "skin/PngImage.h"
#include "skin/SkinText.h"

BEGIN_MESSAGE_MAP(CCustomMessageBox, CDialog)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_COMMAND(IDC_BTN_CLOSE, OnClose)
END_MESSAGE_MAP()

CCustomMessageBox::CCustomMessageBox() : CDialog(IDD_MESSAGEBOX), m_strTitle(L"温馨提示") {}

CCustomMessageBox::~CCustomMessageBox() {
    delete m_pImgBackground;
}

void CCustomMessageBox::SetMessage(CString title, CString text) {
    m_strTitle = title;
    m_strText = text;
}

void CCustomMessageBox::DoDataExchange() {
    m_btnOK.SubclassDlgItem(IDOK, this);
    m_btnCancel.SubclassDlgItem(IDCANCEL, this);
    m_btnClose.SubclassDlgItem(IDC_BTN_CLOSE, this);
}

BOOL CCustomMessageBox::OnInitDialog() {
    DoDataExchange();
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, 258, 112, SWP_NOMOVE | SWP_NOZORDER);
    ModifyStyle(0, WS_SYSMENU | WS_MINIMIZEBOX);
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) & 0xFF3FFFFF);

    CRect rc;
    GetClientRect(&rc);
    m_btnClose.SetWindowPos(nullptr, rc.right - 25, 10, 28, 26, SWP_NOZORDER);
    m_btnClose.SetImages(IDP_MSGBOX_CLOSE, IDP_MSGBOX_CLOSE, IDP_MSGBOX_CLOSE);
    m_btnOK.SetWindowPos(nullptr, 45, rc.bottom - 45, 82, 34, SWP_NOZORDER);
    m_btnOK.SetImages(IDP_MSGBOX_OK_DARK, IDP_MSGBOX_OK_BRIGHT, IDP_MSGBOX_OK_BRIGHT);
    m_btnCancel.SetWindowPos(nullptr, 137, rc.bottom - 45, 82, 34, SWP_NOZORDER);
    m_btnCancel.SetImages(IDP_MSGBOX_CANCEL_DARK, IDP_MSGBOX_CANCEL_BRIGHT, IDP_MSGBOX_CANCEL_BRIGHT);

    m_pImgBackground = LoadPngImage(IDP_MSGBOX_BACKGROUND);
    return TRUE;
}

BOOL CCustomMessageBox::OnEraseBkgnd(HDC hDC) {
    // The whole box is drawn here, on the context the erase request brings (the paint cycle's
    // own when it comes from BeginPaint), and the update region is then validated.
    CRect rc;
    GetClientRect(&rc);
    CDC target;
    target.Attach(hDC);
    {
        CMyMemDC surface(&target, rc);
        Gdiplus::Graphics graphics(surface.m_hDC);
        if (m_pImgBackground)
            graphics.DrawImage(m_pImgBackground, 0, 0, static_cast<INT>(m_pImgBackground->GetWidth()),
                               static_cast<INT>(m_pImgBackground->GetHeight()));
        auto titleFont = CreateSkinFont(L"微软雅黑", 15.0f, Gdiplus::FontStyleBold);
        auto textFont = CreateSkinFont(L"arial", 11.0f, Gdiplus::FontStyleRegular);
        DrawSkinText(graphics, m_strTitle, *titleFont, Gdiplus::RectF(85, 7, 100, 25), 0xFFDAC29D,
                     Gdiplus::StringTrimmingEllipsisCharacter);
        DrawSkinText(graphics, m_strText, *textFont, Gdiplus::RectF(28, 33, 220, 30), 0xFFDAC29D,
                     Gdiplus::StringTrimmingEllipsisCharacter);
    }
    target.Detach();
    // Only our own region: the buttons still have to paint themselves over it.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

LRESULT CCustomMessageBox::OnNcHitTest(WPARAM, LPARAM) {
    LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

void CCustomMessageBox::OnClose() {
    OnCancel();
}
