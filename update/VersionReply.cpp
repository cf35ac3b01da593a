#include "update/VersionReply.h"
#include <cwchar>

BOOL ReplyNamesUpdate(const CString& strReply) {
    if (strReply.GetLength() <= 5) return FALSE;
    return _wtoi(strReply) >= 0;
}
