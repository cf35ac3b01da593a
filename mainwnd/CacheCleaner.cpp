#include "mainwnd/CacheCleaner.h"
#include <shlobj.h>
#include <wininet.h>
#include <vector>

namespace {
void DebugLine(const wchar_t* pszFormat, ...) {
    CString line;
    va_list args;
    va_start(args, pszFormat);
    line.FormatV(pszFormat, args);
    va_end(args);
    ::OutputDebugStringW(line);
}

// One cache entry record of the size the cache asked for (at least the fixed part).
std::vector<BYTE> EntryBuffer(DWORD cbSize) {
    return std::vector<BYTE>(cbSize > sizeof(INTERNET_CACHE_ENTRY_INFOW) ? cbSize : sizeof(INTERNET_CACHE_ENTRY_INFOW));
}
}

bool ClearUrlCache() {
    // The first call only learns the size of the first entry.
    DWORD cbEntry = 0;
    HANDLE hProbe = ::FindFirstUrlCacheEntryW(nullptr, nullptr, &cbEntry);
    if (hProbe) {
        DebugLine(L"*******第一次查找缓存:缓存大小为:%d。************\r\n", cbEntry);
        ::FindCloseUrlCache(hProbe);
    } else {
        DebugLine(L"*******第一次查找缓存:未找到缓存。************\r\n");
    }
    if (cbEntry == 0) {
        DebugLine(L"*******第二次查找缓存:未找到缓存。************\r\n");
        return false;
    }

    std::vector<BYTE> buffer = EntryBuffer(cbEntry);
    DWORD cbBuffer = static_cast<DWORD>(buffer.size());
    auto* pEntry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    HANDLE hFind = ::FindFirstUrlCacheEntryW(nullptr, pEntry, &cbBuffer);
    if (!hFind) {
        DebugLine(L"*******第二次查找缓存:未找到缓存。************\r\n");
        return false;
    }
    DebugLine(L"*******第二次查找缓存:缓存大小为:%d。************\r\n", cbBuffer);
    for (;;) {
        if (!(pEntry->CacheEntryType & COOKIE_CACHE_ENTRY) && pEntry->lpszSourceUrlName)
            ::DeleteUrlCacheEntryW(pEntry->lpszSourceUrlName);
        cbEntry = 0;
        ::FindNextUrlCacheEntryW(hFind, nullptr, &cbEntry);
        if (cbEntry == 0) break;  // no further entry
        buffer = EntryBuffer(cbEntry);
        cbBuffer = static_cast<DWORD>(buffer.size());
        pEntry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
        if (!::FindNextUrlCacheEntryW(hFind, pEntry, &cbBuffer)) break;
    }
    ::FindCloseUrlCache(hFind);
    return true;
}

bool ClearFolder(const CString& strFolder) {
    DebugLine(L"开始清理%s文件夹\r\n", strFolder.GetString());
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileW(strFolder + L"\\*.*", &fd);
    if (hFind == INVALID_HANDLE_VALUE) return false;
    do {
        CString name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (name.CompareNoCase(L"desktop.ini") == 0) continue;
        CString path = strFolder + L"\\" + name;
        // The listing already carries the attributes; asking the file system again for each of
        // thousands of entries only costs time.
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            ::SetFileAttributesW(path, fd.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction or link leads out of the cache: remove the link, never what it points at.
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) ClearFolder(path);
            ::RemoveDirectoryW(path);  // stays when a desktop.ini is left inside
        } else if (::DeleteFileW(path)) {
            DebugLine(L"开始清理%s文件夹\r\n", name.GetString());
        } else {
            DebugLine(L"***********删除文件:%s失败，错误代码:%d******************\r\n", name.GetString(), ::GetLastError());
        }
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    return true;
}

unsigned __stdcall ClearBrowserCache(void* pParam) {
    HWND hWndNotify = static_cast<HWND>(pParam);
    ClearUrlCache();
    wchar_t szCache[MAX_PATH] = {};
    if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, SHGFP_TYPE_CURRENT, szCache))) {
        DebugLine(L"临时文件夹路径为:%s\r\n", szCache);
        ClearFolder(szCache);
    }
    ::SendMessageW(hWndNotify, WM_COMMAND, IDC_CACHE_CLEARED, 0);
    return 0;
}
