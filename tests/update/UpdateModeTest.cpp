#include "tests/update/LoopbackServer.h"
#include "tests/update/UpdateTestSupport.h"
#include "app/FileDigest.h"
#include "app/FileVersion.h"
#include "app/UpdateMode.h"
#include <gtest/gtest.h>

using namespace testing_support;
using Messages = std::vector<std::wstring>;

namespace {

const wchar_t kSeparator[] = L"=====================";
const char kOldBytes[] = "the installed launcher, version 1.0.1.0";

class UpdateMode : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        m_strTarget = GetDataFolder() + L"Lander_Kv.exe";
        ASSERT_TRUE(WriteBytes(m_strTarget, kOldBytes));
    }
    CString m_strTarget;
};

// These cases return to the caller, so they run in the test process itself.
TEST_F(UpdateMode, BareSwitchDoesNothing) {
    RunUpdateMode(L"-d");
    EXPECT_FALSE(FileExists(UpdateLogPath()) && !ReadBytes(UpdateLogPath()).empty());
    EXPECT_EQ(ReadBytes(m_strTarget), kOldBytes);
}

struct FailureCase {
    const char* name;
    std::wstring target;  // empty: the installed target, kept locked throughout
    long error;
};

class FailedUpdate : public UpdateMode, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailedUpdate, LogsTheErrorAndCarriesOnAsTheLauncher) {
    const FailureCase& c = GetParam();
    CString target = c.target.empty() ? m_strTarget : CString(c.target.c_str());
    HANDLE hLock = c.target.empty()
        ? CreateFileW(m_strTarget, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
        : INVALID_HANDLE_VALUE;

    RunUpdateMode(L"-d " + target);
    if (hLock != INVALID_HANDLE_VALUE) CloseHandle(hLock);

    EXPECT_EQ(UpdateLogMessages(), (Messages{ FormatString(L"Update failure.Error Code:%ld", c.error).str(), kSeparator }));
    EXPECT_EQ(ReadBytes(m_strTarget), kOldBytes);
}

std::wstring InDataFolder(const wchar_t* tail) { return GetDataFolder().str() + tail; }

INSTANTIATE_TEST_SUITE_P(Targets, FailedUpdate, testing::Values(
    FailureCase{ "LockedForGood", L"", 32 },
    FailureCase{ "Quoted", L"\"" + InDataFolder(L"Lander_Kv.exe") + L"\"", 123 },
    FailureCase{ "MissingFolder", InDataFolder(L"gone\\Lander_Kv.exe"), 3 }),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A successful update ends its process, so a stand-in launcher plays the downloaded copy.
class AppliedUpdate : public UpdateMode {
protected:
    void SetUp() override {
        UpdateMode::SetUp();
        m_strCopy = m_scratch / L"kvtsktmp.exe";
        ASSERT_TRUE(CopyFileW(HelperExe(L"UpdateHelperNewer.exe"), m_strCopy, FALSE));
    }
    long RunCopy() { return WaitForExit(StartProcess(m_strCopy, L"-d " + m_strTarget)); }

    void ExpectInstalledAndStarted() {
        std::string newBytes = ReadBytes(m_strCopy);
        EXPECT_TRUE(ReadBytes(m_strTarget) == newBytes) << "the target does not hold the new build";
        CString digest;
        ComputeFileMd5(m_strCopy, digest);
        EXPECT_EQ(digest.GetLength(), 32);
        EXPECT_EQ(UpdateLogMessages(), (Messages{ L"Finish download,current file md5=" + digest.str(),
                                                 L"Update success.Current Version:1.0.2.0", kSeparator }));
        ASSERT_TRUE(WaitForHelperStart(L"normal"));
        std::vector<HelperStart> starts = HelperStarts();
        ASSERT_EQ(starts.size(), 2u);
        EXPECT_EQ(starts[0].role, L"update");
        EXPECT_EQ(starts[0].commandLine, L"-d " + m_strTarget.str());
        EXPECT_EQ(starts[1].path, m_strTarget.str());
    }

    ScratchFolder m_scratch;
    CString m_strCopy;
};

TEST_F(AppliedUpdate, ReplacesTheTargetAndStartsIt) {
    EXPECT_EQ(RunCopy(), 0);
    ExpectInstalledAndStarted();
}

// The old launcher is usually still ending when the copy starts.
TEST_F(AppliedUpdate, WaitsForATargetThatIsFreedSoon) {
    HANDLE hLock = CreateFileW(m_strTarget, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    HANDLE hProcess = StartProcess(m_strCopy, L"-d " + m_strTarget);
    ASSERT_NE(hProcess, nullptr);
    Sleep(1500);
    CloseHandle(hLock);

    EXPECT_EQ(WaitForExit(hProcess), 0);
    ExpectInstalledAndStarted();
}

}  // namespace
