// Starts a program for a test, finds its windows, and makes sure it is gone when the test ends.
#pragma once
#include "framework/String.h"

namespace testing_support {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills the process if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // strCommandLine is passed as it stands (quote the program path yourself).
    bool Start(const CString& strCommandLine);
    // The first visible top-level window of the process (optionally with this title), or null on time-out.
    HWND WaitForWindow(DWORD timeoutMs, const wchar_t* pszTitle = nullptr) const;
    // True when the process ended within the time; its exit code goes to *pExitCode.
    bool WaitForExit(DWORD timeoutMs, DWORD* pExitCode = nullptr) const;
    void Kill();

    DWORD Id() const { return m_pi.dwProcessId; }
    HANDLE Handle() const { return m_pi.hProcess; }

private:
    PROCESS_INFORMATION m_pi = {};
};

// Windows of the process that are visible and have no owner or parent.
HWND FindTopLevelWindow(DWORD processId, const wchar_t* pszTitle = nullptr);

// The launcher to start: LANDER_PRODUCT_EXE when set (the shipped 32-bit build), else the one beside the tests.
CString ProductExecutable();
CString SiblingExecutable();

}  // namespace testing_support
