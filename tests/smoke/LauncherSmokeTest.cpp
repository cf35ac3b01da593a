// The launcher as a player starts it: a process that shows its window and ends when it is closed.
#include "app/ProductText.h"
#include "tests/support/ChildProcess.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A 32-bit process on a host that only emulates 32-bit code takes a minute or more to come up.
const DWORD kStartTimeoutMs = 240000;

void StartShowAndClose(const CString& exe) {
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(L"\"" + exe + L"\"")) << "cannot start " << exe.ToMultiByte();
    HWND window = launcher.WaitForWindow(kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << "no window from " << exe.ToMultiByte();
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    EXPECT_EQ(CString(title), LoadProductText(IDS_WINDOW_TITLE));

    PostMessageW(window, WM_CLOSE, 0, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(launcher.WaitForExit(60000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(LauncherSmoke, StartsShowsItsWindowAndEndsWhenClosed) {
    StartShowAndClose(SiblingExecutable());
}

TEST(LauncherSmoke, TheShippedExecutableToo) {
    if (ProductExecutable() == SiblingExecutable()) GTEST_SKIP() << "the tests are built like the shipped executable";
    StartShowAndClose(ProductExecutable());
}

}  // namespace
