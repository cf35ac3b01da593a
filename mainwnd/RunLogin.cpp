#include "mainwnd/RunLogin.h"

// The login window does not exist yet: a normal start ends as after a cancelled login.
CString RunLoginAndGetGameUrl() {
    return CString();
}
