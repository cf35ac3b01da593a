#include "app/FileVersion.h"
#include <shlwapi.h>
#include <vector>

CString GetFileVersionString(const CString& strPath) {
    if (!PathFileExistsW(strPath)) return CString();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(strPath, &handle);
    if (size == 0) return L"None VerSion Supprot";

    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(strPath, 0, size, block.data())) return CString();
    struct Translation { WORD wLanguage; WORD wCodePage; }* pTranslations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pTranslations), &length) ||
        length < sizeof(Translation))
        return CString();

    CString result;
    for (UINT i = 0; i < length / sizeof(Translation); ++i) {
        CString query = FormatString(L"\\StringFileInfo\\%04x%04x\\FileVersion", pTranslations[i].wLanguage,
                                     pTranslations[i].wCodePage);
        wchar_t* pValue = nullptr;
        UINT valueLength = 0;
        if (VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&pValue), &valueLength) && pValue)
            result += pValue;
    }
    return result;
}
