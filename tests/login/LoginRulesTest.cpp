#include "login/LoginRules.h"
#include <gtest/gtest.h>

namespace {

TEST(LoginRules, OnlyAddressesWithTheExactMarkerAreGameAddresses) {
    struct Case { const wchar_t* url; bool game; } cases[] = {
        { L"http://127.0.0.1:8480/login.php", false },
        { L"http://host/play_gamecode?svname=S1", true },
        { L"http://host/x?next=play_gamecode", true },                  // anywhere, query included
        { L"http://host/frame.php#play_gamecode", true },
        { L"http://host/PLAY_GAMECODE?svname=S1", false },              // case-sensitive
        { L"http://host/play_game_code", false },
        { L"", false },
    };
    for (const auto& c : cases) EXPECT_EQ(IsGameAddress(c.url), c.game) << CString(c.url).ToMultiByte();
}

TEST(LoginRules, KeysOfThePopupGoWhereAFormInABrowserWouldWantThem) {
    struct Case { UINT key; bool ctrl; LoginKeyRoute route; } cases[] = {
        { VK_RETURN, false, LoginKeyRoute::Page },
        { VK_RETURN, true, LoginKeyRoute::Page },
        { VK_TAB, false, LoginKeyRoute::Forward },
        { 'A', true, LoginKeyRoute::Forward },
        { 'C', true, LoginKeyRoute::Forward },
        { 'V', true, LoginKeyRoute::Forward },
        { 'X', true, LoginKeyRoute::Forward },
        { 'A', false, LoginKeyRoute::Dialog },
        { 'V', false, LoginKeyRoute::Dialog },
        { 'Z', true, LoginKeyRoute::Dialog },
        { VK_SPACE, false, LoginKeyRoute::Swallow },
        { VK_ESCAPE, false, LoginKeyRoute::Swallow },
        { VK_ESCAPE, true, LoginKeyRoute::Swallow },
        { VK_LEFT, false, LoginKeyRoute::Dialog },
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouteLoginKey(c.key, c.ctrl), c.route) << "key " << c.key << " ctrl " << c.ctrl;
}

}  // namespace
