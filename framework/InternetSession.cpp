#include "framework/InternetSession.h"
#include "framework/WinApp.h"
#include <cstring>
#include <vector>

BOOL CInternetException::GetErrorMessage(wchar_t* pszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (!pszError || !nMaxError) return FALSE;
    bool fromWinInet = m_dwError >= INTERNET_ERROR_BASE && m_dwError <= INTERNET_ERROR_LAST;
    CString text = SystemErrorText(m_dwError, fromWinInet ? ::GetModuleHandleW(L"wininet.dll") : nullptr);
    lstrcpynW(pszError, text, nMaxError);
    return TRUE;
}

void AfxThrowInternetException(DWORD_PTR dwContext, DWORD dwError) {
    if (dwError == 0) dwError = ::GetLastError();
    throw new CInternetException(dwError, dwContext);
}

CHttpFile::CHttpFile(HINTERNET hFile, const CString& strUrl, DWORD_PTR dwContext)
    : m_hFile(hFile), m_strUrl(strUrl), m_dwContext(dwContext) {}

CHttpFile::~CHttpFile() { Close(); }

UINT CHttpFile::Read(void* pBuf, UINT nCount) {
    if (m_readBuffer.empty()) {
        DWORD done = 0;
        if (!::InternetReadFile(m_hFile, pBuf, nCount, &done)) AfxThrowInternetException(m_dwContext);
        return done;
    }
    if (nCount == 0) return 0;
    if (m_nReadPos == m_nReadEnd) {
        DWORD done = 0;
        m_nReadPos = m_nReadEnd = 0;
        if (!::InternetReadFile(m_hFile, m_readBuffer.data(), static_cast<DWORD>(m_readBuffer.size()), &done))
            AfxThrowInternetException(m_dwContext);
        m_nReadEnd = done;
        if (done == 0) return 0;
    }
    UINT n = m_nReadEnd - m_nReadPos < nCount ? m_nReadEnd - m_nReadPos : nCount;
    memcpy(pBuf, m_readBuffer.data() + m_nReadPos, n);
    m_nReadPos += n;
    return n;
}

BOOL CHttpFile::SetReadBufferSize(UINT nReadSize) {
    if (m_nReadPos != m_nReadEnd) return FALSE;
    m_readBuffer.assign(nReadSize, 0);
    m_readBuffer.shrink_to_fit();
    m_nReadPos = m_nReadEnd = 0;
    return TRUE;
}

BOOL CHttpFile::QueryInfoStatusCode(DWORD& dwStatusCode) const {
    DWORD size = sizeof(dwStatusCode);
    dwStatusCode = 0;
    return ::HttpQueryInfoW(m_hFile, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &dwStatusCode, &size, nullptr);
}

BOOL CHttpFile::QueryInfo(DWORD dwInfoLevel, CString& strValue) const {
    strValue.Empty();
    std::vector<wchar_t> buffer(256);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (::HttpQueryInfoW(m_hFile, dwInfoLevel, buffer.data(), &size, nullptr)) {
            strValue = CString(buffer.data(), static_cast<int>(size / sizeof(wchar_t)));
            return TRUE;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return FALSE;
        buffer.resize(size / sizeof(wchar_t) + 1);
    }
}

void CHttpFile::Close() {
    if (m_hFile) ::InternetCloseHandle(m_hFile);
    m_hFile = nullptr;
    m_readBuffer.clear();
    m_readBuffer.shrink_to_fit();
    m_nReadPos = m_nReadEnd = 0;
}

CInternetSession::CInternetSession(const wchar_t* pszAgent, DWORD_PTR dwContext, DWORD dwAccessType,
                                   const wchar_t* pszProxyName, const wchar_t* pszProxyBypass, DWORD dwFlags)
    : m_dwContext(dwContext) {
    CString agent = pszAgent ? CString(pszAgent) : (AfxGetApp() ? AfxGetApp()->m_strAppName : CString(L"Lander_Kv"));
    m_hSession = ::InternetOpenW(agent, dwAccessType, pszProxyName, pszProxyBypass, dwFlags);
    if (!m_hSession) AfxThrowInternetException(m_dwContext);
}

CInternetSession::~CInternetSession() { Close(); }

BOOL CInternetSession::SetOption(DWORD dwOption, DWORD dwValue) {
    return ::InternetSetOptionW(m_hSession, dwOption, &dwValue, sizeof(dwValue));
}

CHttpFile* CInternetSession::OpenURL(const wchar_t* pszUrl, DWORD_PTR dwContext, DWORD dwFlags,
                                     const wchar_t* pszHeaders, DWORD dwHeadersLength) {
    URL_COMPONENTSW parts = { sizeof(parts) };
    parts.dwSchemeLength = 1;
    if (!::InternetCrackUrlW(pszUrl, 0, 0, &parts)) AfxThrowInternetException(dwContext);
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        AfxThrowInternetException(dwContext, ERROR_INTERNET_UNRECOGNIZED_SCHEME);

    if (pszHeaders && dwHeadersLength == 0) dwHeadersLength = static_cast<DWORD>(-1);
    HINTERNET hFile = ::InternetOpenUrlW(m_hSession, pszUrl, pszHeaders, dwHeadersLength, dwFlags, dwContext);
    if (!hFile) AfxThrowInternetException(dwContext);
    return new CHttpFile(hFile, pszUrl, dwContext);
}

void CInternetSession::Close() {
    if (m_hSession) ::InternetCloseHandle(m_hSession);
    m_hSession = nullptr;
}
