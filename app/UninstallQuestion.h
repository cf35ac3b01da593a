// The question before uninstalling, in a file of its own so that the box showing it can change alone.
#pragma once
#include "framework/String.h"

// Shows strQuestion under the title "卸载"; true when the player chose OK.
bool ConfirmUninstall(const CString& strQuestion);
