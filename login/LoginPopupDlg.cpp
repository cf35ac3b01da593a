#include "login/LoginPopupDlg.h"
#include "app/ProductText.h"
#include "login/LanderLogin.h"
#include "login/LoginRules.h"
#include "login/WebFormLogin.h"
#include "skin/CustomMessageBox.h"
#include <cstdlib>

BEGIN_MESSAGE_MAP(CLoginPopupDlg, CDialog)
    ON_COMMAND(IDC_BTN_LOGIN_MIN, OnMinimize)
    ON_COMMAND(IDC_BTN_LOGIN_CLOSE, OnCloseButton)
    ON_COMMAND(IDC_WEBFORM_NAVIGATE, OnWebFormNavigate)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
    ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColorDlg)
END_MESSAGE_MAP()

namespace {
const int kPopupWidth = 705;
const int kPopupHeight = 470;
const int kBandHeight = 84;   // the green band above the page
}  // namespace

void ConfirmCloseLauncher() {
    CCustomMessageBox box;
    box.SetMessage(L"关闭提示", FormatString(L"是否退出%s？", LoadProductText(IDS_WINDOW_TITLE).GetString()));
    if (box.DoModal() == IDOK) std::exit(0);
}

CLoginPopupDlg::CLoginPopupDlg(CWnd* pParent)
    : CDialog(IDD_LOGIN_POPUP, pParent), m_pLoginWnd(dynamic_cast<CLanderLogin*>(pParent)) {}

CLoginPopupDlg::~CLoginPopupDlg() {
    delete m_pWebForm;
    if (m_brBackground) ::DeleteObject(m_brBackground);
}

void CLoginPopupDlg::DoDataExchange() {
    m_btnMin.SubclassDlgItem(IDC_BTN_LOGIN_MIN, this);
    m_btnClose.SubclassDlgItem(IDC_BTN_LOGIN_CLOSE, this);
}

BOOL CLoginPopupDlg::OnInitDialog() {
    DoDataExchange();
    CDialog::OnInitDialog();
    SetWindowPos(nullptr, 0, 0, kPopupWidth, kPopupHeight, SWP_NOZORDER);
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(m_hWnd, RGB(0, 255, 0), 255, LWA_COLORKEY | LWA_ALPHA);

    CRect rc;
    GetClientRect(&rc);
    m_pWebForm = new WebFormLogin(m_hWnd);
    m_pWebForm->InPlaceActivate();
    m_pWebForm->m_rcLayout = { rc.left, rc.top + kBandHeight, rc.right, rc.bottom };
    CString loginUrl = LoadProductText(IDS_LOGIN_URL);
    BSTR url = ::SysAllocStringLen(loginUrl, static_cast<UINT>(loginUrl.GetLength()));
    m_pWebForm->Navigate(url);
    ::SysFreeString(url);
    // Hidden until the page has loaded; the band's loading notice shows meanwhile.
    m_pWebForm->SetPosRect(RECT{ 0, 0, 0, 0 });

    m_btnMin.SetWindowPos(nullptr, rc.right - 71, 30, 30, 27, SWP_NOZORDER);
    m_btnMin.SetImages(IDP_LOGIN_MIN_NORMAL, IDP_LOGIN_MIN_HOVER, IDP_LOGIN_MIN_PRESSED);
    m_btnClose.SetWindowPos(nullptr, rc.right - 87, 0, 30, 28, SWP_NOZORDER);
    m_btnClose.SetImages(IDP_LOGIN_CLOSE_NORMAL, IDP_LOGIN_CLOSE_HOVER, IDP_LOGIN_CLOSE_PRESSED);

    HBITMAP hBitmap = ::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGIN_POPUP));
    if (hBitmap) {
        m_brBackground = ::CreatePatternBrush(hBitmap);
        ::DeleteObject(hBitmap);
    }
    return TRUE;
}

BOOL CLoginPopupDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message != WM_KEYDOWN) return CDialog::PreTranslateMessage(pMsg);
    UINT key = static_cast<UINT>(pMsg->wParam);
    BOOL result = FALSE;
    switch (RouteLoginKey(key, ::GetAsyncKeyState(VK_CONTROL) != 0)) {
    case LoginKeyRoute::Page:
        return FALSE;
    case LoginKeyRoute::Swallow:
        return TRUE;
    case LoginKeyRoute::Forward:
        if (ForwardKeyToPage(pMsg, &result)) return result;
        return CDialog::PreTranslateMessage(pMsg);
    case LoginKeyRoute::Dialog:
    default:
        return CDialog::PreTranslateMessage(pMsg);
    }
}

bool CLoginPopupDlg::ForwardKeyToPage(MSG* pMsg, BOOL* pResult) {
    IWebBrowser2* pBrowser = m_pWebForm ? m_pWebForm->GetWebBrowser() : nullptr;
    if (!pBrowser) return false;
    IDispatch* pDocument = nullptr;
    if (FAILED(pBrowser->get_Document(&pDocument)) || !pDocument) return false;
    IOleInPlaceActiveObject* pActive = nullptr;
    pDocument->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&pActive));
    pDocument->Release();
    if (!pActive) return false;
    MSG msg = *pMsg;
    msg.hwnd = m_pWebForm->GetBrowserWindow();
    msg.message = WM_KEYDOWN;
    *pResult = pActive->TranslateAccelerator(&msg) == S_OK;
    pActive->Release();
    return true;
}

void CLoginPopupDlg::OnMinimize() {
    if (m_pLoginWnd) m_pLoginWnd->ShowWindow(SW_MINIMIZE);
}

void CLoginPopupDlg::OnCloseButton() {
    ConfirmCloseLauncher();
}

void CLoginPopupDlg::OnWebFormNavigate() {
    if (IsGameAddress(g_strNavigateUrl) && m_pLoginWnd) {
        m_pLoginWnd->m_strGameUrl = g_strNavigateUrl;
        m_pLoginWnd->EndDialog(0);
    }
}

LRESULT CLoginPopupDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        ConfirmCloseLauncher();
        return 0;
    }
    return Default();
}

LRESULT CLoginPopupDlg::OnCtlColorDlg(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) == m_hWnd && m_brBackground) return reinterpret_cast<LRESULT>(m_brBackground);
    return Default();
}
