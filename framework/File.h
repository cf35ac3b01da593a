// CFile: a file handle with the open flags and exceptions of the class library the program was designed on.
#pragma once
#include "framework/Exceptions.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040,
        modeNoInherit = 0x0080, modeCreate = 0x1000, modeNoTruncate = 0x2000,
        typeText = 0x4000, typeBinary = 0x8000,
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    CFile() = default;
    // Opens or throws CFileException*.
    CFile(const wchar_t* pszFileName, UINT nOpenFlags);
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, with the reason in *pError when given; never throws.
    virtual BOOL Open(const wchar_t* pszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // The rest throw CFileException* on failure.
    virtual UINT Read(void* pBuf, UINT nCount);
    virtual void Write(const void* pBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    void SeekToBegin() { Seek(0, begin); }
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing; for clean-up paths.
    virtual void Abort();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    const CString& GetFilePath() const { return m_strFileName; }
    static void Remove(const wchar_t* pszFileName);  // throws

private:
    CString m_strFileName;
};
