#include "app/LaunchMode.h"
#include "mainwnd/GameViewLauncher.h"
#include "tests/support/SuiteLine.h"
#include <gtest/gtest.h>
#include <random>
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

// Command lines put together at random from the pieces the decision looks for, with noise in
// between: the decision and the parsing never crash, and every line ends in the mode the table
// gives. Lines the main window writes for random addresses always start the game view with
// exactly that address.
class CommandLineFuzz {
public:
    explicit CommandLineFuzz(unsigned seed) : m_random(seed) {}

    std::wstring Line() {
        static const wchar_t* const kPieces[] = {
            L"-d", L"-u", L" ", L" ", L"  ", L"\t", L"-frameWnd=", L"-frameWnd=", L"-gameurl=", L"-gameurl=",
            kExe, L"C:\\Users\\p\\tsk\\Lander_Kv.exe", L"1234", L"0", L"-", L"+", L"-5", L"\"", L"=",
            L"99999999999999999999", L"2147483648", L"-2147483649", L"http://h/play_gamecode?svname=S1&a=1",
            L"-FrameWnd=", L"-GAMEURL=", L"\xD800", L"\xDC00", L"\xDBFF\xDFFF", L"\xFFFF", L"\x3000", L"%s%n",
        };
        std::wstring line;
        // Now and then a huge line: the system allows 32767 characters.
        bool huge = Pick(250) == 0;
        int pieces = huge ? 2000 + static_cast<int>(Pick(4000)) : static_cast<int>(Pick(12));
        for (int i = 0; i < pieces && line.size() < 32767; ++i) {
            if (Pick(4) == 0) line += static_cast<wchar_t>(1 + Pick(0xFFFF));  // any code unit but NUL
            else line += kPieces[Pick(sizeof(kPieces) / sizeof(kPieces[0]))];
        }
        if (line.size() > 32767) line.resize(32767);
        return line;
    }

    // An address as a login page might hand it over, noise included.
    std::wstring Address() {
        static const wchar_t* const kPieces[] = {
            L"http://g.example/play_gamecode?g=tsk", L"&svname=", L"%E5%8F%8C", L" ", L"\"", L"-frameWnd=7 ",
            L"-gameurl=", L"-u", L"-d", L"%s", L"\xD800", L"\xDC00", L"\x4E2D",
        };
        std::wstring url;
        for (int i = static_cast<int>(Pick(8)); i > 0; --i) {
            if (Pick(5) == 0) url += static_cast<wchar_t>(1 + Pick(0xFFFF));
            else url += kPieces[Pick(sizeof(kPieces) / sizeof(kPieces[0]))];
        }
        return url;
    }

    long Handle() {
        long h = static_cast<long>(m_random());
        return h ? h : 1;
    }

private:
    unsigned Pick(unsigned n) { return m_random() % n; }
    std::mt19937 m_random;
};

bool StartsWith(const std::wstring& s, const wchar_t* prefix) { return s.compare(0, wcslen(prefix), prefix) == 0; }
bool EndsWith(const std::wstring& s, const wchar_t* suffix) {
    size_t n = wcslen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// Empty when the decision and the parsed arguments agree with the command-line table.
std::string Disagreement(const std::wstring& line, LaunchMode mode, LaunchMode after, const GameViewArgs& args) {
    LaunchMode viewOrNormal = args.hFrame != 0 ? LaunchMode::GameView : LaunchMode::Normal;
    LaunchMode expected = StartsWith(line, L"-d") ? LaunchMode::Update
                        : EndsWith(line, L"-u")   ? LaunchMode::UninstallConfirm
                        : StartsWith(line, L"-u") ? LaunchMode::UninstallRemove
                                                  : viewOrNormal;
    if (mode != expected) return "mode " + std::to_string(static_cast<int>(mode)) + " instead of " + std::to_string(static_cast<int>(expected));
    if (after != viewOrNormal) return "the mode after an update disagrees with the frame handle";
    size_t frame = line.find(L"-frameWnd=");
    if (args.hFrame != 0 && (frame == std::wstring::npos || line.find(L' ', frame) == std::wstring::npos))
        return "a frame handle without \"-frameWnd=\" and a blank after it";
    std::wstring url = args.strGameUrl.str();
    if (!url.empty() && !EndsWith(line, (L"-gameurl=" + url).c_str())) return "an address that is not the rest of the line";
    return std::string();
}

TEST(CommandLineFuzzing, RandomLinesNeverCrashAndEndInTheTablesMode) {
    const char kSuite[] = "command-line-fuzzing";
    testing_support::WriteSuiteStarted(kSuite, "command-line fuzzing");
    CommandLineFuzz fuzz(20240611);
    const int kLines = 100000, kWrittenLines = 20000;
    int crashes = 0, wrong = 0;
    for (int i = 0; i < kLines; ++i) {
        std::wstring line = fuzz.Line();
        try {
            CString commandLine(line);
            std::string why = Disagreement(line, DecideLaunchMode(commandLine), GameViewOrNormal(commandLine),
                                           ParseGameViewArgs(commandLine));
            if (!why.empty() && ++wrong <= 5) ADD_FAILURE() << "line " << i << ": " << why;
        } catch (...) {
            if (++crashes <= 5) ADD_FAILURE() << "line " << i << " threw";
        }
    }
    // What the main window writes for the game view, with addresses of any shape.
    int wrongViews = 0;
    for (int i = 0; i < kWrittenLines; ++i) {
        std::wstring url = fuzz.Address();
        long handle = fuzz.Handle();
        try {
            HWND hFrame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
            CString line = FormatGameViewCommandLine(L"C:\\Users\\p\\AppData\\Roaming\\Nuvra\\tsk\\Lander_Kv.exe", hFrame, url.c_str());
            GameViewArgs args = ParseGameViewArgs(line);
            // An address ending in "-u" travels with its last character escaped, the same address.
            std::wstring expected = EndsWith(url, L"-u") ? url.substr(0, url.size() - 1) + L"%75" : url;
            if ((DecideLaunchMode(line) != LaunchMode::GameView || args.hFrame != handle || args.strGameUrl.str() != expected) &&
                ++wrongViews <= 5)
                ADD_FAILURE() << "the game view does not read back what the main window wrote for address #" << i
                              << " (" << line.ToMultiByte(CP_UTF8) << ")";
        } catch (...) {
            if (++crashes <= 5) ADD_FAILURE() << "address " << i << " threw";
        }
    }
    int lost = crashes + wrong + wrongViews;
    testing_support::WriteSuiteLine(kSuite,
        "command-line fuzzing: " + std::to_string(kLines) + " random command lines and " + std::to_string(kWrittenLines) +
        " game-view lines, " + std::to_string(crashes) + " crashes, " + std::to_string(wrong + wrongViews) +
        " in the wrong mode, " + (lost ? std::to_string(lost) + " LOST" : std::string("nothing lost")));
    EXPECT_EQ(crashes, 0);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(wrongViews, 0);
}

}  // namespace
