// Removing the installation's files and folders through the shell, so that the player's
// desktop and Start menu notice and the items can be brought back from the recycle bin.
#pragma once
#include "framework/String.h"

// Moves the file or folder to the recycle bin, silently. FALSE when the shell did not, or when
// the path does not fit the operation's 256-character buffer (it is never cut to fit).
BOOL DeleteToRecycleBin(const CString& strPath);
// Tells the shell that the item in pszPath is gone and that its parent changed. pszPath is
// left naming the parent folder.
void NotifyShellRemoved(wchar_t* pszPath);
// DeleteToRecycleBin, and the notification only when that succeeded.
BOOL RemoveShellItem(const CString& strPath);
// FALSE as soon as the folder holds anything; TRUE otherwise, also when it cannot be searched.
// A path too long to search counts as not empty, so it is never removed.
BOOL IsFolderEmpty(const CString& strFolder);
