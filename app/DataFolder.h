#pragma once
#include "framework/String.h"

// The per-user data folder: <roaming application data>\Nuvra\tsk\, always ending in a backslash.
// Built once per process; the folder itself is not created here.
CString GetDataFolder();
