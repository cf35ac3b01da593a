#include "framework/Exceptions.h"

BOOL CException::GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (pszError && nMaxError) *pszError = L'\0';
    return FALSE;
}

BOOL CFileException::GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (!pszError || !nMaxError) return FALSE;
    CString text = m_lOsError > 0 ? SystemErrorText(m_lOsError) : CString(L"File error");
    if (!m_strFileName.IsEmpty()) text += L" (" + m_strFileName + L")";
    lstrcpynW(pszError, text, nMaxError);
    return TRUE;
}

int CFileException::OsErrorToCause(LONG lOsError) {
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK: case ERROR_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void AfxThrowFileException(int cause, LONG lOsError, const wchar_t* pszFileName) {
    throw new CFileException(cause, lOsError, pszFileName);
}

void AfxThrowMemoryException() { throw new CMemoryException(); }

CString SystemErrorText(DWORD dwError, HMODULE hSource) {
    wchar_t* text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                  (hSource ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM);
    DWORD n = FormatMessageW(flags, hSource, dwError, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    CString result = n ? CString(text, n) : FormatString(L"Error %lu", dwError);
    if (text) LocalFree(text);
    return result.TrimRight();
}
