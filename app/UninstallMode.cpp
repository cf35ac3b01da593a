#include "app/UninstallMode.h"
#include "app/ProductText.h"
#include "app/ShellRemoval.h"
#include "app/UninstallQuestion.h"
#include "install/InstallPaths.h"
#include <shlobj.h>
#include <shlwapi.h>

namespace {

// The ending confirmation stage may still hold the executable for a moment.
const DWORD kExecutableDeleteWaitMs = 5000;
const DWORD kExecutableDeleteRetryMs = 100;

void StartRemovalStage(const CString& strSelf) {
    wchar_t appData[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) return;
    CString cache = CString(appData) + L"\\cache";
    if (!PathFileExistsW(cache)) CreateDirectoryW(cache, nullptr);
    CString copy = CString(appData) + LoadProductText(IDS_UNINSTALL_COPY);
    CString commandLine = FormatString(L"-u %s", strSelf.GetString());
    if (!FitsPathBuffer(copy)) return;
    CopyFileW(strSelf, copy, FALSE);

    SECURITY_ATTRIBUTES security = { sizeof(security), nullptr, TRUE };
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(copy, commandLine.GetBuffer(commandLine.GetLength()), &security, &security, FALSE,
                       CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void DeleteUninstallEntry(HKEY hRoot) {
    HKEY hUninstall = nullptr;
    if (RegOpenKeyExW(hRoot, kUninstallKeyPath, 0, kUninstallKeyAccess, &hUninstall) != ERROR_SUCCESS) return;
    RegDeleteKeyW(hUninstall, GetUninstallEntryName());
    RegCloseKey(hUninstall);
}

void DeleteInstalledExecutable(const CString& strPath) {
    DWORD start = GetTickCount();
    while (PathFileExistsW(strPath)) {
        if (DeleteFileW(strPath)) return;
        DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return;
        if (GetTickCount() - start >= kExecutableDeleteWaitMs) return;
        Sleep(kExecutableDeleteRetryMs);
    }
}

}  // namespace

void RunUninstallConfirmation() {
    CString question = FormatString(L"您是否确认卸载%s？", LoadProductText(IDS_PRODUCT_NAME).GetString());
    if (!ConfirmUninstall(question)) return;

    CString self = GetRunningExecutablePath();
    if (!self.IsEmpty()) StartRemovalStage(self);
    // Whichever entries first-start setup could write: the machine's, or the player's own.
    DeleteUninstallEntry(HKEY_LOCAL_MACHINE);
    DeleteUninstallEntry(HKEY_CURRENT_USER);
}

void RunUninstallRemoval(const CString& strCommandLine) {
    CString desktop = GetShellFolderPath(CSIDL_DESKTOP);
    CString programs = GetShellFolderPath(CSIDL_PROGRAMS);
    CString productFolder = GetStartMenuProductFolder(programs);
    if (!desktop.IsEmpty()) RemoveShellItem(desktop + L"\\" + GetDesktopShortcutName());
    if (!programs.IsEmpty()) {
        RemoveShellItem(productFolder + L"\\" + GetUninstallShortcutName());
        RemoveShellItem(productFolder + L"\\" + GetStartMenuShortcutName());
    }

    CString installed = strCommandLine.Mid(3);
    if (FitsPathBuffer(installed)) {
        DeleteInstalledExecutable(installed);
        // Without a folder in the path there is no res folder of ours to remove.
        int lastBackslash = installed.ReverseFind(L'\\');
        if (lastBackslash > 0) RemoveShellItem(installed.Left(lastBackslash) + L"\\res");
    }

    if (!programs.IsEmpty()) {
        if (IsFolderEmpty(productFolder)) RemoveShellItem(productFolder);
        CString publisherFolder = GetStartMenuPublisherFolder(programs);
        if (IsFolderEmpty(publisherFolder)) RemoveShellItem(publisherFolder);
    }
}
