#include "app/ShellRemoval.h"
#include <shlobj.h>
#include <shellapi.h>

namespace {
const int kOperationBufferLength = 256;
}

BOOL DeleteToRecycleBin(const CString& strPath) {
    // The source list ends in two null characters.
    if (strPath.IsEmpty() || strPath.GetLength() > kOperationBufferLength - 2) return FALSE;
    wchar_t from[kOperationBufferLength] = {};
    wcscpy_s(from, kOperationBufferLength, strPath);
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    return SHFileOperationW(&operation) == 0;
}

void NotifyShellRemoved(wchar_t* pszPath) {
    SHChangeNotify(SHCNE_RMDIR | SHCNE_INTERRUPT, SHCNF_PATHW | SHCNF_FLUSH, pszPath, nullptr);
    wchar_t* pLastBackslash = wcsrchr(pszPath, L'\\');
    if (pLastBackslash) *pLastBackslash = L'\0';
    SHChangeNotify(SHCNE_UPDATEDIR | SHCNE_INTERRUPT, SHCNF_PATHW | SHCNF_FLUSH, pszPath, nullptr);
}

BOOL RemoveShellItem(const CString& strPath) {
    if (!DeleteToRecycleBin(strPath)) return FALSE;
    wchar_t path[MAX_PATH] = L"";
    wcscpy_s(path, MAX_PATH, strPath);
    NotifyShellRemoved(path);
    return TRUE;
}

BOOL IsFolderEmpty(const CString& strFolder) {
    CString pattern = FormatString(L"%s\\*.*", strFolder.GetString());
    if (pattern.GetLength() >= MAX_PATH) return FALSE;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW(pattern, &found);
    if (hFind == INVALID_HANDLE_VALUE) return TRUE;
    BOOL empty = TRUE;
    do {
        if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) {
            empty = FALSE;
            break;
        }
    } while (FindNextFileW(hFind, &found));
    FindClose(hFind);
    return empty;
}
