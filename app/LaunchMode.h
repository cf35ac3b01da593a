// Which role a process plays, decided from its raw command line alone.
#pragma once
#include "framework/String.h"

enum class LaunchMode {
    Update,               // "-d" + separator + path of the executable to replace
    UninstallConfirm,     // ends with "-u"
    UninstallRemove,      // "-u" + separator + path of the installed executable
    GameView,             // "-frameWnd=<handle> ... -gameurl=<address>"
    Normal,               // anything else
};

struct GameViewArgs {
    long hFrame = 0;      // the main window of the launcher that started us; 0 when absent
    CString strGameUrl;   // everything after "-gameurl=", verbatim
};

// The game-view switches, as the main window writes them.
GameViewArgs ParseGameViewArgs(const CString& strCommandLine);

// The mode tests in their order. Update comes first and, when the update mode returns, the
// process goes on with GameViewOrNormal(); the uninstall tests are then not made.
LaunchMode DecideLaunchMode(const CString& strCommandLine);
LaunchMode GameViewOrNormal(const CString& strCommandLine);
