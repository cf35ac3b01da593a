// The product texts of the string table, loaded by identifier wherever they are needed.
#pragma once
#include "framework/String.h"
#include "resources/resource.h"

inline CString LoadProductText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}
