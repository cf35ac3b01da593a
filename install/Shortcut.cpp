#include "install/Shortcut.h"
#include "install/InstallPaths.h"
#include <shlobj.h>

BOOL CreateShortcut(const wchar_t* pszArguments, const wchar_t* pszTarget, const wchar_t* pszFolder,
                    const wchar_t* pszLinkName, BOOL bUseUninstallIcon) {
    CString target = pszTarget;
    CString linkPath = FormatString(L"%s\\%s", pszFolder, pszLinkName);
    CString iconPath = target.Left(target.ReverseFind(L'\\')) + L"\\res\\uninstall.ico";
    if (!FitsPathBuffer(target) || !FitsPathBuffer(linkPath) || (bUseUninstallIcon && !FitsPathBuffer(iconPath)))
        return FALSE;

    IShellLinkW* pLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&pLink))))
        return FALSE;
    IPersistFile* pFile = nullptr;
    if (FAILED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
        pLink->Release();
        return FALSE;
    }
    pLink->SetPath(target);
    pLink->SetArguments(pszArguments);
    pLink->SetDescription(L"");
    if (bUseUninstallIcon) pLink->SetIconLocation(iconPath, 0);
    pLink->SetShowCmd(SW_SHOWNORMAL);
    HRESULT hr = pFile->Save(linkPath, TRUE);
    pFile->Release();
    pLink->Release();
    return SUCCEEDED(hr);
}
