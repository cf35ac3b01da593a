// Hot keys as the settings file writes them: modifier names and a key name joined by "+",
// for example "Ctrl+Shift+A" or "F10".
#pragma once
#include "framework/String.h"
#include <map>

// Key names and their virtual-key codes; names are compared exactly (case-sensitive).
class HotKeyTable {
public:
    HotKeyTable();
    // The key code of a name, or 0 when the table does not know it.
    UINT Lookup(const CString& strName) const;
    size_t Size() const { return m_codes.size(); }

private:
    std::map<CString, UINT> m_codes;
};

struct HotKey {
    UINT nModifiers = 0;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT
    UINT nKeyCode = 0;    // 0 when the key name is unknown
};

// Never fails: unknown modifier tokens are ignored, an unknown key name gives code 0.
// Every "+" separates, so the text after the last one is the key; nothing is trimmed.
HotKey ParseHotKey(const HotKeyTable& table, const CString& strValue);
