#include "update/UpdateCheck.h"
#include "app/DataFolder.h"
#include "app/FileVersion.h"
#include "app/ProductText.h"
#include "app/UpdateLog.h"
#include "update/Updater.h"

namespace {
const DWORD kUpdateLogLimit = 10485760;

void DeleteOversizedUpdateLog() {
    CString path = GetDataFolder() + L"res\\update.log";
    HANDLE h = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD high = 0;
    DWORD size = GetFileSize(h, &high);
    CloseHandle(h);
    if (high != 0 || size > kUpdateLogLimit) DeleteFileW(path);
}

CString RunningExecutablePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}
}  // namespace

void RunUpdateCheck() { RunUpdateCheck(LoadProductText(IDS_VERSION_SERVER)); }

void RunUpdateCheck(const CString& strVersionServer) {
    DeleteOversizedUpdateLog();

    CString folderSuffix = LoadProductText(IDS_PUBLISHER_FOLDER) + LoadProductText(IDS_GAME_CODE) + L"\\";
    CUpdater updater;
    updater.Init(LoadProductText(IDS_UPDATE_FILE_NAME), folderSuffix);

    CString pathAndQuery = LoadProductText(IDS_VERSION_QUERY);
    CString version = GetFileVersionString(RunningExecutablePath());
    WriteUpdateLog(FormatString(L"%s/%s%s", strVersionServer.GetString(), pathAndQuery.GetString(), version.GetString()));
    if (updater.CheckVersion(strVersionServer, pathAndQuery, version)) updater.Download(updater.m_strDownloadUrl);
}
