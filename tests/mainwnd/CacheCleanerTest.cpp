#include "mainwnd/CacheCleaner.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void WriteReadOnly(const CString& path) {
    ASSERT_TRUE(WriteBytes(path, "x"));
    ASSERT_TRUE(SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));
}

TEST(ClearFolder, DeletesEverythingButDesktopIniAndTheFoldersHoldingOne) {
    ScratchFolder scratch(L"lander-cache");
    CString root = scratch.Path() + L"Content.IE5";
    ASSERT_TRUE(MakeFolders(root + L"\\AB12\\deep\\deeper"));
    ASSERT_TRUE(MakeFolders(root + L"\\KEEP\\inner"));
    ASSERT_TRUE(MakeFolders(root + L"\\empty"));
    ASSERT_TRUE(MakeFolders(root + L"\\desktop.ini.d"));
    ASSERT_TRUE(WriteBytes(root + L"\\index.dat", "idx"));
    ASSERT_TRUE(WriteBytes(root + L"\\desktop.ini", "[.ShellClassInfo]"));
    WriteReadOnly(root + L"\\locked.js");
    ASSERT_TRUE(WriteBytes(root + L"\\AB12\\page[1].htm", "<html>"));
    WriteReadOnly(root + L"\\AB12\\deep\\deeper\\img.png");
    ASSERT_TRUE(WriteBytes(root + L"\\KEEP\\inner\\DESKTOP.INI", "kept"));
    ASSERT_TRUE(WriteBytes(root + L"\\KEEP\\inner\\gone.css", "css"));
    ASSERT_TRUE(WriteBytes(root + L"\\KEEP\\gone.txt", "txt"));
    ASSERT_TRUE(WriteBytes(root + L"\\desktop.ini.d\\a", "a"));
    ASSERT_TRUE(SetFileAttributesW(root + L"\\empty", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));

    EXPECT_TRUE(ClearFolder(root));

    EXPECT_TRUE(FolderExists(root));
    EXPECT_TRUE(FileExists(root + L"\\desktop.ini"));
    EXPECT_TRUE(FileExists(root + L"\\KEEP\\inner\\DESKTOP.INI"));
    EXPECT_EQ(ReadBytes(root + L"\\KEEP\\inner\\DESKTOP.INI"), "kept");
    EXPECT_TRUE(FolderExists(root + L"\\KEEP\\inner"));
    EXPECT_FALSE(FileExists(root + L"\\KEEP\\inner\\gone.css"));
    EXPECT_FALSE(FileExists(root + L"\\KEEP\\gone.txt"));
    EXPECT_FALSE(FileExists(root + L"\\index.dat"));
    EXPECT_FALSE(FileExists(root + L"\\locked.js"));
    EXPECT_FALSE(FolderExists(root + L"\\AB12"));
    EXPECT_FALSE(FolderExists(root + L"\\empty"));
    EXPECT_FALSE(FolderExists(root + L"\\desktop.ini.d"));
}

TEST(ClearFolder, ReportsAFolderThatCannotBeListed) {
    ScratchFolder scratch(L"lander-cache");
    EXPECT_FALSE(ClearFolder(scratch.Path() + L"missing"));
    // An empty folder is listed fine and stays.
    ASSERT_TRUE(MakeFolders(scratch.Path() + L"empty"));
    EXPECT_TRUE(ClearFolder(scratch.Path() + L"empty"));
    EXPECT_TRUE(FolderExists(scratch.Path() + L"empty"));
}

}  // namespace
