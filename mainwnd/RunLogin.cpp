#include "mainwnd/RunLogin.h"

// Until the login window exists the main window starts without a game address: no server
// name in the strip, and a game view with nothing to show.
CString RunLoginAndGetGameUrl() {
    return CString();
}
