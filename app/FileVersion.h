#pragma once
#include "framework/String.h"

// The FileVersion text of every translation in the file's version resource, run together.
// Empty for a missing file; "None VerSion Supprot" for a file without a version resource.
CString GetFileVersionString(const CString& strPath);
