#include "app/UpdateMode.h"

void RunUpdateMode(const CString&) {
    // Installing an update is not available yet: carry on as a normal launcher.
}
