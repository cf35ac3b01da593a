#include "mainwnd/HotKeyTable.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct HotKeyCase {
    std::wstring value;
    UINT modifiers;
    UINT code;
};

class HotKeyGrammar : public testing::TestWithParam<HotKeyCase> {};

TEST_P(HotKeyGrammar, ParsesModifiersAndKey) {
    HotKeyTable table;
    HotKey key = ParseHotKey(table, GetParam().value.c_str());
    EXPECT_EQ(key.nModifiers, GetParam().modifiers);
    EXPECT_EQ(key.nKeyCode, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Values, HotKeyGrammar, testing::Values(
    HotKeyCase{ L"Ctrl+Shift+A", MOD_CONTROL | MOD_SHIFT, 65 },
    HotKeyCase{ L"F10", 0, 121 },
    HotKeyCase{ L"F11", 0, 122 },
    HotKeyCase{ L"Alt+F11", MOD_ALT, 122 },
    HotKeyCase{ L"ctrl+a", 0, 0 },                      // both parts are case-sensitive
    HotKeyCase{ L"Ctrl+Alt", MOD_CONTROL, 18 },         // the last part is always the key
    HotKeyCase{ L"Ctrl++", MOD_CONTROL, 0 },            // "+" always separates
    HotKeyCase{ L"Num+", 0, 0 },
    HotKeyCase{ L"+", 0, 0 },
    HotKeyCase{ L"Shift+Shift+F1", MOD_SHIFT, 112 },
    HotKeyCase{ L"Alt+Ctrl+Shift+Delete", MOD_ALT | MOD_CONTROL | MOD_SHIFT, 46 },
    HotKeyCase{ L"", 0, 0 },
    HotKeyCase{ L"0", 0, 48 },                           // the reader's default for a missing key
    HotKeyCase{ L"Win+F1", 0, 112 },                     // unknown modifier ignored
    HotKeyCase{ L"Ctrl+Escape", MOD_CONTROL, 0 },        // unknown key name
    HotKeyCase{ L"Ctrl+ A", MOD_CONTROL, 0 },            // nothing is trimmed
    HotKeyCase{ L" Ctrl+A", 0, 65 },
    HotKeyCase{ L"Ctrl+", MOD_CONTROL, 0 },
    HotKeyCase{ L"+++F2", 0, 113 },
    HotKeyCase{ L"Ctrl+\\", MOD_CONTROL, 220 },
    HotKeyCase{ L"Shift+Num-", MOD_SHIFT, 109 },
    HotKeyCase{ std::wstring(254, L'x') + L"+Alt+Q", MOD_ALT, 81 },
    HotKeyCase{ L"Ctrl+" + std::wstring(254, L'F'), MOD_CONTROL, 0 }));   // 259 characters

struct NamedKey {
    const wchar_t* name;
    UINT code;
};

TEST(HotKeyTable, HoldsEveryKeyNameWithItsCode) {
    std::vector<NamedKey> expected = {
        { L"Alt", 18 }, { L"Ctrl", 17 }, { L"Shift", 16 }, { L"Space", 32 }, { L"PageUp", 33 },
        { L"PageDown", 34 }, { L"Home", 36 }, { L"End", 35 }, { L"Insert", 45 }, { L"Delete", 46 },
        { L"Up", 38 }, { L"Down", 40 }, { L"Left", 37 }, { L"Right", 39 }, { L",", 188 }, { L".", 190 },
        { L"+", 187 }, { L"-", 189 }, { L";", 186 }, { L"/", 191 }, { L"`", 192 }, { L"[", 219 },
        { L"\\", 220 }, { L"]", 221 }, { L"'", 222 }, { L"Num+", 107 }, { L"Num-", 109 },
        { L"Num*", 106 }, { L"Num/", 111 }, { L"NumDel", 110 },
    };
    std::vector<std::wstring> names;  // keeps the generated names alive
    names.reserve(64);
    for (int i = 1; i <= 12; ++i) { names.push_back(L"F" + std::to_wstring(i)); expected.push_back({ names.back().c_str(), UINT(111 + i) }); }
    for (int i = 0; i <= 9; ++i) { names.push_back(std::to_wstring(i)); expected.push_back({ names.back().c_str(), UINT(48 + i) }); }
    for (int i = 0; i < 26; ++i) { names.push_back(std::wstring(1, wchar_t(L'A' + i))); expected.push_back({ names.back().c_str(), UINT(65 + i) }); }
    for (int i = 0; i <= 9; ++i) { names.push_back(L"Num" + std::to_wstring(i)); expected.push_back({ names.back().c_str(), UINT(96 + i) }); }

    HotKeyTable table;
    ASSERT_EQ(expected.size(), 88u);
    EXPECT_EQ(table.Size(), 88u);
    for (const NamedKey& k : expected) {
        EXPECT_EQ(table.Lookup(k.name), k.code) << k.name;
        // Every name configured alone and after a modifier.
        HotKey alone = ParseHotKey(table, k.name);
        if (CString(k.name).Find(L'+') < 0) {
            EXPECT_EQ(alone.nKeyCode, k.code) << k.name;
            EXPECT_EQ(ParseHotKey(table, CString(L"Alt+") + k.name).nModifiers, UINT(MOD_ALT)) << k.name;
        }
    }
    for (const wchar_t* unknown : { L"a", L"f1", L"F13", L"F0", L"num1", L"Esc", L"Tab", L"PgUp", L"10" })
        EXPECT_EQ(table.Lookup(unknown), 0u) << unknown;
}

}  // namespace
