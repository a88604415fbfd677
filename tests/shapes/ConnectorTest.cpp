// Connectors: the routed path between two snap points, following a moved
// target, the label at the middle of the path, records in their newest and
// older forms, damaged records, and deleting an object connectors hang on.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/GroupInfo.h"
#include "model/PropChoice.h"
#include "model/PropOb.h"
#include "route/Router.h"
#include "shapes/BorderOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/ShapePropIds.h"
#include "support/FakeViewLink.h"

using namespace shapetest;

namespace {

template <class T = CConnectOb>
T* Connector(CHyperPage& page, const char* code, const std::vector<CPoint>& pts) {
    auto owned = std::make_unique<T>();
    T* ob = owned.get();
    ob->SetCodeRaw(code);
    page.Insert(std::move(owned));
    ob->SetPagePoints(pts);
    ob->Update(1, 0);
    return ob;
}

std::vector<CPoint> PagePoints(CConnectL0& ob) {
    std::vector<CPoint> out;
    for (int i = 0; i < ob.PointCount(); ++i) out.push_back(ob.GetPointAt(i));
    return out;
}

std::vector<uint8_t> Bytes(CHyperOb& ob) {
    CArchive out;
    ob.Serialize(out);
    return out.Buffer();
}

// What the router answers for the connector's ends as they are now.
std::vector<CPoint> RouterPath(CConnectL0& c) {
    const CSnapPoint* p0 = c.SnapPointOf(0);
    const CSnapPoint* p1 = c.SnapPointOf(1);
    const vx::route::RouteEnd s{c.EndAt(1), p1 ? p1->SafeType() : vx::route::kFreeEnd};
    const vx::route::RouteEnd e{c.EndAt(0), p0 ? p0->SafeType() : vx::route::kFreeEnd};
    return vx::route::CRouter::Instance().Route(s, e, p0 ? p0->gridOffset : 0, false).points;
}

// A labelled connector with every stored field away from its default.
CConnectOb* Labelled(CHyperPage& page) {
    CConnectOb* c = Connector(page, "C", {{20, 20}, {120, 20}, {120, 90}});
    c->SetText("label text");
    c->setAlignment(CConnectOb::kRight);
    c->SetForeColor(kRed);
    c->SetPenWidth(2);
    c->setArrowhead(3);
    LOGFONT lf = vx::DefaultLogFont();
    lf.lfHeight = -15;
    c->SetFont(lf);
    return c;
}

}  // namespace

TEST(Connector, ClassAndDefaults) {
    auto made = CClassRegistry::Instance().Create("CConnectOb");
    auto* c = dynamic_cast<CConnectOb*>(made.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetTypeName(), "Connector");
    EXPECT_TRUE(c->IsConnector());
    EXPECT_TRUE(c->IsLine());
    EXPECT_EQ(c->IsRouted(), 1);
    EXPECT_EQ(c->linkFlag(), 1);
    EXPECT_EQ(c->freeEndAllowance(), 2);
    EXPECT_FALSE(c->drawingSuppressed());
    EXPECT_EQ(c->alignment(), CConnectOb::kCentre);
    EXPECT_NE(CClassRegistry::Instance().Find("CConnectL0"), nullptr);
    c->ApplyViewDefaults();
    EXPECT_EQ(c->Rect(), CRect(50, 50, 100, 100));
    EXPECT_EQ(PagePoints(*c), (std::vector<CPoint>{{100, 100}, {50, 50}}));
}

TEST(Connector, EndsAreTheFirstAndLastPoint) {
    CConnectOb c;
    c.SetPagePoints({{10, 10}, {60, 10}, {60, 80}});
    CPoint e0, e1;
    ASSERT_TRUE(c.GetConnection()->GetEnds(e0, e1));
    EXPECT_EQ(e0, CPoint(10, 10));
    EXPECT_EQ(e1, CPoint(60, 80));
    c.GetConnection()->SetEnds(CPoint(0, 5), CPoint(90, 100));
    EXPECT_EQ(PagePoints(c), (std::vector<CPoint>{{0, 5}, {60, 10}, {90, 100}}));
    EXPECT_EQ(c.Rect(), CRect(0, 5, 90, 100));
}

TEST(Connector, AttachedEndsFollowAMovedBorderAndTheRouteIsRedone) {
    CHyperPage page;
    Place<CBorderOb>(page, "A", CRect(100, 100, 200, 160));
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(400, 100, 500, 160));
    // From A's right snap point to B's left one.
    CConnectOb* c = Connector(page, "C", {{200, 130}, {400, 130}});
    ASSERT_EQ(c->GetConnection()->ends[0].target, "A");
    ASSERT_EQ(c->GetConnection()->ends[1].target, "B");
    EXPECT_EQ(c->EndAt(0), CPoint(200, 130));
    EXPECT_EQ(c->EndAt(1), CPoint(400, 130));
    EXPECT_EQ(PagePoints(*c), RouterPath(*c));
    const int routes = c->routeCount();

    b->Move(0, 100);
    b->Update(1, 0);
    EXPECT_GT(c->routeCount(), routes);
    EXPECT_EQ(c->EndAt(0), CPoint(200, 130));
    EXPECT_EQ(c->EndAt(1), CPoint(400, 230));
    EXPECT_EQ(c->GetConnection()->ends[1].target, "B");
    // The path is the router's, from end 0 to end 1.
    EXPECT_EQ(PagePoints(*c), RouterPath(*c));
}

TEST(ConnectorRoute, TheSceneIsThePagesObjectsEachGroupOnce) {
    auto& router = vx::route::CRouter::Instance();
    CHyperPage page;
    Place<CBorderOb>(page, "A", CRect(100, 100, 200, 160));
    CBorderOb* g1 = Place<CBorderOb>(page, "G1", CRect(300, 300, 350, 350));
    CBorderOb* g2 = Place<CBorderOb>(page, "G2", CRect(400, 300, 450, 350));
    auto g = std::make_unique<CGroupInfo>();
    g->rect = CRect(300, 300, 450, 350);
    g1->setGroupInfo(std::move(g));
    g1->setGroupId(1);
    g2->setGroupId(1);
    page.GeometryChanged();
    CConnectOb* c = Connector(page, "C", {{10, 10}, {60, 200}});
    Connector(page, "D", {{20, 400}, {90, 500}});
    // Lines are no obstacles; the group counts once, by its rectangle.
    EXPECT_EQ(router.obstacleCount(), 2u);
    EXPECT_EQ(router.key().owner, &page);
    EXPECT_EQ(router.key().page, CRect(10, 10, 640, 790));
    // Nothing moved: the next route reuses the scene.
    const uint64_t rebuilds = router.rebuildCount();
    c->Update(1, 0);
    EXPECT_EQ(router.rebuildCount(), rebuilds);
    g2->Move(5, 0);
    c->Update(1, 0);
    EXPECT_EQ(router.rebuildCount(), rebuilds + 1);
}

TEST(ConnectorRoute, AreaIsTheClientLessTheMarginsWhenThePageDoesNotScroll) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    link.clientSize = CSize(300, 200);
    EXPECT_EQ(CConnectL0::RoutingArea(page), CRect(10, 10, 640, 790));
    page.pageObject()->scrollBars = 0;
    EXPECT_EQ(CConnectL0::RoutingArea(page), CRect(10, 10, 290, 190));
    page.guidelines = CRect(0, 20, 5, 0);
    EXPECT_EQ(CConnectL0::RoutingArea(page), CRect(0, 20, 295, 200));
    page.setLink(nullptr);
}

TEST(ConnectorRoute, APageAfterAnotherNeverTakesItsScene) {
    auto& router = vx::route::CRouter::Instance();
    // Two borders, then one border and as many placement changes: a page
    // made where the first one was must not reuse its obstacles.
    uint64_t changes = 0;
    std::optional<CHyperPage> page;
    for (int borders : {2, 1}) {
        page.reset();
        page.emplace();  // at the same address
        const uint64_t start = page->geometryRevision();
        for (int i = 0; i < borders; ++i)
            Place<CBorderOb>(*page, ("B" + std::to_string(i)).c_str(),
                             CRect(100 * i, 300, 100 * i + 50, 350));
        if (changes == 0) changes = page->geometryRevision() - start;
        while (page->geometryRevision() - start < changes) page->GeometryChanged();
        Connector(*page, "C", {{10, 10}, {60, 200}});
        EXPECT_EQ(router.obstacleCount(), size_t(borders));
    }
}

TEST(Connector, NoRouteWithoutRecalculationOrWhileGrouped) {
    CHyperPage page;
    CConnectOb* c = Connector(page, "C", {{10, 10}, {200, 100}});
    const int routes = c->routeCount();
    c->Update(0, 0);
    c->Update(2, 0);
    EXPECT_EQ(c->routeCount(), routes);
    c->setGroupId(3);
    c->Update(1, 0);
    EXPECT_EQ(c->routeCount(), routes);
    c->setGroupId(-1);
    c->Update(1, 0);
    EXPECT_EQ(c->routeCount(), routes + 1);
}

TEST(Connector, DeletingATargetLeavesTheConnectorValid) {
    CHyperPage page;
    CBorderOb* a = Place<CBorderOb>(page, "A", CRect(100, 100, 200, 160));
    Place<CBorderOb>(page, "B", CRect(400, 100, 500, 160));
    CConnectOb* c = Connector(page, "C", {{200, 130}, {400, 130}});
    ASSERT_TRUE(c->GetConnection()->ends[0].IsAttached());
    // What the edit view does when it deletes an object.
    for (size_t i = 0; i < page.Count(); ++i)
        if (CConnection* conn = page.At(i)->GetConnection()) conn->Detach("A");
    a->DisconnectAll();
    page.Remove(a);
    EXPECT_FALSE(c->GetConnection()->ends[0].IsAttached());
    EXPECT_TRUE(c->GetConnection()->ends[1].IsAttached());
    EXPECT_EQ(c->EndAt(0), CPoint(200, 130));
    // It routes and stores as a connector with a free end.
    c->Update(1, 0);
    EXPECT_EQ(c->EndAt(0), CPoint(200, 130));
    EXPECT_EQ(c->EndAt(1), CPoint(400, 130));
    auto back = RoundTrip(*c);
    EXPECT_EQ(back->GetConnection()->ends[1].target, "B");
}

TEST(Connector, IntersectsRectByPointsAndSegments) {
    CConnectOb c;
    c.SetPagePoints({{0, 0}, {100, 0}, {100, 100}});
    EXPECT_TRUE(c.IntersectsRect(CRect(95, 40, 105, 60)));     // crosses the second segment
    EXPECT_TRUE(c.IntersectsRect(CRect(101, 101, 110, 110)));  // the end, within 1
    EXPECT_FALSE(c.IntersectsRect(CRect(10, 10, 90, 90)));     // inside the bend, touching nothing
    EXPECT_FALSE(c.IntersectsRect(CRect(103, 103, 110, 110)));
}

TEST(Connector, HitTestFollowsThePath) {
    CConnectOb c;
    c.SetPagePoints({{0, 0}, {100, 0}, {100, 100}});
    EXPECT_EQ(c.HitTest(50, 1), vx::kHitInside);
    EXPECT_EQ(c.HitTest(99, 50), vx::kHitInside);
    EXPECT_EQ(c.HitTest(30, 60), vx::kHitNone);
}

TEST(ConnectorLabel, SitsOnTheMiddleOfThePathAndCountsAsInside) {
    CConnectOb c;
    // Segment lengths 100, 50 and 200: half of 350 is passed in the third.
    c.SetPagePoints({{0, 0}, {100, 0}, {100, 50}, {300, 50}});
    EXPECT_EQ(c.LabelAnchor(), CPoint(200, 50));
    EXPECT_TRUE(c.LabelRect().IsRectEmpty());
    c.SetText("two\nlines");
    const CRect label = c.LabelRect();
    ASSERT_FALSE(label.IsRectEmpty());
    EXPECT_LE(std::abs(label.CenterPoint().x - 200), 1);
    EXPECT_LE(std::abs(label.CenterPoint().y - 50), 1);
    EXPECT_LE(label.Width(), c.Rect().Width());
    // A point of the label away from the path hits the connector.
    const CPoint inLabel(label.left + 1, label.top + 1);
    EXPECT_EQ(c.HitTest(inLabel.x, inLabel.y), vx::kHitInside);
    c.SetText("");
    EXPECT_EQ(c.HitTest(inLabel.x, inLabel.y), vx::kHitNone);
}

TEST(ConnectorLabel, LongTextWrapsWithinTheObjectWidth) {
    CConnectOb c;
    c.SetPagePoints({{0, 0}, {80, 0}});
    c.SetText("a rather long label that cannot fit on one line of eighty units");
    const CRect r = c.LabelRect();
    EXPECT_LE(r.Width(), 80);
    EXPECT_GT(r.Height(), 20);
}

TEST(ConnectorLabel, EmptyLabelAddsNothingToTheRepaintArea) {
    CConnectOb c;
    c.SetPagePoints({{0, 0}, {40, 0}});
    CConnectL0 plain;
    plain.SetPagePoints({{0, 0}, {40, 0}});
    EXPECT_EQ(c.GetInvalidRect(), plain.GetInvalidRect());
    c.SetText("a label reaching above and below the line");
    const CRect with = c.GetInvalidRect();
    CRect joined;
    joined.UnionRect(plain.GetInvalidRect(), c.LabelRect());
    EXPECT_EQ(with, joined);
    EXPECT_GT(with.Height(), plain.GetInvalidRect().Height());
}

TEST(ConnectorLabel, DrawnOnThePageColourInForeColor) {
    CHyperPage page;
    CConnectOb* c = Connector(page, "C", {{20, 50}, {180, 50}});
    c->SetText("WWW");
    c->SetForeColor(kRed);
    const QImage img = PaintPage(page, 200, 100);
    const CRect label = c->LabelRect();
    // The text's pixels: red ones off the line's row.
    QImage text = img;
    for (int x = 0; x < text.width(); ++x) text.setPixel(x, 50, qRgb(255, 255, 255));
    const CRect red = BoundsOf(text, kRed);
    ASSERT_FALSE(red.IsRectEmpty());
    // The text lies within the label; the label hides the line under it.
    EXPECT_GE(red.left, label.left);
    EXPECT_LE(red.right, label.right);
    int redInLabel = 0;
    for (int x = label.left; x < label.right; ++x) redInLabel += Px(img, x, 50) == kRed;
    EXPECT_LT(redInLabel, label.Width());
    EXPECT_EQ(Px(img, label.left - 3, 50), kRed);  // the line outside the label
}

TEST(Connector, DrawingSuppressedDrawsNothing) {
    CHyperPage page;
    CConnectOb* c = Connector(page, "C", {{20, 50}, {180, 50}});
    c->SetText("Text");
    c->setDrawingSuppressed(true);
    EXPECT_EQ(Count(PaintPage(page, 200, 100), kWhite), 200 * 100);
    c->setDrawingSuppressed(false);
    EXPECT_LT(Count(PaintPage(page, 200, 100), kWhite), 200 * 100);
}

TEST(Connector, PropertyItemsAddTextAndAlignment) {
    CConnectOb c;
    CPropList list;
    c.AddProperties(list, true);
    ASSERT_NE(list.Find(vx::prop::kText), nullptr);
    auto* align = dynamic_cast<CPropCombo*>(list.Find(vx::prop::kAlignment));
    ASSERT_NE(align, nullptr);
    ASSERT_EQ(align->choices().size(), 3u);
    EXPECT_EQ(align->choices()[0].text, "0 - Left");
    EXPECT_EQ(align->choices()[1].value, 6);
    EXPECT_EQ(align->choices()[2].value, 2);
    EXPECT_NE(list.Find(vx::prop::kArrowhead), nullptr);
    c.setAlignment(0);
    EXPECT_EQ(c.GetEditStyle(), 0);
    c.setAlignment(2);
    EXPECT_EQ(c.GetEditStyle(), 2);
    c.setAlignment(6);
    EXPECT_EQ(c.GetEditStyle(), 1);
}

TEST(ConnectorRecord, RoundTripIsByteExact) {
    CHyperPage page;
    CConnectOb* c = Labelled(page);
    const std::vector<uint8_t> bytes = Bytes(*c);
    auto back = RoundTrip(*c);
    EXPECT_EQ(PagePoints(*back), PagePoints(*c));
    EXPECT_EQ(back->text(), "label text");
    EXPECT_EQ(back->alignment(), CConnectOb::kRight);
    EXPECT_EQ(back->foreColorField(), kRed);
    EXPECT_EQ(back->GetLogFont(false).lfHeight, -15);
    EXPECT_EQ(Bytes(*back), bytes);
    // The label part closes the record: tag, text, alignment, font, colour.
    uint32_t last;
    std::memcpy(&last, bytes.data() + bytes.size() - 4, 4);
    EXPECT_EQ(last, uint32_t(kRed));
}

TEST(ConnectorRecord, OlderRecordsWithoutTheTaggedParts) {
    CHyperPage page;
    CConnectOb* c = Labelled(page);
    const std::vector<uint8_t> full = Bytes(*c);
    CConnectL0 plain;
    plain.CopyFrom(*c);
    const std::vector<uint8_t> connector = Bytes(plain);
    ASSERT_LT(connector.size(), full.size());
    ASSERT_TRUE(std::equal(connector.begin(), connector.end(), full.begin()));
    // Without the label part: the label keeps its defaults.
    {
        CArchive in(connector);
        CConnectOb back;
        back.Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(back.text(), "");
        EXPECT_EQ(back.alignment(), CConnectOb::kCentre);
        EXPECT_EQ(PagePoints(back), PagePoints(*c));
    }
    // Without either tagged part: the polyline record alone.
    {
        const std::vector<uint8_t> poly(connector.begin(), connector.end() - 8);
        CArchive in(poly);
        CConnectOb back;
        back.Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(back.attachColour(), -1);
        EXPECT_EQ(PagePoints(back), PagePoints(*c));
    }
}

TEST(ConnectorRecord, CutRecordsAreErrorsNotCrashes) {
    CHyperPage page;
    const std::vector<uint8_t> full = Bytes(*Labelled(page));
    for (size_t n = 0; n < full.size(); ++n) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + std::ptrdiff_t(n));
        CArchive in(cut);
        CConnectOb back;
        try {
            back.Serialize(in);
        } catch (const CArchiveException&) {
            continue;
        }
        // A cut that happens to end a whole part reads as an older record;
        // fewer bytes than a tag are left for the reader of what follows.
        EXPECT_LT(in.Remaining(), 4u) << n;
    }
}

TEST(ConnectorRecord, CopyCarriesEveryField) {
    CHyperPage page;
    CConnectOb* c = Labelled(page);
    auto copy = c->Clone();
    EXPECT_EQ(Bytes(*copy), Bytes(*c));
}

TEST(ConnectorRecord, FarStoredVerticesSaturateInsteadOfWrapping) {
    CConnectOb c;
    c.SetPagePoints({{0, 0}, {100, 0}});
    std::vector<uint8_t> bytes = Bytes(c);
    // The second vertex's x, the last stored coordinate pair before the
    // tagged parts (8 bytes of the connector, then the label part).
    CConnectL0 plain;
    plain.CopyFrom(c);
    const size_t at = Bytes(plain).size() - 8 - 8;
    const int32_t far = INT32_MAX;
    std::memcpy(bytes.data() + at, &far, 4);
    CArchive in(bytes);
    CConnectOb back;
    back.Serialize(in);
    back.SetText("far");
    EXPECT_EQ(back.EndAt(1).x, INT32_MAX);
    EXPECT_TRUE(back.IntersectsRect(CRect(0, -5, 10, 5)));
    EXPECT_FALSE(back.IntersectsRect(CRect(0, 100, 10, 110)));
    EXPECT_GT(back.LabelAnchor().x, 0);
    (void)back.LabelRect();
}
