// First-start setup, run by every normal start at the end of the login window's initialisation:
// data folder, embedded package, installed copy of the executable, shortcuts, Uninstall entry.
// Every step is conditional, so on an installed system it mostly only checks. Shows nothing.
#pragma once
#include "framework/String.h"

void RunFirstStartSetup();
// The same, as if strRunningExe were the running executable.
void RunFirstStartSetup(const CString& strRunningExe);

// A version text compared as a number once its dots are gone: "1.0.1.0" is 1010, "1.0.10.0"
// 10100; text without leading digits is 0.
long VersionNumber(const CString& strVersion);
