// Joining a chain of lines into one polyline: which lists chain, the
// vertices of the chain (meeting points, reversed lines, closing) and the
// polyline that takes their place.
#include <gtest/gtest.h>

#include <climits>

#include "ShapeTestSupport.h"
#include "shapes/LineOb.h"
#include "shapes/PolyLineOb.h"
#include "shapes/RectOb.h"

using namespace shapetest;

namespace {

// A line from its first end `a` to its second end `b` (a head at the second
// end keeps the direction it was drawn in).
CHyperOb* Line(CHyperPage& page, CPoint a, CPoint b) {
    auto owned = std::make_unique<CLineOb>();
    CLineOb* line = owned.get();
    page.Insert(std::move(owned));
    line->setArrowhead(C1DOb::kHeadAtSecond);
    line->SetEndPoints(a.x, a.y, b.x, b.y);
    EXPECT_EQ(line->FirstEnd(), a);
    EXPECT_EQ(line->SecondEnd(), b);
    return line;
}

std::vector<CPoint> Chain(const std::vector<CHyperOb*>& list) {
    std::vector<CPoint> out;
    EXPECT_TRUE(CPolyLineOb::ChainLines(list, &out));
    return out;
}

using Pts = std::vector<CPoint>;

}  // namespace

TEST(ChainLines, LinesMeetingEndToEndGiveTheirEndsAsVertices) {
    CHyperPage page;
    CHyperOb* a = Line(page, {0, 0}, {100, 0});
    CHyperOb* b = Line(page, {100, 0}, {100, 100});
    EXPECT_EQ(Chain({a, b}), (Pts{{0, 0}, {100, 0}, {100, 100}}));
    EXPECT_TRUE(CPolyLineOb::ChainLines({a, b}));  // asked without output

    // Ends within 4 units meet in their middle; 5 apart do not meet.
    CHyperOb* near = Line(page, {104, 3}, {104, 100});
    EXPECT_EQ(Chain({a, near}), (Pts{{0, 0}, {102, 1}, {104, 100}}));
    CHyperOb* off = Line(page, {105, 0}, {105, 100});
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, off}));
    CHyperOb* far = Line(page, {110, 0}, {110, 100});
    std::vector<CPoint> untouched{{1, 1}};
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, far}, &untouched));
}

TEST(ChainLines, LinesTurnRoundOnlyWhereTheRuleAllows) {
    CHyperPage page;
    // The second line drawn towards the first: it turns round.
    CHyperOb* a = Line(page, {0, 0}, {100, 0});
    CHyperOb* back = Line(page, {100, 100}, {100, 0});
    EXPECT_EQ(Chain({a, back}), (Pts{{0, 0}, {100, 0}, {100, 100}}));

    // The second line starts where the first starts: the first turns round.
    CHyperOb* down = Line(page, {0, 0}, {0, 100});
    EXPECT_EQ(Chain({a, down}), (Pts{{100, 0}, {0, 0}, {0, 100}}));
    // Both turned: the first turns, then the second.
    CHyperOb* up = Line(page, {0, 100}, {0, 0});
    EXPECT_EQ(Chain({a, up}), (Pts{{100, 0}, {0, 0}, {0, 100}}));

    // A third line that meets the start of the first, not the end of the
    // second: only the first line may turn, and only to meet the second.
    CHyperOb* b = Line(page, {100, 0}, {100, 100});
    CHyperOb* tail = Line(page, {0, 0}, {0, -100});
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, b, tail}));
    // Out of order: the list order is the chain's order.
    CHyperOb* c = Line(page, {100, 100}, {0, 100});
    EXPECT_TRUE(CPolyLineOb::ChainLines({a, b, c}));
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, c, b}));
}

TEST(ChainLines, ALastEndNearTheStartClosesTheContour) {
    CHyperPage page;
    CHyperOb* a = Line(page, {0, 0}, {100, 0});
    CHyperOb* b = Line(page, {100, 0}, {100, 100});
    CHyperOb* c = Line(page, {100, 100}, {0, 100});
    CHyperOb* d = Line(page, {0, 100}, {2, 3});
    EXPECT_EQ(Chain({a, b, c, d}), (Pts{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}));
}

TEST(ChainLines, FailsForTooFewObjectsAndObjectsWithoutEnds) {
    CHyperPage page;
    CHyperOb* a = Line(page, {0, 0}, {100, 0});
    CHyperOb* frame = Place<CRectOb>(page, "Frame1", CRect(100, 0, 150, 50));
    EXPECT_FALSE(CPolyLineOb::ChainLines({}));
    EXPECT_FALSE(CPolyLineOb::ChainLines({a}));
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, frame}));
    EXPECT_FALSE(CPolyLineOb::ChainLines({a, nullptr}));
}

TEST(ChainLines, EndsFarApartNeverCountAsNear) {
    // The difference of far coordinates does not fit 32 bits.
    EXPECT_FALSE(CBasePolyOb::IsNear(INT_MIN, 0, INT_MAX, 0));
    EXPECT_FALSE(CBasePolyOb::IsNear(0, INT_MAX, 0, INT_MIN));
    EXPECT_TRUE(CBasePolyOb::IsNear(INT_MAX - 4, INT_MIN, INT_MAX, INT_MIN + 4));
}

TEST(ChainLines, TheReplacingPolylineTakesTheChainsVertices) {
    CHyperPage page;
    CHyperOb* a = Line(page, {10, 20}, {110, 20});
    CHyperOb* b = Line(page, {110, 20}, {110, 70});
    CPolyLineOb* poly = Place<CPolyLineOb>(page, "Polyline1", CRect(50, 50, 100, 100));
    ASSERT_EQ(poly->PointCount(), 4);  // the default triangle
    poly->OnPointsReplaced({a, b});
    ASSERT_EQ(poly->PointCount(), 3);
    EXPECT_EQ(poly->Rect(), CRect(10, 20, 110, 70));
    EXPECT_EQ(poly->GetPointAt(0), CPoint(10, 20));
    EXPECT_EQ(poly->GetPointAt(1), CPoint(110, 20));
    EXPECT_EQ(poly->GetPointAt(2), CPoint(110, 70));
    EXPECT_FALSE(poly->IsClosed());

    // Lines that do not chain leave the polyline as it was.
    CHyperOb* far = Line(page, {300, 300}, {400, 300});
    poly->OnPointsReplaced({a, far});
    EXPECT_EQ(poly->PointCount(), 3);
    EXPECT_EQ(poly->Rect(), CRect(10, 20, 110, 70));
}
