#include "app/LaunchMode.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const wchar_t kExe[] = L"\"C:\\Program Files\\Lander_Kv.exe\"";

struct ModeCase {
    std::wstring commandLine;
    LaunchMode first;   // the decision
    LaunchMode after;   // what an update mode that returns goes on with
};

std::wstring Exe(const wchar_t* tail) { return std::wstring(kExe) + tail; }

class LaunchModeDecision : public testing::TestWithParam<ModeCase> {};

TEST_P(LaunchModeDecision, FollowsTheCommandLineTable) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(DecideLaunchMode(c.commandLine.c_str()), c.first);
    EXPECT_EQ(GameViewOrNormal(c.commandLine.c_str()), c.after);
}

INSTANTIATE_TEST_SUITE_P(Table, LaunchModeDecision, testing::Values(
    ModeCase{ kExe, LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" 1"), LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" -d"), LaunchMode::Normal, LaunchMode::Normal },            // typed by a user
    ModeCase{ L"-d", LaunchMode::Update, LaunchMode::Normal },
    ModeCase{ L"-d C:\\Users\\p\\tsk\\Lander_Kv.exe", LaunchMode::Update, LaunchMode::Normal },
    ModeCase{ L"-d C:\\x.exe -u", LaunchMode::Update, LaunchMode::Normal },      // update wins over -u
    ModeCase{ Exe(L" -u"), LaunchMode::UninstallConfirm, LaunchMode::Normal },
    ModeCase{ L"-u", LaunchMode::UninstallConfirm, LaunchMode::Normal },         // ends with -u as well
    ModeCase{ L"-u C:\\Users\\p\\tsk\\Lander_Kv.exe", LaunchMode::UninstallRemove, LaunchMode::Normal },
    ModeCase{ Exe(L" -frameWnd=1234"), LaunchMode::Normal, LaunchMode::Normal },  // no blank after the number
    ModeCase{ Exe(L" -frameWnd=1234 -gameurl=abc?x=1 y"), LaunchMode::GameView, LaunchMode::GameView },
    ModeCase{ Exe(L" -frameWnd=0 -gameurl=abc"), LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" -gameurl=abc"), LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" -frameWnd= -gameurl=abc"), LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" -frameWnd=x12 -gameurl=abc"), LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ Exe(L" -frameWnd=-5 -gameurl=abc"), LaunchMode::GameView, LaunchMode::GameView },
    ModeCase{ Exe(L" -frameWnd=99999999999999999999 -gameurl=a"), LaunchMode::GameView, LaunchMode::GameView },
    ModeCase{ Exe(L" -FrameWnd=12 -gameurl=abc"), LaunchMode::Normal, LaunchMode::Normal },  // case-sensitive
    ModeCase{ L"", LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ L"   ", LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ L"d", LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ L"-", LaunchMode::Normal, LaunchMode::Normal },
    ModeCase{ L"u", LaunchMode::Normal, LaunchMode::Normal }));

struct ArgsCase {
    std::wstring commandLine;
    long hFrame;
    std::wstring gameUrl;
};

class GameViewArguments : public testing::TestWithParam<ArgsCase> {};

TEST_P(GameViewArguments, ParseAsTheMainWindowWritesThem) {
    const ArgsCase& c = GetParam();
    GameViewArgs args = ParseGameViewArgs(c.commandLine.c_str());
    EXPECT_EQ(args.hFrame, c.hFrame);
    EXPECT_EQ(std::wstring(args.strGameUrl.GetString()), c.gameUrl);
}

INSTANTIATE_TEST_SUITE_P(Table, GameViewArguments, testing::Values(
    ArgsCase{ Exe(L" -frameWnd=1234 -gameurl=abc?x=1 y"), 1234, L"abc?x=1 y" },
    ArgsCase{ Exe(L" -frameWnd=65794 -gameurl=http://h/play_gamecode?svname=S1&a=\"q\" -x"), 65794,
              L"http://h/play_gamecode?svname=S1&a=\"q\" -x" },
    ArgsCase{ Exe(L" -frameWnd=1234"), 0, L"" },
    ArgsCase{ Exe(L" -frameWnd=  +77 -gameurl="), 0, L"" },               // first blank ends the number text
    ArgsCase{ Exe(L" -frameWnd=+77 -gameurl="), 77, L"" },
    ArgsCase{ Exe(L" -frameWnd=12ab -gameurl=u"), 12, L"u" },
    ArgsCase{ Exe(L" -gameurl=only"), 0, L"only" },
    ArgsCase{ Exe(L" -gameurl=first -frameWnd=5 -gameurl=second"), 5, L"second" },  // searched after the handle
    ArgsCase{ Exe(L" -frameWnd=5 x"), 5, L"" },
    ArgsCase{ L"", 0, L"" }));

TEST(GameViewArguments, SurviveHostileCommandLines) {
    std::wstring huge(32 * 1024, L'x');
    std::wstring surrogates = L"-frameWnd=\xD800\xDC00\xDBFF -gameurl=\xDC00";
    for (const std::wstring& line : { huge, L"-frameWnd=" + huge, huge + L"-u", surrogates,
                                      std::wstring(L"-frameWnd=") + std::wstring(20000, L'9') + L" -gameurl=z" }) {
        LaunchMode mode = DecideLaunchMode(line.c_str());
        EXPECT_TRUE(mode == LaunchMode::Normal || mode == LaunchMode::UninstallConfirm || mode == LaunchMode::GameView);
        ParseGameViewArgs(line.c_str());
    }
    EXPECT_EQ(DecideLaunchMode((huge + L"-u").c_str()), LaunchMode::UninstallConfirm);
    EXPECT_EQ(ParseGameViewArgs(surrogates.c_str()).strGameUrl, CString(L"\xDC00"));
}

}  // namespace
