#include "mainwnd/RunLogin.h"
#include "login/LanderLogin.h"

CString RunLoginAndGetGameUrl() {
    CLanderLogin login;
    login.DoModal();
    return login.GetGameUrl();
}
