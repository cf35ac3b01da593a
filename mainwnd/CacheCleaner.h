// Clearing the web browser control's cache: the system URL cache, then its folder of temporary
// internet files. Runs on a worker thread; progress goes to the debugger output only.
#pragma once
#include "framework/String.h"

// Sent by the worker to the main window as WM_COMMAND when it is done.
#define IDC_CACHE_CLEARED 10002

// Worker routine; pParam is the window (HWND) that receives IDC_CACHE_CLEARED. Returns 0.
unsigned __stdcall ClearBrowserCache(void* pParam);

// Deletes every URL cache entry except cookies; false when no entry could be enumerated.
bool ClearUrlCache();

// Deletes everything below strFolder, read-only files included, except what is named
// "desktop.ini" (and so the folders holding one); false when the folder cannot be listed.
bool ClearFolder(const CString& strFolder);
