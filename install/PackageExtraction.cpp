#include "install/PackageExtraction.h"
#include "install/Settings.h"
#include "install/ZipReader.h"
#include "resources/resource.h"
#include <shlwapi.h>
#include <cwchar>

namespace {
const int kUnpackedMarker = 1001;
}

void UnpackArchive(const void* pData, DWORD dwSize, const CString& strResFolder) {
    CZipReader reader;
    if (reader.OpenFromMemory(pData, dwSize) != ZIP_OK) return;
    reader.SetBaseFolder(strResFolder);
    ZipItem count;
    reader.GetItem(-1, count);
    for (int i = 0; i < count.index; ++i) {
        ZipItem item;
        ZipResult result = reader.GetItem(i, item);
        if (result == ZIP_BAD_ARGUMENT) break;  // the archive holds fewer entries than it claims
        if (result != ZIP_OK) continue;
        // The player's settings survive; only a missing settings file is unpacked.
        if (wcscmp(item.name, L"systemset.ini") == 0 && PathFileExistsW(strResFolder + L"\\" + item.name)) continue;
        reader.ExtractItem(i, item.name);
    }
    reader.Close();
}

void ExtractPackage(const CString& strDataFolder) {
    CString resFolder = strDataFolder + L"\\res";
    SettingBuffer start;
    ReadSetting(L"Setting", L"start", L"-1", start);
    if (wcstol(start, nullptr, 10) == kUnpackedMarker) return;

    if (!PathFileExistsW(resFolder)) CreateDirectoryW(resFolder, nullptr);

    HMODULE hModule = GetModuleHandleW(nullptr);
    HRSRC hResource = FindResourceW(hModule, MAKEINTRESOURCEW(IDR_PACKAGE), L"ZIP");
    HGLOBAL hLoaded = hResource ? LoadResource(hModule, hResource) : nullptr;
    const void* pData = hLoaded ? LockResource(hLoaded) : nullptr;
    if (pData) UnpackArchive(pData, SizeofResource(hModule, hResource), resFolder);

    CString stray = resFolder + L"\\data.zip";
    if (PathFileExistsW(stray)) DeleteFileW(stray);

    WriteSetting(L"Setting", L"start", FormatString(L"%d", kUnpackedMarker));
}
