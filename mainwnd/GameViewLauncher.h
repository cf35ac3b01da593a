// Starts the game-view process: a second instance of the executable that shows the game page
// in a child window of the main window (see CGameWndDlg).
#pragma once
#include "framework/String.h"

struct GameViewLaunch {
    CString strExePath;   // empty: the running executable
    HWND hFrameWnd = nullptr;
    CString strGameUrl;   // undecoded, as the login returned it
};

// "<exe>" -frameWnd=<handle> -gameurl=<address>: the address goes last and unquoted, so the
// game view takes everything after "-gameurl=" as the address, spaces included. An address
// ending in "-u" gets its last character escaped ("-%75"), or the line would be read as the
// uninstall question.
CString FormatGameViewCommandLine(const CString& strExePath, HWND hFrameWnd, const CString& strGameUrl);

// Starts the process and lets it go; false when it could not be started (the main window then
// simply has no game view).
bool StartGameViewProcess(const GameViewLaunch& launch);

// Thread routine: pParam is a GameViewLaunch allocated with new, which the thread deletes.
unsigned __stdcall GameViewLauncher(void* pParam);
