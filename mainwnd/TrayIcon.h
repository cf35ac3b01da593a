// The main window's icon in the notification area; removes itself when destroyed.
#pragma once
#include <windows.h>
#include <shellapi.h>

#define WM_TRAYICON (WM_USER + 1)

class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon; its mouse events reach hWndOwner as WM_TRAYICON. The tip is cut to fit.
    void Add(HWND hWndOwner, HICON hIcon, const wchar_t* pszTip);
    // Takes the icon out of the notification area if it is there.
    void Remove();
    bool IsAdded() const { return m_bAdded; }

    NOTIFYICONDATAW m_nid;
    bool m_bAdded = false;
};
