#include "update/Updater.h"
#include "app/FileDigest.h"
#include "app/UpdateLog.h"
#include "framework/File.h"
#include "framework/InternetSession.h"
#include "update/VersionReply.h"
#include <shlobj.h>
#include <shlwapi.h>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
const DWORD kConnectTimeoutMs = 5000;
const UINT kPieceSize = 1024;
// The download still goes to the file piece by piece, but WinINet is asked for the body this
// much at a time: each call into it costs about as much as a large copy (under Wine a 1 KiB read
// took as long as a 64 KiB one), and 1 KiB calls held a download to a few MiB/s.
const UINT kDownloadReadAhead = 64 * 1024;
const UINT kReplyLimit = 1023;
const wchar_t kSeparator[] = L"=====================";

CString RoamingAppData() {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

CString RunningExecutablePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void LogException(CException* e) {
    wchar_t message[255] = L"";
    e->GetErrorMessage(message, 255);
    WriteUpdateLog(L"Try Download File Exception");
    WriteUpdateLog(message);
    e->Delete();
}
}  // namespace

void CUpdater::Init(CString fileName, CString folderSuffix) {
    CString appData = RoamingAppData();
    m_strTempPath = appData + L"\\cache";
    if (!PathFileExistsW(m_strTempPath)) CreateDirectoryW(m_strTempPath, nullptr);
    m_strTempPath += fileName;
    if (PathFileExistsW(m_strTempPath)) DeleteFileW(m_strTempPath);

    CString self = RunningExecutablePath();
    m_strInstallTarget = appData + folderSuffix + self.Mid(self.ReverseFind(L'\\') + 1);
    m_strFolderSuffix = folderSuffix;
}

BOOL CUpdater::CheckVersion(CString baseUrl, CString pathAndQuery, CString version) {
    m_strRequestUrl = FormatString(L"%s/%s%s", baseUrl.GetString(), pathAndQuery.GetString(), version.GetString());
    CString reply = QueryVersionReply();
    WriteUpdateLog(L"Server response check version msg:" + reply);
    if (!ReplyNamesUpdate(reply)) {
        WriteUpdateLog(L"Finish Update.");
        WriteUpdateLog(kSeparator);
        return FALSE;
    }
    m_strDownloadUrl = reply;
    return TRUE;
}

CString CUpdater::QueryVersionReply() {
    CString reply;
    try {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        session.SetOption(INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
        std::unique_ptr<CHttpFile> file(session.OpenURL(m_strRequestUrl, 1, INTERNET_FLAG_TRANSFER_ASCII, nullptr, 0));
        if (!file) {
            session.Close();
            return reply;
        }
        DWORD status = 0;
        file->QueryInfoStatusCode(status);
        WriteUpdateLog(FormatString(L"Http QueryInfoStatusCode:%ld", status));
        if (status >= 400) {
            file->Close();
            session.Close();
            return reply;
        }

        // Only the first 1023 bytes count; a longer body is read on but dropped.
        char kept[kReplyLimit + 1] = {};
        UINT keptLength = 0;
        char piece[kPieceSize];
        for (;;) {
            UINT n = file->Read(piece, kPieceSize);
            UINT take = n < kReplyLimit - keptLength ? n : kReplyLimit - keptLength;
            memcpy(kept + keptLength, piece, take);
            keptLength += take;
            if (n < kPieceSize) break;
        }
        kept[keptLength] = '\0';
        wchar_t wide[kReplyLimit + 1] = L"";
        MultiByteToWideChar(CP_THREAD_ACP, 0, kept, -1, wide, kReplyLimit + 1);
        reply = wide;

        file->Close();
        session.Close();
    } catch (CException* e) {
        LogException(e);
    }
    return reply;
}

void CUpdater::Download(CString url) {
    WriteUpdateLog(L"ExcuUpdate,URL=" + url);
    try {
        CInternetSession session(nullptr, 1, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        std::unique_ptr<CHttpFile> file(session.OpenURL(url, 1, INTERNET_FLAG_TRANSFER_ASCII, nullptr, 0));
        if (!file) {
            session.Close();
            return;
        }
        DWORD status = 0;
        file->QueryInfoStatusCode(status);
        WriteUpdateLog(FormatString(L"Http QueryInfoStatusCode:%ld", status));
        if (status >= 400) return;

        CString lengthText;
        file->QueryInfo(HTTP_QUERY_CONTENT_LENGTH, lengthText);
        long announced = _wtoi(lengthText);
        WriteUpdateLog(FormatString(L"Content length:%ld", announced));

        HANDLE hTemp = CreateFileW(m_strTempPath, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (hTemp == INVALID_HANDLE_VALUE) return;
        DWORD startOffset = GetFileSize(hTemp, nullptr);
        CloseHandle(hTemp);
        if (startOffset == static_cast<DWORD>(announced)) {
            WriteUpdateLog(L"ERROR!Before download dwFileSize == dwToatlSize,exit");
            return;
        }

        CFile temp;
        if (!temp.Open(m_strTempPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite)) return;
        temp.SeekToEnd();
        file->SetReadBufferSize(kDownloadReadAhead);
        DWORD received = 0;
        char piece[kPieceSize];
        for (;;) {
            UINT n = file->Read(piece, kPieceSize);
            if (n == 0) break;
            temp.Write(piece, n);
            received += n;
        }
        temp.Close();
        file->Close();
        session.Close();

        if (received + startOffset != static_cast<DWORD>(announced)) return;
        WriteUpdateLog(FormatString(L"Finish download,file size=%ld", announced));
        CString digest;
        ComputeFileMd5(m_strTempPath, digest);
        WriteUpdateLog(FormatString(L"Finish download,file md5=%s", digest.GetString()));
    } catch (CException* e) {
        LogException(e);
        return;
    }
    StartUpdatedCopy(m_strTempPath, m_strInstallTarget);
}

void CUpdater::StartUpdatedCopy(CString appPath, CString target) {
    CString commandLine = L"-d " + target;
    SECURITY_ATTRIBUTES processAttributes = { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    SECURITY_ATTRIBUTES threadAttributes = { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // CreateProcessW may write into the command line.
    wchar_t* buffer = commandLine.GetBuffer(commandLine.GetLength() + 1);
    BOOL started = CreateProcessW(appPath, buffer, &processAttributes, &threadAttributes, FALSE,
                                  CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup, &process);
    DWORD error = GetLastError();
    commandLine.ReleaseBuffer();
    if (!started) {
        // Ending now would leave the player with no launcher at all; carry on with this one.
        WriteUpdateLog(FormatString(L"Start update failure.Error Code:%ld", error));
        WriteUpdateLog(kSeparator);
        return;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    exit(0);
}
