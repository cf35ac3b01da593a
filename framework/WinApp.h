// The application object: one global instance, found with AfxGetApp(); the process entry point
// (WinMain.cpp) runs InitInstance, then the message loop when it returned TRUE, then ExitInstance.
//
// Its profile store keeps values below HKEY_CURRENT_USER\Software\<registry key>\<application>\<section>.
#pragma once
#include "framework/Wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // The message loop of processes that keep running after InitInstance; returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance() { return m_nExitCode; }
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    void SetRegistryKey(const wchar_t* pszRegistryKey);
    CString GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszDefault = nullptr);
    BOOL WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue);
    UINT GetProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nDefault);
    BOOL WriteProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nValue);
    // HKCU\Software\<registry key>\<application>, created on demand; the caller closes it.
    HKEY GetAppRegistryKey();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;       // the executable's file name without extension
    CString m_strRegistryKey;   // the company key given to SetRegistryKey
    int m_nExitCode = 0;

private:
    HKEY GetSectionKey(const wchar_t* pszSection);
};

// The feature-pack application class; the program uses nothing beyond CWinApp from it.
class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL bResourceSmartUpdate = FALSE) { (void)bResourceSmartUpdate; }
};

CWinApp* AfxGetApp();
// Windows of this program host OLE controls through their own site objects; nothing to enable.
inline void AfxEnableControlContainer() {}
// The body of wWinMain.
int AfxWinMain(HINSTANCE hInstance, int nCmdShow);
