#include "login/LoginRules.h"

bool IsGameAddress(const CString& url) {
    return url.Find(L"play_gamecode") >= 0;
}

LoginKeyRoute RouteLoginKey(UINT key, bool bCtrlDown) {
    switch (key) {
    case VK_RETURN: return LoginKeyRoute::Page;
    case VK_TAB: return LoginKeyRoute::Forward;
    case 'A': case 'C': case 'V': case 'X':
        return bCtrlDown ? LoginKeyRoute::Forward : LoginKeyRoute::Dialog;
    case VK_SPACE: case VK_ESCAPE: return LoginKeyRoute::Swallow;
    default: return LoginKeyRoute::Dialog;
    }
}
