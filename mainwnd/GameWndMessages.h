// The private messages between the main window and the game-view process.
#pragma once
#include <windows.h>

// game view -> main window, sent: wParam = the game view's dialog window. Result 0.
#define WM_GAMEWND_ATTACHED (WM_USER + 2001)
// main window -> game view, posted: navigate again to the game address. Result 0.
#define WM_GAMEWND_RELOAD   (WM_USER + 2002)
// main window -> game view, sent: wParam 1 = cover the whole client area, 0 = keep the strip free.
#define WM_GAMEWND_FIT      (WM_USER + 2003)

// Height of the caption strip the game view leaves free at the top of the main window.
const int kGameWndCaptionHeight = 30;

// How long the main window waits for the game view to handle a synchronous message, and how long
// once the game view has let one time out and not answered since.
const UINT kGameWndSendTimeoutMs = 1000;
const UINT kGameWndUnansweredTimeoutMs = 100;

// Sends a synchronous message to the game view of another process without letting a hung or
// dead game view block the main window: the call gives up after about a second (at once when the
// system already knows the receiver as hung). Messages still arrive in the order they are sent.
// Returns FALSE when the message was not handled in time.
inline BOOL SendToGameView(HWND hGameWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                           LRESULT* pResult = nullptr, UINT timeoutMs = kGameWndSendTimeoutMs) {
    DWORD_PTR result = 0;
    LRESULT ok = ::SendMessageTimeoutW(hGameWnd, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                       timeoutMs, &result);
    if (pResult) *pResult = static_cast<LRESULT>(result);
    return ok != 0;
}
