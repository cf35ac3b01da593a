// Entry point of every test binary: an application object for the framework, GDI+ for drawing.
#include "framework/WinApp.h"
#include <gtest/gtest.h>
#include <gdiplus.h>
#include <commctrl.h>

int wmain(int argc, wchar_t** argv) {
    // The manifest asks for common controls 6, whose classes exist only once the library is initialised.
    INITCOMMONCONTROLSEX icc = { sizeof(icc), 0xFF };
    InitCommonControlsEx(&icc);
    CWinAppEx app;
    app.SetRegistryKey(L"Brennhollow");
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(token);
    return rc;
}
