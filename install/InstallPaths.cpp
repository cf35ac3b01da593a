#include "install/InstallPaths.h"
#include "app/ProductText.h"
#include <shlobj.h>

const wchar_t kUninstallKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

CString GetShellFolderPath(int nCsidl) {
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, nCsidl, &pidl)) || !pidl) return CString();
    wchar_t path[MAX_PATH] = L"";
    BOOL ok = SHGetPathFromIDListW(pidl, path);
    CoTaskMemFree(pidl);
    return ok ? CString(path) : CString();
}

CString GetRunningExecutablePath() {
    wchar_t path[MAX_PATH] = L"";
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? CString(path) : CString();
}

CString GetUninstallEntryName() {
    return LoadProductText(IDS_PUBLISHER) + LoadProductText(IDS_PRODUCT_NAME);
}

CString GetDesktopShortcutName() {
    return LoadProductText(IDS_PUBLISHER) + LoadProductText(IDS_PRODUCT_NAME) + L".lnk";
}

CString GetStartMenuPublisherFolder(const CString& strPrograms) {
    return strPrograms + L"\\" + LoadProductText(IDS_START_MENU_PUBLISHER);
}

CString GetStartMenuProductFolder(const CString& strPrograms) {
    return GetStartMenuPublisherFolder(strPrograms) + L"\\" + LoadProductText(IDS_PRODUCT_NAME);
}

CString GetStartMenuShortcutName() {
    return LoadProductText(IDS_PRODUCT_NAME) + L".lnk";
}

CString GetUninstallShortcutName() {
    return LoadProductText(IDS_UNINSTALL_SHORTCUT) + L".lnk";
}
