// The process entry point of the executable (tests have their own).
#include "framework/WinApp.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int nCmdShow) {
    return AfxWinMain(hInstance, nCmdShow);
}
