// The login step of a normal start, run by the main window while it is still invisible.
#pragma once
#include "framework/String.h"

// Runs the login window modally and returns the game address it ended with. A player who
// leaves the login ends the process there; the main window goes on with what comes back.
CString RunLoginAndGetGameUrl();
