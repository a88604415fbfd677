// Vertex editing of polylines: handles, segments and cursors, grabbing and
// releasing a vertex (merging, closing, inserting, deleting), the rotation
// made permanent, automation and the property items that follow the shape.
#include <gtest/gtest.h>

#include "ShapeTestSupport.h"
#include "model/PropIds.h"
#include "model/PropOb.h"
#include "shapes/PolyLineOb.h"
#include "shapes/ShapePropIds.h"
#include "support/FakeViewLink.h"

using namespace shapetest;
using Cursor = CPointEditing::Cursor;
using Press = CPointEditing::Press;
using vx::Variant;

namespace {

// A press at `from` dragged to `to` and released.
bool Drag(CPolyLineOb& ob, CPoint from, CPoint to) {
    CPointEditing::Grab g;
    if (ob.GrabPoint(from, false, g) != Press::kDrag) return false;
    return ob.ReleasePoint(g, to);
}

const std::vector<CPoint> kSquare = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
const std::vector<CPoint> kZigzag = {{0, 0}, {100, 0}, {100, 100}, {200, 100}};

}  // namespace

TEST(PolyLineEdit, HandlesSegmentsAndCursors) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    CPolyLineOb* ob = Poly(page, kZigzag);
    EXPECT_EQ(ob->GetPointHandleRect(1), CRect(98, -2, 102, 2));
    // Left and top edges inside, right and bottom outside.
    EXPECT_EQ(ob->FindPointHandle(98, -2), 1);
    EXPECT_EQ(ob->FindPointHandle(101, 1), 1);
    EXPECT_EQ(ob->FindPointHandle(102, 0), -1);
    EXPECT_EQ(ob->FindPointHandle(100, 2), -1);
    EXPECT_EQ(ob->FindPointHandle(199, 99), 3);

    // Segments: 5 units at 100 percent, none beyond; no minimum at high zoom.
    EXPECT_EQ(ob->HitSegment(50, 5), 0);
    EXPECT_EQ(ob->HitSegment(50, 6), -1);
    EXPECT_EQ(ob->HitSegment(105, 50), 1);
    link.zoom = 1000;
    EXPECT_EQ(ob->HitSegment(50, 1), -1);
    EXPECT_EQ(ob->HitSegment(50, 0), 0);
    link.zoom = 100;

    EXPECT_EQ(ob->HitPoint(100, 0, false), Cursor::kMoveVertex);
    EXPECT_EQ(ob->HitPoint(100, 0, true), Cursor::kDeleteVertex);
    EXPECT_EQ(ob->HitPoint(150, 100, true), Cursor::kInsertVertex);
    EXPECT_EQ(ob->HitPoint(150, 50, false), Cursor::kNone);

    // Without resizing the ends cannot be grabbed (and declines the press).
    ob->setDfltCanResize(false);
    EXPECT_EQ(ob->FindPointHandle(0, 0), -2);
    EXPECT_EQ(ob->FindPointHandle(200, 100), -2);
    EXPECT_EQ(ob->FindPointHandle(100, 0), 1);
    EXPECT_EQ(ob->HitPoint(0, 0, false), Cursor::kNone);
    CPointEditing::Grab g;
    EXPECT_EQ(ob->GrabPoint(CPoint(0, 0), false, g), Press::kNothing);

    // Two vertices left: Control does not delete, the cursor says move.
    CPolyLineOb* two = Poly(page, {{0, 200}, {100, 200}});
    EXPECT_EQ(two->HitPoint(0, 200, true), Cursor::kMoveVertex);
}

TEST(PolyLineEdit, GrabbingSaysWhatTheBandShows) {
    CHyperPage page;
    CPolyLineOb* open = Poly(page, kZigzag);
    CPointEditing::Grab g;
    ASSERT_EQ(open->GrabPoint(CPoint(0, 0), false, g), Press::kDrag);
    EXPECT_EQ(g.index, 0);
    EXPECT_FALSE(g.inserting);
    // The first vertex of an open polyline: the other end is its previous
    // neighbour, but the band has no segment to it.
    EXPECT_EQ(g.prev, CPoint(200, 100));
    EXPECT_EQ(g.next, CPoint(100, 0));
    EXPECT_FALSE(g.prevSegment);
    EXPECT_TRUE(g.nextSegment);
    ASSERT_EQ(open->GrabPoint(CPoint(200, 100), false, g), Press::kDrag);
    EXPECT_TRUE(g.prevSegment);
    EXPECT_FALSE(g.nextSegment);

    ASSERT_EQ(open->GrabPoint(CPoint(150, 101), false, g), Press::kDrag);
    EXPECT_TRUE(g.inserting);
    EXPECT_EQ(g.index, 2);
    EXPECT_EQ(g.start, CPoint(150, 101));
    EXPECT_EQ(g.prev, CPoint(100, 100));
    EXPECT_EQ(g.next, CPoint(200, 100));

    // Vertex 0 of a contour: the previous neighbour is the one before the
    // closing vertex.
    CPolyLineOb* sq = Poly(page, kSquare);
    ASSERT_EQ(sq->GrabPoint(CPoint(0, 0), false, g), Press::kDrag);
    EXPECT_EQ(g.prev, CPoint(0, 100));
    EXPECT_TRUE(g.prevSegment && g.nextSegment);
    EXPECT_EQ(sq->GrabPoint(CPoint(50, 50), false, g), Press::kNothing);
}

TEST(PolyLineEdit, MovingAndInsertingVertices) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, kZigzag);
    ASSERT_TRUE(Drag(*ob, CPoint(100, 100), CPoint(120, 140)));
    EXPECT_EQ(PagePoints(*ob), (std::vector<CPoint>{{0, 0}, {100, 0}, {120, 140}, {200, 100}}));
    EXPECT_EQ(ob->Rect(), CRect(0, 0, 200, 140));
    // Released where it was pressed: no edit.
    EXPECT_FALSE(Drag(*ob, CPoint(120, 140), CPoint(120, 140)));
    EXPECT_EQ(ob->PointCount(), 4);

    // A press on a segment inserts the new vertex after its first one.
    ASSERT_TRUE(Drag(*ob, CPoint(50, 0), CPoint(50, -40)));
    EXPECT_EQ(PagePoints(*ob),
              (std::vector<CPoint>{{0, 0}, {50, -40}, {100, 0}, {120, 140}, {200, 100}}));
    EXPECT_EQ(ob->Rect(), CRect(0, -40, 200, 140));
    EXPECT_FALSE(Drag(*ob, CPoint(25, -20), CPoint(25, -20)));
    EXPECT_EQ(ob->PointCount(), 5);

    // Moving vertex 0 of a contour takes the closing vertex along.
    CPolyLineOb* sq = Poly(page, kSquare);
    ASSERT_TRUE(Drag(*sq, CPoint(0, 0), CPoint(-20, -10)));
    EXPECT_TRUE(sq->IsClosed());
    EXPECT_EQ(sq->GetPointAt(0), CPoint(-20, -10));
    EXPECT_EQ(sq->GetPointAt(4), CPoint(-20, -10));
}

TEST(PolyLineEdit, VerticesThatMeetAreMerged) {
    CHyperPage page;
    // An end brought within 4 units of the other end closes exactly.
    CPolyLineOb* u = Poly(page, {{0, 0}, {100, 0}, {100, 100}, {10, 100}});
    ASSERT_TRUE(Drag(*u, CPoint(10, 100), CPoint(3, -4)));
    EXPECT_TRUE(u->IsClosed());
    EXPECT_EQ(u->PointCount(), 4);
    EXPECT_EQ(u->GetPointAt(3), CPoint(0, 0));

    // Onto its neighbour: one of the two goes.
    CPolyLineOb* z = Poly(page, kZigzag);
    ASSERT_TRUE(Drag(*z, CPoint(100, 100), CPoint(98, 4)));
    EXPECT_EQ(z->PointCount(), 3);
    EXPECT_EQ(PagePoints(*z), (std::vector<CPoint>{{0, 0}, {98, 4}, {200, 100}}));

    // Not below two vertices: the drag still counts, nothing is removed.
    CPolyLineOb* two = Poly(page, {{0, 200}, {100, 200}});
    ASSERT_TRUE(Drag(*two, CPoint(100, 200), CPoint(2, 201)));
    EXPECT_EQ(two->PointCount(), 2);

    // A contour keeps its closing pair; a vertex onto vertex 0 merges away.
    CPolyLineOb* sq = Poly(page, kSquare);
    ASSERT_TRUE(Drag(*sq, CPoint(0, 100), CPoint(1, 3)));
    EXPECT_EQ(sq->PointCount(), 4);
    EXPECT_TRUE(sq->IsClosed());

    // Vertices already together merge on the next release, which is an edit.
    CPolyLineOb* dup = Poly(page, {{0, 300}, {50, 300}, {52, 301}, {100, 300}});
    EXPECT_TRUE(dup->MergePoints(false, 1));
    EXPECT_EQ(dup->PointCount(), 3);
    EXPECT_FALSE(dup->MergePoints(false, 1));
}

TEST(PolyLineEdit, ControlPressDeletesWhenAllowed) {
    CHyperPage page;
    CPolyLineOb* sq = Poly(page, kSquare);
    CPointEditing::Grab g;
    ASSERT_EQ(sq->GrabPoint(CPoint(0, 0), true, g), Press::kChanged);
    EXPECT_EQ(sq->PointCount(), 4);
    EXPECT_TRUE(sq->IsClosed());
    EXPECT_EQ(PagePoints(*sq), (std::vector<CPoint>{{100, 0}, {100, 100}, {0, 100}, {100, 0}}));
    EXPECT_EQ(sq->Rect(), CRect(0, 0, 100, 100));
    // Down to three vertices a contour gives up vertices; then the press
    // becomes a drag.
    ASSERT_EQ(sq->GrabPoint(CPoint(100, 100), true, g), Press::kChanged);
    EXPECT_EQ(sq->PointCount(), 3);
    EXPECT_TRUE(sq->IsClosed());
    EXPECT_EQ(sq->GrabPoint(CPoint(0, 100), true, g), Press::kDrag);
    EXPECT_EQ(sq->PointCount(), 3);
}

TEST(PolyLineEdit, EditPointsMakesTheRotationPermanent) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}});
    EXPECT_FALSE(ob->BakeRotation());
    ob->SetProperty("RotateAngle", Variant(90.0));
    ASSERT_TRUE(ob->IsRotated());
    const std::vector<CPoint> turned = PagePoints(*ob);
    ASSERT_NE(turned, (std::vector<CPoint>{{0, 0}, {100, 0}, {100, 50}}));
    ASSERT_TRUE(ob->BakeRotation());
    EXPECT_FALSE(ob->IsRotated());
    EXPECT_EQ(ob->RotateAngle(), 0.0);
    EXPECT_EQ(PagePoints(*ob), turned);
    EXPECT_EQ(ob->Rect(), CBasePolyOb::BoundsOf(turned));
    // Editable now.
    ob->SetPointAt(0, 7, 7);
    EXPECT_EQ(ob->GetPointAt(0), CPoint(7, 7));
}

TEST(PolyLineEdit, Automation) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, kZigzag);
    EXPECT_EQ(ob->Invoke("NumberOfPoints", {}).ToLong(), 4);
    const Variant one[] = {Variant(int32_t(2))};
    EXPECT_EQ(ob->Invoke("GetPointX", one).ToLong(), 100);
    EXPECT_EQ(ob->Invoke("GetPointY", one).ToLong(), 100);
    const Variant out[] = {Variant(int32_t(4))};
    EXPECT_EQ(ob->Invoke("GetPointX", out).ToLong(), 0);
    const Variant set[] = {Variant(int32_t(3)), Variant(int32_t(300)), Variant(int32_t(-50))};
    ob->Invoke("SetPoint", set);
    EXPECT_EQ(ob->GetPointAt(3), CPoint(300, -50));
    EXPECT_EQ(ob->Rect(), CRect(0, -50, 300, 100));
    const Variant bad[] = {Variant(int32_t(-1)), Variant(int32_t(5)), Variant(int32_t(5))};
    ob->Invoke("SetPoint", bad);
    EXPECT_EQ(ob->PointCount(), 4);
    EXPECT_EQ(ob->Rect(), CRect(0, -50, 300, 100));
    // Found by dispatch id as well.
    EXPECT_NE(ob->GetDispatchTable().Find(1345), nullptr);
    EXPECT_NE(ob->GetDispatchTable().Find(1348), nullptr);

    // A rotated polyline takes no vertex and keeps its rectangle.
    ob->SetProperty("RotateAngle", Variant(30.0));
    const CRect turned = ob->Rect();
    ob->Invoke("SetPoint", set);
    EXPECT_EQ(ob->Rect(), turned);
}

TEST(PolyLineEdit, PropertyItemsFollowTheShape) {
    CHyperPage page;
    CPolyLineOb* open = Poly(page, kZigzag);
    CPropList list;
    open->AddProperties(list, true);
    for (int id : {vx::prop::kBackColor, vx::prop::kHatchStyle, vx::prop::kShadowStyle})
        EXPECT_EQ(list.Find(id), nullptr) << id;
    for (int id : {vx::prop::kForeColor, vx::prop::kArrowhead, vx::prop::kArrowheadHeight,
                   vx::prop::kArrowheadStyle})
        EXPECT_NE(list.Find(id), nullptr) << id;

    CPolyLineOb* closed = Poly(page, kSquare);
    CPropList list2;
    closed->AddProperties(list2, true);
    for (int id : {vx::prop::kBackColor, vx::prop::kHatchStyle, vx::prop::kShadowStyle})
        EXPECT_NE(list2.Find(id), nullptr) << id;
    for (int id : {vx::prop::kArrowhead, vx::prop::kArrowheadHeight, vx::prop::kArrowheadStyle})
        EXPECT_EQ(list2.Find(id), nullptr) << id;
}

TEST(PolyLineEdit, PointHandlesKeepTheirPixelSize) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    CPolyLineOb* ob = Poly(page, {{10, 10}, {60, 10}, {60, 40}});
    ob->SetForeColor(kRed);
    ob->Select(true);
    for (int zoom : {50, 200}) {
        link.zoom = zoom;
        link.editingPoints = true;
        QImage img = PaintPage(page, 200, 100, zoom);
        // A black square of 6 by 6 pixels (framed in white) on each vertex.
        const CPoint c(60 * zoom / 100, 10 * zoom / 100);
        EXPECT_EQ(Px(img, c.x, c.y), kBlack) << zoom;
        EXPECT_EQ(Px(img, c.x - 2, c.y - 2), kBlack) << zoom;
        EXPECT_EQ(Px(img, c.x - 3, c.y - 3), kWhite) << zoom;
        EXPECT_EQ(Px(img, c.x + 2, c.y + 2), kWhite) << zoom;
        // The usual handles are gone: nothing black at the rectangle corners
        // beyond the vertex squares.
        link.editingPoints = false;
        img = PaintPage(page, 200, 100, zoom);
        EXPECT_NE(Px(img, 10 * zoom / 100, 40 * zoom / 100), kWhite) << zoom;
        link.editingPoints = true;
        img = PaintPage(page, 200, 100, zoom);
        EXPECT_EQ(Px(img, 10 * zoom / 100, 40 * zoom / 100), kWhite) << zoom;
    }
}
