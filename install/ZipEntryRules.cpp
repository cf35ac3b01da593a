#include "install/ZipEntryRules.h"
#include <cwctype>

namespace {

bool IsSeparator(wchar_t ch) { return ch == L'\\' || ch == L'/'; }

bool IsDeviceName(CString component) {
    // The system treats "nul", "nul.txt" and "nul .txt" alike.
    int dot = component.Find(L'.');
    if (dot >= 0) component = component.Left(dot);
    component.TrimRight();
    component.MakeUpper();
    static const wchar_t* const kDevices[] = { L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$" };
    for (const wchar_t* device : kDevices)
        if (component == device) return true;
    if (component.GetLength() == 4 && (component.Left(3) == L"COM" || component.Left(3) == L"LPT")) {
        wchar_t digit = component[3];
        return (digit >= L'0' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    }
    return false;
}

bool IsDotsAndBlanks(const CString& component) {
    for (int i = 0; i < component.GetLength(); ++i)
        if (component[i] != L'.' && component[i] != L' ') return false;
    return true;
}

FILETIME UnixTimeToFileTime(const BYTE* p) {
    long long t = static_cast<int>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24));
    ULONGLONG ticks = static_cast<ULONGLONG>(t + 11644473600LL) * 10000000ULL;
    FILETIME ft = { static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32) };
    return ft;
}

}  // namespace

CString CleanZipEntryName(const CString& strName) {
    static const wchar_t* const kParentSteps[] = { L"\\..\\", L"\\../", L"/../", L"/..\\" };
    CString name = strName;
    for (bool changed = true; changed;) {
        changed = false;
        if (name.GetLength() >= 2 && name[1] == L':') {
            name = name.Mid(2);
            changed = true;
        } else if (!name.IsEmpty() && IsSeparator(name[0])) {
            name = name.Mid(1);
            changed = true;
        } else {
            for (const wchar_t* step : kParentSteps) {
                int at = name.Find(step);
                if (at >= 0) {
                    name = name.Mid(at + 4);
                    changed = true;
                    break;
                }
            }
        }
    }
    return name;
}

bool IsContainedEntryName(const CString& strName) {
    if (strName.IsEmpty() || IsSeparator(strName[0]) || strName.Find(L':') >= 0) return false;
    int start = 0;
    while (start <= strName.GetLength()) {
        int end = start;
        while (end < strName.GetLength() && !IsSeparator(strName[end])) ++end;
        CString component = strName.Mid(start, end - start);
        if (!component.IsEmpty()) {
            if (component != L"." && IsDotsAndBlanks(component)) return false;
            if (IsDeviceName(component)) return false;
        }
        start = end + 1;
    }
    return true;
}

DWORD ZipEntryAttributes(int nHostSystem, DWORD dwExternalAttributes) {
    if (nHostSystem == 0 || nHostSystem == 7 || nHostSystem == 11 || nHostSystem == 14)
        return dwExternalAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE);
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    if (dwExternalAttributes & 0x40000000) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!(dwExternalAttributes & 0x00800000)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

FILETIME ZipDosTimeToFileTime(DWORD dwDosDateTime) {
    FILETIME local = {}, utc = {};
    if (!DosDateTimeToFileTime(HIWORD(dwDosDateTime), LOWORD(dwDosDateTime), &local) ||
        !LocalFileTimeToFileTime(&local, &utc))
        return FILETIME{};
    return utc;
}

void ApplyZipExtendedTimes(const BYTE* pExtra, size_t nSize, FILETIME& ftWrite, FILETIME& ftAccess,
                           FILETIME& ftCreation) {
    if (!pExtra || nSize < 5) return;
    size_t pos = 0;
    while (nSize - pos > 4) {
        size_t recordSize = pExtra[pos + 2];  // the high byte of the size is not used
        if (pExtra[pos] == 'U' && pExtra[pos + 1] == 'T') {
            const BYTE* data = pExtra + pos + 4;
            size_t available = nSize - pos - 4;
            if (recordSize < available) available = recordSize;
            if (available < 1) return;
            BYTE flags = data[0];
            size_t at = 1;
            FILETIME* targets[] = { &ftWrite, &ftAccess, &ftCreation };
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & (1 << bit))) continue;
                if (at + 4 > available) return;
                *targets[bit] = UnixTimeToFileTime(data + at);
                at += 4;
            }
            return;
        }
        pos += 4 + recordSize;
        if (pos >= nSize) return;
    }
}
