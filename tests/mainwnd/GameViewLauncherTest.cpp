#include "app/LaunchMode.h"
#include "mainwnd/GameViewLauncher.h"
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(GameViewCommandLine, CarriesTheAddressWholeAsTheLastItem) {
    const wchar_t kExe[] = L"C:\\Users\\p\\AppData\\Roaming\\Nuvra\\tsk\\Lander_Kv.exe";
    struct Case { std::wstring url; } cases[] = {
        { L"http://g.example/play_gamecode?svname=%E5%8F%8C&a=1" },
        { L"http://g.example/play_gamecode?x=a b  c" },    // spaces stay part of the address
        { L"" },
        { L"http://g.example/play_gamecode?" + std::wstring(8192, L'z') },
    };
    HWND hFrame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(0x2a0c4));
    for (const Case& c : cases) {
        CString line = FormatGameViewCommandLine(kExe, hFrame, c.url.c_str());
        EXPECT_EQ(line.str(), L"\"" + std::wstring(kExe) + L"\" -frameWnd=172228 -gameurl=" + c.url);
        // The game-view side reads back what we wrote.
        GameViewArgs args = ParseGameViewArgs(line);
        EXPECT_EQ(args.hFrame, 0x2a0c4);
        EXPECT_EQ(args.strGameUrl.str(), c.url);
    }
}

// The last two characters of a line decide the uninstall question before the game view is
// looked for, so an address must not end the line with them.
TEST(GameViewCommandLine, AnAddressEndingInTheUninstallSwitchStillStartsTheGameView) {
    HWND hFrame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(4242));
    struct Case { const wchar_t* url; const wchar_t* written; } cases[] = {
        { L"http://g.example/play_gamecode?svname=east-u", L"http://g.example/play_gamecode?svname=east-%75" },
        { L"-u", L"-%75" },
        { L"http://g.example/play_gamecode?svname=east-U", L"http://g.example/play_gamecode?svname=east-U" },
        { L"http://g.example/play_gamecode?x=-u-d", L"http://g.example/play_gamecode?x=-u-d" },
    };
    for (const Case& c : cases) {
        CString line = FormatGameViewCommandLine(L"C:\\tsk\\Lander_Kv.exe", hFrame, c.url);
        EXPECT_EQ(DecideLaunchMode(line), LaunchMode::GameView) << line.ToMultiByte();
        EXPECT_EQ(ParseGameViewArgs(line).strGameUrl, CString(c.written));
    }
}

TEST(GameViewCommandLine, WritesTheHandleAsASignedNumber) {
    HWND hFrame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(0x80001234)));
    CString line = FormatGameViewCommandLine(L"a.exe", hFrame, L"u");
    EXPECT_EQ(line, L"\"a.exe\" -frameWnd=-2147478988 -gameurl=u");
}

TEST(GameViewLauncher, MissingExecutableStartsNothing) {
    GameViewLaunch launch;
    launch.strExePath = L"C:\\no\\such\\folder\\Lander_Kv.exe";
    launch.hFrameWnd = GetDesktopWindow();
    launch.strGameUrl = L"http://g.example/";
    EXPECT_FALSE(StartGameViewProcess(launch));
}

}  // namespace
