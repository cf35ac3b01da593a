#include "install/FirstStartSetup.h"
#include "app/FileVersion.h"
#include "app/ProductText.h"
#include "framework/WinApp.h"
#include "install/InstallPaths.h"
#include "install/PackageExtraction.h"
#include "install/Settings.h"
#include "install/Shortcut.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <cwchar>

namespace {

struct UninstallValues {
    CString strPath, strDisplayName, strPublisher, strUninstallString;
    CString strDisplayIcon, strDisplayVersion, strInstallLocation;
    DWORD dwEstimatedSizeKb;
};

void SetString(HKEY hKey, const wchar_t* pszName, const CString& strValue) {
    RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.GetString()),
                   static_cast<DWORD>((strValue.GetLength() + 1) * sizeof(wchar_t)));
}

void SetNumber(HKEY hKey, const wchar_t* pszName, DWORD dwValue) {
    RegSetValueExW(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
}

// Creates the entry below hUninstall; the values are written only into a new key, an existing
// one stays as it is. False when the entry could not be created.
bool CreateUninstallEntry(HKEY hUninstall, const UninstallValues& values) {
    HKEY hEntry = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(hUninstall, GetUninstallEntryName(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kUninstallKeyAccess, nullptr, &hEntry, &disposition) != ERROR_SUCCESS)
        return false;
    if (disposition == REG_CREATED_NEW_KEY) {
        SetString(hEntry, L"Path", values.strPath);
        SetString(hEntry, L"DisplayName", values.strDisplayName);
        SetString(hEntry, L"Publisher", values.strPublisher);
        SetString(hEntry, L"UninstallString", values.strUninstallString);
        // What the system's list of installed programs shows.
        SetString(hEntry, L"DisplayIcon", values.strDisplayIcon);
        SetString(hEntry, L"DisplayVersion", values.strDisplayVersion);
        SetString(hEntry, L"InstallLocation", values.strInstallLocation);
        SetNumber(hEntry, L"EstimatedSize", values.dwEstimatedSizeKb);
        SetNumber(hEntry, L"NoModify", 1);
        SetNumber(hEntry, L"NoRepair", 1);
    }
    RegCloseKey(hEntry);
    return true;
}

// Below HKEY_LOCAL_MACHINE when we may write there; a player without those rights (we run as
// invoker) gets the entry below HKEY_CURRENT_USER instead, or none at all in the system's list.
void RegisterUninstallEntry(const UninstallValues& values) {
    HKEY hUninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, kUninstallKeyAccess, &hUninstall) == ERROR_SUCCESS) {
        bool created = CreateUninstallEntry(hUninstall, values);
        RegCloseKey(hUninstall);
        if (created) return;
    }
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUninstallKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kUninstallKeyAccess, nullptr, &hUninstall, nullptr) == ERROR_SUCCESS) {
        CreateUninstallEntry(hUninstall, values);
        RegCloseKey(hUninstall);
    }
}

void WriteProfileCopy(const UninstallValues& values) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return;
    CString section = GetUninstallEntryName();
    if (pApp->GetProfileString(section, L"Path", L"no find!") == values.strPath) return;
    pApp->WriteProfileString(section, L"Path", values.strPath);
    pApp->WriteProfileString(section, L"DisplayName", values.strDisplayName);
    pApp->WriteProfileString(section, L"Publisher", values.strPublisher);
    pApp->WriteProfileString(section, L"UninstallString", values.strUninstallString);
}

void CreateFolderIfMissing(const CString& strFolder) {
    if (FitsPathBuffer(strFolder) && !PathFileExistsW(strFolder)) CreateDirectoryW(strFolder, nullptr);
}

DWORD FileSizeKb(const CString& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(strPath, GetFileExInfoStandard, &data)) return 0;
    ULONGLONG bytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

void SetUp(const CString& strRunningExe) {
    wchar_t appData[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) return;
    CString folder = CString(appData) + L"\\" + LoadProductText(IDS_DATA_PUBLISHER);
    CreateFolderIfMissing(folder);
    folder += L"\\" + LoadProductText(IDS_GAME_CODE);
    CreateFolderIfMissing(folder);
    if (!FitsPathBuffer(folder)) return;

    ExtractPackage(folder);

    CString target = folder + L"\\" + strRunningExe.Mid(strRunningExe.ReverseFind(L'\\') + 1);
    if (!FitsPathBuffer(target) || !FitsPathBuffer(strRunningExe)) return;

    CString desktop = GetShellFolderPath(CSIDL_DESKTOP);
    CString desktopLink = desktop + L"\\" + GetDesktopShortcutName();
    if (!desktop.IsEmpty() && FitsPathBuffer(desktopLink) && !PathFileExistsW(desktopLink))
        CreateShortcut(L"1", target, desktop, GetDesktopShortcutName(), FALSE);

    CString programs = GetShellFolderPath(CSIDL_PROGRAMS);
    if (!programs.IsEmpty()) {
        CreateFolderIfMissing(GetStartMenuPublisherFolder(programs));
        CString productFolder = GetStartMenuProductFolder(programs);
        CreateFolderIfMissing(productFolder);
        CreateShortcut(L"1", target, productFolder, GetStartMenuShortcutName(), FALSE);
        CreateShortcut(L"-u", target, productFolder, GetUninstallShortcutName(), TRUE);
    }

    CString installedVersionText = GetFileVersionString(target);
    CString ownVersionText = GetFileVersionString(strRunningExe);
    long installedVersion = VersionNumber(installedVersionText);
    long ownVersion = VersionNumber(ownVersionText);
    bool keepInstalled = installedVersion != 0 && installedVersion >= ownVersion;

    UninstallValues values;
    values.strPath = target;
    values.strDisplayName = LoadProductText(IDS_PRODUCT_NAME);
    values.strPublisher = LoadProductText(IDS_PUBLISHER);
    values.strUninstallString = target + L" -u";
    values.strDisplayIcon = target;
    values.strDisplayVersion = keepInstalled ? installedVersionText : ownVersionText;
    values.strInstallLocation = folder;
    values.dwEstimatedSizeKb = FileSizeKb(keepInstalled ? target : strRunningExe);
    RegisterUninstallEntry(values);
    WriteProfileCopy(values);

    if (keepInstalled) return;
    if (strRunningExe.CompareNoCase(target) != 0) CopyFileW(strRunningExe, target, FALSE);

    SettingBuffer firstStart;
    ReadSetting(L"Start", L"firststart", L"0", firstStart);
    if (wcstol(firstStart, nullptr, 10) != 0) WriteSetting(L"Start", L"firststart", L"0");
}

}  // namespace

long VersionNumber(const CString& strVersion) {
    CString digits = strVersion;
    digits.Replace(L".", L"");
    return wcstol(digits, nullptr, 10);
}

void RunFirstStartSetup(const CString& strRunningExe) {
    // The login window's browser site has normally initialised COM already; this only balances.
    HRESULT hrCom = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SetUp(strRunningExe);
    if (SUCCEEDED(hrCom)) CoUninitialize();
}

void RunFirstStartSetup() {
    CString self = GetRunningExecutablePath();
    if (!self.IsEmpty()) RunFirstStartSetup(self);
}
