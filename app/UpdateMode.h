#pragma once
#include "framework/String.h"

// The update mode ("-d <target>"): installs this copy over the target and starts it.
// Returns when the process should go on as a normal launcher.
void RunUpdateMode(const CString& strCommandLine);
