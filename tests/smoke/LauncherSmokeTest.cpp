// The launcher as a player starts it: a process that shows its login window first and ends
// when that is closed and the closing confirmed.
#include "tests/smoke/LauncherWindows.h"
#include "tests/support/TestFiles.h"

using namespace testing_support;
using namespace launcher_windows;

namespace {

// A 32-bit process on a host that only emulates 32-bit code takes a minute or more to come up.
const DWORD kStartTimeoutMs = 240000;

void StartShowAndClose(const CString& exe) {
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(L"\"" + exe + L"\"")) << "cannot start " << exe.ToMultiByte();
    // The login window comes first: layered artwork titled with text 107, minimisable from the taskbar.
    HWND window = WaitForLoginWindow(launcher, kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << "no login window from " << exe.ToMultiByte();
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_MINIMIZEBOX);

    CloseAndConfirm(launcher, window, kStartTimeoutMs / 2);
    DWORD exitCode = 99;
    bool ended = launcher.WaitForExit(60000, &exitCode);
    EndChildrenOf(launcher.Id());
    ASSERT_TRUE(ended);
    EXPECT_EQ(exitCode, 0u);
}

// Every normal start installs itself into the data folder the other tests share.
class LauncherSmoke : public testing::Test {
protected:
    void SetUp() override { ResetDataFolder(true); }
    void TearDown() override { ResetDataFolder(false); }
};

TEST_F(LauncherSmoke, StartsShowsItsWindowAndEndsWhenClosed) {
    StartShowAndClose(SiblingExecutable());
}

TEST_F(LauncherSmoke, TheShippedExecutableToo) {
    if (ProductExecutable() == SiblingExecutable()) GTEST_SKIP() << "the tests are built like the shipped executable";
    StartShowAndClose(ProductExecutable());
}

}  // namespace
