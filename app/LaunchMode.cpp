#include "app/LaunchMode.h"
#include <cwchar>

GameViewArgs ParseGameViewArgs(const CString& strCommandLine) {
    static const wchar_t kFrameSwitch[] = L"-frameWnd=";
    static const wchar_t kUrlSwitch[] = L"-gameurl=";
    GameViewArgs args;
    CString rest = strCommandLine;

    int frame = rest.Find(kFrameSwitch);
    if (frame >= 0) {
        rest = rest.Mid(frame + 10);
        int blank = rest.Find(L' ');
        if (blank >= 0) {
            // Signed decimal, leading white space and sign allowed, stops at the first non-digit.
            args.hFrame = wcstol(rest.Left(blank), nullptr, 10);
            rest = rest.Mid(blank);
        }
    }
    int url = rest.Find(kUrlSwitch);
    if (url >= 0) args.strGameUrl = rest.Mid(url + 9);
    return args;
}

LaunchMode GameViewOrNormal(const CString& strCommandLine) {
    return ParseGameViewArgs(strCommandLine).hFrame != 0 ? LaunchMode::GameView : LaunchMode::Normal;
}

LaunchMode DecideLaunchMode(const CString& strCommandLine) {
    CString first = strCommandLine.Left(2);
    CString last = strCommandLine.Right(2);
    if (first == L"-d") return LaunchMode::Update;
    if (last == L"-u") return LaunchMode::UninstallConfirm;
    if (first == L"-u") return LaunchMode::UninstallRemove;
    return GameViewOrNormal(strCommandLine);
}
