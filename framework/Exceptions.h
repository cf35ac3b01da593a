// Exceptions thrown by the framework's file, network and string classes.
// Thrown by pointer as in the class library the program was designed on; the catcher calls Delete().
#pragma once
#include "framework/String.h"

class CException {
public:
    virtual ~CException() = default;
    // Writes a readable description into the buffer; false when there is none.
    virtual BOOL GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
    void Delete() { delete this; }
};

class CMemoryException : public CException {};

class CFileException : public CException {
public:
    enum { none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
           invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
           lockViolation, diskFull, endOfFile };
    CFileException(int cause = none, LONG lOsError = -1, const wchar_t* pszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(pszFileName) {}
    BOOL GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
    static int OsErrorToCause(LONG lOsError);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, const wchar_t* pszFileName = nullptr);
[[noreturn]] void AfxThrowMemoryException();

// Text of a Win32 error code from the system message table, without the trailing line break.
CString SystemErrorText(DWORD dwError, HMODULE hSource = nullptr);
