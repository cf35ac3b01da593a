#include "app/DataFolder.h"
#include "install/Settings.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const char kPackagedDefault[] =
    "[Info]\r\ncode=\r\npwd=\r\nrem=1\r\n[Setting]\r\nsoundoff=0\r\nautostart=0\r\nautologin=0\r\n"
    "screenshots=Ctrl+Shift+A\r\nscreentoggle=F10\r\nfullscreen=F11\r\n[Start]\r\nfirststart=1\r\n";

CString Read(const wchar_t* section, const wchar_t* key, const wchar_t* def) {
    SettingBuffer buffer;
    ReadSetting(section, key, def, buffer);
    return buffer;
}

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { ResetDataFolder(true); }
    void TearDown() override { ResetDataFolder(false); }
    CString Path() const { return GetDataFolder() + L"res\\systemset.ini"; }
};

TEST_F(SettingsTest, LivesInTheResFolderOfTheDataFolder) {
    EXPECT_EQ(GetSettingsPath(), GetDataFolder() + L"res//systemset.ini");
    EXPECT_EQ(sizeof(kPackagedDefault) - 1, 160u);
}

struct DefaultCase { const wchar_t* section; const wchar_t* key; const wchar_t* def; };

TEST_F(SettingsTest, MissingFileGivesEveryReadDefault) {
    for (const DefaultCase& c : { DefaultCase{ L"Setting", L"screentoggle", L"0" }, DefaultCase{ L"Setting", L"fullscreen", L"0" },
                                  DefaultCase{ L"Setting", L"start", L"-1" }, DefaultCase{ L"Start", L"firststart", L"0" },
                                  DefaultCase{ L"Info", L"code", L"" }, DefaultCase{ L"Info", L"rem", L"1" } })
        EXPECT_EQ(Read(c.section, c.key, c.def), CString(c.def)) << c.key;
}

TEST_F(SettingsTest, ReadsThePackagedFileCaseInsensitively) {
    ASSERT_TRUE(WriteBytes(Path(), kPackagedDefault));
    EXPECT_EQ(Read(L"Setting", L"screentoggle", L"0"), CString(L"F10"));
    EXPECT_EQ(Read(L"setting", L"FULLSCREEN", L"0"), CString(L"F11"));
    EXPECT_EQ(Read(L"Start", L"firststart", L"0"), CString(L"1"));
    EXPECT_EQ(Read(L"Setting", L"start", L"-1"), CString(L"-1"));
}

TEST_F(SettingsTest, WriteAddsToTheExistingSectionOnceAndReplacesInPlace) {
    ASSERT_TRUE(WriteBytes(Path(), kPackagedDefault));
    WriteSetting(L"Setting", L"start", L"1001");
    WriteSetting(L"Start", L"firststart", L"0");
    WriteSetting(L"Setting", L"start", L"1001");
    EXPECT_EQ(Read(L"Setting", L"start", L"-1"), CString(L"1001"));

    std::string text = ReadBytes(Path());
    EXPECT_EQ(text.find("[Setting]"), text.rfind("[Setting]"));
    EXPECT_NE(text.find("fullscreen=F11\r\nstart=1001\r\n[Start]"), std::string::npos) << text;
    EXPECT_NE(text.find("[Start]\r\nfirststart=0\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("firststart=1"), std::string::npos);
    EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos);
}

TEST_F(SettingsTest, LongValuesComeBackCutTo259Characters) {
    CString value(L'v', 300);
    WriteSetting(L"Setting", L"screentoggle", value);
    CString back = Read(L"Setting", L"screentoggle", L"0");
    EXPECT_EQ(back.GetLength(), 259);
    EXPECT_EQ(back, value.Left(259));
}

TEST_F(SettingsTest, MissingResFolderMakesWritesFailSilently) {
    ResetDataFolder(false);
    WriteSetting(L"Setting", L"start", L"1001");
    EXPECT_FALSE(FileExists(Path()));
    EXPECT_EQ(Read(L"Setting", L"start", L"-1"), CString(L"-1"));
}

}  // namespace
