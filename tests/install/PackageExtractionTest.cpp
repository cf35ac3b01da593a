#include "install/PackageExtraction.h"
#include "install/Settings.h"
#include "install/ZipReader.h"
#include "resources/resource.h"
#include "tests/install/InstallArtefacts.h"
#include <gtest/gtest.h>

using namespace testing_support;
using namespace install_artefacts;

namespace {

const char kDefaultSettings[] =
    "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\nautologin=0\r\n"
    "screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n[Start]\r\nfirststart=1\r\n";

ULONGLONG Ticks(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

CString Setting(const wchar_t* section, const wchar_t* key) {
    SettingBuffer value;
    ReadSetting(section, key, L"<none>", value);
    return value;
}

class PackageExtraction : public testing::Test {
protected:
    CString m_res = GetDataFolder() + L"res";
    void SetUp() override {
        ResetDataFolder(false);
        MakeFolders(GetDataFolder());
    }
    void TearDown() override { ResetDataFolder(false); }
};

TEST_F(PackageExtraction, FirstRunUnpacksTheDefaultsWithTheArchiveTimes) {
    EXPECT_EQ(std::wstring(Setting(L"Setting", L"start")), L"<none>");
    ExtractPackage(DataFolderNoSlash());

    // The default as packaged, with the marker added at the end of its [Setting] section.
    std::string expected = kDefaultSettings;
    EXPECT_EQ(expected.size(), 160u);
    expected.insert(expected.find("[Start]"), "start=1001\r\n");
    EXPECT_EQ(ReadBytes(m_res + L"\\systemset.ini"), expected);
    std::string icon = ReadBytes(m_res + L"\\uninstall.ico");
    ASSERT_EQ(icon.size(), 1150u);
    EXPECT_EQ(icon.substr(0, 4), std::string("\0\0\1\0", 4));
    EXPECT_EQ(std::wstring(Setting(L"Setting", L"start")), L"1001");

    // Times and attributes as the package's directory gives them.
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_PACKAGE), L"ZIP");
    ASSERT_NE(resource, nullptr);
    CZipReader reader;
    ASSERT_EQ(reader.OpenFromMemory(LockResource(LoadResource(nullptr, resource)), SizeofResource(nullptr, resource)),
              ZIP_OK);
    for (int i = 0; i < 2; ++i) {
        ZipItem item;
        ASSERT_EQ(reader.GetItem(i, item), ZIP_OK);
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExW(m_res + L"\\" + item.name, GetFileExInfoStandard, &data)) << i;
        EXPECT_EQ(data.dwFileAttributes & 0x37, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE)) << i;
        if (wcscmp(item.name, L"uninstall.ico") != 0) continue;  // the marker was written into the settings since
        EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(item.writeTime)) << i;
        FILETIME local;
        SYSTEMTIME st;
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &st);
        EXPECT_EQ(st.wYear, 2013) << "packaged with a fixed local time";
    }
}

TEST_F(PackageExtraction, SecondRunChangesNothing) {
    ExtractPackage(DataFolderNoSlash());
    DeleteFileW(m_res + L"\\uninstall.ico");
    WriteBytes(m_res + L"\\data.zip", "stray");
    ExtractPackage(DataFolderNoSlash());
    EXPECT_FALSE(FileExists(m_res + L"\\uninstall.ico"));
    EXPECT_TRUE(FileExists(m_res + L"\\data.zip"));
}

TEST_F(PackageExtraction, EditedSettingsAreKeptWhileTheIconIsRewritten) {
    // Edited by hand: no [Setting] section, so no marker either.
    const std::string edited = "[Info]\r\ncode=abc\r\n[Start]\r\nfirststart=abc\r\n";
    MakeFolders(m_res);
    WriteBytes(m_res + L"\\systemset.ini", edited);
    WriteBytes(m_res + L"\\uninstall.ico", "broken");
    WriteBytes(m_res + L"\\data.zip", "stray");
    ExtractPackage(DataFolderNoSlash());

    std::string settings = ReadBytes(m_res + L"\\systemset.ini");
    EXPECT_EQ(settings.substr(0, edited.size()), edited);
    EXPECT_EQ(settings.find("[Setting]"), settings.rfind("[Setting]"));
    EXPECT_EQ(std::wstring(Setting(L"Setting", L"start")), L"1001");
    EXPECT_EQ(std::wstring(Setting(L"Start", L"firststart")), L"abc");
    EXPECT_EQ(ReadBytes(m_res + L"\\uninstall.ico").size(), 1150u);
    EXPECT_FALSE(FileExists(m_res + L"\\data.zip"));
}

TEST_F(PackageExtraction, MarkerIsReadAsANumber) {
    struct Case { std::string start; bool unpacks; } cases[] = {
        { "1001", false }, { " 1001", false }, { "1001" + std::string(296, '7'), true },  // 300 characters: not the marker
        { "1001abc", false }, { "abc", true }, { "-1", true }, { "", true },
    };
    for (const Case& c : cases) {
        ResetDataFolder(true);
        WriteBytes(m_res + L"\\systemset.ini", "[Setting]\r\nstart=" + c.start + "\r\n");
        ExtractPackage(DataFolderNoSlash());
        EXPECT_EQ(FileExists(m_res + L"\\uninstall.ico"), c.unpacks) << c.start;
    }
}

TEST_F(PackageExtraction, MissingDataFolderStillEndsQuietly) {
    ResetDataFolder(false);
    ExtractPackage(DataFolderNoSlash());
    EXPECT_FALSE(FolderExists(GetDataFolder()));
}

}  // namespace
