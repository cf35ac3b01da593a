// Off-screen drawing and the font fallback.
#include "skin/MyMemDC.h"
#include "skin/SkinText.h"
#include "tests/support/ScreenCapture.h"
#include <gtest/gtest.h>

using testing_support::Rgb;
using testing_support::ScreenCapture;

namespace {

// A white 100 x 100 target surface.
struct Target {
    Target() {
        HDC screen = ::GetDC(nullptr);
        dc.Attach(::CreateCompatibleDC(screen));
        bitmap = ::CreateCompatibleBitmap(screen, 100, 100);
        ::ReleaseDC(nullptr, screen);
        old = ::SelectObject(dc, bitmap);
        dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
    }
    ~Target() { ::SelectObject(dc, old); dc.DeleteDC(); ::DeleteObject(bitmap); }
    Rgb At(int x, int y) { return ScreenCapture::OfDC(dc, 0, 0, 100, 100).Pixel(x, y); }
    CDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

TEST(MyMemDC, DrawingAtOffsetCoordinatesLandsOnTheSameTargetPixels) {
    Target target;
    {
        CMyMemDC mem(&target.dc, CRect(20, 30, 60, 70));
        mem.FillSolidRect(20, 30, 40, 40, RGB(0, 0, 255));
        mem.FillSolidRect(25, 35, 10, 10, RGB(255, 0, 0));
        // Nothing reaches the target before the pass ends.
        EXPECT_EQ((Rgb{255, 255, 255}), target.At(30, 40));
    }
    EXPECT_EQ((Rgb{255, 0, 0}), target.At(25, 35));
    EXPECT_EQ((Rgb{255, 0, 0}), target.At(34, 44));
    EXPECT_EQ((Rgb{0, 0, 255}), target.At(59, 69));
    EXPECT_EQ((Rgb{255, 255, 255}), target.At(19, 35));  // outside the rectangle: untouched
    EXPECT_EQ((Rgb{255, 255, 255}), target.At(60, 69));
}

TEST(MyMemDC, DefaultRectangleIsTheTargetsClipBox) {
    Target target;
    ::IntersectClipRect(target.dc, 10, 20, 50, 40);
    {
        CMyMemDC mem(&target.dc);
        RECT box;
        mem.GetClipBox(&box);
        EXPECT_EQ(CRect(10, 20, 50, 40), CRect(box));
        mem.FillSolidRect(10, 20, 40, 20, RGB(0, 128, 0));
    }
    ::SelectClipRgn(target.dc, nullptr);
    EXPECT_EQ((Rgb{0, 128, 0}), target.At(10, 20));
    EXPECT_EQ((Rgb{0, 128, 0}), target.At(49, 39));
    EXPECT_EQ((Rgb{255, 255, 255}), target.At(50, 40));
}

TEST(SkinText, MissingFamilyFallsBackToGenericSansSerif) {
    auto font = CreateSkinFont(L"No Such Family Anywhere", 14.0f, Gdiplus::FontStyleBold);
    ASSERT_EQ(Gdiplus::Ok, font->GetLastStatus());
    Gdiplus::FontFamily family;
    font->GetFamily(&family);
    wchar_t name[LF_FACESIZE] = {};
    family.GetFamilyName(name);
    // The generic sans-serif family where the system has one (Wine may lack it: then the
    // system's message font).
    const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif();
    if (generic && generic->GetLastStatus() == Gdiplus::Ok) {
        wchar_t genericName[LF_FACESIZE] = {};
        generic->GetFamilyName(genericName);
        EXPECT_STREQ(genericName, name);
    }
    EXPECT_EQ(14.0f, font->GetSize());
    EXPECT_EQ(Gdiplus::FontStyleBold, font->GetStyle());

    // And it draws.
    Target target;
    {
        Gdiplus::Graphics g(target.dc.m_hDC);
        DrawSkinText(g, L"Tessik 加强版", *font, Gdiplus::RectF(0, 0, 100, 30), 0xFF000000,
                     Gdiplus::StringTrimmingEllipsisCharacter);
    }
    EXPECT_LT(ScreenCapture::OfDC(target.dc, 0, 0, 100, 100).MeanBrightness(0, 0, 100, 20), 250.0);
}

}  // namespace
