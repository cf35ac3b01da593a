#include "app/UpdateLog.h"
#include "app/DataFolder.h"
#include "framework/File.h"

namespace {
// Another process may be appending at this moment; wait for it rather than lose the line.
const int kOpenAttempts = 50;
const DWORD kOpenRetryMs = 10;
}

CString FormatUpdateLogLine(const SYSTEMTIME& t, const CString& strMessage) {
    return FormatString(L"%2d-%2d-%2d %2d:%2d:%2d : \t%s\t%s", t.wYear, t.wMonth, t.wDay, t.wHour,
                        t.wMinute, t.wSecond, L"UpdateModule", strMessage.GetString());
}

int WriteUpdateLog(const CString& strMessage) {
    try {
        CString path = GetDataFolder() + L"res\\update.log";
        SYSTEMTIME now;
        GetLocalTime(&now);
        CString line = FormatUpdateLogLine(now, strMessage) + L"\r\n";

        // Open-or-create, never truncate: an existing log is only ever appended to.
        CFile file;
        CFileException error;
        UINT flags = CFile::modeReadWrite | CFile::modeCreate | CFile::modeNoTruncate | CFile::shareExclusive;
        bool opened = false;
        for (int attempt = 0; attempt < kOpenAttempts && !opened; ++attempt) {
            opened = file.Open(path, flags, &error) != FALSE;
            if (!opened && error.m_cause != CFileException::sharingViolation) break;
            if (!opened) Sleep(kOpenRetryMs);
        }
        if (!opened) return -1;
        file.SeekToEnd();
        file.Write(line.GetString(), line.GetLength() * sizeof(wchar_t));
        file.Close();
        return 0;
    } catch (CException* e) {
        e->Delete();
        return -1;
    }
}
