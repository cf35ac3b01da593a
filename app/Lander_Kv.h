// The application object: initialises the framework and GDI+, then plays the role the command line names.
#pragma once
#include "framework/WinApp.h"

class CLander_KvApp : public CWinAppEx {
public:
    CLander_KvApp() : CWinAppEx(TRUE) {}

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    BOOL RunMode(const CString& strCommandLine);
    void RunNormal();
    BOOL RunGameView(const CString& strCommandLine);

    ULONG_PTR m_gdiplusToken = 0;
};
