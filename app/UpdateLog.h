#pragma once
#include "framework/String.h"

// Appends one time-stamped line to res\update.log in the data folder (UTF-16LE, no byte-order mark).
// Returns 0 when the line was written, -1 otherwise; the res folder is never created here.
int WriteUpdateLog(const CString& strMessage);

// The line as written, without its line break: "yyyy- m- d  h: m: s : \tUpdateModule\t<message>".
CString FormatUpdateLogLine(const SYSTEMTIME& time, const CString& strMessage);
