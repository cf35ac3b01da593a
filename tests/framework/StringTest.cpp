#include "framework/String.h"
#include <gtest/gtest.h>

namespace {

TEST(CStringTest, FormatUsesWideStringsAndPads) {
    EXPECT_EQ(FormatString(L"[ %s ]", L"一区"), CString(L"[ 一区 ]"));
    EXPECT_EQ(FormatString(L"%2d-%2d", 3, 12), CString(L" 3-12"));
    EXPECT_EQ(FormatString(L"%ld|%02x", -65794L, 0xab), CString(L"-65794|ab"));
    EXPECT_EQ(FormatString(L"\"%s\" -frameWnd=%ld -gameurl=%s", L"C:\\a b.exe", 42L, L"u?x=1"),
              CString(L"\"C:\\a b.exe\" -frameWnd=42 -gameurl=u?x=1"));
    CString big;
    big.Format(L"%s", CString(L'x', 100000).GetString());
    EXPECT_EQ(big.GetLength(), 100000);
}

TEST(CStringTest, SlicesClampInsteadOfFailing) {
    CString s(L"abcdef");
    EXPECT_EQ(s.Mid(2), CString(L"cdef"));
    EXPECT_EQ(s.Mid(2, 2), CString(L"cd"));
    EXPECT_EQ(s.Mid(10), CString(L""));
    EXPECT_EQ(s.Mid(-3, 2), CString(L"ab"));
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Left(-1), CString(L""));
    EXPECT_EQ(s.Right(2), CString(L"ef"));
    EXPECT_EQ(s.Right(99), s);
}

TEST(CStringTest, FindAndReplace) {
    CString s(L"a-b-c-");
    EXPECT_EQ(s.Find(L"-"), 1);
    EXPECT_EQ(s.Find(L"-", 2), 3);
    EXPECT_EQ(s.Find(L"zz"), -1);
    EXPECT_EQ(s.Find(L'-', 99), -1);
    EXPECT_EQ(s.ReverseFind(L'-'), 5);
    EXPECT_EQ(s.Replace(L"-", L"--"), 3);
    EXPECT_EQ(s, CString(L"a--b--c--"));
    EXPECT_EQ(s.Replace(L"", L"x"), 0);
    CString dots(L"1.0.1.0");
    dots.Replace(L".", L"");
    EXPECT_EQ(dots, CString(L"1010"));
}

TEST(CStringTest, TrimCaseAndCompare) {
    CString s(L" \t Ab \r\n");
    EXPECT_EQ(s.Trim(), CString(L"Ab"));
    EXPECT_EQ(CString(L"AbC").MakeLower(), CString(L"abc"));
    EXPECT_EQ(CString(L"Desktop.INI").CompareNoCase(L"desktop.ini"), 0);
    CString blanks(L"   ");
    EXPECT_TRUE(blanks.Trim().IsEmpty());
}

TEST(CStringTest, BuffersAndConversions) {
    CString s;
    wchar_t* p = s.GetBuffer(10);
    lstrcpyW(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(s, CString(L"hello"));
    EXPECT_EQ(CString("plain").GetLength(), 5);
    EXPECT_EQ(CString(L"日本").ToMultiByte(CP_UTF8), std::string("\xE6\x97\xA5\xE6\x9C\xAC"));
}

TEST(CStringTest, LoadsProductTexts) {
    CString s;
    EXPECT_TRUE(s.LoadString(102));
    EXPECT_EQ(s, CString(L"《Tessik》加强版"));
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
