// File helpers for tests: scratch folders, whole-file reads and writes, the data folder.
#pragma once
#include "framework/String.h"
#include <string>

namespace testing_support {

// A fresh, empty folder below the system's temporary folder, removed again when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* pszName = L"lander-test");
    ~ScratchFolder();
    const CString& Path() const { return m_path; }   // ends in a backslash
    CString operator/(const wchar_t* pszName) const { return m_path + pszName; }
private:
    CString m_path;
};

bool WriteBytes(const CString& path, const std::string& bytes);
std::string ReadBytes(const CString& path);  // empty when missing
bool FileExists(const CString& path);
bool FolderExists(const CString& path);
void RemoveTree(const CString& path);        // files and folders below path, then path itself
bool MakeFolders(const CString& path);       // every missing level

// Empties the data folder; with withRes the res folder is created again.
void ResetDataFolder(bool withRes);

// The folder of the running test binary, which also holds Lander_Kv.exe; ends in a backslash.
CString BinaryFolder();

}  // namespace testing_support
