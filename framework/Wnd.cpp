#include "framework/Wnd.h"

namespace {
const wchar_t kObjectProp[] = L"Lander.CWnd";
const wchar_t kClassPrefix[] = L"Lander.Wnd";

bool IsOwnProcessWindow(HWND hWnd) {
    DWORD pid = 0;
    return hWnd && ::GetWindowThreadProcessId(hWnd, &pid) && pid == ::GetCurrentProcessId();
}
}

CWnd::~CWnd() {
    // An object may go before its window (a stack dialog whose window already closed, a view
    // destroyed by its parent); make sure the window no longer points at it.
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper) UnsubclassWindow(); else Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    // The property of a window of another process holds a pointer of that process: never use it.
    if (!IsOwnProcessWindow(hWnd)) return nullptr;
    return static_cast<CWnd*>(::GetPropW(hWnd, kObjectProp));
}

void CWnd::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProp, this);
}

BOOL CWnd::Attach(HWND hWnd) {
    if (!hWnd || m_hWnd) return FALSE;
    m_hWnd = hWnd;
    if (IsOwnProcessWindow(hWnd) && !::GetPropW(hWnd, kObjectProp)) ::SetPropW(hWnd, kObjectProp, this);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (h && FromHandlePermanent(h) == this) ::RemovePropW(h, kObjectProp);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!hWnd || m_hWnd || !IsOwnProcessWindow(hWnd) || ::GetPropW(hWnd, kObjectProp)) return FALSE;
    Bind(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    return pParent && SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

const wchar_t* CWnd::RegisterWindowClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    // One class per distinct set of attributes, named after them, registered on first use.
    static wchar_t names[16][96];
    static int used = 0;
    wchar_t name[96];
    wsprintfW(name, L"%s:%x:%p:%p:%p", kClassPrefix, nClassStyle, hCursor, hbrBackground, hIcon);
    for (int i = 0; i < used; ++i)
        if (!lstrcmpW(names[i], name)) return names[i];
    if (used == 16) return nullptr;

    WNDCLASSEXW wc = { sizeof(wc) };
    wc.style = nClassStyle;
    wc.lpfnWndProc = &StaticWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = hCursor ? hCursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    lstrcpyW(names[used], name);
    return names[used++];
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const wchar_t* pszClassName, const wchar_t* pszWindowName,
                    DWORD dwStyle, const RECT& rect, HWND hWndParent, UINT_PTR nIDOrMenu) {
    if (m_hWnd) return FALSE;
    HWND h = ::CreateWindowExW(dwExStyle, pszClassName, pszWindowName, dwStyle, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, hWndParent,
                               reinterpret_cast<HMENU>(nIDOrMenu), ::GetModuleHandleW(nullptr), this);
    if (!h) return FALSE;
    // A system class knows nothing of us: take its messages from here on.
    if (!m_hWnd) SubclassWindow(h);
    return m_hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (h == hWndStop) break;
    }
    return FALSE;
}

CString CWnd::GetWindowText() const {
    CString text;
    int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, text.GetBuffer(n + 1), n + 1);
    text.ReleaseBuffer();
    return text;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    DWORD style = GetStyle(), next = (style & ~dwRemove) | dwAdd;
    if (style == next) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, next);
    if (nFlags) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) const {
    DWORD style = GetExStyle(), next = (style & ~dwRemove) | dwAdd;
    if (style == next) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, next);
    if (nFlags) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::CenterWindow(HWND hWndAlternateOwner) const {
    RECT area, self;
    HWND owner = hWndAlternateOwner ? hWndAlternateOwner : ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner)) ::GetWindowRect(owner, &area);
    else ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(m_hWnd, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    SetWindowPos(nullptr, area.left + (area.right - area.left - w) / 2, area.top + (area.bottom - area.top - h) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map = { nullptr, nullptr, 0 };
    return &map;
}

const MessageMapEntry* CWnd::FindHandler(UINT message, WPARAM wParam) const {
    UINT id = 0;
    if (message == WM_COMMAND) {
        // Menus, accelerators (codes 0 and 1) and button clicks (BN_CLICKED, 0) are commands.
        if (HIWORD(wParam) > 1) return nullptr;
        id = LOWORD(wParam);
    }
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& e = map->entries[i];
            if (e.message == message && (message != WM_COMMAND || e.id == id)) return &e;
        }
    }
    return nullptr;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND child = nullptr;
    switch (message) {
    case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        return FALSE;
    }
    CWnd* pChild = FromHandlePermanent(child);
    return pChild && pChild != this && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result)) return result;
    if (const MessageMapEntry* entry = FindHandler(message, wParam)) return entry->invoke(this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && message == WM_NCCREATE) {
        // Our own classes: the object came as the creation parameter.
        pWnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (pWnd) pWnd->Bind(hWnd);
    }
    if (!pWnd) return ::DefWindowProcW(hWnd, message, wParam, lParam);

    CurrentMessage saved = pWnd->m_current;
    pWnd->m_current = { message, wParam, lParam };
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_current = saved;

    if (message == WM_NCDESTROY) {
        // The handle is gone: unbind, then let the object finish (a modeless window may delete itself).
        WNDPROC super = pWnd->m_pfnSuper;
        if (super) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::RemovePropW(hWnd, kObjectProp);
        pWnd->m_pfnSuper = nullptr;
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
    }
    return result;
}
