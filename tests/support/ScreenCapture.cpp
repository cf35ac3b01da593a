#include "tests/support/ScreenCapture.h"
#include "framework/Wnd.h"
#include "tests/support/TestFiles.h"
#include <gdiplus.h>

namespace testing_support {

ScreenCapture ScreenCapture::OfDC(HDC hDC, int x, int y, int width, int height) {
    ScreenCapture shot;
    if (width <= 0 || height <= 0) return shot;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hDib = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (!hDib) return shot;
    HDC hMem = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(hMem, hDib);
    ::BitBlt(hMem, 0, 0, width, height, hDC, x, y, SRCCOPY);
    ::GdiFlush();
    shot.m_width = width;
    shot.m_height = height;
    const uint32_t* p = static_cast<const uint32_t*>(pBits);
    shot.m_pixels.assign(p, p + static_cast<size_t>(width) * height);
    for (uint32_t& v : shot.m_pixels) v &= 0xFFFFFF;
    ::SelectObject(hMem, old);
    ::DeleteDC(hMem);
    ::DeleteObject(hDib);
    return shot;
}

ScreenCapture ScreenCapture::OfClient(HWND hWnd) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    HDC hDC = ::GetDC(hWnd);
    ScreenCapture shot = OfDC(hDC, 0, 0, rc.right, rc.bottom);
    ::ReleaseDC(hWnd, hDC);
    return shot;
}

ScreenCapture ScreenCapture::OfWindow(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    HDC hDC = ::GetWindowDC(hWnd);
    ScreenCapture shot = OfDC(hDC, 0, 0, rc.right - rc.left, rc.bottom - rc.top);
    ::ReleaseDC(hWnd, hDC);
    return shot;
}

Rgb ScreenCapture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return { -1, -1, -1 };
    uint32_t v = m_pixels[static_cast<size_t>(y) * m_width + x];
    return { static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF) };
}

double ScreenCapture::MeanBrightness(int x, int y, int width, int height) const {
    double sum = 0;
    int n = 0;
    for (int j = y; j < y + height; ++j)
        for (int i = x; i < x + width; ++i) {
            Rgb p = Pixel(i, j);
            if (p.r < 0) continue;
            sum += (p.r + p.g + p.b) / 3.0;
            ++n;
        }
    return n ? sum / n : 0;
}

ScreenCapture ScreenCapture::Crop(int x, int y, int width, int height) const {
    ScreenCapture part;
    part.m_width = width;
    part.m_height = height;
    part.m_pixels.resize(static_cast<size_t>(width) * height);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            Rgb p = Pixel(x + i, y + j);
            part.m_pixels[static_cast<size_t>(j) * width + i] =
                p.r < 0 ? 0 : static_cast<uint32_t>((p.r << 16) | (p.g << 8) | p.b);
        }
    return part;
}

CString ScreenshotFolder() {
    // Test binaries live in <build>/bin or <build>/test64/bin.
    CString folder = BinaryFolder();
    folder = folder.Left(folder.GetLength() - 1);
    folder = folder.Left(folder.ReverseFind(L'\\') + 1);
    if (folder.Right(7).CompareNoCase(L"test64\\") == 0)
        folder = folder.Left(folder.GetLength() - 7);
    folder += L"screenshots\\";
    MakeFolders(folder);
    return folder;
}

CString ScreenCapture::SavePng(const wchar_t* name) const {
    if (IsEmpty()) return CString();
    std::vector<uint32_t> argb(m_pixels);
    for (uint32_t& v : argb) v |= 0xFF000000;
    Gdiplus::Bitmap bitmap(m_width, m_height, m_width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(argb.data()));
    // The PNG encoder of the image library.
    const CLSID pngEncoder = { 0x557cf406, 0x1a04, 0x11d3, { 0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e } };
    CString path = ScreenshotFolder() + name + L".png";
    return bitmap.Save(path, &pngEncoder, nullptr) == Gdiplus::Ok ? path : CString();
}

void PumpMessages() {
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(10);
    }
}

}  // namespace testing_support
