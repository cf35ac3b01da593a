// The skin button on a painted parent window: looks, hover colours, press, double click, tooltip.
#include "resources/resource.h"
#include "skin/PngImage.h"
#include "skin/TouchButton.h"
#include "tests/support/ScreenCapture.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using testing_support::PumpMessages;
using testing_support::Rgb;
using testing_support::ScreenCapture;

namespace {

const COLORREF kParentColour = RGB(40, 60, 80);

// A parent that paints itself one colour and writes down the notifications of its buttons.
class ParentWnd : public CWnd {
public:
    BOOL Create(int width, int height, COLORREF colour) {
        m_colour = colour;
        RECT r = { 100, 100, 100 + width, 100 + height };
        return CreateEx(0, RegisterWindowClass(0), L"parent", WS_POPUP, r, nullptr, 0);
    }
    std::vector<WORD> m_notifications;
    COLORREF m_colour = 0;
    // Optional painter for screenshots.
    void (*m_pfnPaint)(HDC hDC, int width, int height) = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnEraseBkgnd(HDC hDC) {
        RECT rc;
        GetClientRect(&rc);
        if (m_pfnPaint) {
            m_pfnPaint(hDC, rc.right, rc.bottom);
        } else {
            HBRUSH brush = ::CreateSolidBrush(m_colour);
            ::FillRect(hDC, &rc, brush);
            ::DeleteObject(brush);
        }
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND) m_notifications.push_back(HIWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

BEGIN_MESSAGE_MAP(ParentWnd, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// Lets a test give the button faces of its own making after SetImages.
class TestButton : public CTouchButton {
public:
    using CTouchButton::m_pImgHover;
    using CTouchButton::m_pImgNormal;
    using CTouchButton::m_pImgPressed;
    using CTouchButton::m_pToolTip;
    using CTouchButton::m_bHover;
};

// 40 x 30: columns 0-9 transparent, 10-19 opaque black, 20-29 opaque white, 30-39 half-transparent red.
Gdiplus::Bitmap* MakeFace(Gdiplus::ARGB blackOr) {
    auto* face = new Gdiplus::Bitmap(40, 30, PixelFormat32bppARGB);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            Gdiplus::ARGB c = x < 10 ? 0 : x < 20 ? blackOr : x < 30 ? 0xFFFFFFFF : 0x80FF0000;
            face->SetPixel(x, y, Gdiplus::Color(c));
        }
    return face;
}

void ReplaceFace(CGdiPlusBitmapResource* res, Gdiplus::Bitmap* face) {
    delete res->m_pBitmap;
    res->m_pBitmap = face;
}

class TouchButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(200, 100, kParentColour));
        HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 50, 40, 40, 30,
                                         parent.m_hWnd, reinterpret_cast<HMENU>(77), nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hButton));
    }
    void TearDown() override { parent.DestroyWindow(); }

    void GiveTestFaces() {
        ASSERT_TRUE(button.SetImages(IDP_CLOSE_NORMAL, IDP_CLOSE_HOVER, IDP_CLOSE_PRESSED));
        ReplaceFace(button.m_pImgNormal, MakeFace(0xFF000000));
        ReplaceFace(button.m_pImgHover, MakeFace(0xFF000000));
        ReplaceFace(button.m_pImgPressed, MakeFace(0xFF0000FF));  // blue where the others are black
    }
    void Show() {
        parent.ShowWindow(SW_SHOWNOACTIVATE);
        parent.UpdateWindow();
        PumpMessages();
    }
    ScreenCapture Look() {
        PumpMessages();
        return ScreenCapture::OfClient(button.m_hWnd);
    }
    void Post(UINT message, int x, int y) {
        ::PostMessageW(button.m_hWnd, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }

    ParentWnd parent;
    TestButton button;
};

TEST_F(TouchButtonTest, BecomesOwnerDrawnWhenBound) {
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
}

TEST_F(TouchButtonTest, NormalLookIsTheFaceOverTheParentsPixels) {
    GiveTestFaces();
    Show();
    ScreenCapture look = Look();
    EXPECT_EQ((Rgb{40, 60, 80}), look.Pixel(5, 15));     // transparent: the parent shows
    EXPECT_EQ((Rgb{0, 0, 0}), look.Pixel(15, 15));
    EXPECT_EQ((Rgb{255, 255, 255}), look.Pixel(25, 15));
    Rgb blend = look.Pixel(35, 15);                      // half red over the parent
    EXPECT_NEAR(148, blend.r, 3);
    EXPECT_NEAR(30, blend.g, 3);
    EXPECT_NEAR(40, blend.b, 3);
}

TEST_F(TouchButtonTest, HoverBrightensByFivePercentAndCapsAtWhite) {
    GiveTestFaces();
    Show();
    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    ScreenCapture look = Look();
    EXPECT_EQ((Rgb{40, 60, 80}), look.Pixel(5, 15));
    Rgb grey = look.Pixel(15, 15);
    EXPECT_NEAR(13, grey.r, 1);
    EXPECT_NEAR(13, grey.g, 1);
    EXPECT_NEAR(13, grey.b, 1);
    EXPECT_EQ((Rgb{255, 255, 255}), look.Pixel(25, 15));

    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ((Rgb{0, 0, 0}), Look().Pixel(15, 15));
}

TEST_F(TouchButtonTest, PressedLookWhileHeldThenOneClick) {
    GiveTestFaces();
    Show();
    Post(WM_LBUTTONDOWN, 20, 15);
    EXPECT_EQ((Rgb{0, 0, 255}), Look().Pixel(15, 15));
    // The mouse leaves while still held: the hover flag goes, the next paint is normal.
    button.SendMessage(WM_MOUSELEAVE);
    Post(WM_LBUTTONUP, 20, 15);
    ScreenCapture after = Look();
    EXPECT_EQ((Rgb{0, 0, 0}), after.Pixel(15, 15));
    EXPECT_EQ(std::vector<WORD>{BN_CLICKED}, parent.m_notifications);
}

TEST_F(TouchButtonTest, RealMouseRestingAndLeaving) {
    GiveTestFaces();
    Show();
    // Waits for the system's hover and leave notices, for at most a few seconds.
    auto moveTo = [&](int x, int y, BOOL hoverWanted) {
        POINT p = { x, y };
        ::ClientToScreen(button.m_hWnd, &p);
        ::SetCursorPos(p.x, p.y);
        ::PostMessageW(::WindowFromPoint(p), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        for (int i = 0; i < 100 && button.m_bHover != hoverWanted; ++i) PumpMessages();
    };
    moveTo(20, 15, TRUE);
    EXPECT_TRUE(button.m_bHover);
    EXPECT_NEAR(13, Look().Pixel(15, 15).r, 1);
    moveTo(-30, 15, FALSE);
    EXPECT_FALSE(button.m_bHover);
    EXPECT_EQ((Rgb{0, 0, 0}), Look().Pixel(15, 15));
}

TEST_F(TouchButtonTest, DoubleClickIsTwoPresses) {
    GiveTestFaces();
    Show();
    Post(WM_LBUTTONDOWN, 20, 15);
    Post(WM_LBUTTONUP, 20, 15);
    Post(WM_LBUTTONDBLCLK, 20, 15);
    Post(WM_LBUTTONUP, 20, 15);
    PumpMessages();
    EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_CLICKED}), parent.m_notifications);
}

TEST_F(TouchButtonTest, TooltipOnlyForAText) {
    GiveTestFaces();
    Show();
    button.SetTooltipText(L"");
    button.SendMessage(WM_MOUSEHOVER);
    EXPECT_EQ(nullptr, button.m_pToolTip);

    button.SetTooltipText(L"刷新");
    ASSERT_NE(nullptr, button.m_pToolTip);
    HWND first = button.m_pToolTip->m_hWnd;
    EXPECT_EQ(1, button.m_pToolTip->GetToolCount());
    button.SendMessage(WM_MOUSEHOVER);
    // Made afresh on every rest, with the same single tool.
    ASSERT_NE(nullptr, button.m_pToolTip);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(1, button.m_pToolTip->GetToolCount());
    wchar_t text[32] = {};
    TOOLINFOW ti = { TTTOOLINFOW_V2_SIZE };
    ti.hwnd = button.m_hWnd;
    ti.uId = 1;
    ti.lpszText = text;
    button.m_pToolTip->SendMessage(TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"刷新", text);
}

TEST_F(TouchButtonTest, HandCursorEverywhere) {
    EXPECT_EQ(TRUE, button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
}

TEST_F(TouchButtonTest, WithoutFacesPaintsNothingButStillClicks) {
    Show();
    ScreenCapture look = Look();
    EXPECT_EQ((Rgb{40, 60, 80}), look.Pixel(20, 15));  // the parent's erase, nothing over it
    Post(WM_LBUTTONDOWN, 20, 15);
    Post(WM_LBUTTONUP, 20, 15);
    PumpMessages();
    EXPECT_EQ(std::vector<WORD>{BN_CLICKED}, parent.m_notifications);
}

// --- a screenshot of the caption buttons in their three looks ---------------------------------

void PaintCaptionRows(HDC hDC, int width, int height) {
    std::unique_ptr<Gdiplus::Image> left(LoadPngImage(IDP_CAPTION_LEFT)), mid(LoadPngImage(IDP_CAPTION_MID)),
        right(LoadPngImage(IDP_CAPTION_RIGHT));
    Gdiplus::Graphics g(hDC);
    Gdiplus::SolidBrush dark(Gdiplus::Color(255, 14, 11, 8));
    g.FillRectangle(&dark, 0, 0, width, height);
    for (int row = 0; row < 3; ++row) {
        int y = row * 34;
        Gdiplus::TextureBrush tile(mid.get());
        tile.TranslateTransform(0, static_cast<Gdiplus::REAL>(y));
        g.FillRectangle(&tile, 0, y, width, 30);
        g.DrawImage(left.get(), 0, y, 203, 30);
        g.DrawImage(right.get(), width - 92, y, 92, 30);
    }
}

}  // namespace



TEST(TouchButtonLooks, CaptionButtonsScreenshot) {
    const struct { UINT normal, hover, pressed; int x, w, h; } buttons[] = {
        {211, 212, 231, 820 - 488, 59, 24}, {226, 219, 236, 820 - 428, 78, 24}, {252, 253, 261, 820 - 349, 85, 24},
        {223, 215, 233, 820 - 270, 97, 24}, {224, 214, 234, 820 - 172, 85, 24}, {209, 210, 230, 820 - 86, 28, 26},
        {220, 213, 228, 820 - 57, 28, 26}, {207, 208, 227, 820 - 28, 28, 26},
    };
    ParentWnd parent;
    parent.m_pfnPaint = &PaintCaptionRows;
    ASSERT_TRUE(parent.Create(820, 98, 0));
    std::vector<std::unique_ptr<CTouchButton>> all;
    for (int row = 0; row < 3; ++row)
        for (const auto& b : buttons) {
            HWND h = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, b.x, row * 34 + 3, b.w, b.h,
                                       parent.m_hWnd, nullptr, nullptr, nullptr);
            all.emplace_back(new CTouchButton);
            all.back()->SubclassWindow(h);
            all.back()->SetImages(b.normal, b.hover, b.pressed);
        }
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    parent.UpdateWindow();
    PumpMessages();
    size_t n = sizeof(buttons) / sizeof(buttons[0]);
    for (size_t i = 0; i < n; ++i) {
        all[n + i]->SendMessage(WM_MOUSEHOVER);
        all[2 * n + i]->SendMessage(BM_SETSTATE, TRUE);
    }
    PumpMessages();
    ScreenCapture shot = ScreenCapture::OfClient(parent.m_hWnd);
    EXPECT_FALSE(shot.SavePng(L"skin-buttons").IsEmpty());
    // The strip shows through the transparent parts of the faces.
    EXPECT_EQ(shot.Pixel(700, 29), shot.Pixel(805, 29));
    parent.DestroyWindow();
}
