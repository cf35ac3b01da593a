#include "mainwnd/TrayIcon.h"

TrayIcon::TrayIcon() {
    ZeroMemory(&m_nid, sizeof(m_nid));
}

TrayIcon::~TrayIcon() {
    Remove();
}

void TrayIcon::Add(HWND hWndOwner, HICON hIcon, const wchar_t* pszTip) {
    ZeroMemory(&m_nid, sizeof(m_nid));
    m_nid.cbSize = sizeof(m_nid);
    m_nid.hWnd = hWndOwner;
    m_nid.uID = 0;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYICON;
    m_nid.hIcon = hIcon;
    lstrcpynW(m_nid.szTip, pszTip ? pszTip : L"", ARRAYSIZE(m_nid.szTip));
    ::Shell_NotifyIconW(NIM_ADD, &m_nid);
    // Counted as added even when the shell refused: removing a missing icon does no harm.
    m_bAdded = true;
}

void TrayIcon::Remove() {
    if (!m_bAdded) return;
    ::Shell_NotifyIconW(NIM_DELETE, &m_nid);
    m_bAdded = false;
}
