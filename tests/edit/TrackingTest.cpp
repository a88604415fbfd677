// Tracking and snapping arithmetic: handles, minimum sizes, edge and centre
// snapping, proportions, the usable area, whole selections, scaling, arrow
// keys and auto-scrolling.
#include <gtest/gtest.h>

#include "edit/ToolState.h"
#include "edit/Tracking.h"

using namespace vx::edit;

namespace {

GridSettings Grid(int step, bool snap = true, bool centre = false) {
    GridSettings g;
    g.snapToGrid = snap;
    g.snapToCenter = centre;
    g.snap = snap ? CSize(step, step) : CSize(1, 1);
    g.draw = CSize(step, step);
    return g;
}

TrackParams Move(CRect start, GridSettings grid) {
    TrackParams p;
    p.start = start;
    p.minSize = CSize(10, 10);
    p.usable = CRect(-10000, -10000, 10000, 10000);
    p.grid = grid;
    return p;
}

}  // namespace

TEST(Snapping, GridValueRoundsHalvesUpAndSmallNegativesToZero) {
    EXPECT_EQ(SnapValue(14, 10), 10);
    EXPECT_EQ(SnapValue(15, 10), 20);
    EXPECT_EQ(SnapValue(-7, 10), 0);
    EXPECT_EQ(SnapValue(-16, 10), -10);
    EXPECT_EQ(SnapValue(7, 0), 7);  // a step below 1 counts as 1
}

TEST(Snapping, MovingByTheInsideSnapsLeftAndTopAndKeepsTheSize) {
    // 30 x 20 dragged on a 10 x 10 grid, centre snapping off.
    TrackParams p = Move(CRect(0, 0, 30, 20), Grid(10));
    const CRect r = TrackRect(p, CPoint(23, 17));
    EXPECT_EQ(r, CRect(20, 20, 50, 40));
    // Alt leaves the position as dragged.
    p.alt = true;
    EXPECT_EQ(TrackRect(p, CPoint(23, 17)), CRect(23, 17, 53, 37));
}

TEST(Snapping, CentreSnappingPutsOddSpansHalfACellOffAndIgnoresAlt) {
    TrackParams p = Move(CRect(0, 0, 30, 20), Grid(10, true, true));
    p.alt = true;
    const CRect r = TrackRect(p, CPoint(23, 17));
    EXPECT_EQ(r.Size(), CSize(30, 20));
    // 3 cells wide (odd): centre half a cell off, edges on grid lines.
    EXPECT_EQ(r.CenterPoint().x % 10, 5);
    EXPECT_EQ(r.left % 10, 0);
    // 2 cells high (even): centre on a grid line.
    EXPECT_EQ(r.CenterPoint().y % 10, 0);
    EXPECT_EQ(r.top % 10, 0);
}

TEST(Snapping, EdgesSnapOnlyWhereTheHandleMovesThem) {
    const CRect old(0, 0, 40, 40);
    CRect r(0, 0, 57, 43);  // bottom-right handle
    SnapEdges(2, r, old, CSize(10, 10), CSize(10, 10), false);
    EXPECT_EQ(r, CRect(0, 0, 60, 40));
    r = CRect(3, 0, 40, 40);  // left edge handle: only the left edge snaps
    SnapEdges(7, r, old, CSize(10, 10), CSize(10, 10), false);
    EXPECT_EQ(r, CRect(0, 0, 40, 40));
    // A right edge held at the minimum width is not snapped away from it.
    r = CRect(3, 0, 13, 40);
    SnapEdges(5, r, old, CSize(10, 10), CSize(10, 10), false);
    EXPECT_EQ(r.right, 13);
    // A new object snaps all four edges; a spacing of 0 snaps nothing.
    r = CRect(3, 4, 27, 36);
    SnapEdges(2, r, old, CSize(10, 10), CSize(10, 10), true);
    EXPECT_EQ(r, CRect(0, 0, 30, 40));
    r = CRect(3, 4, 27, 36);
    SnapEdges(2, r, old, CSize(0, 10), CSize(10, 10), true);
    EXPECT_EQ(r, CRect(3, 4, 27, 36));
}

TEST(Tracking, EachHandleMovesItsEdgesAndStopsAtTheMinimumSize) {
    const CRect s(100, 100, 200, 180);
    const CPoint d(7, 5);
    const CRect expected[8] = {{107, 105, 200, 180}, {100, 105, 207, 180}, {100, 100, 207, 185},
                               {107, 100, 200, 185}, {100, 105, 200, 180}, {100, 100, 207, 180},
                               {100, 100, 200, 185}, {107, 100, 200, 180}};
    for (int h = 0; h < 8; ++h) EXPECT_EQ(DragHandle(s, h, d), expected[h]) << "handle " << h;
    EXPECT_EQ(DragHandle(s, kMoveHandle, d), CRect(107, 105, 207, 185));
    // Dragging the left edge past the right one stops at the minimum width.
    CRect r = DragHandle(s, 7, CPoint(150, 0));
    EnforceMinSize(r, 7, CSize(10, 10));
    EXPECT_EQ(r, CRect(190, 100, 200, 180));
    // Lines: edge handles act as corners.
    EXPECT_EQ(LineHandle(5), 2);
    EXPECT_EQ(LineHandle(6), 2);
    EXPECT_EQ(LineHandle(4), 0);
    EXPECT_EQ(LineHandle(7), 0);
    EXPECT_EQ(LineHandle(1), 1);
}

TEST(Tracking, ShiftKeepsASquareSquareAndLinesKeepToEightDirections) {
    TrackParams p = Move(CRect(0, 0, 40, 40), Grid(1, false));
    p.handle = 2;
    p.shift = true;
    const CRect r = TrackRect(p, CPoint(30, 5));
    EXPECT_EQ(r.Width(), r.Height());
    EXPECT_EQ(r, CRect(0, 0, 70, 70));
    // A line dragged by its end toward a nearly horizontal direction.
    CRect line(0, 0, 100, 10);
    KeepLineDirection(line, 2);
    EXPECT_EQ(line, CRect(0, 0, 100, 0));
    line = CRect(0, 0, 100, 90);
    KeepLineDirection(line, 2);
    EXPECT_EQ(line.Width(), line.Height());
    line = CRect(0, 0, 5, 100);
    KeepLineDirection(line, 2);
    EXPECT_EQ(line, CRect(0, 0, 0, 100));
}

TEST(UsableArea, MovesBackInsideAndLeavesTooWideRectanglesAlone) {
    const CRect u(10, 10, 390, 290);
    const GridSettings g = Grid(10);
    CRect r(-5, 50, 45, 80);
    EXPECT_TRUE(KeepInUsableArea(r, u, false, false, g));
    EXPECT_EQ(r, CRect(10, 50, 60, 80));
    r = CRect(370, 50, 420, 80);
    EXPECT_TRUE(KeepInUsableArea(r, u, false, false, g));
    EXPECT_EQ(r, CRect(340, 50, 390, 80));
    // Resizing clamps the moved edge.
    r = CRect(300, 50, 420, 80);
    EXPECT_TRUE(KeepInUsableArea(r, u, true, false, g));
    EXPECT_EQ(r, CRect(300, 50, 390, 80));
    // Wider than the usable width minus one grid width: unchanged
    // horizontally, still constrained vertically.
    r = CRect(-100, 280, 500, 300);
    EXPECT_TRUE(KeepInUsableArea(r, u, false, false, g));
    EXPECT_EQ(r, CRect(-100, 270, 500, 290));
    r = CRect(100, 100, 150, 150);
    EXPECT_FALSE(KeepInUsableArea(r, u, false, false, g));
}

TEST(UsableArea, ASelectionLeavingOnTheLeftShiftsBackAsAWhole) {
    const CRect u(0, 0, 400, 300);
    std::vector<CRect> rects = {{-15, 10, 20, 30}, {50, 40, 80, 60}};
    EXPECT_TRUE(KeepSelectionInside(rects, u));
    EXPECT_EQ(rects[0], CRect(0, 10, 35, 30));
    EXPECT_EQ(rects[1], CRect(65, 40, 95, 60));  // relative positions kept
    // Out on both sides: each one is pushed in on its own.
    rects = {{-15, 10, 20, 30}, {390, 40, 420, 60}};
    EXPECT_TRUE(KeepSelectionInside(rects, u));
    EXPECT_EQ(rects[0], CRect(0, 10, 35, 30));
    EXPECT_EQ(rects[1], CRect(370, 40, 400, 60));
    rects = {{10, 10, 20, 20}};
    EXPECT_FALSE(KeepSelectionInside(rects, u));
}

TEST(Scaling, MapsEdgesAndUsesFactorOneOnAnAxisWithoutExtent) {
    // A group's outline scaled from 100 x 100 to 150 x 100.
    const CRect a(0, 0, 100, 100), b(0, 0, 150, 100);
    EXPECT_EQ(MapRect(CRect(50, 10, 60, 20), a, b), CRect(75, 10, 90, 20));
    // A horizontal line selected alone has no height: only x scales, and
    // nothing divides by zero.
    const CRect flat(0, 50, 100, 50), wider(10, 60, 210, 60);
    const ScaleFactors f = ScaleBetween(flat, wider);
    EXPECT_EQ(f.sx, 2.0);
    EXPECT_EQ(f.sy, 1.0);
    EXPECT_EQ(MapRect(flat, flat, wider), wider);
    EXPECT_EQ(MapRect(CRect(5, 50, 5, 50), CRect(5, 50, 5, 50), CRect(8, 52, 8, 52)), CRect(8, 52, 8, 52));
}

TEST(Nudge, ArrowKeysMoveByOneOrAGridStepAndShiftResizes) {
    const CRect u(0, 0, 400, 300), b(100, 100, 130, 120);
    const GridSettings g = Grid(10);
    auto r = Nudge(b, {1, 0, 1, false, false}, g, CSize(10, 10), u);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->rect, CRect(101, 100, 131, 120));  // exactly 1 with snapping on
    r = Nudge(b, {1, 0, 1, true, false}, g, CSize(10, 10), u);
    EXPECT_EQ(r->rect, CRect(110, 100, 140, 120));
    r = Nudge(b, {0, 1, 3, false, true}, g, CSize(10, 10), u);
    EXPECT_TRUE(r->resize);
    EXPECT_EQ(r->rect, CRect(100, 100, 130, 123));
    // Centre snapping: Shift is ignored and Control counts as held.
    r = Nudge(b, {0, -1, 1, false, true}, Grid(10, true, true), CSize(10, 10), u);
    EXPECT_FALSE(r->resize);
    EXPECT_EQ(r->rect, CRect(100, 90, 130, 110));
    // Already outside on the left: moving further left is refused.
    EXPECT_FALSE(Nudge(CRect(-5, 10, 20, 20), {-1, 0, 1, false, false}, g, CSize(10, 10), u));
    EXPECT_FALSE(Nudge(CRect(380, 10, 400, 20), {1, 0, 1, false, false}, g, CSize(10, 10), u));
    EXPECT_TRUE(Nudge(CRect(380, 10, 400, 20), {-1, 0, 1, false, false}, g, CSize(10, 10), u));
}

TEST(AutoScroll, PeriodFollowsTheGridAndTicksThinOutAwayFromTheEdge) {
    EXPECT_EQ(CAutoScroll::PeriodMs(10, 100), 30);
    EXPECT_EQ(CAutoScroll::PeriodMs(40, 100), 60);
    EXPECT_EQ(CAutoScroll::PeriodMs(40, 200), 120);
    CAutoScroll s;
    const CSize client(400, 300);
    EXPECT_EQ(s.Tick(CPoint(200, 150), client), CPoint());  // well inside
    // 25 pixels from the left edge: every third tick.
    s.Reset();
    int scrolled = 0;
    for (int i = 0; i < 6; ++i) scrolled += s.Tick(CPoint(25, 150), client) != CPoint();
    EXPECT_EQ(scrolled, 2);
    // 15 pixels from the bottom: every second tick, downwards.
    s.Reset();
    scrolled = 0;
    for (int i = 0; i < 6; ++i) scrolled += s.Tick(CPoint(200, 285), client) == CPoint(0, 1);
    EXPECT_EQ(scrolled, 3);
    // Outside the window: every tick.
    s.Reset();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Tick(CPoint(420, -5), client), CPoint(1, -1));
}

TEST(ToolState, AcceptsKnownToolsOnlyAndReportsChanges) {
    CToolState tools;
    std::vector<int> seen;
    tools.onChanged = [&](int t) { seen.push_back(t); };
    tools.isKnownTool = [](int t) { return t == 60451; };
    EXPECT_TRUE(tools.IsSelectTool());
    EXPECT_FALSE(tools.SetTool(12345));
    EXPECT_TRUE(tools.SetTool(60451));
    EXPECT_TRUE(tools.SetTool(60500));  // the application's own range
    tools.ReturnToSelect();
    EXPECT_EQ(seen, (std::vector<int>{60451, 60500, 60447}));
}

TEST(DragState, BandsFollowTheCursorAndTracksAdjustTheRectangle) {
    CDragState drag;
    TrackParams p = Move(CRect(0, 0, 30, 20), Grid(10));
    drag.Begin(DragKind::kMoveOrResize, CPoint(5, 5), p);
    EXPECT_FALSE(drag.Changed());
    EXPECT_FALSE(drag.MoveTo(CPoint(7, 6)));  // snaps back to where it was
    EXPECT_TRUE(drag.Dragged());
    EXPECT_TRUE(drag.MoveTo(CPoint(16, 5)));
    EXPECT_EQ(drag.rect(), CRect(10, 0, 40, 20));
    drag.Begin(DragKind::kRubberBand, CPoint(50, 50), p);
    drag.MoveTo(CPoint(20, 80));
    EXPECT_EQ(drag.Band().Normalized(), CRect(20, 50, 50, 80));
}
