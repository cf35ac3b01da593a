// A stand-in launcher for the update tests, built on the real update code:
//   "check <version server>"  plays the installed launcher: runs the update check against that server;
//   "-d <target>"             is the update mode, as a downloaded copy runs it;
//   "log <count> <name>"      writes <count> update-log lines "<name> <i>" as fast as it can, once the
//                             test sets the event LanderUpdateLogWritersGo; exits with the number
//                             of lines the writer reported as not written;
//   anything else             a normal start, which only records itself.
// Every start appends "<role>\t<own path>\t<command line>" to helper-trace.txt in the data folder,
// so the tests can see which processes ran; the update log stays the program's own.
#include "app/DataFolder.h"
#include "app/UpdateLog.h"
#include "app/UpdateMode.h"
#include "framework/WinApp.h"
#include "update/UpdateCheck.h"
#include <windows.h>

namespace {
void Trace(const wchar_t* role) {
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    CString line = FormatString(L"%s\t%s\t%s\r\n", role, self, GetCommandLineW());
    std::string utf8 = line.ToMultiByte(CP_UTF8);
    CString path = GetDataFolder() + L"helper-trace.txt";
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE h = CreateFileW(path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD done = 0;
            WriteFile(h, utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
            CloseHandle(h);
            return;
        }
        Sleep(10);
    }
}
}  // namespace

int wmain() {
    CWinAppEx app;
    CString commandLine = GetCommandLineW();
    if (commandLine.Left(2) == L"-d") {
        Trace(L"update");
        RunUpdateMode(commandLine);
        Trace(L"carried-on");
        return 3;
    }
    if (commandLine.Left(6) == L"check ") {
        Trace(L"check");
        RunUpdateCheck(commandLine.Mid(6));
        Trace(L"carried-on");
        return 3;
    }
    if (commandLine.Left(4) == L"log ") {
        CString rest = commandLine.Mid(4);
        int count = _wtoi(rest);
        CString name = rest.Mid(rest.Find(L' ') + 1);
        HANDLE hGo = OpenEventW(SYNCHRONIZE, FALSE, L"LanderUpdateLogWritersGo");
        Trace(L"log");
        if (hGo) {
            WaitForSingleObject(hGo, 30000);
            CloseHandle(hGo);
        }
        int failed = 0;
        for (int i = 0; i < count; ++i)
            if (WriteUpdateLog(FormatString(L"%s %d", name.GetString(), i)) != 0) ++failed;
        return failed;
    }
    Trace(L"normal");
    return 0;
}
