#include "tests/support/TestFiles.h"
#include "app/DataFolder.h"
#include <windows.h>
#include <shlobj.h>

namespace testing_support {

ScratchFolder::ScratchFolder(const wchar_t* pszName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path = FormatString(L"%s%s-%lu-%lu\\", temp, pszName, GetCurrentProcessId(), GetTickCount());
    RemoveTree(m_path);
    MakeFolders(m_path);
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

bool WriteBytes(const CString& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    return ok && done == bytes.size();
}

std::string ReadBytes(const CString& path) {
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out(GetFileSize(h, nullptr), '\0');
    DWORD done = 0;
    if (!out.empty()) ReadFile(h, &out[0], static_cast<DWORD>(out.size()), &done, nullptr);
    CloseHandle(h);
    out.resize(done);
    return out;
}

bool FileExists(const CString& path) {
    DWORD a = GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const CString& path) {
    DWORD a = GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const CString& path) {
    CString folder = path;
    if (folder.Right(1) == L"\\") folder = folder.Left(folder.GetLength() - 1);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(folder + L"\\*", &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            CString name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            CString child = folder + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child);
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    SetFileAttributesW(folder, FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder);
}

bool MakeFolders(const CString& path) {
    return SHCreateDirectoryExW(nullptr, path, nullptr) == ERROR_SUCCESS || FolderExists(path);
}

void ResetDataFolder(bool withRes) {
    RemoveTree(GetDataFolder());
    if (withRes) MakeFolders(GetDataFolder() + L"res");
}

CString BinaryFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

}  // namespace testing_support
