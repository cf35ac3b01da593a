#include "app/DataFolder.h"
#include "app/UpdateLog.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <shlobj.h>

using namespace testing_support;

namespace {

CString LogPath() { return GetDataFolder() + L"res\\update.log"; }

std::wstring Utf16(const std::string& bytes) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

DWORD WINAPI ReleaseAfterAMoment(void* hFile) {
    Sleep(100);
    CloseHandle(hFile);
    return 0;
}

class UpdateLogTest : public testing::Test {
protected:
    void SetUp() override { ResetDataFolder(true); }
    void TearDown() override { ResetDataFolder(false); }
};

TEST(UpdateLogLine, PadsEveryFieldWithBlanksNeverZeros) {
    SYSTEMTIME t = {};
    t.wYear = 2026; t.wMonth = 3; t.wDay = 5; t.wHour = 9; t.wMinute = 4; t.wSecond = 7;
    EXPECT_EQ(FormatUpdateLogLine(t, L"Finish download,current file md5=ab"),
              CString(L"2026- 3- 5  9: 4: 7 : \tUpdateModule\tFinish download,current file md5=ab"));
    t.wMonth = 12; t.wDay = 31; t.wHour = 23; t.wMinute = 59; t.wSecond = 58;
    EXPECT_EQ(FormatUpdateLogLine(t, L"%s %d"), CString(L"2026-12-31 23:59:58 : \tUpdateModule\t%s %d"));
}

TEST_F(UpdateLogTest, WritesUtf16LinesWithoutByteOrderMark) {
    ASSERT_EQ(WriteUpdateLog(L"first 更新"), 0);
    ASSERT_EQ(WriteUpdateLog(L"====================="), 0);
    std::string bytes = ReadBytes(LogPath());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_NE(bytes.substr(0, 2), std::string("\xFF\xFE"));
    std::wstring text = Utf16(bytes);
    size_t firstEnd = text.find(L"\r\n");
    ASSERT_NE(firstEnd, std::wstring::npos);
    std::wstring first = text.substr(0, firstEnd), second = text.substr(firstEnd + 2);
    EXPECT_EQ(first.substr(19), L" : \tUpdateModule\tfirst 更新");
    EXPECT_EQ(second.substr(19), L" : \tUpdateModule\t=====================\r\n");
    // Two lines in the same second carry the same time stamp; a second boundary may fall between.
    EXPECT_EQ(first.substr(0, 4), second.substr(0, 4));
}

TEST_F(UpdateLogTest, AppendsToAnExistingLogAndNeverTruncatesIt) {
    std::wstring earlier = L"earlier line\r\n";
    ASSERT_TRUE(WriteBytes(LogPath(), std::string(reinterpret_cast<const char*>(earlier.data()), earlier.size() * 2)));
    ASSERT_EQ(WriteUpdateLog(L"next"), 0);
    std::wstring text = Utf16(ReadBytes(LogPath()));
    EXPECT_EQ(text.substr(0, earlier.size()), earlier);
    EXPECT_NE(text.find(L"\tUpdateModule\tnext\r\n"), std::wstring::npos);
}

TEST_F(UpdateLogTest, WaitsForAnotherWriterInsteadOfLosingTheLine) {
    ASSERT_EQ(WriteUpdateLog(L"one"), 0);
    // Another process holds the log for a moment.
    HANDLE held = CreateFileW(LogPath(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HANDLE releaser = CreateThread(nullptr, 0, &ReleaseAfterAMoment, held, 0, nullptr);
    EXPECT_EQ(WriteUpdateLog(L"two"), 0);
    WaitForSingleObject(releaser, INFINITE);
    CloseHandle(releaser);
    std::wstring text = Utf16(ReadBytes(LogPath()));
    EXPECT_NE(text.find(L"\tone\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\ttwo\r\n"), std::wstring::npos);
}

TEST_F(UpdateLogTest, MissingResFolderFailsWithoutCreatingAnything) {
    ResetDataFolder(false);
    EXPECT_EQ(WriteUpdateLog(L"lost"), -1);
    EXPECT_FALSE(FolderExists(GetDataFolder() + L"res"));
    EXPECT_FALSE(FolderExists(GetDataFolder()));
}

TEST(DataFolder, IsTheRoamingPublisherGameFolderEveryTime) {
    wchar_t appData[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData), S_OK);
    CString folder = GetDataFolder();
    EXPECT_EQ(folder, CString(appData) + L"\\Nuvra\\tsk\\");
    EXPECT_EQ(GetDataFolder(), folder);
}

}  // namespace
