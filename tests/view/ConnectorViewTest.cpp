// Connectors in the edit view: drawn from snap point to snap point with the
// Connector tool, their ends dragged off and onto snap points, and their
// paths following the objects they join.
#include <gtest/gtest.h>

#include <memory>

#include "command/CommandIds.h"
#include "model/Connection.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"
#include "shapes/BorderOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/ShapeClasses.h"
#include "support/EditViewSetup.h"
#include "support/ViewInput.h"
#include "view/HyperView.h"

using vxtest::Drag;

namespace {

struct ConnectorView : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        vxtest::ShowEditView(view, doc);
        // Snapping to the grid would move the pressed points off the snap
        // points; the router still works on the grid.
        doc.mainPage().gridFlags &= ~CHyperPage::kSnapToGrid;
    }
    CBorderOb* AddBorder(const CRect& r) {
        auto ob = std::make_unique<CBorderOb>();
        ob->AttachToView(view.page(), nullptr, true);
        // Filled: a transparent border is hit only near its edges.
        ob->SetBackColor(vx::RGB(200, 200, 200));
        ob->SetRect(r);
        return dynamic_cast<CBorderOb*>(view.AddObject(std::move(ob), false, true));
    }
    // The snap point of `ob` nearest to `near`.
    static CPoint SnapNear(CHyperOb& ob, CPoint near) {
        CSnapList* list = ob.GetSnapList(false);
        CPoint best(-1, -1);
        long bestD = -1;
        for (size_t i = 0; list && i < list->Count(); ++i) {
            const CPoint p = list->Position(*list->set().point(i));
            const long d = std::labs(p.x - near.x) + std::labs(p.y - near.y);
            if (bestD < 0 || d < bestD) bestD = d, best = p;
        }
        return best;
    }
    // The connector's path in page coordinates.
    static std::vector<CPoint> Path(CConnectL0& c) {
        std::vector<CPoint> pts;
        for (int i = 0; i < c.PointCount(); ++i) pts.push_back(c.GetPointAt(i));
        return pts;
    }
    // No segment of the path comes within `gap` units of `r`.
    static bool Avoids(const std::vector<CPoint>& path, CRect r, int gap) {
        r.InflateRect(gap - 1, gap - 1);
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            const CPoint a = path[i], b = path[i + 1];
            const CRect seg(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1);
            CRect cut;
            if (cut.IntersectRect(seg, r)) return false;
        }
        return true;
    }
    static bool Orthogonal(const std::vector<CPoint>& path) {
        for (size_t i = 0; i + 1 < path.size(); ++i)
            if (path[i].x != path[i + 1].x && path[i].y != path[i + 1].y) return false;
        return true;
    }
    static vx::route::RouteResult Routed(CConnectL0& c) {
        vx::route::RouteResult r;
        r.kind = c.lastRouteKind();
        return r;
    }
    CConnectL0* DrawConnector(CPoint from, CPoint to) {
        EXPECT_TRUE(view.tools().SetTool(vx::tool::kConnector));
        Drag(view, {from.x, from.y}, {to.x, to.y});
        EXPECT_EQ(view.tools().GetTool(), vx::tool::kSelect);
        return dynamic_cast<CConnectL0*>(view.GetSingleSelection());
    }

    CMyDoc doc;
    CHyperView view;
};

}  // namespace

TEST_F(ConnectorView, ADrawnConnectorHangsOnBothSnapPointsAndFollowsAMovedBorder) {
    CBorderOb* a = AddBorder(CRect(40, 40, 100, 100));
    CBorderOb* b = AddBorder(CRect(280, 40, 340, 100));
    const CPoint from = SnapNear(*a, CPoint(100, 70)), to = SnapNear(*b, CPoint(280, 70));
    CConnectL0* c = DrawConnector(from, to);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(view.page()->IndexOf(c), 0);  // connectors stay in front
    CConnection* conn = c->GetConnection();
    EXPECT_TRUE(conn->ends[0].IsAttached());
    EXPECT_TRUE(conn->ends[1].IsAttached());
    EXPECT_EQ(c->EndAt(0), from);
    EXPECT_EQ(c->EndAt(1), to);
    EXPECT_TRUE(Orthogonal(Path(*c)));

    // Moving the right border takes the connector's end along and lays the
    // path out again.
    view.SelectObject(b);
    const int routes = c->routeCount();
    Drag(view, {310, 70}, {310, 170});
    ASSERT_EQ(b->Rect(), CRect(280, 140, 340, 200));
    EXPECT_GT(c->routeCount(), routes);
    EXPECT_EQ(c->EndAt(0), from);
    EXPECT_EQ(c->EndAt(1), SnapNear(*b, CPoint(280, 170)));
    EXPECT_TRUE(Orthogonal(Path(*c)));

    // Undo puts the border and the path back as they were.
    view.Undo();
    auto* back = dynamic_cast<CConnectL0*>(view.page()->At(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->EndAt(1), to);
}

TEST_F(ConnectorView, TheRouteGoesAroundABorderBetweenTheEndsAndStaysClearOfItWhenAnEndMoves) {
    CBorderOb* a = AddBorder(CRect(40, 40, 100, 100));
    CBorderOb* b = AddBorder(CRect(300, 40, 360, 100));
    // A wall between them with a way round below it.
    CBorderOb* wall = AddBorder(CRect(170, 20, 230, 230));
    CConnectL0* c = DrawConnector(SnapNear(*a, CPoint(100, 70)), SnapNear(*b, CPoint(300, 70)));
    ASSERT_NE(c, nullptr);
    EXPECT_FALSE(Routed(*c).FellBack());
    EXPECT_TRUE(Avoids(Path(*c), wall->Rect(), 10));
    EXPECT_TRUE(Orthogonal(Path(*c)));

    view.SelectObject(b);
    Drag(view, {330, 70}, {330, 120});
    EXPECT_EQ(c->EndAt(1), SnapNear(*b, CPoint(300, 120)));
    EXPECT_FALSE(Routed(*c).FellBack());
    EXPECT_TRUE(Avoids(Path(*c), wall->Rect(), 10));
    EXPECT_TRUE(Orthogonal(Path(*c)));
}

TEST_F(ConnectorView, DraggingAnEndOffAndOntoSnapPointsIsOneSnapStepEach) {
    CBorderOb* a = AddBorder(CRect(40, 40, 100, 100));
    CBorderOb* b = AddBorder(CRect(280, 40, 340, 100));
    CBorderOb* d = AddBorder(CRect(280, 180, 340, 240));
    const CPoint to = SnapNear(*b, CPoint(280, 70));
    CConnectL0* c = DrawConnector(SnapNear(*a, CPoint(100, 70)), to);
    ASSERT_NE(c, nullptr);
    const size_t steps = view.undoCount();

    // Off the point into free space: the end is free and stays there.
    Drag(view, {to.x, to.y}, {200, 150});
    EXPECT_FALSE(c->GetConnection()->ends[1].IsAttached());
    EXPECT_EQ(c->EndAt(1), CPoint(200, 150));
    EXPECT_EQ(view.undoCount(), steps + 1);
    EXPECT_EQ(view.currentUndo()->action(), vx::undo::kSnapUnsnap);

    // Onto the other border's top point.
    const CPoint top = SnapNear(*d, CPoint(310, 180));
    Drag(view, {200, 150}, {top.x + 3, top.y - 2});
    EXPECT_TRUE(c->GetConnection()->ends[1].IsAttached());
    EXPECT_EQ(c->GetConnection()->ends[1].target, d->GetCode());
    EXPECT_EQ(c->EndAt(1), top);

    // Deleting the border leaves the connector whole with that end free.
    const std::string code = d->GetCode();
    view.SelectObject(d);
    vxtest::Key(view, Qt::Key_Delete);
    EXPECT_EQ(view.page()->FindObjectByCode(code), nullptr);
    EXPECT_FALSE(c->GetConnection()->ends[1].IsAttached());
    EXPECT_EQ(c->EndAt(1), top);
    EXPECT_TRUE(c->GetConnection()->ends[0].IsAttached());
}
