#include "app/UpdateMode.h"
#include "app/FileDigest.h"
#include "app/FileVersion.h"
#include "app/UpdateLog.h"
#include "framework/Exceptions.h"
#include <cstdlib>

namespace {
const wchar_t kSeparator[] = L"=====================";
// The old launcher starts us and ends without waiting, so its executable is often still held
// for a moment when we get here.
const ULONGLONG kCopyRetryMs = 5000;
const DWORD kCopyRetryPauseMs = 100;

bool TargetStillHeld(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED; }

// CopyFileW, repeated while the target is held; the error of the last attempt on failure.
DWORD CopyOverTarget(const CString& self, const CString& target) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        if (CopyFileW(self, target, FALSE)) return ERROR_SUCCESS;
        DWORD error = GetLastError();
        if (!TargetStillHeld(error) || GetTickCount64() - start >= kCopyRetryMs) return error;
        Sleep(kCopyRetryPauseMs);
    }
}

BOOL StartTarget(const CString& target, DWORD& error) {
    SECURITY_ATTRIBUTES processAttributes = { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    SECURITY_ATTRIBUTES threadAttributes = { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(target, nullptr, &processAttributes, &threadAttributes, FALSE,
                                  CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process);
    error = GetLastError();
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return started;
}
}  // namespace

void RunUpdateMode(const CString& strCommandLine) {
    if (strCommandLine.GetLength() == 2) return;
    try {
        CString target = strCommandLine.Mid(3);
        wchar_t selfPath[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, selfPath, MAX_PATH);

        DWORD copyError = CopyOverTarget(selfPath, target);
        if (copyError != ERROR_SUCCESS) {
            WriteUpdateLog(FormatString(L"Update failure.Error Code:%ld", copyError));
            WriteUpdateLog(kSeparator);
            return;
        }

        CString digest;
        ComputeFileMd5(target, digest);
        WriteUpdateLog(FormatString(L"Finish download,current file md5=%s", digest.GetString()));
        WriteUpdateLog(L"Update success.Current Version:" + GetFileVersionString(target));
        WriteUpdateLog(kSeparator);

        DWORD startError = 0;
        if (!StartTarget(target, startError)) {
            // The new version is installed but not running: go on as the launcher from here.
            WriteUpdateLog(FormatString(L"Start failure.Error Code:%ld", startError));
            WriteUpdateLog(kSeparator);
            return;
        }
        exit(0);
    } catch (CException* e) {
        wchar_t message[255] = L"";
        e->GetErrorMessage(message, 255);
        WriteUpdateLog(L"Try Commond -d Exception");
        WriteUpdateLog(message);
        e->Delete();
    }
}
