#include "mainwnd/GameUrl.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct UrlCase {
    std::wstring url;
    std::wstring decoded;
    std::wstring server;
};

class GameUrlDecoding : public testing::TestWithParam<UrlCase> {};

TEST_P(GameUrlDecoding, DecodesAndNamesTheServer) {
    CString decoded = DecodeGameUrl(GetParam().url.c_str());
    EXPECT_EQ(decoded.str(), GetParam().decoded);
    EXPECT_EQ(ServerNameFromDecodedUrl(decoded).str(), GetParam().server);
}

const wchar_t kBase[] = L"http://g.example/play_gamecode?g=tsk&";

std::wstring Base(const wchar_t* tail) { return kBase + std::wstring(tail); }

INSTANTIATE_TEST_SUITE_P(Addresses, GameUrlDecoding, testing::Values(
    UrlCase{ Base(L"svname=S1/abc"), Base(L"svname=S1/abc"), L"S1" },
    UrlCase{ Base(L"svname=S1&x=1"), Base(L"svname=S1&x=1"), L"S1&x=1" },   // no cut at "&"
    UrlCase{ Base(L"sid=3"), Base(L"sid=3"), L"" },
    UrlCase{ Base(L"svname=%E5%8F%8C%E7%BA%BF1%E5%8C%BA"), Base(L"svname=\u53cc\u7ebf1\u533a"), L"\u53cc\u7ebf1\u533a" },
    UrlCase{ Base(L"svname=%e5%8f%8c"), Base(L"svname=\u53cc"), L"\u53cc" },  // lower-case hex
    UrlCase{ Base(L"svname=A%2FB"), Base(L"svname=A/B"), L"A" },          // the escape decodes first
    UrlCase{ Base(L"svname=a+b"), Base(L"svname=a+b"), L"a+b" },          // "+" is no space
    UrlCase{ Base(L"svname=x%"), Base(L"svname=x%"), L"x%" },             // "%" last
    UrlCase{ Base(L"svname=x%4"), Base(L"svname=x%4"), L"x%4" },          // "%" second to last
    UrlCase{ Base(L"svname=x%41"), Base(L"svname=xA"), L"xA" },           // exactly two after it
    UrlCase{ Base(L"svname=%G1%4"), Base(L"svname=%G1%4"), L"%G1%4" },
    UrlCase{ Base(L"svname=%%41"), Base(L"svname=%A"), L"%A" },
    UrlCase{ Base(L"svname=%FF%FE"), Base(L"svname=\uFFFD\uFFFD"), L"\uFFFD\uFFFD" },  // not UTF-8
    UrlCase{ Base(L"svname=ab%00cd"), Base(L"svname=ab"), L"ab" },        // a NUL ends the text
    UrlCase{ Base(L"svname"), Base(L"svname"), L"" },
    UrlCase{ Base(L"svname="), Base(L"svname="), L"" },
    UrlCase{ Base(L"svname=/x"), Base(L"svname=/x"), L"" },
    UrlCase{ Base(L"svnameXS2"), Base(L"svnameXS2"), L"S2" },             // any one character is skipped
    UrlCase{ Base(L"svname=A&svname=B"), Base(L"svname=A&svname=B"), L"A&svname=B" },
    UrlCase{ L"", L"", L"" },
    UrlCase{ L"%", L"%", L"" },
    UrlCase{ L"%41", L"A", L"" }));

TEST(GameUrlDecoding, LongAddressDecodesWhole) {
    std::wstring url = Base(L"svname=S9/") + std::wstring(8192, L'a') + L"%41";
    CString decoded = DecodeGameUrl(url.c_str());
    EXPECT_EQ(decoded.GetLength(), static_cast<int>(url.size()) - 2);
    EXPECT_EQ(decoded.Right(2), L"aA");
    EXPECT_EQ(ServerNameFromDecodedUrl(decoded), L"S9");
}

}  // namespace
