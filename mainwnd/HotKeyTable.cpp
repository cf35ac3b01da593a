#include "mainwnd/HotKeyTable.h"

HotKeyTable::HotKeyTable() {
    for (int i = 1; i <= 12; ++i) m_codes[FormatString(L"F%d", i)] = VK_F1 + i - 1;
    for (int i = 0; i <= 9; ++i) m_codes[FormatString(L"%d", i)] = L'0' + i;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) m_codes[CString(c)] = c;
    for (int i = 0; i <= 9; ++i) m_codes[FormatString(L"Num%d", i)] = VK_NUMPAD0 + i;

    static const struct { const wchar_t* name; UINT code; } kOthers[] = {
        { L"Alt", VK_MENU }, { L"Ctrl", VK_CONTROL }, { L"Shift", VK_SHIFT }, { L"Space", VK_SPACE },
        { L"PageUp", VK_PRIOR }, { L"PageDown", VK_NEXT }, { L"Home", VK_HOME }, { L"End", VK_END },
        { L"Insert", VK_INSERT }, { L"Delete", VK_DELETE },
        { L"Up", VK_UP }, { L"Down", VK_DOWN }, { L"Left", VK_LEFT }, { L"Right", VK_RIGHT },
        { L",", VK_OEM_COMMA }, { L".", VK_OEM_PERIOD }, { L"+", VK_OEM_PLUS }, { L"-", VK_OEM_MINUS },
        { L";", VK_OEM_1 }, { L"/", VK_OEM_2 }, { L"`", VK_OEM_3 }, { L"[", VK_OEM_4 },
        { L"\\", VK_OEM_5 }, { L"]", VK_OEM_6 }, { L"'", VK_OEM_7 },
        { L"Num+", VK_ADD }, { L"Num-", VK_SUBTRACT }, { L"Num*", VK_MULTIPLY }, { L"Num/", VK_DIVIDE },
        { L"NumDel", VK_DECIMAL },
    };
    for (const auto& k : kOthers) m_codes[k.name] = k.code;
}

UINT HotKeyTable::Lookup(const CString& strName) const {
    auto it = m_codes.find(strName);
    return it == m_codes.end() ? 0 : it->second;
}

HotKey ParseHotKey(const HotKeyTable& table, const CString& strValue) {
    HotKey key;
    CString rest = strValue;
    for (int plus = rest.Find(L'+'); plus >= 0; plus = rest.Find(L'+')) {
        CString token = rest.Left(plus);
        rest = rest.Mid(plus + 1);
        if (token == L"Alt") key.nModifiers |= MOD_ALT;
        else if (token == L"Ctrl") key.nModifiers |= MOD_CONTROL;
        else if (token == L"Shift") key.nModifiers |= MOD_SHIFT;
    }
    key.nKeyCode = table.Lookup(rest);
    return key;
}
