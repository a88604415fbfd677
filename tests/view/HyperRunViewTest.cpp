// The page view as a widget (offscreen): painting through the window,
// coordinates, zooming, object queries, the code map, tools and the list
// of open views.
#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <map>
#include <memory>
#include <stdexcept>

#include "command/CommandIds.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/ViewLink.h"
#include "platform/PainterDC.h"
#include "shapes/ArcOb.h"
#include "shapes/BitmapOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/PolyLineOb.h"
#include "shapes/RectOb.h"
#include "shapes/ShapeClasses.h"
#include "shapes/TextOb.h"
#include "view/HyperView.h"
#include "view/TestObjects.h"

namespace {

QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// An edit view of 400 x 300 client pixels on a new document.
struct ViewFixture : ::testing::Test {
    void SetUp() override {
        view = std::make_unique<CHyperView>();
        view->resize(420, 320);
        view->SetDocument(&doc);
        page().pageObject()->color = vx::RGB(255, 255, 255);
        view->show();
        // Make the client area (inside the scroll bars) 400 x 300.
        for (int i = 0; i < 3; ++i) {
            const QSize vp = view->viewport()->size();
            view->resize(view->width() + 400 - vp.width(), view->height() + 300 - vp.height());
        }
        ASSERT_EQ(view->ClientSize(), CSize(400, 300));
    }
    CHyperPage& page() { return doc.mainPage(); }
    QImage Grab() { return view->viewport()->grab().toImage(); }

    CMyDoc doc;
    std::unique_ptr<CHyperView> view;
};

}  // namespace

TEST_F(ViewFixture, PaintsBackgroundGridObjectsAndHandlesInOrder) {
    page().guidelines = CRect(0, 0, 0, 0);
    CHyperOb* front = vxtest::AddFilledOb(page(), CRect(30, 30, 120, 120), vx::RGB(255, 0, 0));
    CHyperOb* back = vxtest::AddFilledOb(page(), CRect(50, 50, 100, 100), vx::RGB(0, 0, 255));
    back->Select(true);
    (void)front;
    const QImage img = Grab();
    EXPECT_EQ(Px(img, 75, 75), 0xFF0000u);  // the front object covers the back one
    // The back object's handle at its top-left corner is drawn over the
    // front object.
    EXPECT_EQ(Px(img, 50, 50), 0x000000u);
    // Grid dots invert the white background every 10 pixels.
    EXPECT_EQ(Px(img, 200, 200), 0x000000u);
    EXPECT_EQ(Px(img, 205, 200), 0xFFFFFFu);
    // Inactive views draw no handles.
    view->OnActivateView(false);
    EXPECT_EQ(Px(Grab(), 50, 50), 0xFF0000u);
}

TEST_F(ViewFixture, AFixedSizePageIsTheClientAreaUntilZoomed) {
    page().pageObject()->scrollBars = 0;
    view->OnInitialUpdate();
    CPoint p(123, 45);
    view->ClientToPage(p);
    EXPECT_EQ(p, CPoint(123, 45));
    const CSize client = view->ClientSize();
    EXPECT_EQ(view->GetUsableRect(true), CRect(10, 10, client.cx - 10, client.cy - 10));
    // Zooming to 150 turns the scroll bars on first.
    EXPECT_EQ(view->SetZoom(150), 150);
    EXPECT_EQ(page().pageObject()->scrollBars, 1);
    EXPECT_EQ(view->Zoom(), 150);
    p = CPoint(30, 60);
    view->PageToClient(p);
    EXPECT_EQ(p, CPoint(45 - view->GetScrollPosition().x, 90 - view->GetScrollPosition().y));
}

TEST_F(ViewFixture, ZoomStaysWithinItsLimitsAndConversionsRoundTrip) {
    EXPECT_EQ(view->MinZoomLevel(), 50);
    EXPECT_EQ(view->MaxZoomLevel(), 400);
    EXPECT_EQ(view->SetZoom(25), 50);
    EXPECT_EQ(view->Zoom(), 100);
    EXPECT_EQ(view->SetZoom(1000), 400);
    EXPECT_EQ(view->Zoom(), 100);
    page().pageObject()->scrollWidth = 10000;
    EXPECT_EQ(view->MaxZoomLevel(), 300);
    page().pageObject()->scrollWidth = 0;
    page().pageObject()->scrollHeight = 0;
    EXPECT_EQ(view->MaxZoomLevel(), 400);
    page().pageObject()->scrollWidth = 2000;
    page().pageObject()->scrollHeight = 2000;
    page().pageObject()->Update(1, 0);

    EXPECT_EQ(view->SetZoom(200), 200);
    // The page point at the centre stayed: (200, 150) at zoom 100.
    EXPECT_EQ(view->GetScrollPosition(), CPoint(200, 160));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 4000 - 400);
    for (int x = 0; x < 400; x += 37) {
        CPoint c(x, x / 2);
        view->ClientToPage(c);
        view->PageToClient(c);
        EXPECT_NEAR(c.x, x, 1);
        EXPECT_NEAR(c.y, x / 2, 1);
    }
    CRect r(0, 0, 400, 300);
    view->ClientToPage(r);
    EXPECT_EQ(r, CRect(100, 80, 300, 230));

    // Zoom to a device rectangle: its corner lands top-left.
    const CPoint scroll = view->GetScrollPosition();
    view->ZoomToRect(CRect(scroll.x + 100, scroll.y + 100, scroll.x + 300, scroll.y + 200));
    EXPECT_EQ(view->Zoom(), 400);
    CPoint corner(0, 0);
    view->ClientToPage(corner);
    EXPECT_NEAR(corner.x, 150, 3);
    EXPECT_NEAR(corner.y, 130, 3);

    // The plain page view keeps its zoom.
    CHyperRunView plain;
    plain.SetDocument(&doc);
    EXPECT_EQ(plain.SetZoom(200), 100);
    view->SetDocument(&doc);  // take the page back
}

TEST_F(ViewFixture, SnappingAndGridValuesSurviveAZeroSpacing) {
    page().gridSpacing = CSize(0, 0);
    EXPECT_EQ(view->GetGridWidth(), 0);  // the stored value is kept
    int v = 17;
    CHyperRunView::SnapToGridValue(v, view->GetSnapGridWidth());
    EXPECT_EQ(v, 17);
    view->SetPageSize(650, 800);
    (void)Grab();  // paints without dividing by zero
    page().gridFlags = CHyperPage::kShowGrid;
    page().gridSpacing = CSize(12, 14);
    EXPECT_EQ(view->GetDrawGridWidth(), 12);
    EXPECT_EQ(view->GetSnapGridWidth(), 1);
    EXPECT_FALSE(view->IsSnapToCenter());
    page().gridFlags = CHyperPage::kSnapToGrid | CHyperPage::kSnapToCentre;
    EXPECT_TRUE(view->IsSnapToCenter());
    EXPECT_EQ(view->GetDrawGridHeight(), 1);
    EXPECT_EQ(view->GetSnapGridHeight(), 14);
}

TEST_F(ViewFixture, ObjectQueries) {
    CHyperOb* a = vxtest::AddFilledOb(page(), CRect(0, 0, 10, 10), 0);
    CHyperOb* b = vxtest::AddFilledOb(page(), CRect(20, 20, 30, 30), 0);
    CHyperOb* c = vxtest::AddFilledOb(page(), CRect(50, 50, 50, 50), 0);  // no area
    b->setGroupId(3);
    c->setGroupId(3);
    std::vector<CHyperOb*> out{a};
    EXPECT_EQ(view->GetObjectsInRect(out, CRect(5, 5, 25, 25), false), 3);
    EXPECT_EQ(out, (std::vector<CHyperOb*>{a, a, b}));
    out.clear();
    EXPECT_EQ(view->GetObjectsInRect(out, CRect(50, 50, 51, 51), false), 1);  // grown by 1
    out.clear();
    EXPECT_EQ(view->GetGroupMembers(3, out), 2);
    EXPECT_EQ(out, (std::vector<CHyperOb*>{b, c}));
    std::vector<CHyperOb*> grouped;
    EXPECT_EQ(view->GetGroupedObjects({a, b, c}, grouped), 2);
    EXPECT_EQ(view->IndexOfObject(grouped, c), 1);
    EXPECT_EQ(view->IndexOfObject(grouped, a), -1);
    std::vector<CHyperOb*> snaps;
    EXPECT_EQ(view->GetObjectsWithSnapPoints(snaps), 0);
}

TEST_F(ViewFixture, FindObjectByCodeUsesTheCodeMapOutsideEditMode) {
    CHyperOb* a = vxtest::AddFilledOb(page(), CRect(0, 0, 10, 10), 0);
    CHyperOb* b = vxtest::AddFilledOb(page(), CRect(0, 0, 10, 10), 0);
    a->SetCodeRaw("Alpha");
    b->SetCodeRaw("Beta");
    EXPECT_EQ(view->FindObjectByCode("alpha"), a);
    EXPECT_EQ(view->FindObjectByCode("BETA"), b);
    EXPECT_EQ(view->FindObjectByCode("theview"), page().pageObject());
    EXPECT_EQ(view->FindObjectByCode("TheFrame"), doc.frameObject());
    EXPECT_EQ(view->FindObjectByCode("Alpha", &CHyperViewOb::classInfo), nullptr);
    EXPECT_EQ(view->FindObjectByCode("Gamma"), nullptr);
    EXPECT_EQ(view->FindObjectByCode(""), nullptr);

    page().editMode = false;
    EXPECT_EQ(view->FindObjectByCode("Alpha"), a);
    // An object deleted behind the map's back is not handed out.
    std::unique_ptr<CHyperOb> gone = page().Remove(a);
    gone.reset();
    EXPECT_EQ(view->FindObjectByCode("Alpha"), nullptr);
    b->SetCodeRaw("Renamed");
    EXPECT_EQ(view->FindObjectByCode("Beta"), nullptr);
    EXPECT_EQ(view->FindObjectByCode("renamed"), b);
}

TEST_F(ViewFixture, ToolsAndOpenViews) {
    // The tools of the shapes that exist enter the map; the others wait for
    // their classes.
    RegisterShapeClasses();
    view->RegisterTools();
    const std::map<uint16_t, const CClassInfo*> expected{
        {60450, &CLineOb::classInfo},   {60472, &CLineOb::classInfo},   {60473, &CBorderOb::classInfo},
        {60478, &CArcOb::classInfo},    {60471, &CCircleOb::classInfo}, {60451, &CRectOb::classInfo},
        {60480, &CHiliteOb::classInfo}, {60448, &CTextOb::classInfo},   {60462, &CBitmapOb::classInfo},
        {60479, &CPolyLineOb::classInfo},
        {60481, &CConnectOb::classInfo},
    };
    for (const auto& [id, cls] : expected) EXPECT_EQ(view->GetToolClass(id), cls) << id;
    EXPECT_EQ(view->toolMap().size(), expected.size());
    view->RegisterTool(60451, &CHyperOb::classInfo);
    view->RegisterTool(60451, &CHyperViewOb::classInfo);  // replaces
    EXPECT_EQ(view->GetToolClass(60451), &CHyperViewOb::classInfo);
    EXPECT_EQ(view->GetToolClass(1), nullptr);

    const auto& open = CHyperRunView::OpenViews();
    EXPECT_NE(std::find(open.begin(), open.end(), view.get()), open.end());
    {
        CMyDoc other;
        CHyperRunView second;
        second.SetDocument(&other);
        EXPECT_EQ(open.size(), 2u);
        EXPECT_EQ(other.mainPage().link(), &second);
    }
    EXPECT_EQ(open.size(), 1u);
    view.reset();
    EXPECT_TRUE(open.empty());
    EXPECT_EQ(doc.mainPage().link(), nullptr);
}

TEST_F(ViewFixture, PageObjectChangesRecomputeTheZoomLimit) {
    page().pageObject()->scrollWidth = 3000;
    page().pageObject()->scrollHeight = 2000;
    page().pageObject()->Update(1, 0);
    EXPECT_EQ(view->SetZoom(400), 400);
    // A wider page lowers the zoom to what it allows.
    page().pageObject()->scrollWidth = 10000;
    page().pageObject()->Update(1, 0);
    EXPECT_EQ(view->Zoom(), 300);
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 30000 - 400);
}

// The edit view is a command target: the zoom commands step through its
// levels and report their state without the application.
TEST_F(ViewFixture, EditViewTakesTheZoomCommands) {
    CCmdTarget& target = *view;
    CCmdUI in(vx::cmd::kZoomIn), out(vx::cmd::kZoomOut), one(vx::cmd::kZoom100);
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoom100, &one));
    EXPECT_TRUE(one.checked);
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoomIn, nullptr));
    EXPECT_EQ(view->Zoom(), 150);
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoomOut, nullptr));
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoomOut, nullptr));
    EXPECT_EQ(view->Zoom(), 50);
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoomOut, &out));
    EXPECT_FALSE(out.enabled);
    EXPECT_TRUE(target.OnCmdMsg(vx::cmd::kZoomIn, &in));
    EXPECT_TRUE(in.enabled);
    EXPECT_FALSE(target.OnCmdMsg(vx::cmd::kFileSave, nullptr));
}

namespace {

// Notes the page colour and zoom it is drawn with, and fails while printing.
class CFailingOb : public CHyperOb {
public:
    void DrawShape(CDC& dc) override {
        seenColour = GetPageColor();
        seenZoom = view_ && view_->link() ? view_->link()->Zoom() : -1;
        if (dc.IsPrinting()) throw std::runtime_error("cannot draw");
    }
    COLORREF seenColour = 0;
    int seenZoom = 0;
};

// The page view's own drawing pass, reachable from the test.
class CPrintingView : public CHyperView {
public:
    using CHyperView::OnDraw;
};

}  // namespace

TEST(HyperRunViewPrinting, APrintPassLeavesThePageColourAndZoomAsTheyWere) {
    CMyDoc doc;
    CPrintingView view;
    view.resize(300, 200);
    view.SetDocument(&doc);
    CHyperPage& page = doc.mainPage();
    page.pageObject()->color = vx::RGB(255, 255, 192);
    auto* ob = static_cast<CFailingOb*>(page.Insert(std::make_unique<CFailingOb>()));
    ob->SetRect(CRect(10, 10, 60, 60));
    ASSERT_EQ(view.SetZoom(200), 200);

    QImage paper(200, 200, QImage::Format_RGB32);
    {
        CPainterDC dc(&paper);
        dc.SetPrinting(true);
        EXPECT_THROW(view.OnDraw(dc), std::runtime_error);
    }
    // The object drew on white at zoom 100 ...
    EXPECT_EQ(ob->seenColour, vx::RGB(255, 255, 255));
    EXPECT_EQ(ob->seenZoom, 100);
    // ... and the failure left the page and the view unchanged.
    EXPECT_EQ(page.pageObject()->color, vx::RGB(255, 255, 192));
    EXPECT_EQ(view.Zoom(), 200);
    EXPECT_TRUE(view.IsActive());

    // The screen pass draws with the page's own colour and zoom.
    ob->SetRect(CRect(0, 0, 300, 300));
    CPainterDC screen(&paper);
    view.OnDraw(screen);
    EXPECT_EQ(ob->seenColour, vx::RGB(255, 255, 192));
    EXPECT_EQ(ob->seenZoom, 200);
}
