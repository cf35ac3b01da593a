#pragma once
#include "framework/String.h"

// First stage ("... -u"): asks the player, then hands over to a temporary copy.
void RunUninstallConfirmation();
// Second stage ("-u <installed exe>"), running from the temporary copy: removes the installation.
void RunUninstallRemoval(const CString& strCommandLine);
