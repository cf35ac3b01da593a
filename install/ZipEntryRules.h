// Rules for turning a ZIP entry's directory record into a file on disk: name cleaning, the
// containment test, attributes by host system and time stamps. Free of minizip and of files.
#pragma once
#include "framework/String.h"

// Drops drive specifications, leading separators and everything up to a "\..\"-style step,
// repeated until none applies. Names that start with ".." are left as they are.
CString CleanZipEntryName(const CString& strName);

// True when a cleaned name can only ever name something below the folder it is joined to:
// relative, no ".." step (nor a step of dots and blanks the file system would read as one),
// no ':' (drives, streams) and no device name such as "CON" or "nul.txt".
bool IsContainedEntryName(const CString& strName);

// File attributes from the external attributes: DOS bits for hosts 0, 7, 11 and 14, the Unix
// mode (directory, owner write) for every other host.
DWORD ZipEntryAttributes(int nHostSystem, DWORD dwExternalAttributes);

// The entry's DOS date (high word) and time (low word), read as local time, as a UTC FILETIME.
// All zero when the date is not valid.
FILETIME ZipDosTimeToFileTime(DWORD dwDosDateTime);

// The first "UT" record of a local extra field replaces the times it carries (write, access,
// creation, as its flags say). Never reads past the field or past the record.
void ApplyZipExtendedTimes(const BYTE* pExtra, size_t nSize, FILETIME& ftWrite, FILETIME& ftAccess,
                           FILETIME& ftCreation);
