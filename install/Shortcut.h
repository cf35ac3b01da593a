// Shell links of the installation.
#pragma once
#include <windows.h>

// Saves <pszFolder>\<pszLinkName> pointing at pszTarget with pszArguments, shown normally.
// With bUseUninstallIcon the icon is res\uninstall.ico beside the target. TRUE when the link
// was saved; a link path that does not fit 260 characters is not written at all.
// COM must be initialised on the thread.
BOOL CreateShortcut(const wchar_t* pszArguments, const wchar_t* pszTarget, const wchar_t* pszFolder,
                    const wchar_t* pszLinkName, BOOL bUseUninstallIcon);
