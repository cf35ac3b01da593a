// Where the installation puts things: the names first-start setup creates and uninstalling removes.
#pragma once
#include "framework/String.h"

// The key below which the Uninstall entries live (HKLM, or HKCU for players without admin rights).
extern const wchar_t kUninstallKeyPath[];
// Access for the Uninstall key: all access, in the 64-bit registry view.
const REGSAM kUninstallKeyAccess = 0xF013F;

// A shell folder (CSIDL_DESKTOP, CSIDL_PROGRAMS, ...); empty when the shell has none.
CString GetShellFolderPath(int nCsidl);
// The executable's own path; empty when it does not fit a 260-character buffer.
CString GetRunningExecutablePath();
// Paths that do not fit the 260-character buffers of the installer are not used at all.
inline bool FitsPathBuffer(const CString& strPath) { return !strPath.IsEmpty() && strPath.GetLength() < MAX_PATH; }

// "Nuvra《Tessik》加强版": the Uninstall subkey and the profile section of its copy.
CString GetUninstallEntryName();
// "Nuvra《Tessik》加强版.lnk" on the desktop.
CString GetDesktopShortcutName();
// Programs\Nuvra and Programs\Nuvra\《Tessik》加强版.
CString GetStartMenuPublisherFolder(const CString& strPrograms);
CString GetStartMenuProductFolder(const CString& strPrograms);
// "《Tessik》加强版.lnk" and "卸载-《Tessik》加强版.lnk" in the product folder.
CString GetStartMenuShortcutName();
CString GetUninstallShortcutName();
