// CInternetSession, CHttpFile, CInternetException: HTTP requests over WinINet with the shapes of
// the class library the program was designed on. Failures of the network layer are thrown as
// CInternetException*; the catcher calls Delete().
#pragma once
#include "framework/Exceptions.h"
#include <wininet.h>
#include <vector>

class CInternetException : public CException {
public:
    explicit CInternetException(DWORD dwError, DWORD_PTR dwContext = 0)
        : m_dwError(dwError), m_dwContext(dwContext) {}
    // WinINet's own text for its error codes, the system's for the rest.
    BOOL GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    DWORD m_dwError;
    DWORD_PTR m_dwContext;
};

[[noreturn]] void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError = 0);

// One opened address: the response headers have arrived, the body is read with Read.
class CHttpFile {
public:
    CHttpFile(HINTERNET hFile, const CString& strUrl, DWORD_PTR dwContext);
    virtual ~CHttpFile();
    CHttpFile(const CHttpFile&) = delete;
    CHttpFile& operator=(const CHttpFile&) = delete;

    // Up to nCount body bytes; 0 at the end of the body. Throws CInternetException*.
    virtual UINT Read(void* pBuf, UINT nCount);
    // From now on the body is fetched from WinINet nReadSize bytes at a time and Read serves its
    // pieces from that buffer; 0 (the default) reads straight through. Reads may then come back
    // shorter than asked even before the end; 0 still means the end. FALSE while bytes already
    // fetched wait in the buffer.
    BOOL SetReadBufferSize(UINT nReadSize);
    // The response's status code; FALSE when it cannot be had.
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;
    // One response header as text (HTTP_QUERY_*); FALSE and empty when absent.
    BOOL QueryInfo(DWORD dwInfoLevel, CString& strValue) const;
    virtual void Close();

    HINTERNET m_hFile;
    const CString& GetFileURL() const { return m_strUrl; }

private:
    CString m_strUrl;
    DWORD_PTR m_dwContext;
    std::vector<BYTE> m_readBuffer;  // empty when unbuffered
    UINT m_nReadPos = 0;             // the next unread byte of the buffer
    UINT m_nReadEnd = 0;             // one past the last fetched byte
};

class CInternetSession {
public:
    // Opens the WinINet session or throws CInternetException*. The agent defaults to the application name.
    explicit CInternetSession(const wchar_t* pszAgent = nullptr, DWORD_PTR dwContext = 1,
                              DWORD dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG,
                              const wchar_t* pszProxyName = nullptr, const wchar_t* pszProxyBypass = nullptr,
                              DWORD dwFlags = 0);
    virtual ~CInternetSession();
    CInternetSession(const CInternetSession&) = delete;
    CInternetSession& operator=(const CInternetSession&) = delete;

    BOOL SetOption(DWORD dwOption, DWORD dwValue);
    // Sends a GET for an http or https address and waits for the response headers.
    // The caller deletes the result. Throws CInternetException* when the address cannot be opened.
    CHttpFile* OpenURL(const wchar_t* pszUrl, DWORD_PTR dwContext = 1, DWORD dwFlags = INTERNET_FLAG_TRANSFER_ASCII,
                       const wchar_t* pszHeaders = nullptr, DWORD dwHeadersLength = 0);
    virtual void Close();

    HINTERNET m_hSession = nullptr;
    DWORD_PTR m_dwContext;
};
