// CUpdater: one update run, from the version question to handing over to the downloaded copy.
// A plain record of strings that lives on the stack of RunUpdateCheck.
#pragma once
#include "framework/String.h"

class CUpdater {
public:
    CString m_strRequestUrl;      // the version request address
    CString m_strTempPath;        // <roaming application data>\cache\kvtsktmp.exe
    CString m_strInstallTarget;   // the installed executable that an update replaces
    CString m_strFolderSuffix;    // \Nuvra\tsk\ : the data folder below the application data
    CString m_strDownloadUrl;     // the new executable's address; empty until a reply names one

    // Prepares the paths; a temporary file left by an earlier run is deleted, never reused.
    void Init(CString fileName, CString folderSuffix);
    // Asks the version server; TRUE when the reply names an update (then in m_strDownloadUrl).
    BOOL CheckVersion(CString baseUrl, CString pathAndQuery, CString version);
    // The reply to m_strRequestUrl (at most 1023 bytes of it), or an empty string.
    CString QueryVersionReply();
    // Fetches url into m_strTempPath and, when the whole announced length arrived, hands over to it.
    // Returns when the download was refused, failed, was incomplete or the hand-over failed.
    void Download(CString url);
    // Starts appPath in update mode for target and ends this process; returns only when the
    // start failed, so that the launcher carries on.
    void StartUpdatedCopy(CString appPath, CString target);
};
