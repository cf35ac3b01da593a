#include "app/UninstallMode.h"

void RunUninstallConfirmation() {
    // Uninstalling is not available yet.
}

void RunUninstallRemoval(const CString&) {
    // Uninstalling is not available yet.
}
