// The login's decisions that need no window: which address ends the login, and where a key
// pressed in the login popup goes.
#pragma once
#include "framework/String.h"
#include <windows.h>

// The platform sends a logged-in player to the game through an address with this marker.
bool IsGameAddress(const CString& url);

enum class LoginKeyRoute {
    Page,       // dispatched normally to the focused page window (Enter submits the page's form)
    Forward,    // handed to the page's accelerator handling (Tab, Ctrl+A/C/V/X)
    Swallow,    // kept away from the page (Space, Esc)
    Dialog,     // the dialog's own pre-translation
};

LoginKeyRoute RouteLoginKey(UINT key, bool bCtrlDown);
