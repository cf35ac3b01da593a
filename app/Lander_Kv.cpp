#include "app/Lander_Kv.h"
#include "app/LaunchMode.h"
#include "app/UninstallMode.h"
#include "app/UpdateMode.h"
#include "mainwnd/GameWndDlg.h"
#include "mainwnd/Lander_KvDlg.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <gdiplus.h>

BOOL CLander_KvApp::InitInstance() {
    INITCOMMONCONTROLSEX icc = { sizeof(icc), 0xFF };
    InitCommonControlsEx(&icc);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Brennhollow");
    Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);

    return RunMode(GetCommandLineW());
}

BOOL CLander_KvApp::RunMode(const CString& strCommandLine) {
    switch (DecideLaunchMode(strCommandLine)) {
    case LaunchMode::Update:
        RunUpdateMode(strCommandLine);  // ends the process, or returns to start as usual
        break;
    case LaunchMode::UninstallConfirm:
        RunUninstallConfirmation();
        return FALSE;
    case LaunchMode::UninstallRemove:
        RunUninstallRemoval(strCommandLine);
        return FALSE;
    default:
        break;
    }
    if (GameViewOrNormal(strCommandLine) == LaunchMode::GameView) return RunGameView(strCommandLine);
    RunNormal();
    return FALSE;
}

void CLander_KvApp::RunNormal() {
    CLander_KvDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
}

BOOL CLander_KvApp::RunGameView(const CString& strCommandLine) {
    GameViewArgs args = ParseGameViewArgs(strCommandLine);
    HWND hFrame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(args.hFrame));
    // The frame belongs to another process: the wrapper only carries its handle.
    static CWnd frame;
    frame.Attach(hFrame);
    auto* pDlg = new CGameWndDlg(hFrame, args.strGameUrl);
    // A frame that is already gone leaves nothing to show and nobody to end us: stop at once.
    if (!::IsWindow(hFrame) || !pDlg->Create(IDD_GAMEWND, &frame)) {
        delete pDlg;
        return FALSE;
    }
    pDlg->ShowWindow(SW_SHOW);
    m_pMainWnd = pDlg;
    return TRUE;
}

int CLander_KvApp::ExitInstance() {
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    return CWinAppEx::ExitInstance();
}
