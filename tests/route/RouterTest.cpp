// The connector router on hand-made obstacle layouts whose shortest
// orthogonal path is known, its fallbacks, its scene cache and random
// layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "route/Router.h"

using vx::route::CRouter;
using vx::route::kFreeEnd;
using vx::route::RouteEnd;
using vx::route::RouteKind;
using vx::route::RouteResult;
using vx::route::SceneKey;

namespace {

// Snap point types used below: the middle of the right and left sides.
constexpr int kRightMid = 5;
constexpr int kLeftMid = 7;

const CRect kPage(0, 0, 2000, 2000);

SceneKey Key(uint64_t revision = 1, CSize grid = CSize(10, 10), CRect page = kPage) {
    static int owner;
    SceneKey key;
    key.owner = &owner;
    key.revision = revision;
    key.grid = grid;
    key.page = page;
    return key;
}

void Prepare(CRouter& router, const std::vector<CRect>& obstacles, SceneKey key = Key()) {
    router.Invalidate();
    router.Prepare(key, [&] { return obstacles; });
}

int64_t Length(const std::vector<CPoint>& pts) {
    int64_t sum = 0;
    for (size_t i = 1; i < pts.size(); ++i)
        sum +=
            std::abs(int64_t(pts[i].x) - pts[i - 1].x) + std::abs(int64_t(pts[i].y) - pts[i - 1].y);
    return sum;
}

bool AxisParallel(const std::vector<CPoint>& pts) {
    for (size_t i = 1; i < pts.size(); ++i)
        if (pts[i].x != pts[i - 1].x && pts[i].y != pts[i - 1].y) return false;
    return true;
}

// Distance between an axis-parallel segment and a rectangle (0 when they
// meet), measured as the larger of the gaps along x and y.
int64_t Gap(CPoint a, CPoint b, const CRect& r) {
    const int64_t x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const int64_t y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    const int64_t gx = std::max<int64_t>({0, r.left - x1, x0 - r.right});
    const int64_t gy = std::max<int64_t>({0, r.top - y1, y0 - r.bottom});
    return std::max(gx, gy);
}

// Two frames side by side; S on the right side of the left one, E on the
// left side of the right one.
struct SideBySide {
    CRect left{100, 100, 200, 200};
    CRect right{300, 100, 400, 200};
    RouteEnd S() const { return {CPoint(left.right, (left.top + left.bottom) / 2), kRightMid}; }
    RouteEnd E() const { return {CPoint(right.left, (right.top + right.bottom) / 2), kLeftMid}; }
};

// A frame inside a closed ring of walls, clear of it on every side.
std::vector<CRect> WalledIn(const CRect& frame, int gap, int thick) {
    const CRect in(frame.left - gap, frame.top - gap, frame.right + gap, frame.bottom + gap);
    return {frame, CRect(in.left - thick, in.top - thick, in.right + thick, in.top),
            CRect(in.left - thick, in.bottom, in.right + thick, in.bottom + thick),
            CRect(in.left - thick, in.top, in.left, in.bottom),
            CRect(in.right, in.top, in.right + thick, in.bottom)};
}

}  // namespace

TEST(RouterLayouts, SideBySideGivesAStraightLine) {
    CRouter router;
    SideBySide f;
    Prepare(router, {f.left, f.right});
    const RouteResult r = router.Route(f.S(), f.E());
    EXPECT_EQ(r.kind, RouteKind::kDirect);
    EXPECT_EQ(r.points, (std::vector<CPoint>{CPoint(300, 150), CPoint(200, 150)}));
}

TEST(RouterLayouts, RightFrameMovedDownGivesAZHalfway) {
    CRouter router;
    SideBySide f;
    f.right.OffsetRect(0, 100);
    Prepare(router, {f.left, f.right});
    const RouteResult r = router.Route(f.S(), f.E());
    EXPECT_FALSE(r.FellBack());
    EXPECT_EQ(r.points, (std::vector<CPoint>{CPoint(300, 250), CPoint(250, 250), CPoint(250, 150),
                                             CPoint(200, 150)}));
}

TEST(RouterLayouts, FrameAcrossThePathIsGoneAroundWithTheMargin) {
    CRouter router;
    SideBySide f;
    const CRect middle(230, 120, 270, 180);
    Prepare(router, {f.left, f.right, middle});
    const RouteResult r = router.Route(f.S(), f.E());
    EXPECT_EQ(r.kind, RouteKind::kSearched);
    ASSERT_GE(r.points.size(), 2u);
    EXPECT_EQ(r.points.front(), f.E().at);
    EXPECT_EQ(r.points.back(), f.S().at);
    EXPECT_TRUE(AxisParallel(r.points));
    for (size_t i = 1; i < r.points.size(); ++i)
        EXPECT_GE(Gap(r.points[i - 1], r.points[i], middle), 10) << "segment " << i;
    // The shortest way round: 100 across plus 40 up (or down) and back,
    // with the fewest bends (four).
    EXPECT_EQ(Length(r.points), 180);
    EXPECT_EQ(r.points.size(), 6u);
    // No detour through the frames at either end.
    for (size_t i = 1; i + 1 < r.points.size(); ++i) {
        EXPECT_GE(r.points[i].x, 210);
        EXPECT_LE(r.points[i].x, 290);
    }
}

TEST(RouterLayouts, GridOffsetShiftsInnerPointsAndKeepsEndsStraight) {
    CRouter router;
    SideBySide f;
    f.left.OffsetRect(5, 5);
    f.right.OffsetRect(5, 105);
    Prepare(router, {f.left, f.right});
    const RouteResult r = router.Route(f.S(), f.E(), 5);
    // The Z of the layout 5 units up and left, shifted by 5.
    EXPECT_EQ(r.points, (std::vector<CPoint>{CPoint(305, 255), CPoint(255, 255), CPoint(255, 155),
                                             CPoint(205, 155)}));
}

TEST(RouterLayouts, GridOffsetOnADetourKeepsEverySegmentStraight) {
    CRouter router;
    SideBySide f;
    Prepare(router, {f.left, f.right, CRect(230, 120, 270, 180)});
    const RouteResult plain = router.Route(f.S(), f.E());
    const RouteResult shifted = router.Route(f.S(), f.E(), 5);
    ASSERT_EQ(plain.points.size(), shifted.points.size());
    EXPECT_TRUE(AxisParallel(shifted.points));
    // The end segments keep their ends' row; the corners between move by 5.
    for (size_t i = 2; i + 2 < plain.points.size(); ++i)
        EXPECT_EQ(shifted.points[i], CPoint(plain.points[i].x + 5, plain.points[i].y + 5)) << i;
    EXPECT_EQ(shifted.points[1].y, f.E().at.y);
    EXPECT_EQ(shifted.points[shifted.points.size() - 2].y, f.S().at.y);
}

TEST(RouterLayouts, TargetInsideAnObstacleLeavesItsBox) {
    CRouter router;
    const CRect start(100, 100, 200, 200), target(400, 300, 600, 500), between(260, 120, 300, 480);
    Prepare(router, {start, target, between});
    const RouteEnd s{CPoint(200, 150), kRightMid};
    const RouteEnd e{CPoint(500, 400), kFreeEnd};  // the middle of the target
    const RouteResult r = router.Route(s, e);
    EXPECT_FALSE(r.FellBack());
    EXPECT_EQ(r.points.front(), e.at);
    EXPECT_EQ(r.points.back(), s.at);
    EXPECT_TRUE(AxisParallel(r.points));
    for (size_t i = 1; i < r.points.size(); ++i)
        EXPECT_GE(Gap(r.points[i - 1], r.points[i], between), 10) << "segment " << i;
    // It leaves the target's box straight from its centre.
    ASSERT_GE(r.points.size(), 3u);
    EXPECT_TRUE(r.points[1].x == 500 || r.points[1].y == 400);
}

TEST(RouterLayouts, ObjectsDrawnRoundTheEndsBlockNothing) {
    CRouter router;
    SideBySide f;
    // A large frame behind the right one, listed first, reaching past it:
    // the end's box is still the right frame's, and the large frame, which
    // holds the end, does not block the route.
    const CRect behind(280, 0, 900, 600);
    Prepare(router, {behind, f.left, f.right});
    RouteResult r = router.Route(f.S(), f.E());
    EXPECT_EQ(r.kind, RouteKind::kDirect);
    EXPECT_EQ(r.points, (std::vector<CPoint>{CPoint(300, 150), CPoint(200, 150)}));

    // A frame round the whole diagram, and a wall between the two: the
    // route goes round the wall inside the frame as it would without it.
    const CRect wall(230, 50, 270, 190), round(50, 20, 600, 400);
    Prepare(router, {f.left, f.right, wall}, Key(2));
    const RouteResult bare = router.Route(f.S(), f.E());
    Prepare(router, {f.left, f.right, wall, round}, Key(3));
    r = router.Route(f.S(), f.E());
    EXPECT_EQ(r.kind, RouteKind::kSearched);
    EXPECT_EQ(r.points, bare.points);
    // The next route, whose ends no frame holds, is blocked by it again.
    const RouteEnd out{CPoint(700, 150), kLeftMid};
    r = router.Route(out, f.E());
    EXPECT_NE(r.kind, RouteKind::kDirect);
}

TEST(RouterFallbacks, WalledInTargetFindsNoPath) {
    CRouter router;
    const CRect start(100, 100, 200, 200), target(500, 100, 600, 200);
    std::vector<CRect> obstacles = WalledIn(target, 60, 20);
    obstacles.push_back(start);
    Prepare(router, obstacles);
    const RouteEnd s{CPoint(200, 150), kRightMid}, e{CPoint(500, 150), kLeftMid};
    const RouteResult r = router.Route(s, e);
    EXPECT_EQ(r.kind, RouteKind::kFallbackNoPath);
    EXPECT_TRUE(r.FellBack());
    EXPECT_EQ(r.points.front(), e.at);
    EXPECT_EQ(r.points.back(), s.at);
    // The window: the exit cells (21, 15) and (49, 15) grown by 10 cells.
    EXPECT_EQ(router.lastWindowCells(), size_t(49 * 21));
}

TEST(RouterFallbacks, SearchWindowIsClippedToThePage) {
    CRouter router;
    const CRect start(20, 20, 60, 60), target(220, 20, 260, 60);
    std::vector<CRect> obstacles{start, target, CRect(120, 0, 140, 80)};
    Prepare(router, obstacles, Key(1, CSize(10, 10), CRect(0, 0, 400, 400)));
    const RouteResult r = router.Route({CPoint(60, 40), kRightMid}, {CPoint(220, 40), kLeftMid});
    EXPECT_EQ(r.kind, RouteKind::kSearched);
    // Exit cells (7, 4) and (21, 4): x 0..31 and y 0..14 on the page.
    EXPECT_EQ(router.lastWindowCells(), size_t(32 * 15));
    for (const CPoint& p : r.points) {
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
    }
}

TEST(RouterFallbacks, ExitCellWithNoMoveIsBlocked) {
    CRouter router;
    const CRect start(100, 100, 200, 200), target(500, 100, 600, 200);
    // A frame hard against the target's exit on the left.
    Prepare(router, {start, target, CRect(470, 0, 485, 400)});
    const RouteResult r = router.Route({CPoint(200, 150), kRightMid}, {CPoint(500, 150), kLeftMid});
    EXPECT_EQ(r.kind, RouteKind::kFallbackBlocked);
    EXPECT_EQ(router.lastWindowCells(), 0u);
}

TEST(RouterFallbacks, EndsFarApartUseOneBendWithoutSearching) {
    CRouter router;
    const CRect start(100, 100, 200, 200), target(1800, 100, 1900, 200);
    Prepare(router, {start, target, CRect(900, 50, 950, 250)});
    const RouteEnd s{CPoint(200, 150), kRightMid}, e{CPoint(1800, 150), kLeftMid};
    const RouteResult r = router.Route(s, e);
    EXPECT_EQ(r.kind, RouteKind::kFallbackFar);
    EXPECT_EQ(router.lastWindowCells(), 0u);
    EXPECT_EQ(r.points.front(), e.at);
    EXPECT_EQ(r.points.back(), s.at);
}

TEST(RouterFallbacks, EndOutsideThePageUsesTheFirstPointsColumn) {
    CRouter router;
    Prepare(router, {CRect(100, 100, 200, 200)});
    const RouteEnd s{CPoint(200, 150), kRightMid}, e{CPoint(2500, 700), kFreeEnd};
    const RouteResult r = router.Route(s, e);
    EXPECT_EQ(r.kind, RouteKind::kOutside);
    EXPECT_EQ(r.points,
              (std::vector<CPoint>{CPoint(2500, 700), CPoint(2500, 150), CPoint(200, 150)}));
}

TEST(RouterFallbacks, ExitPointOutsideThePageUsesTheFirstPointsColumn) {
    CRouter router;
    // The frame touches the page's right edge, so its exit lies beyond it.
    Prepare(router, {CRect(100, 100, 200, 200), CRect(1900, 100, 2000, 200)});
    const RouteResult r =
        router.Route({CPoint(200, 150), kRightMid}, {CPoint(2000, 150), kRightMid});
    EXPECT_EQ(r.kind, RouteKind::kOutside);
}

TEST(RouterFallbacks, DegenerateScenesDoNotCrash) {
    CRouter router;
    const RouteEnd s{CPoint(10, 10), kFreeEnd}, e{CPoint(300, 300), kFreeEnd};
    // Never prepared.
    EXPECT_EQ(router.Route(s, e).kind, RouteKind::kOutside);
    // Empty page.
    Prepare(router, {CRect(0, 0, 50, 50)}, Key(1, CSize(10, 10), CRect()));
    EXPECT_EQ(router.Route(s, e).kind, RouteKind::kOutside);
    // Grid of zero and negative steps counts as 1.
    for (const CSize grid : {CSize(0, 0), CSize(-5, 3)}) {
        Prepare(router, {CRect(100, 100, 150, 150)}, Key(2, grid, CRect(0, 0, 400, 400)));
        const RouteResult r = router.Route(s, e);
        EXPECT_EQ(r.points.front(), e.at);
        EXPECT_EQ(r.points.back(), s.at);
    }
    // Coordinates at the 32-bit limits, a grid of 1 and an obstacle over
    // the whole range.
    const CRect huge(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    Prepare(router, {huge, CRect(-5, -5, 5, 5)}, Key(3, CSize(1, 1), huge));
    for (const RouteEnd& end :
         {RouteEnd{CPoint(INT32_MAX, INT32_MAX), 2}, RouteEnd{CPoint(INT32_MIN, 0), 0}}) {
        const RouteResult r = router.Route(end, {CPoint(0, 0), 8}, INT32_MAX);
        EXPECT_EQ(r.points.front(), CPoint(0, 0));
        EXPECT_EQ(r.points.back(), end.at);
    }
    // Ends two thousand million units apart both ways, both one-bend paths
    // blocked: the far fallback through corners that far apart.
    const int far = 2000000000;
    Prepare(
        router,
        {CRect(far - 100, -far - 100, far, -far + 100), CRect(-far, far - 100, -far + 100, far)},
        Key(4, CSize(1, 1), huge));
    const RouteResult across =
        router.Route({CPoint(-far, -far), kFreeEnd}, {CPoint(far, far), kFreeEnd});
    EXPECT_EQ(across.kind, RouteKind::kFallbackFar);
    EXPECT_EQ(across.points.front(), CPoint(far, far));
    EXPECT_EQ(across.points.back(), CPoint(-far, -far));
    // Inverted obstacle rectangles and the same end twice.
    Prepare(router, {CRect(200, 200, 100, 100)});
    const RouteResult same = router.Route(s, s);
    EXPECT_EQ(same.points.front(), s.at);
    EXPECT_EQ(same.points.back(), s.at);
}

TEST(RouterScene, ProviderRunsOnlyWhenTheKeyChanges) {
    CRouter router;
    int calls = 0;
    const auto provider = [&] {
        ++calls;
        return std::vector<CRect>{CRect(100, 100, 200, 200)};
    };
    EXPECT_TRUE(router.Prepare(Key(1), provider));
    EXPECT_FALSE(router.Prepare(Key(1), provider));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(router.obstacleCount(), 1u);
    EXPECT_TRUE(router.Prepare(Key(2), provider));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(router.Prepare(Key(2, CSize(20, 20)), provider));
    EXPECT_EQ(calls, 3);
    router.Invalidate();
    EXPECT_TRUE(router.Prepare(Key(2, CSize(20, 20)), provider));
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(router.rebuildCount(), 4u);
}

TEST(RouterScene, MoveFlagsAreKeptUntilTheSceneChanges) {
    CRouter router;
    SideBySide f;
    const std::vector<CRect> obstacles{f.left, f.right, CRect(230, 120, 270, 180)};
    router.Prepare(Key(1), [&] { return obstacles; });
    const RouteResult first = router.Route(f.S(), f.E());
    const size_t cached = router.flagCacheSize();
    EXPECT_GT(cached, 0u);
    EXPECT_EQ(router.Route(f.S(), f.E()).points, first.points);
    EXPECT_EQ(router.flagCacheSize(), cached);
    router.Prepare(Key(2), [&] { return obstacles; });
    EXPECT_EQ(router.flagCacheSize(), 0u);
}

TEST(RouterScene, RebuildDropsTheOldObstacles) {
    CRouter router;
    SideBySide f;
    const CRect middle(230, 120, 270, 180);
    router.Prepare(Key(1), [&] { return std::vector<CRect>{f.left, f.right, middle}; });
    EXPECT_EQ(router.Route(f.S(), f.E()).kind, RouteKind::kSearched);
    router.Prepare(Key(2), [&] { return std::vector<CRect>{f.left, f.right}; });
    EXPECT_EQ(router.Route(f.S(), f.E()).kind, RouteKind::kDirect);
}

TEST(RouterCentres, PathsLeaveAndEnterOnTheirSides) {
    CRouter router;
    Prepare(router, {});
    const CPoint a(300, 300);
    for (int dx : {-200, 0, 200})
        for (int dy : {-150, 0, 150})
            for (int ta : {kFreeEnd, 0, 1, 2, 3, 8})
                for (int tb : {kFreeEnd, 0, 1, 2, 3, 8}) {
                    const CPoint b(a.x + dx, a.y + dy);
                    if (a == b) continue;
                    const RouteResult r = router.Route({b, tb}, {a, ta}, 0, true);
                    SCOPED_TRACE(testing::Message() << dx << "," << dy << " " << ta << "->" << tb);
                    EXPECT_EQ(r.kind, RouteKind::kCentreTable);
                    ASSERT_GE(r.points.size(), 2u);
                    EXPECT_EQ(r.points.front(), a);
                    EXPECT_EQ(r.points.back(), b);
                    EXPECT_TRUE(AxisParallel(r.points));
                    EXPECT_LE(r.points.size(), 6u);
                    // Right-side types leave rightwards, left-side ones leftwards.
                    const CPoint first = r.points[1], last = r.points[r.points.size() - 2];
                    if (ta == 1 || ta == 2) {
                        EXPECT_GT(first.x, a.x);
                    }
                    if (ta == 0 || ta == 3) {
                        EXPECT_LT(first.x, a.x);
                    }
                    if (tb == 1 || tb == 2) {
                        EXPECT_GT(last.x, b.x);
                    }
                    if (tb == 0 || tb == 3) {
                        EXPECT_LT(last.x, b.x);
                    }
                }
}

TEST(RouterCentres, MiddleSegmentMissesAnObjectBetweenTheEnds) {
    CRouter router;
    const CRect a(50, 50, 150, 150), b(450, 250, 550, 350), between(280, 0, 320, 400);
    Prepare(router, {a, b, between});
    // Centre to centre: the middle vertical would run at x = 300.
    const RouteResult r = router.Route({CPoint(500, 300), 8}, {CPoint(100, 100), 8}, 0, true);
    EXPECT_EQ(r.kind, RouteKind::kCentreTable);
    ASSERT_EQ(r.points.size(), 4u);
    EXPECT_EQ(r.points[1].x, r.points[2].x);
    EXPECT_GE(Gap(r.points[1], r.points[2], between), 10);
    EXPECT_TRUE(AxisParallel(r.points));
}

TEST(RouterCentres, FacingEndsOnOneRowAreJoinedStraight) {
    CRouter router;
    Prepare(router, {});
    const RouteResult r = router.Route({CPoint(500, 300), 3}, {CPoint(100, 300), 2}, 0, true);
    EXPECT_EQ(r.points, (std::vector<CPoint>{CPoint(100, 300), CPoint(500, 300)}));
}

// Random frames and ends: every result runs from E to S, is made of
// horizontal and vertical segments, and the search stays in its window.
TEST(RouterProperties, RandomLayoutsGiveOrthogonalPathsFromEToS) {
    std::mt19937 rng(20261210);
    CRouter router;
    for (int layout = 0; layout < 60; ++layout) {
        std::uniform_int_distribution<int> pos(0, 1900), size(5, 160), count(0, 40);
        std::vector<CRect> rects;
        const int n = count(rng);
        for (int i = 0; i < n; ++i) {
            const int x = pos(rng), y = pos(rng);
            rects.push_back(CRect(x, y, x + size(rng), y + size(rng)));
        }
        const int grid = std::uniform_int_distribution<int>(1, 25)(rng);
        router.Prepare(Key(uint64_t(layout) + 100, CSize(grid, grid)), [&] { return rects; });
        std::uniform_int_distribution<int> coord(-100, 2100), type(-1, 9), offset(-3, 6);
        for (int k = 0; k < 25; ++k) {
            const RouteEnd s{CPoint(coord(rng), coord(rng)), type(rng)};
            const RouteEnd e{CPoint(coord(rng), coord(rng)), type(rng)};
            const bool centre = k % 5 == 0;
            const RouteResult r = router.Route(s, e, offset(rng), centre);
            SCOPED_TRACE(testing::Message() << "layout " << layout << " route " << k);
            ASSERT_GE(r.points.size(), 2u);
            EXPECT_EQ(r.points.front(), e.at);
            EXPECT_EQ(r.points.back(), s.at);
            if (r.kind != RouteKind::kOutside && !r.FellBack()) {
                EXPECT_TRUE(AxisParallel(r.points));
            }
            // 150 cells apart at most, grown by 10 on each side.
            EXPECT_LE(router.lastWindowCells(), size_t(171 * 171));
        }
    }
}
