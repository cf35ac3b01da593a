#include "framework/String.h"
#include <cstdarg>
#include <cwchar>
#include <algorithm>

namespace {
const wchar_t kBlanks[] = L" \t\r\n\v\f";

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
}

CString::CString(const char* pszAnsi) {
    if (!pszAnsi || !*pszAnsi) return;
    int n = MultiByteToWideChar(CP_ACP, 0, pszAnsi, -1, nullptr, 0);
    if (n <= 1) return;
    m_str.resize(n - 1);
    MultiByteToWideChar(CP_ACP, 0, pszAnsi, -1, &m_str[0], n);
}

int CString::CompareNoCase(const wchar_t* psz) const {
    return lstrcmpiW(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(const wchar_t* pszSub, int nStart) const {
    if (!pszSub || nStart < 0 || nStart > GetLength()) return -1;
    size_t pos = m_str.find(pszSub, nStart);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(wchar_t ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength()) return -1;
    size_t pos = m_str.find(ch, nStart);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
    size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const wchar_t* pszCharSet) const {
    if (!pszCharSet) return -1;
    size_t pos = m_str.find_first_of(pszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength()); }

CString CString::Mid(int nFirst, int nCount) const {
    nFirst = Clamp(nFirst, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - nFirst);
    return CString(m_str.substr(nFirst, nCount));
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
    nCount = Clamp(nCount, 0, GetLength());
    return Mid(GetLength() - nCount, nCount);
}

int CString::Replace(const wchar_t* pszOld, const wchar_t* pszNew) {
    if (!pszOld || !*pszOld) return 0;
    std::wstring from(pszOld), to(pszNew ? pszNew : L"");
    int count = 0;
    for (size_t pos = m_str.find(from); pos != std::wstring::npos; pos = m_str.find(from, pos + to.size())) {
        m_str.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Replace(wchar_t chOld, wchar_t chNew) {
    int count = 0;
    for (auto& ch : m_str)
        if (ch == chOld) { ch = chNew; ++count; }
    return count;
}

int CString::Delete(int nIndex, int nCount) {
    nIndex = Clamp(nIndex, 0, GetLength());
    nCount = Clamp(nCount, 0, GetLength() - nIndex);
    m_str.erase(nIndex, nCount);
    return GetLength();
}

int CString::Insert(int nIndex, const wchar_t* psz) {
    nIndex = Clamp(nIndex, 0, GetLength());
    if (psz) m_str.insert(nIndex, psz);
    return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft() {
    m_str.erase(0, std::min(m_str.find_first_not_of(kBlanks), m_str.size()));
    return *this;
}

CString& CString::TrimRight() {
    size_t last = m_str.find_last_not_of(kBlanks);
    m_str.erase(last == std::wstring::npos ? 0 : last + 1);
    return *this;
}

CString& CString::Trim(const wchar_t* pszChars) {
    size_t last = m_str.find_last_not_of(pszChars);
    m_str.erase(last == std::wstring::npos ? 0 : last + 1);
    m_str.erase(0, std::min(m_str.find_first_not_of(pszChars), m_str.size()));
    return *this;
}

CString& CString::MakeLower() {
    if (!m_str.empty()) CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeUpper() {
    if (!m_str.empty()) CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

void CString::FormatV(const wchar_t* pszFormat, va_list args) {
    // The runtime's own _vscwprintf/_vsnwprintf keep the Windows meaning of %s in wide formats.
    va_list copy;
    va_copy(copy, args);
    int n = _vscwprintf(pszFormat, copy);
    va_end(copy);
    if (n <= 0) { m_str.clear(); return; }
    std::wstring out(n + 1, L'\0');
    _vsnwprintf(&out[0], n + 1, pszFormat, args);
    out.resize(n);
    m_str.swap(out);
}

void CString::Format(const wchar_t* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const wchar_t* pszFormat, ...) {
    CString tail;
    va_list args;
    va_start(args, pszFormat);
    tail.FormatV(pszFormat, args);
    va_end(args);
    m_str += tail.m_str;
}

BOOL CString::LoadString(UINT nID) {
    const wchar_t* text = nullptr;
    // With a zero length the call hands out a read-only pointer into the resource itself.
    int n = ::LoadStringW(::GetModuleHandleW(nullptr), nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (n <= 0 || !text) { m_str.clear(); return FALSE; }
    m_str.assign(text, n);
    return TRUE;
}

wchar_t* CString::GetBuffer(int nMinLength) {
    if (nMinLength > GetLength()) m_str.resize(nMinLength);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(Clamp(nNewLength, 0, GetLength()));
}

std::string CString::ToMultiByte(UINT codePage) const {
    if (m_str.empty()) return std::string();
    int n = WideCharToMultiByte(codePage, 0, m_str.c_str(), GetLength(), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(codePage, 0, m_str.c_str(), GetLength(), &out[0], n, nullptr, nullptr);
    return out;
}

CString FormatString(const wchar_t* pszFormat, ...) {
    CString s;
    va_list args;
    va_start(args, pszFormat);
    s.FormatV(pszFormat, args);
    va_end(args);
    return s;
}
