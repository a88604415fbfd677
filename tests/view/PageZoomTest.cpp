// Zoom levels, zoom limits, grid snapping and the scroll arithmetic of
// zoom changes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "view/PageZoom.h"

namespace {
const std::vector<int> kLevels = {50, 100, 150, 200, 300, 400};
}

TEST(ZoomLevels, StepToTheNextAndPreviousLevel) {
    EXPECT_EQ(vx::NextZoomLevel(kLevels, 100), 150);
    EXPECT_EQ(vx::NextZoomLevel(kLevels, 120), 200);  // skips the level just above
    EXPECT_EQ(vx::NextZoomLevel(kLevels, 400), 400);
    EXPECT_EQ(vx::NextZoomLevel(kLevels, 900), 400);
    EXPECT_EQ(vx::NextZoomLevel(kLevels, 10), 100);
    EXPECT_EQ(vx::PrevZoomLevel(kLevels, 150), 100);
    EXPECT_EQ(vx::PrevZoomLevel(kLevels, 120), 50);
    EXPECT_EQ(vx::PrevZoomLevel(kLevels, 50), 50);
    EXPECT_EQ(vx::PrevZoomLevel(kLevels, 10), 50);
    EXPECT_EQ(vx::MinZoomLevel(kLevels), 50);
}

TEST(ZoomLevels, FewerThanTwoLevelsAnswer100) {
    for (const std::vector<int>& levels : {std::vector<int>{}, std::vector<int>{250}}) {
        EXPECT_EQ(vx::NextZoomLevel(levels, 100), 100);
        EXPECT_EQ(vx::PrevZoomLevel(levels, 300), 100);
        EXPECT_EQ(vx::MinZoomLevel(levels), 100);
        EXPECT_EQ(vx::MaxZoomLevel(levels, 650, 800), 100);
        // A page 40000 units wide: 3276800 / 40000 = 81, rounded to 75.
        EXPECT_EQ(vx::MaxZoomLevel(levels, 40000, 10), 75);
    }
}

TEST(ZoomLevels, MaxZoomKeepsThePageWithin32768Pixels) {
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 3000, 2000), 400);   // 1092 >= 400
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 10000, 500), 300);   // 327 -> multiple of 50
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 500, 20000), 150);   // 163 -> multiple of 25
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 40000, 40000), 75);
    EXPECT_EQ(vx::MaxZoomLevel({50, 100, 1000}, 5000, 10), 600);  // 655 -> multiple of 100
    // A page without size is not divided by.
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 0, 0), 400);
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, -5, 0), 400);
    // Huge pages (possible in a file) never give zoom 0.
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, 200000, 1), 16);
    EXPECT_EQ(vx::MaxZoomLevel(kLevels, std::numeric_limits<int>::max(), 1), 1);
}

TEST(SnapToGridValue, RoundsToTheNearestStepHalvesUp) {
    auto snap = [](int v, int g) {
        vx::SnapToGridValue(v, g);
        return v;
    };
    EXPECT_EQ(snap(14, 10), 10);
    EXPECT_EQ(snap(15, 10), 20);
    EXPECT_EQ(snap(-7, 10), 0);
    EXPECT_EQ(snap(-16, 10), -10);
    EXPECT_EQ(snap(0, 10), 0);
    // A grid spacing of 0 (possible in a file) snaps to whole units.
    EXPECT_EQ(snap(17, 0), 17);
    EXPECT_EQ(snap(17, -3), 17);
    EXPECT_EQ(snap(std::numeric_limits<int>::max(), 10), std::numeric_limits<int>::max());
}

TEST(ScrollSizes, FollowZoomAndGrid) {
    const vx::ScrollSizes s = vx::ComputeScrollSizes({650, 800}, 150, {400, 301}, {10, 10});
    EXPECT_EQ(s.total, CSize(975, 1200));
    // Half the client (200, 150), snapped to the grid (200, 150), zoomed.
    EXPECT_EQ(s.page, CSize(300, 225));
    EXPECT_EQ(s.line, CSize(15, 15));
    const vx::ScrollSizes z = vx::ComputeScrollSizes({650, 800}, 100, {400, 300}, {0, 0});
    EXPECT_EQ(z.line, CSize(0, 0));
    EXPECT_EQ(z.page, CSize(200, 150));
}

TEST(ScrollForZoom, KeepsTheCentreLimitsAndSnaps) {
    // The page point at the centre (200, 150) stays at the centre.
    EXPECT_EQ(vx::ScrollForZoom(100, 200, {0, 0}, std::nullopt, {400, 300}, {2000, 2000}, {10, 10}), CPoint(200, 160));
    // Not a multiple of 50: no snapping.
    EXPECT_EQ(vx::ScrollForZoom(100, 110, {0, 0}, std::nullopt, {400, 300}, {2000, 2000}, {10, 10}), CPoint(20, 15));
    // A requested position is limited to the page and to 0.
    EXPECT_EQ(vx::ScrollForZoom(100, 100, {}, CPoint(5000, -20), {400, 300}, {1000, 1000}, {10, 10}), CPoint(600, 0));
    // A page smaller than the window stays at 0.
    EXPECT_EQ(vx::ScrollForZoom(100, 100, {}, CPoint(50, 50), {400, 300}, {200, 100}, {10, 10}), CPoint(0, 0));
    // Old zoom 0 (never valid) does not divide by zero.
    EXPECT_EQ(vx::ScrollForZoom(0, 100, {0, 0}, std::nullopt, {400, 300}, {2000, 2000}, {0, 0}).x >= 0, true);
}

TEST(ZoomForRect, RoundsToFivesAndPutsTheCornerTopLeft) {
    // A scaled zoom of 102 gives 105, 101.9 gives 100.
    EXPECT_EQ(vx::ZoomForRect(100, {0, 0, 10, 10}, {100, 100}, 1.02, 50, 400).zoom, 105);
    EXPECT_EQ(vx::ZoomForRect(100, {0, 0, 10, 10}, {100, 100}, 1.019, 50, 400).zoom, 100);
    // Fit: the smaller of the two factors; the rectangle may be reversed.
    const vx::ZoomTarget t = vx::ZoomForRect(100, {600, 300, 200, 100}, {800, 600}, 0, 50, 400);
    EXPECT_EQ(t.zoom, 200);
    EXPECT_EQ(t.scroll, CPoint(400, 200));
    // At zoom 200 a device corner (300, 100) is page (150, 50); at 400 (600, 200).
    const vx::ZoomTarget u = vx::ZoomForRect(200, {300, 100, 400, 200}, {400, 400}, 0, 50, 400);
    EXPECT_EQ(u.zoom, 400);
    EXPECT_EQ(u.scroll, CPoint(600, 200));
    // Limits.
    EXPECT_EQ(vx::ZoomForRect(100, {0, 0, 1, 1}, {800, 600}, 0, 50, 400).zoom, 400);
    EXPECT_EQ(vx::ZoomForRect(100, {0, 0, 8000, 6000}, {800, 600}, 0, 50, 400).zoom, 50);
    // No area and no factor: the zoom stays; a bad factor counts as none.
    EXPECT_EQ(vx::ZoomForRect(150, {10, 10, 10, 10}, {800, 600}, 0, 50, 400).zoom, 150);
    EXPECT_EQ(vx::ZoomForRect(100, {0, 0, 400, 0}, {800, 600}, std::nan(""), 50, 400).zoom, 200);
}
