#include "mainwnd/GameViewLauncher.h"
#include <vector>

CString FormatGameViewCommandLine(const CString& strExePath, HWND hFrameWnd, const CString& strGameUrl) {
    // Window handles fit in 32 bits, also in 64-bit processes; the game view reads a signed number.
    long frame = static_cast<long>(reinterpret_cast<LONG_PTR>(hFrameWnd));
    // A command line that ends in "-u" asks the uninstall question instead of showing the game.
    // The address with its last "u" escaped is the same address and keeps the line clear of that.
    CString url = strGameUrl;
    if (url.Right(2) == L"-u") url = url.Left(url.GetLength() - 1) + L"%75";
    return FormatString(L"\"%s\" -frameWnd=%ld -gameurl=%s", strExePath.GetString(), frame, url.GetString());
}

bool StartGameViewProcess(const GameViewLaunch& launch) {
    CString exe = launch.strExePath;
    if (exe.IsEmpty()) {
        wchar_t szPath[1024] = {};
        ::GetModuleFileNameW(nullptr, szPath, ARRAYSIZE(szPath));
        exe = szPath;
    }
    CString commandLine = FormatGameViewCommandLine(exe, launch.hFrameWnd, launch.strGameUrl);
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> buffer(commandLine.GetString(), commandLine.GetString() + commandLine.GetLength() + 1);

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return true;
}

unsigned __stdcall GameViewLauncher(void* pParam) {
    auto* pLaunch = static_cast<GameViewLaunch*>(pParam);
    StartGameViewProcess(*pLaunch);
    delete pLaunch;
    return 0;
}
