// Private messages between the main window and the game-view process.
#pragma once
#include <windows.h>

// game view -> main window, sent: wParam is the game view dialog's window
#define WM_GAMEWND_ATTACHED (WM_USER + 2001)
// main window -> game view, posted: navigate to the game address again
#define WM_GAMEWND_RELOAD   (WM_USER + 2002)
// main window -> game view, sent: wParam 1 covers the whole client area, 0 leaves the caption strip free
#define WM_GAMEWND_FIT      (WM_USER + 2003)
