// The launcher as a player starts it: a process that shows its window and ends when it is closed
// and the closing confirmed.
#include "app/ProductText.h"
#include "tests/support/ChildProcess.h"
#include <gtest/gtest.h>
#include <tlhelp32.h>

using namespace testing_support;

namespace {

// A 32-bit process on a host that only emulates 32-bit code takes a minute or more to come up.
const DWORD kStartTimeoutMs = 240000;

struct QuestionSearch { DWORD processId; HWND hMain; HWND hFound; };

BOOL CALLBACK FindQuestion(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<QuestionSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t cls[16] = L"";
    GetClassNameW(h, cls, 16);
    if (pid == s->processId && h != s->hMain && IsWindowVisible(h) && GetWindow(h, GW_OWNER) == s->hMain &&
        !lstrcmpW(cls, L"#32770")) {
        s->hFound = h;
        return FALSE;
    }
    return TRUE;
}

// The skinned question box the main window owns, once it shows.
HWND WaitForQuestion(DWORD processId, HWND hMain, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        QuestionSearch s = { processId, hMain, nullptr };
        EnumWindows(&FindQuestion, reinterpret_cast<LPARAM>(&s));
        if (s.hFound) return s.hFound;
        Sleep(50);
    }
    return nullptr;
}

// The game view the launcher started; it outlives a launcher whose window it never joined.
void EndChildrenOf(DWORD processId) {
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W pe = { sizeof(pe) };
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe)) {
        if (pe.th32ParentProcessID != processId) continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pe.th32ProcessID)) {
            TerminateProcess(h, 0);
            CloseHandle(h);
        }
    }
    CloseHandle(snap);
}

void StartShowAndClose(const CString& exe) {
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(L"\"" + exe + L"\"")) << "cannot start " << exe.ToMultiByte();
    HWND window = launcher.WaitForWindow(kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << "no window from " << exe.ToMultiByte();
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    EXPECT_EQ(CString(title), LoadProductText(IDS_WINDOW_TITLE));

    // The launcher asks before it ends: close it as a player does, and confirm.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND question = WaitForQuestion(launcher.Id(), window, 60000);
    ASSERT_NE(question, nullptr) << "no close question from " << exe.ToMultiByte();
    PostMessageW(question, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 99;
    bool ended = launcher.WaitForExit(60000, &exitCode);
    EndChildrenOf(launcher.Id());
    ASSERT_TRUE(ended);
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
