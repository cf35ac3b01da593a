// What first-start setup leaves on a machine, found and removed again for the tests. The Wine
// prefix's desktop, Start menu and registry are shared by the whole test run, so every test that
// installs starts and ends with RemoveInstallArtefacts().
#pragma once
#include "app/DataFolder.h"
#include "framework/WinApp.h"
#include "install/InstallPaths.h"
#include "tests/support/TestFiles.h"
#include <shlobj.h>
#include <string>

namespace install_artefacts {

inline CString DataFolderNoSlash() {
    CString folder = GetDataFolder();
    return folder.Left(folder.GetLength() - 1);
}
inline CString InstalledExe() { return GetDataFolder() + L"Lander_Kv.exe"; }
inline CString DesktopLink() { return GetShellFolderPath(CSIDL_DESKTOP) + L"\\" + GetDesktopShortcutName(); }
inline CString Programs() { return GetShellFolderPath(CSIDL_PROGRAMS); }
inline CString ProductFolder() { return GetStartMenuProductFolder(Programs()); }
inline CString PublisherFolder() { return GetStartMenuPublisherFolder(Programs()); }
inline CString StartMenuLink() { return ProductFolder() + L"\\" + GetStartMenuShortcutName(); }
inline CString UninstallLink() { return ProductFolder() + L"\\" + GetUninstallShortcutName(); }
inline CString UninstallEntryKey() { return CString(kUninstallKeyPath) + L"\\" + GetUninstallEntryName(); }
inline CString ProfileSectionKey() {
    CWinApp* app = AfxGetApp();
    return L"Software\\" + app->m_strRegistryKey + L"\\" + app->m_strAppName + L"\\" + GetUninstallEntryName();
}

inline bool KeyExists(HKEY root, const CString& path) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

inline bool QueryValue(HKEY root, const CString& path, const wchar_t* value, DWORD type, void* data, DWORD size) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS) return false;
    DWORD found = 0;
    LONG rc = RegQueryValueExW(h, value, nullptr, &found, static_cast<BYTE*>(data), &size);
    RegCloseKey(h);
    return rc == ERROR_SUCCESS && found == type;
}

inline CString ReadString(HKEY root, const CString& path, const wchar_t* value) {
    wchar_t buffer[1024] = L"";
    if (!QueryValue(root, path, value, REG_SZ, buffer, sizeof(buffer) - sizeof(wchar_t))) return L"<missing>";
    return buffer;
}

inline DWORD ReadNumber(HKEY root, const CString& path, const wchar_t* value) {
    DWORD number = 0xDEADBEEF;
    if (!QueryValue(root, path, value, REG_DWORD, &number, sizeof(number))) return 0xDEADBEEF;
    return number;
}

inline void RemoveInstallArtefacts() {
    DeleteFileW(DesktopLink());
    testing_support::RemoveTree(PublisherFolder());
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UninstallEntryKey(), KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_CURRENT_USER, UninstallEntryKey(), KEY_WOW64_64KEY, 0);
    RegDeleteKeyW(HKEY_CURRENT_USER, ProfileSectionKey());
    testing_support::RemoveTree(GetDataFolder());
    CString publisher = DataFolderNoSlash();
    RemoveDirectoryW(publisher.Left(publisher.ReverseFind(L'\\')));  // only when nothing else is in it
}

struct Link {
    std::wstring target, arguments, icon;
    int iconIndex = -1, showCommand = 0;
};

inline Link ReadLink(const CString& path) {
    Link link;
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return link;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(path, STGM_READ))) {
            wchar_t text[MAX_PATH] = L"";
            if (SUCCEEDED(shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) link.target = text;
            text[0] = 0;
            if (SUCCEEDED(shellLink->GetArguments(text, MAX_PATH))) link.arguments = text;
            text[0] = 0;
            if (SUCCEEDED(shellLink->GetIconLocation(text, MAX_PATH, &link.iconIndex))) link.icon = text;
            shellLink->GetShowCmd(&link.showCommand);
        }
        file->Release();
    }
    shellLink->Release();
    return link;
}

}  // namespace install_artefacts
