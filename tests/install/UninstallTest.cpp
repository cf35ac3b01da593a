#include "app/ShellRemoval.h"
#include "app/UninstallMode.h"
#include "install/FirstStartSetup.h"
#include "tests/install/InstallArtefacts.h"
#include "skin/CustomMessageBox.h"
#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <thread>

using namespace testing_support;
using namespace install_artefacts;

namespace {

TEST(ShellRemoval, RecycleBinDeletionRefusesWhatItCannotHold) {
    ScratchFolder scratch{ L"shell-removal" };
    CString file = scratch / L"gone.txt";
    WriteBytes(file, "x");
    EXPECT_TRUE(DeleteToRecycleBin(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteToRecycleBin(scratch / L"missing.txt"));
    EXPECT_FALSE(DeleteToRecycleBin(L""));
    // 255 characters do not fit the buffer with its two closing nulls; the item is not cut.
    CString longPath = scratch.Path() + CString(L'z', 254 - scratch.Path().GetLength());
    EXPECT_EQ(longPath.GetLength(), 254);
    WriteBytes(longPath, "x");
    EXPECT_TRUE(DeleteToRecycleBin(longPath));
    CString tooLong = longPath + L"z";
    WriteBytes(tooLong, "x");
    WriteBytes(longPath, "the shorter name stays");
    EXPECT_FALSE(DeleteToRecycleBin(tooLong));
    EXPECT_FALSE(RemoveShellItem(tooLong));
    EXPECT_TRUE(FileExists(tooLong));
    EXPECT_EQ(ReadBytes(longPath), "the shorter name stays");
}

TEST(ShellRemoval, NotificationLeavesTheParentInTheBuffer) {
    wchar_t path[MAX_PATH] = L"C:\\users\\x\\Desktop\\a.lnk";
    NotifyShellRemoved(path);
    EXPECT_STREQ(path, L"C:\\users\\x\\Desktop");
}

TEST(ShellRemoval, FolderEmptiness) {
    ScratchFolder scratch{ L"folder-empty" };
    MakeFolders(scratch / L"empty");
    MakeFolders(scratch / L"withFolder\\inner");
    WriteBytes(scratch / L"withFile.txt", "x");
    EXPECT_TRUE(IsFolderEmpty(scratch / L"empty"));
    EXPECT_FALSE(IsFolderEmpty(scratch / L"withFolder"));
    EXPECT_FALSE(IsFolderEmpty(scratch.Path().Left(scratch.Path().GetLength() - 1)));
    EXPECT_TRUE(IsFolderEmpty(scratch / L"missing")) << "cannot be searched";
    EXPECT_FALSE(IsFolderEmpty(scratch.Path() + CString(L'y', 260))) << "too long to search";
}

// An installation made by first-start setup from the launcher beside the tests.
class Uninstall : public testing::Test {
protected:
    CString m_launcher = BinaryFolder() + L"Lander_Kv.exe";
    CString m_copy;

    void SetUp() override {
        CoInitialize(nullptr);
        RemoveInstallArtefacts();
        wchar_t appData[MAX_PATH];
        SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
        m_copy = CString(appData) + L"\\cache\\kvtstmpu.exe";
        DeleteFileW(m_copy);
        RunFirstStartSetup(m_launcher);
        ASSERT_TRUE(FileExists(InstalledExe()));
        ASSERT_TRUE(FileExists(UninstallLink()));
    }
    void TearDown() override {
        RemoveInstallArtefacts();
        DeleteFileW(m_copy);
        CoUninitialize();
    }

    void ExpectInstalled() {
        EXPECT_TRUE(FileExists(InstalledExe()));
        EXPECT_TRUE(FileExists(GetDataFolder() + L"res\\systemset.ini"));
        for (const CString& link : { DesktopLink(), StartMenuLink(), UninstallLink() })
            EXPECT_TRUE(FileExists(link)) << std::wstring(link);
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    }

    void ExpectRemoved() {
        for (const CString& link : { DesktopLink(), StartMenuLink(), UninstallLink() })
            EXPECT_FALSE(FileExists(link)) << std::wstring(link);
        EXPECT_FALSE(FileExists(InstalledExe()));
        EXPECT_FALSE(FolderExists(GetDataFolder() + L"res"));
        EXPECT_FALSE(FolderExists(ProductFolder()));
        EXPECT_TRUE(FolderExists(GetDataFolder())) << "the data folder stays";
    }
};

TEST_F(Uninstall, RemovalWaitsForTheExecutableAndKeepsAnotherProductsFolder) {
    MakeFolders(PublisherFolder() + L"\\Another game");
    // The ending confirmation stage still holds the executable for a moment.
    HANDLE held = CreateFileW(InstalledExe(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(1000);
        CloseHandle(held);
    });
    RunUninstallRemoval(L"-u " + InstalledExe());
    release.join();

    ExpectRemoved();
    EXPECT_TRUE(FolderExists(PublisherFolder() + L"\\Another game"));
}

TEST_F(Uninstall, RemovalOfAPathThatIsNotThereStillRemovesTheRest) {
    ScratchFolder elsewhere{ L"elsewhere" };
    MakeFolders(elsewhere / L"res");
    RunUninstallRemoval(L"-u " + elsewhere / L"Lander_Kv.exe");
    for (const CString& link : { DesktopLink(), StartMenuLink(), UninstallLink() })
        EXPECT_FALSE(FileExists(link)) << std::wstring(link);
    EXPECT_FALSE(FolderExists(elsewhere / L"res"));
    EXPECT_FALSE(FolderExists(PublisherFolder())) << "empty once the product folder went";
    EXPECT_TRUE(FileExists(InstalledExe()));
    EXPECT_TRUE(FolderExists(GetDataFolder() + L"res"));

    // A path too long for the buffers names nothing: not even the file its first 259 characters name.
    ScratchFolder deep{ L"deep" };
    CString victim = deep.Path() + CString(L'v', 259 - deep.Path().GetLength());
    ASSERT_TRUE(WriteBytes(victim, "keep"));
    RunUninstallRemoval(L"-u " + victim + L"\\..\\Lander_Kv.exe");
    EXPECT_EQ(ReadBytes(victim), "keep");
}

// Finds the question box of process pid: a visible top-level window with an OK and a Cancel button.
struct QuestionSearch { DWORD pid; HWND found; };

BOOL CALLBACK MatchQuestion(HWND hWnd, LPARAM lParam) {
    auto* s = reinterpret_cast<QuestionSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hWnd, &owner);
    if (owner == s->pid && IsWindowVisible(hWnd) && GetDlgItem(hWnd, IDOK) && GetDlgItem(hWnd, IDCANCEL)) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForQuestion(DWORD pid) {
    for (int attempt = 0; attempt < 600; ++attempt) {
        QuestionSearch search = { pid, nullptr };
        EnumWindows(&MatchQuestion, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(100);
    }
    return nullptr;
}

TEST_F(Uninstall, CancellingTheQuestionLeavesEverything) {
    bool answered = false;
    std::thread player([&] {
        HWND box = WaitForQuestion(GetCurrentProcessId());
        if (!box) return;
        // The skinned box paints its texts; ask the box object itself (it lives in this process).
        auto* question = dynamic_cast<CCustomMessageBox*>(CWnd::FromHandlePermanent(box));
        answered = question && question->GetTitle() == L"卸载" &&
                   question->GetText() == L"您是否确认卸载《Tessik》加强版？";
        PostMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    });
    RunUninstallConfirmation();
    player.join();
    EXPECT_TRUE(answered);
    ExpectInstalled();
    EXPECT_FALSE(FileExists(m_copy)) << "no removal stage was started";
}

DWORD FindProcess(const wchar_t* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = { sizeof(entry) };
    DWORD pid = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !pid; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName) == 0) pid = entry.th32ProcessID;
    CloseHandle(snapshot);
    return pid;
}

// The whole road: the installed launcher asked with "-u", OK pressed, the copy removing it all.
TEST_F(Uninstall, ConfirmedUninstallRemovesTheInstallation) {
    CString commandLine = L"\"" + InstalledExe() + L"\" -u";
    STARTUPINFOW startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(InstalledExe(), commandLine.GetBuffer(0), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    HWND box = WaitForQuestion(process.dwProcessId);
    ASSERT_NE(box, nullptr);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (DWORD removal = FindProcess(L"kvtstmpu.exe")) {
        HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, removal);
        if (h) {
            EXPECT_EQ(WaitForSingleObject(h, 60000), WAIT_OBJECT_0);
            CloseHandle(h);
        }
    }

    ExpectRemoved();
    EXPECT_FALSE(FolderExists(PublisherFolder()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntryKey()));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, UninstallEntryKey()));
    EXPECT_EQ(ReadBytes(m_copy), ReadBytes(m_launcher)) << "the removal ran from a copy in the cache folder";
}

}  // namespace
