#include "app/FileVersion.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <cstdlib>

using namespace testing_support;

namespace {

TEST(FileVersion, OfTheBuiltExecutables) {
    // The test binary carries the same version resource as the launcher.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(GetFileVersionString(self), CString(L"1.0.1.0"));
    EXPECT_EQ(GetFileVersionString(BinaryFolder() + L"Lander_Kv.exe"), CString(L"1.0.1.0"));
    if (const char* product = std::getenv("LANDER_PRODUCT_EXE")) {
        EXPECT_EQ(GetFileVersionString(CString(product)), CString(L"1.0.1.0"));
    }
}

TEST(FileVersion, MissingFileGivesEmptyText) {
    EXPECT_EQ(GetFileVersionString(L"C:\\no\\such\\file.exe"), CString(L""));
    EXPECT_EQ(GetFileVersionString(L""), CString(L""));
}

TEST(FileVersion, FileWithoutVersionResource) {
    ScratchFolder folder(L"ver");
    ASSERT_TRUE(WriteBytes(folder / L"plain.exe", "not a program at all"));
    EXPECT_EQ(GetFileVersionString(folder / L"plain.exe"), CString(L"None VerSion Supprot"));
}

}  // namespace
