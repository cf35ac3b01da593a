#include "install/FirstStartSetup.h"
#include "install/Settings.h"
#include "tests/install/InstallArtefacts.h"
#include <gtest/gtest.h>

using namespace testing_support;
using namespace install_artefacts;

namespace {

TEST(VersionNumber, ComparesAfterTheDotsAreRemoved) {
    struct Case { const wchar_t* text; long number; } cases[] = {
        { L"1.0.1.0", 1010 }, { L"1.0.10.0", 10100 }, { L"1.1.0.0", 1100 }, { L"None VerSion Supprot", 0 },
        { L"", 0 }, { L"2", 2 }, { L"1.0.1.0 beta", 1010 }, { L"99999.99999.99999.9", LONG_MAX },
    };
    for (const Case& c : cases) EXPECT_EQ(VersionNumber(c.text), c.number) << c.text;
    EXPECT_GT(VersionNumber(L"1.0.10.0"), VersionNumber(L"1.1.0.0"));
}

// A copy of the launcher whose FileVersion text reads sevenChars (same length as "1.0.1.0").
std::string LauncherWithVersion(const wchar_t* sevenChars) {
    std::string exe = ReadBytes(BinaryFolder() + L"Lander_Kv.exe");
    std::string key(reinterpret_cast<const char*>(L"FileVersion"), 22);
    size_t at = exe.find(key);
    std::string old(reinterpret_cast<const char*>(L"1.0.1.0"), 14);
    at = at == std::string::npos ? at : exe.find(old, at);
    if (at == std::string::npos) return std::string();
    exe.replace(at, 14, std::string(reinterpret_cast<const char*>(sevenChars), 14));
    return exe;
}

CString Setting(const wchar_t* section, const wchar_t* key) {
    SettingBuffer value;
    ReadSetting(section, key, L"<none>", value);
    return value;
}

class FirstStartSetup : public testing::Test {
protected:
    ScratchFolder m_downloads{ L"downloads" };
    CString m_download = m_downloads / L"Lander_Kv.exe";
    std::string m_launcher;

    void SetUp() override {
        CoInitialize(nullptr);
        RemoveInstallArtefacts();
        m_launcher = ReadBytes(BinaryFolder() + L"Lander_Kv.exe");
        ASSERT_FALSE(m_launcher.empty());
        WriteBytes(m_download, m_launcher);
    }
    void TearDown() override {
        RemoveInstallArtefacts();
        CoUninitialize();
    }

    void Start(const std::string& exe) {
        WriteBytes(m_download, exe);
        RunFirstStartSetup(m_download);
    }
};

TEST_F(FirstStartSetup, FirstStartFromADownloadFolderInstallsEverything) {
    RunFirstStartSetup(m_download);
    CString target = InstalledExe();

    EXPECT_EQ(ReadBytes(target), m_launcher);
    EXPECT_EQ(ReadBytes(GetDataFolder() + L"res\\uninstall.ico").size(), 1150u);
    EXPECT_EQ(std::wstring(Setting(L"Start", L"firststart")), L"0");
    EXPECT_EQ(std::wstring(Setting(L"Setting", L"start")), L"1001");

    struct { CString path; const wchar_t* arguments; bool uninstallIcon; } links[] = {
        { DesktopLink(), L"1", false }, { StartMenuLink(), L"1", false }, { UninstallLink(), L"-u", true } };
    for (auto& expected : links) {
        Link link = ReadLink(expected.path);
        EXPECT_EQ(link.target, std::wstring(target)) << std::wstring(expected.path);
        EXPECT_EQ(link.arguments, expected.arguments);
        EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
        if (expected.uninstallIcon) {
            EXPECT_EQ(link.icon, std::wstring(GetDataFolder() + L"res\\uninstall.ico"));
            EXPECT_EQ(link.iconIndex, 0);
        }
    }

    CString key = UninstallEntryKey();
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"Path")), std::wstring(target));
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"DisplayName")), L"《Tessik》加强版");
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"Publisher")), L"Nuvra");
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"UninstallString")), std::wstring(target + L" -u"));
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"DisplayIcon")), std::wstring(target));
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"DisplayVersion")), L"1.0.1.0");
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, key, L"InstallLocation")), std::wstring(DataFolderNoSlash()));
    EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, key, L"EstimatedSize"), (m_launcher.size() + 1023) / 1024);
    EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, key, L"NoModify"), 1u);
    EXPECT_EQ(ReadNumber(HKEY_LOCAL_MACHINE, key, L"NoRepair"), 1u);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << "the machine entry was writable";

    CWinApp* app = AfxGetApp();
    CString section = GetUninstallEntryName();
    EXPECT_EQ(std::wstring(app->GetProfileString(section, L"Path")), std::wstring(target));
    EXPECT_EQ(std::wstring(app->GetProfileString(section, L"DisplayName")), L"《Tessik》加强版");
    EXPECT_EQ(std::wstring(app->GetProfileString(section, L"Publisher")), L"Nuvra");
    EXPECT_EQ(std::wstring(app->GetProfileString(section, L"UninstallString")), std::wstring(target + L" -u"));
}

TEST_F(FirstStartSetup, SecondStartFromTheDesktopShortcutOnlyRewritesTheStartMenu) {
    RunFirstStartSetup(m_download);
    WriteBytes(DesktopLink(), "the player's own link");
    WriteBytes(StartMenuLink(), "damaged");
    WriteBytes(UninstallLink(), "damaged");
    HKEY entry;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, UninstallEntryKey(), 0, KEY_WRITE | KEY_WOW64_64KEY, &entry), ERROR_SUCCESS);
    RegSetValueExW(entry, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"stale"), 12);
    RegCloseKey(entry);
    AfxGetApp()->WriteProfileString(GetUninstallEntryName(), L"DisplayName", L"stale");
    WriteSetting(L"Start", L"firststart", L"1");

    RunFirstStartSetup(InstalledExe());

    EXPECT_EQ(ReadBytes(DesktopLink()), "the player's own link");
    EXPECT_EQ(ReadLink(StartMenuLink()).arguments, L"1");
    EXPECT_EQ(ReadLink(UninstallLink()).arguments, L"-u");
    EXPECT_EQ(std::wstring(ReadString(HKEY_LOCAL_MACHINE, UninstallEntryKey(), L"DisplayName")), L"stale");
    EXPECT_EQ(std::wstring(AfxGetApp()->GetProfileString(GetUninstallEntryName(), L"DisplayName")), L"stale");
    EXPECT_EQ(std::wstring(Setting(L"Start", L"firststart")), L"1") << "nothing copied, so nothing reset";
    EXPECT_EQ(ReadBytes(InstalledExe()), m_launcher);
}

TEST_F(FirstStartSetup, VersionsDecideWhetherTheInstalledCopyIsReplaced) {
    std::string older = LauncherWithVersion(L"1.0.0.9"), newer = LauncherWithVersion(L"1.0.2.0");
    ASSERT_FALSE(older.empty());
    struct Case { const char* what; std::string installed; std::string started; bool replaced; } cases[] = {
        { "older copy started", m_launcher, older, false },
        { "higher version started", m_launcher, newer, true },
        { "same version started elsewhere", m_launcher, m_launcher, false },
        { "installed file without version resource", "not a program", m_launcher, true },
        { "installed file missing", "", older, true },
    };
    for (const Case& c : cases) {
        RemoveInstallArtefacts();
        MakeFolders(GetDataFolder());
        if (!c.installed.empty()) WriteBytes(InstalledExe(), c.installed);
        Start(c.started);
        EXPECT_EQ(ReadBytes(InstalledExe()), c.replaced ? c.started : c.installed) << c.what;
    }
}

TEST_F(FirstStartSetup, DeletedDesktopShortcutIsRecreated) {
    RunFirstStartSetup(m_download);
    ASSERT_TRUE(DeleteFileW(DesktopLink()));
    RunFirstStartSetup(InstalledExe());
    EXPECT_EQ(ReadLink(DesktopLink()).target, std::wstring(InstalledExe()));
}

TEST_F(FirstStartSetup, FirstStartMarkerIsResetOnlyWhenItReadsAsANumber) {
    struct Case { std::string value; const wchar_t* after; } cases[] = {
        { "1", L"0" }, { "0", L"0" }, { "abc", L"abc" }, { "-3", L"0" }, { std::string(300, '7'), L"0" },
    };
    for (const Case& c : cases) {
        RemoveInstallArtefacts();
        MakeFolders(GetDataFolder() + L"res");
        WriteBytes(GetDataFolder() + L"res\\systemset.ini", "[Start]\r\nfirststart=" + c.value + "\r\n");
        RunFirstStartSetup(m_download);
        EXPECT_EQ(std::wstring(Setting(L"Start", L"firststart")), c.after) << c.value;
    }
}

TEST_F(FirstStartSetup, WithoutMachineRightsTheEntryGoesBelowTheUser) {
    // HKEY_LOCAL_MACHINE mapped onto a key without the Uninstall key: it cannot be opened.
    HKEY fakeMachine;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\LanderTests\\NoMachineRights", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &fakeMachine, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_LOCAL_MACHINE, fakeMachine), ERROR_SUCCESS);
    RunFirstStartSetup(m_download);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(fakeMachine);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\LanderTests");

    CString key = UninstallEntryKey();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(std::wstring(ReadString(HKEY_CURRENT_USER, key, L"UninstallString")), std::wstring(InstalledExe() + L" -u"));
    EXPECT_EQ(std::wstring(ReadString(HKEY_CURRENT_USER, key, L"DisplayName")), L"《Tessik》加强版");
    EXPECT_EQ(ReadNumber(HKEY_CURRENT_USER, key, L"NoRepair"), 1u);
}

TEST_F(FirstStartSetup, PathsTooLongForTheBuffersAreSkippedNotCut) {
    // Installed as <data folder>\<name> this would pass 259 characters.
    CString longName = CString(L'n', 262 - GetDataFolder().GetLength()) + L".exe";
    ScratchFolder shortFolder{ L"d" };
    CString download = shortFolder.Path() + longName;
    if (download.GetLength() >= MAX_PATH) GTEST_SKIP() << "scratch folder too deep for this case";
    ASSERT_TRUE(WriteBytes(download, m_launcher));
    RunFirstStartSetup(download);
    EXPECT_TRUE(FileExists(GetDataFolder() + L"res\\uninstall.ico")) << "the package does not depend on the name";
    EXPECT_FALSE(FileExists(DesktopLink()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(GetDataFolder() + L"n*", &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

}  // namespace
