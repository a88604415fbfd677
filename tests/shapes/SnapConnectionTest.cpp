// Snap points on objects and the connection records of lines: positions,
// snapping, limits, following, detaching, storage, copying and "Route".
#include <gtest/gtest.h>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/LineOb.h"
#include "shapes/Route.h"
#include "shapes/SnapPointAuto.h"
#include "support/TestSupport.h"

using shapetest::Place;

namespace {

CPoint PositionOf(CHyperOb* ob, size_t i) {
    CSnapList* list = ob->GetSnapList(false);
    return list->Position(*list->set().point(i));
}

CLineOb* Line(CHyperPage& page, const char* code, CPoint a, CPoint b) {
    auto owned = std::make_unique<CLineOb>();
    CLineOb* line = owned.get();
    line->SetCodeRaw(code);
    page.Insert(std::move(owned));
    line->SetEndPoints(a.x, a.y, b.x, b.y);
    return line;
}

const CConnection::End& EndOf(CLineOb* line, int k) { return line->GetConnection()->ends[k]; }

}  // namespace

TEST(SnapPoints, DefaultPointsSitOnTheEdgeMidpoints) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(0, 0, 200, 100));
    ASSERT_EQ(b->snapList().set().size(), 4u);
    EXPECT_EQ(PositionOf(b, 0), CPoint(100, 0));
    EXPECT_EQ(PositionOf(b, 1), CPoint(200, 50));
    EXPECT_EQ(PositionOf(b, 2), CPoint(100, 100));
    EXPECT_EQ(PositionOf(b, 3), CPoint(0, 50));
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(b->snapList().set().point(i)->id, int(i));
    CCircleOb* e = Place<CCircleOb>(page, "E", CRect(0, 0, 80, 40));
    ASSERT_EQ(e->snapList().set().size(), 5u);
    EXPECT_EQ(PositionOf(e, 4), CPoint(40, 20));
}

TEST(SnapPoints, OffsetsInPercentOrPixels) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(0, 0, 200, 100));
    CSnapPoint& right = *b->snapList().set().point(1);
    right.dX = 10;
    right.byPixel = 0;
    EXPECT_EQ(PositionOf(b, 1), CPoint(220, 50));
    right.byPixel = 1;
    EXPECT_EQ(PositionOf(b, 1), CPoint(210, 50));
    // (width * dX + 49) / 100, truncating toward zero.
    CSnapPoint& top = *b->snapList().set().point(0);
    top.type = CSnapPoint::kTopLeft;
    top.byPixel = 0;
    top.dX = 33;
    b->SetRect(CRect(0, 0, 100, 100));
    EXPECT_EQ(PositionOf(b, 0).x, 33);
    b->SetRect(CRect(0, 0, 101, 100));
    EXPECT_EQ(PositionOf(b, 0).x, 33);
    top.dX = -50;
    EXPECT_EQ(PositionOf(b, 0).x, -50);
}

TEST(SnapPoints, PointsTurnWithARotatedOwner) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 201, 151));
    b->SetRotateAngleRaw(90.0);
    b->Update(1, 0);
    // The top midpoint (150, 100) turns about (150, 125) to the right side.
    EXPECT_EQ(PositionOf(b, 0), CPoint(175, 125));
}

TEST(SnapPoints, NumberOfSnapPointsAndSetSnapPoint) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(0, 0, 200, 100));
    const vx::DispatchTable table(&CBorderOb::DispatchTableOf(), vx::shapes::SnapPointMembers<CBorderOb>(1400, 1401));
    const vx::DispMember* number = table.Find("NumberOfSnapPoints");
    const vx::DispMember* set = table.Find("SetSnapPoint");
    ASSERT_TRUE(number && set);
    number->put(*b, {}, vx::Variant(3));
    EXPECT_EQ(number->get(*b, {}).ToLong(), 3);
    const vx::Variant args[] = {vx::Variant(2), vx::Variant(50), vx::Variant(100)};
    set->get(*b, args);
    // Top-left base, 50 percent across, 100 percent down.
    EXPECT_EQ(PositionOf(b, 2), CPoint(100, 100));
    EXPECT_EQ(b->snapList().set().point(2)->id, 2);
    const vx::Variant outOfRange[] = {vx::Variant(3), vx::Variant(1), vx::Variant(1)};
    set->get(*b, outOfRange);  // ignored
    // Negative counts and counts beyond the 16-bit ids are refused.
    EXPECT_THROW(number->put(*b, {}, vx::Variant(-1)), vx::AutomationError);
    EXPECT_THROW(number->put(*b, {}, vx::Variant(40000)), vx::AutomationError);
    EXPECT_EQ(number->get(*b, {}).ToLong(), 3);
    EXPECT_TRUE(b->snapList().SetNumberOfPoints(CSnapList::kMaxPoints));
    EXPECT_EQ(b->snapList().set().point(CSnapList::kMaxPoints - 1)->id, CSnapList::kMaxPoints - 1);
}

TEST(Snapping, AnEndAttachesWithinTheSquare) {
    CHyperPage page;
    Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));  // top point (200, 100)
    CLineOb* near = Line(page, "L1", CPoint(0, 0), CPoint(191, 91));
    EXPECT_EQ(EndOf(near, 0).target, "B");
    EXPECT_EQ(EndOf(near, 0).point, 0);
    EXPECT_EQ(near->SecondEnd(), CPoint(200, 100));  // moved onto the point
    CLineOb* far = Line(page, "L2", CPoint(0, 0), CPoint(190, 90));
    EXPECT_FALSE(EndOf(far, 0).IsAttached());
    EXPECT_EQ(far->SecondEnd(), CPoint(190, 90));
}

TEST(Snapping, AFullPointRefusesAndPushesTheEndOut) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    b->snapList().set().point(0)->maxIn = 1;
    CLineOb* first = Line(page, "L1", CPoint(0, 0), CPoint(200, 100));
    EXPECT_TRUE(EndOf(first, 0).IsAttached());
    EXPECT_EQ(b->snapList().set().point(0)->inCount, 1);
    CLineOb* second = Line(page, "L2", CPoint(0, 0), CPoint(198, 97));
    EXPECT_FALSE(EndOf(second, 0).IsAttached());
    // Out of the square (191..208 on both axes), to its nearest sides.
    EXPECT_EQ(b->snapList().set().point(0)->inCount, 1);
    CConnection* c = second->GetConnection();
    CPoint p(198, 97);
    EXPECT_FALSE(c->SnapEnd(0, p, false));
    EXPECT_EQ(p, CPoint(190, 90));
    // Leaving ends count separately.
    CLineOb* leaving = Line(page, "L3", CPoint(200, 100), CPoint(0, 0));
    EXPECT_EQ(EndOf(leaving, 1).target, "B");
    EXPECT_EQ(b->snapList().set().point(0)->outCount, 1);
}

TEST(Snapping, AttachedEndsFollowWhenTheObjectMovesAndResizes) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    CLineOb* line = Line(page, "L", CPoint(10, 10), CPoint(100, 150));  // left point
    ASSERT_EQ(EndOf(line, 0).target, "B");
    b->Move(30, 20);
    b->Update(1, 0);
    EXPECT_EQ(line->SecondEnd(), CPoint(130, 170));
    EXPECT_EQ(line->FirstEnd(), CPoint(10, 10));
    b->SetRect(CRect(50, 0, 300, 400));
    b->Update(1, 0);
    EXPECT_EQ(line->SecondEnd(), CPoint(50, 200));
    EXPECT_EQ(EndOf(line, 0).target, "B");
    // A deleted point frees the end at the next update; the end stays.
    b->snapList().set().RemoveAll();
    b->snapList().set().AddPoint(CSnapPoint::kTop);  // new id 4
    b->snapList().set().point(0)->inCount = 1;
    b->Update(1, 0);
    EXPECT_FALSE(EndOf(line, 0).IsAttached());
    EXPECT_EQ(line->SecondEnd(), CPoint(50, 200));
}

TEST(Snapping, DetachingLeavesTheEndInPlace) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    CLineOb* line = Line(page, "L", CPoint(10, 10), CPoint(100, 150));
    ASSERT_EQ(b->snapList().set().point(3)->inCount, 1);
    line->GetConnection()->Detach("B");
    EXPECT_FALSE(EndOf(line, 0).IsAttached());
    EXPECT_EQ(b->snapList().set().point(3)->inCount, 0);
    EXPECT_EQ(line->SecondEnd(), CPoint(100, 150));
    // Dragging the line away detaches it at the next handle recalculation.
    line->SetEndPoints(10, 10, 100, 150);
    ASSERT_TRUE(EndOf(line, 0).IsAttached());
    line->SetEndPoints(10, 10, 60, 150);
    EXPECT_FALSE(EndOf(line, 0).IsAttached());
    EXPECT_EQ(b->snapList().set().point(3)->inCount, 0);
}

TEST(Snapping, ColourOfTheSnapPointColoursTheLine) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    CSnapPoint& left = *b->snapList().set().point(3);
    left.colour = vx::RGB(255, 0, 0);
    left.useColour = 1;
    CLineOb* line = Line(page, "L", CPoint(10, 10), CPoint(100, 150));
    EXPECT_EQ(line->attachColour(), vx::RGB(255, 0, 0));
    EXPECT_EQ(line->GetForeColor(), vx::RGB(255, 0, 0));
    line->SetForeColor(vx::RGB(0, 128, 0));
    EXPECT_EQ(line->GetForeColor(), vx::RGB(0, 128, 0));
    line->SetForeColor(-1);
    line->SetEndPoints(10, 10, 50, 150);
    EXPECT_EQ(line->attachColour(), -1);
    EXPECT_EQ(line->GetForeColor(), vx::GetSysColor(vx::SysColor::ButtonText));
}

TEST(Snapping, AFileWithAttachedLinesReopensAttached) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    CBorderOb* a = Place<CBorderOb>(page, "A", CRect(0, 0, 100, 100));
    Place<CCircleOb>(page, "E", CRect(300, 0, 400, 100));
    CLineOb* line = Line(page, "L", CPoint(100, 50), CPoint(300, 50));
    ASSERT_EQ(EndOf(line, 1).target, "A");
    ASSERT_EQ(EndOf(line, 0).target, "E");
    const std::vector<uint8_t> bytes = doc.SaveToBytes();

    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    CHyperPage& p = back.mainPage();
    auto* a2 = dynamic_cast<CBorderOb*>(p.FindObjectByCode("A"));
    auto* line2 = dynamic_cast<CLineOb*>(p.FindObjectByCode("L"));
    ASSERT_TRUE(a2 && line2);
    EXPECT_EQ(EndOf(line2, 1).target, "A");
    EXPECT_EQ(EndOf(line2, 1).point, 1);
    EXPECT_EQ(EndOf(line2, 0).target, "E");
    EXPECT_EQ(EndOf(line2, 0).point, 3);
    EXPECT_EQ(a2->snapList().set().point(1)->outCount, 1);
    EXPECT_EQ(back.SaveToBytes(), bytes);
    // Still attached: moving the border drags the end along. (Without
    // arrowheads the first end is the start of the diagonal again, and the
    // ends re-attach accordingly.)
    a2->Move(0, 20);
    a2->Update(1, 0);
    const CPoint ends[2] = {line2->FirstEnd(), line2->SecondEnd()};
    EXPECT_TRUE((ends[0] == CPoint(100, 70) && ends[1] == CPoint(300, 50)) ||
                (ends[1] == CPoint(100, 70) && ends[0] == CPoint(300, 50)));
    const int atA = EndOf(line2, 0).target == "A" ? 0 : 1;
    EXPECT_EQ(EndOf(line2, atA).target, "A");
    EXPECT_EQ(EndOf(line2, 1 - atA).target, "E");
    (void)a;
}

TEST(Snapping, ArrowheadsKeepTheDirectionWhileFollowing) {
    CHyperPage page;
    CBorderOb* a = Place<CBorderOb>(page, "A", CRect(0, 0, 100, 100));
    Place<CBorderOb>(page, "B", CRect(300, 0, 400, 100));
    CLineOb* line = Line(page, "L", CPoint(100, 50), CPoint(300, 50));
    line->setArrowhead(C1DOb::kHeadAtSecond);
    a->Move(0, 20);
    a->Update(1, 0);
    EXPECT_EQ(line->FirstEnd(), CPoint(100, 70));
    EXPECT_EQ(line->SecondEnd(), CPoint(300, 50));
    EXPECT_EQ(EndOf(line, 1).target, "A");
    EXPECT_EQ(EndOf(line, 0).target, "B");
    EXPECT_EQ(a->snapList().set().point(1)->outCount, 1);
}

TEST(Snapping, CopiesWithResetConnectionsDropAttachments) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    CLineOb* line = Line(page, "L", CPoint(10, 10), CPoint(100, 150));
    std::unique_ptr<CHyperOb> lineCopy = line->Clone();
    std::unique_ptr<CHyperOb> borderCopy = b->Clone();
    EXPECT_TRUE(lineCopy->GetConnection()->ends[0].IsAttached());
    lineCopy->ResetConnections();
    borderCopy->ResetConnections();
    EXPECT_FALSE(lineCopy->GetConnection()->HasTarget());
    EXPECT_FALSE(borderCopy->GetSnapList(true)->HasConnections());
    EXPECT_EQ(static_cast<CLineOb*>(lineCopy.get())->SecondEnd(), CPoint(100, 150));
    // The originals keep theirs.
    EXPECT_TRUE(EndOf(line, 0).IsAttached());
    EXPECT_TRUE(b->snapList().HasConnections());
}

TEST(Snapping, ConnectionRecordsWithMoreThanTwoEndsAreDamage) {
    vxtest::Bytes rec;
    rec.dw(0).b(1).w(3);
    CConnection c;
    CArchive ar(rec.d);
    EXPECT_THROW(c.Serialize(ar), CArchiveException);
    vxtest::Bytes ok;
    ok.dw(2).b(0).w(2).w(uint16_t(-1)).s("").w(5).s("Box");
    CArchive ar2(ok.d);
    c.Serialize(ar2);
    EXPECT_EQ(c.resizeCode, 2);
    EXPECT_EQ(c.directionFlag, 0);
    EXPECT_EQ(c.ends[1].target, "Box");
    EXPECT_EQ(c.ends[1].point, 5);
    EXPECT_FALSE(c.ends[0].IsAttached());
}

TEST(Route, SelectsWhatIsConnected) {
    CHyperPage page;
    CBorderOb* hub = Place<CBorderOb>(page, "Hub", CRect(200, 200, 300, 300));
    CBorderOb* east = Place<CBorderOb>(page, "East", CRect(500, 200, 600, 300));
    CCircleOb* south = Place<CCircleOb>(page, "South", CRect(200, 500, 300, 600));
    CBorderOb* alone = Place<CBorderOb>(page, "Alone", CRect(0, 0, 50, 50));
    CLineOb* l1 = Line(page, "L1", CPoint(300, 250), CPoint(500, 250));
    CLineOb* l2 = Line(page, "L2", CPoint(250, 300), CPoint(250, 500));
    ASSERT_TRUE(EndOf(l1, 0).IsAttached() && EndOf(l1, 1).IsAttached());
    ASSERT_TRUE(EndOf(l2, 0).IsAttached() && EndOf(l2, 1).IsAttached());
    std::vector<CHyperOb*> sel = vx::shapes::RouteConnected(page, hub);
    ASSERT_FALSE(sel.empty());
    EXPECT_EQ(sel.front(), hub);
    auto has = [&](CHyperOb* o) { return std::find(sel.begin(), sel.end(), o) != sel.end(); };
    EXPECT_TRUE(has(l1) && has(l2) && has(east) && has(south));
    EXPECT_FALSE(has(alone));
    EXPECT_EQ(sel.size(), 5u);
    // Marks and temporary lists are gone afterwards.
    EXPECT_EQ(l1->GetConnection()->visitedMark, 0);
    EXPECT_TRUE(hub->snapList().routeList().empty());
    // Nothing is connected to the lone border; outside edit mode nothing is
    // selected.
    EXPECT_TRUE(vx::shapes::RouteConnected(page, alone).empty());
    page.editMode = false;
    EXPECT_TRUE(vx::shapes::RouteConnected(page, hub).empty());
}

TEST(SnapPoints, AGroupsPointsSitOnTheGroupRectangle) {
    CHyperPage page;
    CBorderOb* a = Place<CBorderOb>(page, "A", CRect(0, 0, 100, 100));
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(200, 0, 300, 100));
    auto g = std::make_unique<CGroupInfo>();
    g->rect = CRect(0, 0, 300, 100);
    g->snapList.Rebuild(1u << CSnapPoint::kRight);
    a->setGroupInfo(std::move(g));
    a->setGroupId(1);
    b->setGroupId(1);
    CSnapList* list = b->GetSnapList(false);
    ASSERT_EQ(list, &a->groupInfo()->snapList);
    EXPECT_EQ(list->Position(*list->set().point(0)), CPoint(300, 50));
    // A line end attaches to the group's point.
    CLineOb* line = Line(page, "L", CPoint(400, 50), CPoint(302, 52));
    EXPECT_TRUE(EndOf(line, 0).IsAttached());
    EXPECT_EQ(line->SecondEnd(), CPoint(300, 50));
}

TEST(Snapping, OlderRecordsDropTheirAttachments) {
    CHyperPage page;
    Place<CBorderOb>(page, "B", CRect(100, 100, 300, 200));
    CLineOb* line = Line(page, "L", CPoint(10, 10), CPoint(100, 150));
    ASSERT_TRUE(EndOf(line, 0).IsAttached());
    CArchive out;
    line->Serialize(out);
    std::vector<uint8_t> bytes = out.Buffer();
    ASSERT_EQ(bytes[0], 8);  // the common record's version
    CArchive in8(bytes);
    CLineOb current;
    current.Serialize(in8);
    EXPECT_EQ(current.GetConnection()->ends[0].target, "B");
    bytes[0] = 7;
    CArchive in7(bytes);
    CLineOb older;
    older.Serialize(in7);
    EXPECT_TRUE(in7.AtEnd());
    EXPECT_FALSE(older.GetConnection()->HasTarget());
    EXPECT_EQ(older.SecondEnd(), CPoint(100, 150));
}
