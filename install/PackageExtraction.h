// Unpacking the embedded package (resource 269) into the res folder of the data folder.
#pragma once
#include "framework/String.h"

// Once per data folder (the settings key Setting/start becomes 1001): unpacks the package into
// <strDataFolder>\res, keeping an existing systemset.ini, and removes a stray res\data.zip.
// strDataFolder has no trailing backslash. Reports nothing.
void ExtractPackage(const CString& strDataFolder);

// The unpacking step on its own: every entry of the archive below strResFolder, an existing
// systemset.ini kept. Entries that cannot be written, or that would land outside, are skipped.
void UnpackArchive(const void* pData, DWORD dwSize, const CString& strResFolder);
