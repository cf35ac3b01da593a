// Reading back what windows show: a window's pixels into memory, single pixels, and a PNG copy
// under the build folder (build/screenshots) for looking at.
#pragma once
#include "framework/String.h"
#include <cstdint>
#include <vector>

namespace testing_support {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

class ScreenCapture {
public:
    // The client area of hWnd as it is on screen (children included), or its whole window.
    static ScreenCapture OfClient(HWND hWnd);
    static ScreenCapture OfWindow(HWND hWnd);
    // A rectangle of an already painted device context.
    static ScreenCapture OfDC(HDC hDC, int x, int y, int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_pixels.empty(); }
    Rgb Pixel(int x, int y) const;
    // Mean brightness (0..255) of a rectangle, for "is something drawn here".
    double MeanBrightness(int x, int y, int width, int height) const;
    ScreenCapture Crop(int x, int y, int width, int height) const;

    // Writes build/screenshots/<name>.png; returns the file's path (empty on failure).
    CString SavePng(const wchar_t* name) const;

private:
    int m_width = 0, m_height = 0;
    std::vector<uint32_t> m_pixels;  // 0x00RRGGBB, top row first
};

// Where screenshots go: the build folder's screenshots folder, created on demand.
CString ScreenshotFolder();

// Dispatches the thread's pending messages (through the windows' PreTranslateMessage, as the
// program's message loops do) until none is left; the repaint of shown windows happens here.
void PumpMessages();

}  // namespace testing_support
