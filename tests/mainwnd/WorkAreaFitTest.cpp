#include "mainwnd/WorkAreaFit.h"
#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* name;
    CRect taskbar;
    CRect workArea;
    CRect expected;
};

class WorkAreaFit : public testing::TestWithParam<FitCase> {};

TEST_P(WorkAreaFit, PlacesTheWindowBesideTheTaskbar) {
    EXPECT_TRUE(WorkAreaWindowRect(GetParam().taskbar, GetParam().workArea) == GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Taskbars, WorkAreaFit, testing::Values(
    FitCase{ "bottom", CRect(0, 1040, 1920, 1080), CRect(0, 0, 1920, 1040), CRect(0, 0, 1920, 1040) },
    FitCase{ "top", CRect(0, 0, 1920, 40), CRect(0, 40, 1920, 1080), CRect(0, 40, 1920, 1080) },
    FitCase{ "left", CRect(0, 0, 60, 1080), CRect(60, 0, 1920, 1080), CRect(60, 0, 1920, 1080) },
    FitCase{ "right", CRect(1860, 0, 1920, 1080), CRect(0, 0, 1860, 1080), CRect(0, 0, 1860, 1080) },
    FitCase{ "none", CRect(), CRect(0, 0, 1600, 1000), CRect(0, 0, 1600, 1000) },
    // Without a taskbar the work area's own offset is not followed: the origin stays (0, 0).
    FitCase{ "none, offset area", CRect(), CRect(10, 20, 810, 620), CRect(0, 0, 800, 600) },
    FitCase{ "hidden taskbar below", CRect(0, 1078, 1920, 1118), CRect(0, 0, 1920, 1080), CRect(0, 0, 1920, 1080) }));

}  // namespace
