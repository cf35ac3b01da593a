// The login step of a normal start, run by the main window while it is still invisible.
#pragma once
#include "framework/String.h"

// Runs the login window modally and returns the game address it ended with; an empty string
// means the player left the login, and the main window then ends without showing itself.
CString RunLoginAndGetGameUrl();
