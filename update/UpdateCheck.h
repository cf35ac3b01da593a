#pragma once
#include "framework/String.h"

// The once-per-start update check against the version server of the string table. Returns when
// there is nothing to update or the update failed; a handed-over update ends the process.
void RunUpdateCheck();
// The same against another version server (base address with scheme and host, no trailing slash).
void RunUpdateCheck(const CString& strVersionServer);
