// The overlay: veil, spinner position, frame order on its timer, the notice.
#include "resources/resource.h"
#include "skin/MenbanDlg.h"
#include "tests/support/ScreenCapture.h"
#include <gtest/gtest.h>

using testing_support::PumpMessages;
using testing_support::ScreenCapture;

namespace {

class MenbanDlgTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(overlay.Create(IDD_MENBAN, nullptr));
        overlay.ShowWindow(SW_HIDE);
        // As the main window shows it: placed over a 1000 x 600 client.
        overlay.SetWindowPos(nullptr, 50, 50, 1000, 600, SWP_NOZORDER);
        overlay.ShowWindow(SW_SHOWNOACTIVATE);
        overlay.UpdateWindow();
        PumpMessages();
    }
    void TearDown() override { overlay.DestroyWindow(); }

    // Which square of the spinner at (488, 248) is lit: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
    int LitSquare() {
        PumpMessages();
        ScreenCapture shot = ScreenCapture::OfClient(overlay.m_hWnd);
        const int cells[4][2] = {{488, 248}, {501, 248}, {488, 261}, {501, 261}};
        int lit = -1;
        double best = 0;
        for (int i = 0; i < 4; ++i) {
            double b = shot.MeanBrightness(cells[i][0] + 2, cells[i][1] + 2, 6, 6);
            if (b > best) { best = b; lit = i; }
        }
        return lit;
    }
    void Tick(UINT_PTR id = CMenbanDlg::kSpinnerTimer) { overlay.SendMessage(WM_TIMER, id); }

    CMenbanDlg overlay;
};

TEST_F(MenbanDlgTest, IsALayeredVeilOfOpacity229) {
    EXPECT_TRUE(overlay.GetExStyle() & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(overlay.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(229, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
}

TEST_F(MenbanDlgTest, DrawsVeilSpinnerAndNoticeWhereTheyBelong) {
    ScreenCapture shot = ScreenCapture::OfClient(overlay.m_hWnd);
    ASSERT_EQ(1000, shot.Width());
    shot.SavePng(L"skin-overlay");
    // Black at alpha 230 over white: 25 on each channel.
    EXPECT_NEAR(25, shot.Pixel(10, 10).r, 2);
    EXPECT_NEAR(25, shot.Pixel(990, 590).b, 2);
    // The spinner occupies 488..510 x 248..270, nothing of it outside.
    EXPECT_GT(shot.MeanBrightness(488, 248, 23, 23), 60.0);
    EXPECT_NEAR(25, shot.MeanBrightness(480, 240, 7, 40), 1.0);
    EXPECT_NEAR(25, shot.MeanBrightness(512, 240, 7, 40), 1.0);
    // The notice in its box at (400, 284), 200 x 31.
    EXPECT_GT(shot.MeanBrightness(400, 284, 200, 31), 30.0);
    EXPECT_NEAR(25, shot.MeanBrightness(300, 284, 100, 31), 1.0);
    EXPECT_NEAR(25, shot.MeanBrightness(400, 315, 200, 20), 1.0);
}

TEST_F(MenbanDlgTest, SpinnerGoesRoundClockwiseOnItsTimerOnly) {
    const int bottomRight = 3, bottomLeft = 2, topLeft = 0, topRight = 1;
    EXPECT_EQ(bottomRight, LitSquare());
    Tick();  // the counter starts at 1: the first tick keeps the first frame
    EXPECT_EQ(bottomRight, LitSquare());
    Tick(4999);
    EXPECT_EQ(bottomRight, LitSquare());
    const int order[] = {bottomLeft, topLeft, topRight, bottomRight, bottomLeft, topLeft};
    for (int expected : order) {
        Tick(102);  // other timers change nothing
        Tick();
        EXPECT_EQ(expected, LitSquare());
    }
}

// A tick repaints the spinner's square alone: the veil and the notice around it stay pixel for
// pixel as the full paint left them.
TEST_F(MenbanDlgTest, TicksRepaintOnlyTheSpinner) {
    ScreenCapture before = ScreenCapture::OfClient(overlay.m_hWnd);
    for (int i = 0; i < 3; ++i) Tick();
    PumpMessages();
    ScreenCapture after = ScreenCapture::OfClient(overlay.m_hWnd);
    ASSERT_EQ(before.Width(), after.Width());
    ASSERT_EQ(before.Height(), after.Height());
    int changedOutside = 0, changedInside = 0;
    for (int y = 0; y < after.Height(); ++y)
        for (int x = 0; x < after.Width(); ++x) {
            bool inSpinner = x >= 488 && x < 511 && y >= 248 && y < 271;
            if (!(before.Pixel(x, y) == after.Pixel(x, y))) ++(inSpinner ? changedInside : changedOutside);
        }
    EXPECT_EQ(0, changedOutside);
    EXPECT_GT(changedInside, 0);
    EXPECT_GT(after.MeanBrightness(400, 284, 200, 31), 30.0);
}

}  // namespace
