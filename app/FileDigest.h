#pragma once
#include "framework/String.h"

// Appends the MD5 digest of the file (32 lower-case hex digits) to strDigest.
// Returns 1 on success, 0 on any failure.
int ComputeFileMd5(const CString& strPath, CString& strDigest);
