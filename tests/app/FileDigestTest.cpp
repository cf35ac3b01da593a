#include "app/FileDigest.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct DigestCase {
    const char* name;
    std::string content;
    const wchar_t* md5;
};

std::string PatternBytes(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(((i * 31) ^ (i >> 8)) & 0xff);
    return s;
}

class FileDigestTest : public testing::TestWithParam<DigestCase> {
protected:
    ScratchFolder m_folder{ L"md5" };
};

TEST_P(FileDigestTest, MatchesTheStandardDigest) {
    const DigestCase& c = GetParam();
    CString path = m_folder / L"file.bin";
    ASSERT_TRUE(WriteBytes(path, c.content));
    CString digest;
    EXPECT_EQ(ComputeFileMd5(path, digest), 1);
    EXPECT_EQ(digest, CString(c.md5));
}

INSTANTIATE_TEST_SUITE_P(Vectors, FileDigestTest, testing::Values(
    DigestCase{ "empty", "", L"d41d8cd98f00b204e9800998ecf8427e" },
    DigestCase{ "abc", "abc", L"900150983cd24fb0d6963f7d28e17f72" },
    DigestCase{ "alphabet", "abcdefghijklmnopqrstuvwxyz", L"c3fcd3d76192e4007dfb496cca67e13b" },
    // Larger than one read chunk, not a multiple of it; digest computed with Python's hashlib.
    DigestCase{ "fiveMegabytes", PatternBytes(5 * 1024 * 1024 + 7), L"1dea9d142680d5d991384a2412719a47" }),
    [](const testing::TestParamInfo<DigestCase>& info) { return std::string(info.param.name); });

TEST(FileDigest, AppendsToWhatTheStringHolds) {
    ScratchFolder folder(L"md5");
    ASSERT_TRUE(WriteBytes(folder / L"abc", "abc"));
    CString digest(L"md5=");
    EXPECT_EQ(ComputeFileMd5(folder / L"abc", digest), 1);
    EXPECT_EQ(digest, CString(L"md5=900150983cd24fb0d6963f7d28e17f72"));
}

TEST(FileDigest, UnreadableFileFailsAndLeavesTheDigestAlone) {
    ScratchFolder folder(L"md5");
    CString digest(L"keep");
    EXPECT_EQ(ComputeFileMd5(folder / L"missing.bin", digest), 0);
    EXPECT_EQ(digest, CString(L"keep"));

    // Held open for writing without read sharing by someone else.
    CString locked = folder / L"locked.bin";
    HANDLE h = CreateFileW(locked, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ComputeFileMd5(locked, digest), 0);
    EXPECT_EQ(digest, CString(L"keep"));
    CloseHandle(h);
}

}  // namespace
