#include "install/ZipEntryRules.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct NameCase {
    std::wstring raw;
    std::wstring cleaned;
    bool contained;
};

class ZipEntryNames : public testing::TestWithParam<NameCase> {};

TEST_P(ZipEntryNames, AreCleanedAndOnlyKeptWhenTheyStayInside) {
    const NameCase& c = GetParam();
    CString cleaned = CleanZipEntryName(c.raw.c_str());
    EXPECT_EQ(std::wstring(cleaned.GetString()), c.cleaned) << c.raw;
    EXPECT_EQ(IsContainedEntryName(cleaned), c.contained) << c.raw;
}

INSTANTIATE_TEST_SUITE_P(Table, ZipEntryNames, testing::Values(
    NameCase{ L"systemset.ini", L"systemset.ini", true },
    NameCase{ L"sub/dir/file.txt", L"sub/dir/file.txt", true },
    NameCase{ L"a\\..\\b.txt", L"b.txt", true },
    NameCase{ L"/x.txt", L"x.txt", true },
    NameCase{ L"\\\\server\\share\\x.txt", L"server\\share\\x.txt", true },
    NameCase{ L"C:\\evil.txt", L"evil.txt", true },
    NameCase{ L"C:evil.txt", L"evil.txt", true },
    NameCase{ L"x:/y:/z.txt", L"z.txt", true },
    NameCase{ L"../../x.txt", L"x.txt", true },
    NameCase{ L"a/b/../../../../x.txt", L"../x.txt", false },  // one step too many
    NameCase{ L"a\\../b/..\\c.txt", L"c.txt", true },
    NameCase{ L"./a.txt", L"./a.txt", true },
    NameCase{ L"dir/", L"dir/", true },
    // What the cleaning leaves alone is refused.
    NameCase{ L"..\\evil.txt", L"..\\evil.txt", false },
    NameCase{ L"../evil.txt", L"../evil.txt", false },
    NameCase{ L"..", L"..", false },
    NameCase{ L"a/..", L"a/..", false },
    NameCase{ L"... /x.txt", L"... /x.txt", false },
    NameCase{ L"a/.. /x.txt", L"a/.. /x.txt", false },
    NameCase{ L"a.txt:stream", L"a.txt:stream", false },
    NameCase{ L"aux", L"aux", false },
    NameCase{ L"dir/NUL.txt", L"dir/NUL.txt", false },
    NameCase{ L"com1 .log", L"com1 .log", false },
    NameCase{ L"console.txt", L"console.txt", true },
    NameCase{ L"", L"", false }));

TEST(ZipEntryAttributes, FollowTheHostSystem) {
    struct Case { int host; DWORD external; DWORD expected; } cases[] = {
        { 0, 0x20, FILE_ATTRIBUTE_ARCHIVE },
        { 0, 0x27, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM },
        { 0, 0x10, FILE_ATTRIBUTE_DIRECTORY },
        { 0, 0xFFFFFFC8, 0 },                         // only the DOS bits count
        { 11, 0x21, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY },
        { 14, 0x20, FILE_ATTRIBUTE_ARCHIVE },
        { 3, 0x81A40000, FILE_ATTRIBUTE_ARCHIVE },    // -rw-r--r--
        { 3, 0x81240000, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY },  // -r--r--r--
        { 3, 0x41ED0010, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_DIRECTORY },  // drwxr-xr-x
        { 3, 0x00000027, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY },  // DOS bits ignored
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZipEntryAttributes(c.host, c.external), c.expected) << c.host << " " << std::hex << c.external;
}

ULONGLONG Ticks(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

TEST(ZipEntryTimes, DosTimeIsReadAsLocalTime) {
    // 2013-05-17 14:21:10 local.
    FILETIME ft = ZipDosTimeToFileTime(MAKELONG((14 << 11) | (21 << 5) | 5, (33 << 9) | (5 << 5) | 17));
    FILETIME local;
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToLocalFileTime(&ft, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &st));
    EXPECT_EQ(st.wYear, 2013);
    EXPECT_EQ(st.wMonth, 5);
    EXPECT_EQ(st.wDay, 17);
    EXPECT_EQ(st.wHour, 14);
    EXPECT_EQ(st.wMinute, 21);
    EXPECT_EQ(st.wSecond, 10);
    EXPECT_EQ(Ticks(ZipDosTimeToFileTime(0)), 0u);  // month 0, day 0: no time at all
}

TEST(ZipEntryTimes, UnixTimesComeFromTheFirstUtRecord) {
    const ULONGLONG kEpoch = 116444736000000000ULL;
    auto unix = [&](long long t) { return kEpoch + static_cast<ULONGLONG>(t) * 10000000ULL; };
    struct Case {
        std::string extra;
        ULONGLONG write, access, creation;
    } cases[] = {
        // flags 7: write, access, creation in that order
        { std::string("UT\x0d\x00\x07", 5) + std::string("\x10\x00\x00\x00\x20\x00\x00\x00\x30\x00\x00\x00", 12),
          unix(0x10), unix(0x20), unix(0x30) },
        // flags 2 only: the one time is the access time
        { std::string("UT\x05\x00\x02\x40\x00\x00\x00", 9), 1, unix(0x40), 3 },
        // another record first, then UT
        { std::string("xy\x02\x00\xAA\xBB", 6) + std::string("UT\x05\x00\x01\x00\x00\x00\x52", 9),
          unix(0x52000000), 2, 3 },
        // record claims more times than it holds: stops at its end
        { std::string("UT\x05\x00\x07\x11\x00\x00\x00\x99\x99\x99\x99", 13), unix(0x11), 2, 3 },
        // field shorter than five bytes: not read
        { std::string("UT\x01\x00", 4), 1, 2, 3 },
        // size field runs past the end of the field
        { std::string("UT\xff\x00\x01\x01\x02", 7), 1, 2, 3 },
        // a record size that skips past the end ends the walk
        { std::string("ab\xff\x00\x00UT\x05\x00\x01\x01\x02\x03\x04", 14), 1, 2, 3 },
    };
    for (const Case& c : cases) {
        FILETIME write = { 1, 0 }, access = { 2, 0 }, creation = { 3, 0 };
        ApplyZipExtendedTimes(reinterpret_cast<const BYTE*>(c.extra.data()), c.extra.size(), write, access, creation);
        EXPECT_EQ(Ticks(write), c.write);
        EXPECT_EQ(Ticks(access), c.access);
        EXPECT_EQ(Ticks(creation), c.creation);
    }
}

}  // namespace
