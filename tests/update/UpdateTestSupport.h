// What the update tests share: the update log as a list of messages, the data folder and the
// temporary download reset between cases, and stand-in launchers started as separate processes.
#pragma once
#include "app/DataFolder.h"
#include "app/ProductText.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace testing_support {

inline CString UpdateLogPath() { return GetDataFolder() + L"res\\update.log"; }

// The message part of every line of the update log, in order (time stamp and module tag removed).
// A line is found by its module tag, so a message may itself hold a line break.
inline std::vector<std::wstring> UpdateLogMessages(size_t skipBytes = 0) {
    const std::wstring tag = L"\tUpdateModule\t";
    const size_t stampLength = 22;  // "yyyy- m- d  h: m: s : " before the tag
    std::string bytes = ReadBytes(UpdateLogPath());
    bytes = bytes.size() > skipBytes ? bytes.substr(skipBytes) : std::string();
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    std::vector<std::wstring> messages;
    for (size_t at = text.find(tag); at != std::wstring::npos;) {
        size_t start = at + tag.size();
        size_t next = text.find(tag, start);
        size_t end = next == std::wstring::npos ? text.size() : next - stampLength;
        messages.push_back(text.substr(start, end >= start + 2 ? end - start - 2 : 0));  // without its \r\n
        at = next;
    }
    return messages;
}

inline CString RoamingAppData() {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path);
    return path;
}

// cache\kvtsktmp.exe in the roaming application data.
inline CString TempDownloadPath() { return RoamingAppData() + L"\\cache" + LoadProductText(IDS_UPDATE_FILE_NAME); }

inline CString FolderSuffix() {
    return LoadProductText(IDS_PUBLISHER_FOLDER) + LoadProductText(IDS_GAME_CODE) + L"\\";
}

inline CString HelperTracePath() { return GetDataFolder() + L"helper-trace.txt"; }

// Deletes a file that a stand-in launcher may still hold for a moment while it ends.
inline void DeleteWhenFree(const CString& path) {
    for (int attempt = 0; attempt < 200 && FileExists(path); ++attempt) {
        if (DeleteFileW(path)) return;
        Sleep(50);
    }
}

class UpdateFixture : public testing::Test {
protected:
    void SetUp() override {
        DeleteWhenFree(TempDownloadPath());
        DeleteWhenFree(GetDataFolder() + L"Lander_Kv.exe");
        ResetDataFolder(true);
    }
    void TearDown() override {
        DeleteWhenFree(TempDownloadPath());
        DeleteWhenFree(GetDataFolder() + L"Lander_Kv.exe");
        ResetDataFolder(false);
    }
};

// Lines of helper-trace.txt, each split into role, path and command line.
struct HelperStart {
    std::wstring role, path, commandLine;
};

inline std::vector<HelperStart> HelperStarts() {
    std::string bytes = ReadBytes(HelperTracePath());
    CString text(bytes.c_str());  // paths here are plain ASCII
    std::wstring all = text.str();
    std::vector<HelperStart> starts;
    size_t start = 0;
    for (size_t end; (end = all.find(L"\r\n", start)) != std::wstring::npos; start = end + 2) {
        std::wstring line = all.substr(start, end - start);
        size_t a = line.find(L'\t'), b = line.find(L'\t', a + 1);
        starts.push_back({ line.substr(0, a), line.substr(a + 1, b - a - 1), line.substr(b + 1) });
    }
    return starts;
}

// Waits (bounded) until a start of the given role has been traced.
inline bool WaitForHelperStart(const wchar_t* role, DWORD maxWaitMs = 30000) {
    for (DWORD waited = 0; waited < maxWaitMs; waited += 100) {
        for (const HelperStart& s : HelperStarts())
            if (s.role == role) return true;
        Sleep(100);
    }
    return false;
}

// Starts exe with exactly commandLine (no program name in front), as the launcher itself does.
inline HANDLE StartProcess(const CString& exe, const CString& commandLine) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::wstring buffer = commandLine.str();
    if (!CreateProcessW(exe, &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// Waits for the process to end and returns its exit code (-1 when it did not end in time).
inline long WaitForExit(HANDLE hProcess, DWORD maxWaitMs = 60000) {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(hProcess, maxWaitMs) == WAIT_OBJECT_0) GetExitCodeProcess(hProcess, &code);
    CloseHandle(hProcess);
    return static_cast<long>(code);
}

inline CString HelperExe(const wchar_t* pszName) { return BinaryFolder() + pszName; }

}  // namespace testing_support
