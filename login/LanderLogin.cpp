#include "login/LanderLogin.h"
#include "app/ProductText.h"
#include "install/FirstStartSetup.h"
#include "login/LoginPopupDlg.h"
#include "skin/PngImage.h"

BEGIN_MESSAGE_MAP(CLanderLogin, CDialog)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
    ON_MESSAGE(WM_WINDOWPOSCHANGED, OnWindowPosChanged)
END_MESSAGE_MAP()

CLanderLogin::CLanderLogin() : CDialog(IDD_LOGIN) {}

CLanderLogin::~CLanderLogin() {
    delete m_pImgBackground;
    delete m_pLoginPopup;
}

BOOL CLanderLogin::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(LoadProductText(IDS_WINDOW_TITLE));
    m_pImgBackground = LoadPngImage(IDP_LOGIN_BACKGROUND);
    if (m_pImgBackground) {
        m_nImgWidth = static_cast<int>(m_pImgBackground->GetWidth());
        m_nImgHeight = static_cast<int>(m_pImgBackground->GetHeight());
    }
    ShowArtwork();
    ModifyStyle(0, WS_MINIMIZEBOX);
    CenterWindow();

    m_pLoginPopup = new CLoginPopupDlg(this);
    m_pLoginPopup->Create(IDD_LOGIN_POPUP, this);
    PlacePopup();

    RunFirstStartSetup();
    return TRUE;
}

// The window's whole image, with the artwork's own alpha. Drawn into a 32-bit premultiplied
// surface so the transparency survives whatever the screen's colour depth is.
void CLanderLogin::ShowArtwork() {
    if (!m_pImgBackground || m_nImgWidth <= 0 || m_nImgHeight <= 0) return;
    HDC hScreenDC = ::GetDC(m_hWnd);
    HDC hMemDC = ::CreateCompatibleDC(hScreenDC);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = m_nImgWidth;
    bmi.bmiHeader.biHeight = -m_nImgHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreenDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && pBits) {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        {
            Gdiplus::Bitmap surface(m_nImgWidth, m_nImgHeight, m_nImgWidth * 4, PixelFormat32bppPARGB,
                                    static_cast<BYTE*>(pBits));
            Gdiplus::Graphics graphics(&surface);
            graphics.DrawImage(m_pImgBackground, 0, 0, m_nImgWidth, m_nImgHeight);
        }
        if (!(GetExStyle() & WS_EX_LAYERED))
            ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        RECT rcWindow;
        GetWindowRect(&rcWindow);
        POINT ptDest = { rcWindow.left, rcWindow.top };
        SIZE size = { m_nImgWidth, m_nImgHeight };
        POINT ptSrc = { 0, 0 };
        BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
        ::UpdateLayeredWindow(m_hWnd, hScreenDC, &ptDest, &size, hMemDC, &ptSrc, 0xFFFFFFFF, &blend, ULW_ALPHA);
        ::SelectObject(hMemDC, hOld);
    }
    if (hBitmap) ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
    ::ReleaseDC(m_hWnd, hScreenDC);
}

void CLanderLogin::PlacePopup() {
    if (!m_pLoginPopup || !m_pLoginPopup->m_hWnd) return;
    // A minimised window sits far off screen; the popup waits hidden until it comes back.
    if (IsIconic()) {
        m_pLoginPopup->ShowWindow(SW_HIDE);
        return;
    }
    RECT rc;
    GetWindowRect(&rc);
    m_pLoginPopup->MoveWindow(rc.left + kPopupLeft, rc.top + kPopupTop, 705, 470, TRUE);
    if (!m_pLoginPopup->IsWindowVisible()) m_pLoginPopup->ShowWindow(SW_SHOW);
}

BOOL CLanderLogin::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->wParam == VK_MENU) return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CLanderLogin::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == SC_CLOSE) ConfirmCloseLauncher();
    return Default();
}

LRESULT CLanderLogin::OnNcHitTest(WPARAM, LPARAM) {
    LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CLanderLogin::OnWindowPosChanged(WPARAM, LPARAM) {
    LRESULT result = Default();
    PlacePopup();
    return result;
}
