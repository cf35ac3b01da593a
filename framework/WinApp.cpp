#include "framework/WinApp.h"

namespace {
CWinApp* g_pApp = nullptr;

CString ExecutableBaseName() {
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}
}

CWinApp* AfxGetApp() { return g_pApp; }

CWinApp::CWinApp() {
    g_pApp = this;
    m_hInstance = ::GetModuleHandleW(nullptr);
    m_strAppName = ExecutableBaseName();
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    return CWnd::WalkPreTranslateTree(hMain, pMsg);
}

int CWinApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got < 0) break;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_nExitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

void CWinApp::SetRegistryKey(const wchar_t* pszRegistryKey) {
    m_strRegistryKey = pszRegistryKey;
}

HKEY CWinApp::GetAppRegistryKey() {
    if (m_strRegistryKey.IsEmpty()) return nullptr;
    CString path = L"Software\\" + m_strRegistryKey + L"\\" + m_strAppName;
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

HKEY CWinApp::GetSectionKey(const wchar_t* pszSection) {
    HKEY hApp = GetAppRegistryKey();
    if (!hApp) return nullptr;
    HKEY hSection = nullptr;
    if (::RegCreateKeyExW(hApp, pszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, &hSection, nullptr) != ERROR_SUCCESS)
        hSection = nullptr;
    ::RegCloseKey(hApp);
    return hSection;
}

CString CWinApp::GetProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszDefault) {
    CString result(pszDefault);
    HKEY hKey = GetSectionKey(pszSection);
    if (!hKey) return result;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(hKey, pszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        CString value;
        wchar_t* buf = value.GetBuffer(size / sizeof(wchar_t) + 1);
        if (::RegQueryValueExW(hKey, pszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) == ERROR_SUCCESS) {
            buf[size / sizeof(wchar_t)] = L'\0';
            value.ReleaseBuffer();
            result = value;
        }
    }
    ::RegCloseKey(hKey);
    return result;
}

BOOL CWinApp::WriteProfileString(const wchar_t* pszSection, const wchar_t* pszEntry, const wchar_t* pszValue) {
    HKEY hKey = GetSectionKey(pszSection);
    if (!hKey) return FALSE;
    LONG rc;
    if (!pszValue)
        rc = ::RegDeleteValueW(hKey, pszEntry);
    else
        rc = ::RegSetValueExW(hKey, pszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                              static_cast<DWORD>((lstrlenW(pszValue) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

UINT CWinApp::GetProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nDefault) {
    UINT result = nDefault;
    HKEY hKey = GetSectionKey(pszSection);
    if (!hKey) return result;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExW(hKey, pszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        result = value;
    ::RegCloseKey(hKey);
    return result;
}

BOOL CWinApp::WriteProfileInt(const wchar_t* pszSection, const wchar_t* pszEntry, int nValue) {
    HKEY hKey = GetSectionKey(pszSection);
    if (!hKey) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    LONG rc = ::RegSetValueExW(hKey, pszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    ::RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE hInstance, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = hInstance;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
