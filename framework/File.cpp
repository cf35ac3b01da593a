#include "framework/File.h"

namespace {
[[noreturn]] void ThrowLastError(const CString& name) {
    LONG err = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToCause(err), err, name);
}
}

CFile::CFile(const wchar_t* pszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(pszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, pszFileName);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError) {
    Abort();
    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE; break;
    default: share = 0; break;  // compatibility mode behaves as exclusive
    }
    DWORD disposition = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE };
    HANDLE h = CreateFileW(pszFileName, access, share, &sa, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (pError) {
            LONG err = static_cast<LONG>(GetLastError());
            pError->m_lOsError = err;
            pError->m_cause = CFileException::OsErrorToCause(err);
            pError->m_strFileName = pszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_strFileName = pszFileName;
    return TRUE;
}

UINT CFile::Read(void* pBuf, UINT nCount) {
    DWORD done = 0;
    if (nCount && !ReadFile(m_hFile, pBuf, nCount, &done, nullptr)) ThrowLastError(m_strFileName);
    return done;
}

void CFile::Write(const void* pBuf, UINT nCount) {
    DWORD done = 0;
    if (nCount && !WriteFile(m_hFile, pBuf, nCount, &done, nullptr)) ThrowLastError(m_strFileName);
    if (done != nCount) AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom)) ThrowLastError(m_strFileName);
    return position.QuadPart;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size)) ThrowLastError(m_strFileName);
    return size.QuadPart;
}

void CFile::Flush() {
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile)) ThrowLastError(m_strFileName);
}

void CFile::Close() {
    if (m_hFile == INVALID_HANDLE_VALUE) return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (!CloseHandle(h)) ThrowLastError(m_strFileName);
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::Remove(const wchar_t* pszFileName) {
    if (!DeleteFileW(pszFileName)) ThrowLastError(pszFileName);
}
