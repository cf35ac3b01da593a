// CString: the UTF-16 text type used throughout the program.
// A value type over std::wstring; the members are the handful of familiar operations the program uses.
#pragma once
#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength) : m_str(pch ? std::wstring(pch, nLength > 0 ? nLength : 0) : std::wstring()) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    explicit CString(const char* pszAnsi);  // converted from the system code page
    CString(const std::wstring& s) : m_str(s) {}

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    wchar_t GetAt(int i) const { return m_str[i]; }
    wchar_t operator[](int i) const { return m_str[i]; }
    void SetAt(int i, wchar_t ch) { m_str[i] = ch; }
    const std::wstring& str() const { return m_str; }

    CString& operator=(const wchar_t* psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const wchar_t* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const wchar_t* b) { return CString(a.m_str + (b ? b : L"")); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString((a ? a : L"") + b.m_str); }
    friend CString operator+(const CString& a, wchar_t ch) { return CString(a.m_str + ch); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.m_str == (b ? b : L""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const wchar_t* b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    int Compare(const wchar_t* psz) const { return m_str.compare(psz ? psz : L""); }
    int CompareNoCase(const wchar_t* psz) const;

    // Positions are zero-based; -1 means not found.
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    int Find(wchar_t ch, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(const wchar_t* pszCharSet) const;

    // Out-of-range arguments are clamped, never an error.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;

    int Replace(const wchar_t* pszOld, const wchar_t* pszNew);  // returns the number of replacements
    int Replace(wchar_t chOld, wchar_t chNew);
    int Delete(int nIndex, int nCount = 1);
    int Insert(int nIndex, const wchar_t* psz);
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const wchar_t* pszChars);
    CString& MakeLower();
    CString& MakeUpper();

    // printf-style formatting with the Windows runtime's rules (%s takes a wide string).
    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    void AppendFormat(const wchar_t* pszFormat, ...);

    // Loads a string-table entry of the executable; false (and empty) when there is none.
    BOOL LoadString(UINT nID);

    // Direct access for API calls that fill a buffer: ReleaseBuffer(-1) takes the text up to its terminator.
    wchar_t* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Conversion to 8-bit text in the given code page (the system code page by default).
    std::string ToMultiByte(UINT codePage = CP_ACP) const;

private:
    std::wstring m_str;
};

// Formats into a new string: CString s = FormatString(L"%d", n);
CString FormatString(const wchar_t* pszFormat, ...);
