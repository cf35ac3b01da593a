// CWnd: a C++ object tied to one window handle.
//
// The object is found from its handle through a window property, and it receives the window's
// messages by subclassing: our procedure sits in front of the window's own one, looks the message
// up in the class's message map and hands everything it does not handle to the procedure it
// replaced. Windows created from classes we register get the object on WM_NCCREATE; dialogs on
// WM_INITDIALOG; existing controls when they are subclassed (control binding).
#pragma once
#include "framework/Geometry.h"
#include "framework/MessageMap.h"
#include "framework/String.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object of a window of this process, or null (foreign or unbound windows).
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Ties the object to a handle without taking its messages (for windows owned elsewhere).
    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Ties the object to a handle and routes the window's messages through the message map.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creates a window of a class registered by RegisterWindowClass (or any system class).
    BOOL CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName,
                  DWORD dwStyle, const RECT& rect, HWND hWndParent, UINT_PTR nIDOrMenu);
    // Registers a class whose windows are bound to their objects from the first message on.
    static const wchar_t* RegisterWindowClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                              HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);
    virtual BOOL DestroyWindow();

    // Called for each message before it is dispatched; TRUE means it was handled here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers pMsg to the objects from its target window up to hWndStop; TRUE once one takes it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // --- thin wrappers ---
    LRESULT SendMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageW(m_hWnd, m, w, l); }
    BOOL PostMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageW(m_hWnd, m, w, l); }
    BOOL ShowWindow(int nCmdShow) const { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) const { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void MoveWindow(int x, int y, int w, int h, BOOL bRepaint = TRUE) const { ::MoveWindow(m_hWnd, x, y, w, h, bRepaint); }
    void MoveWindow(LPCRECT r, BOOL bRepaint = TRUE) const { MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint); }
    BOOL SetWindowPos(HWND hWndAfter, int x, int y, int cx, int cy, UINT nFlags) const { return ::SetWindowPos(m_hWnd, hWndAfter, x, y, cx, cy, nFlags); }
    void GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
    void GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
    void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
    void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(LPRECT r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(r), 2); }
    void ClientToScreen(LPRECT r) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(r), 2); }
    void Invalidate(BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT r, BOOL bErase = TRUE) const { ::InvalidateRect(m_hWnd, r, bErase); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    void SetWindowText(const wchar_t* psz) const { ::SetWindowTextW(m_hWnd, psz); }
    CString GetWindowText() const;
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse) const { return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
    BOOL KillTimer(UINT_PTR nIDEvent) const { return ::KillTimer(m_hWnd, nIDEvent); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND SetParent(HWND hWndNewParent) const { return ::SetParent(m_hWnd, hWndNewParent); }
    HWND SetFocus() const { return ::SetFocus(m_hWnd); }
    BOOL SetForegroundWindow() const { return ::SetForegroundWindow(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) const { return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon, reinterpret_cast<LPARAM>(hIcon))); }
    void CenterWindow(HWND hWndAlternateOwner = nullptr) const;

protected:
    // The message entry point; the default looks in the message map, then calls DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a message to the window procedure this object replaced (or the system default).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled on to DefWindowProc; for handlers that only add to it.
    LRESULT Default();
    // A parent forwards colour and owner-draw requests to the child's object first.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called by SubclassWindow once the object knows its handle, before the messages come here.
    virtual void PreSubclassWindow() {}
    // Last message of the window; the object is already unbound when this runs.
    virtual void PostNcDestroy() {}

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    const MessageMapEntry* FindHandler(UINT message, WPARAM wParam) const;
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void Bind(HWND hWnd);

    WNDPROC m_pfnSuper = nullptr;
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; } m_current = {};

    friend class CDialog;
};
