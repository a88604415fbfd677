// The elements drawn into images: each figure joins its points as it
// should at two sizes, texts land in their boxes, and a class box grows to
// fit a long attribute list.
#include <gtest/gtest.h>

#include <functional>

#include "../shapes/ShapeTestSupport.h"
#include "platform/PainterDC.h"
#include "platform/RecordingDC.h"
#include "view/PagePainter.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"

using namespace shapetest;

namespace {

QImage Paint(CHyperPage& page, int w, int h) {
    QImage img = Canvas(w, h);
    CPainterDC dc(&img);
    for (size_t i = page.Count(); i-- > 0;) page.At(i)->Draw(dc);
    return img;
}

// Some pixel at most one step from p is black.
bool InkNear(const QImage& img, CPoint p) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(p.x + dx, p.y + dy) && Px(img, p.x + dx, p.y + dy) == kBlack) return true;
    return false;
}

CPoint Mid(CPoint a, CPoint b) { return CPoint((a.x + b.x) / 2, (a.y + b.y) / 2); }

int DarkIn(const QImage& img, const CRect& r) {
    int n = 0;
    for (int y = std::max(0, r.top); y < std::min(img.height(), r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(img.width(), r.right); ++x) n += qGray(img.pixel(x, y)) < 128;
    return n;
}

struct Figure {
    const char* name;
    std::function<CPointModelOb*(CHyperPage&, const CRect&)> place;
    // Pairs of point indexes joined by a line.
    std::vector<std::pair<size_t, size_t>> segments;
    // Point pairs whose boxes hold an ellipse.
    std::vector<std::pair<size_t, size_t>> ellipses;
};

template <class T>
CPointModelOb* PlaceBlank(CHyperPage& page, const CRect& r) {
    T* ob = Place<T>(page, "E", r);
    ob->SetText("");
    ob->SetForeColor(kBlack);
    return ob;
}

std::vector<std::pair<size_t, size_t>> Chain(size_t a, size_t b) {
    std::vector<std::pair<size_t, size_t>> s;
    for (size_t i = a; i < b; ++i) s.push_back({i, i + 1});
    return s;
}

}  // namespace

TEST(ElementPixels, EachFigureJoinsItsPointsAtTwoSizes) {
    const Figure figures[] = {
        {"actor", PlaceBlank<CActorOb>, {{4, 5}, {6, 7}, {5, 8}, {5, 9}}, {{2, 3}}},
        {"use case", PlaceBlank<CUseCaseOb>, {}, {{2, 3}}},
        {"package", PlaceBlank<CPackageOb>, Chain(0, 7), {}},
        {"component", PlaceBlank<CComponentOb>, Chain(2, 22), {}},
        {"node", PlaceBlank<CNodeOb>, Chain(0, 10), {}},
        {"note", PlaceBlank<CNoteOb>, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {1, 5}, {5, 2}}, {}},
    };
    for (const Figure& f : figures) {
        for (const CRect& r : {CRect(20, 20, 120, 140), CRect(10, 10, 290, 190)}) {
            SCOPED_TRACE(std::string(f.name) + " " + std::to_string(r.Width()));
            CHyperPage page;
            CPointModelOb* ob = f.place(page, r);
            const QImage img = Paint(page, 300, 200);
            const std::vector<CPoint>& p = ob->points();
            for (const auto& [a, b] : f.segments) {
                if (p[a] == p[b]) continue;
                EXPECT_TRUE(InkNear(img, Mid(p[a], p[b]))) << a << "-" << b;
            }
            for (const auto& [a, b] : f.ellipses) {
                const CRect e = CRect(p[a].x, p[a].y, p[b].x, p[b].y).Normalized();
                EXPECT_TRUE(InkNear(img, CPoint(e.left, (e.top + e.bottom) / 2)));
                EXPECT_TRUE(InkNear(img, CPoint((e.left + e.right) / 2, e.top)));
                // Filled with the background colour (white), not drawn over.
                EXPECT_EQ(Px(img, (e.left + e.right) / 2, (e.top + e.bottom) / 2), kWhite);
            }
            // Nothing is drawn outside the rectangle.
            const CRect outside(r.right + 2, 0, 300, 200);
            EXPECT_EQ(DarkIn(img, outside), 0);
        }
    }
}

TEST(ElementPixels, OpaqueElementsFillTransparentOnesDoNot) {
    CHyperPage page;
    CNoteOb* note = static_cast<CNoteOb*>(PlaceBlank<CNoteOb>(page, CRect(10, 10, 90, 90)));
    note->SetBackColor(kBlue);
    QImage img = Paint(page, 100, 100);
    EXPECT_EQ(Px(img, 40, 60), kBlue);
    // The folded corner lies outside the outline.
    EXPECT_EQ(Px(img, 88, 12), kWhite);
    note->SetBackColor(-1);
    img = Paint(page, 100, 100);
    EXPECT_EQ(Px(img, 40, 60), kWhite);
    EXPECT_TRUE(InkNear(img, CPoint(10, 50)));  // the outline still closes
}

TEST(ElementPixels, TextsLandInTheirBoxes) {
    CHyperPage page;
    CUseCaseOb* u = Place<CUseCaseOb>(page, "U", CRect(20, 10, 160, 140));
    u->SetText("Order");
    u->SetForeColor(kBlack);
    QImage img = Paint(page, 200, 160);
    // Box 0-1 is the upper part, above the ellipse.
    const CRect box = CRect(u->points()[0].x, u->points()[0].y, u->points()[1].x, u->points()[1].y).Normalized();
    EXPECT_EQ(u->textRect(0), box);
    EXPECT_GT(DarkIn(img, box), 10);
    // Centred: about as much ink left of the middle as right of it.
    const int mid = (box.left + box.right) / 2;
    const int left = DarkIn(img, CRect(box.left, box.top, mid, box.bottom));
    const int right = DarkIn(img, CRect(mid, box.top, box.right, box.bottom));
    EXPECT_NEAR(left, right, (left + right) / 4 + 2);
    // Left aligned: the ink starts one unit inside the box.
    u->setAlignment(CPointModelOb::kLeft);
    img = Paint(page, 200, 160);
    EXPECT_EQ(DarkIn(img, CRect(box.left, box.top, box.left + 1, box.bottom)), 0);
    EXPECT_GT(DarkIn(img, CRect(box.left + 1, box.top, box.left + 12, box.bottom)), 0);
    EXPECT_EQ(DarkIn(img, CRect(mid + 10, box.top, box.right, box.bottom)), 0);
    // The actor's name box reaches 20 units beyond its points on each side.
    CActorOb* a = Place<CActorOb>(page, "A", CRect(200, 10, 233, 100));
    CRect nameBox = CRect(a->points()[0].x, a->points()[0].y, a->points()[1].x, a->points()[1].y).Normalized();
    nameBox.InflateRect(20, 0);
    QImage more = Canvas(300, 160);
    CPainterDC dc(&more);
    a->Draw(dc);
    EXPECT_EQ(a->textRect(0), nameBox);
    // An empty text draws the figure alone.
    a->SetText("");
    a->setTextRect(0, CRect());
    a->Draw(dc);
    EXPECT_TRUE(a->textRect(0).IsRectEmpty());
    // Package: the tab text in the tab, the body text in the body.
    CPackageOb* p = Place<CPackageOb>(page, "P", CRect(10, 10, 170, 150));
    p->SetText("Body");
    p->SetPackageText("Tab");
    p->SetForeColor(kBlack);
    QImage pack = Canvas(200, 160);
    CPainterDC pdc(&pack);
    p->Draw(pdc);
    const auto& q = p->points();
    EXPECT_GT(DarkIn(pack, CRect(q[5].x + 2, q[5].y + 2, q[7].x - 1, q[7].y - 1)), 5);
    EXPECT_GT(DarkIn(pack, CRect(q[0].x + 2, q[0].y + 2, q[2].x - 1, q[2].y - 1)), 5);
}

TEST(ElementPixels, AClassBoxGrowsToFitALongAttributeList) {
    CHyperPage page;
    CClassOb* c = Place<CClassOb>(page, "C", CRect(10, 10, 130, 90));
    c->SetText("Order");
    c->SetForeColor(kBlack);
    std::string list;
    for (int i = 0; i < 10; ++i) list += (i ? "\n" : "") + std::string("a") + std::to_string(i);
    c->attributes().text = list;
    c->operations().text = "run()";
    QImage img = Paint(page, 200, 500);
    // One drawing is enough: the operations end 20 units above the bottom.
    const CRect grown = c->Rect();
    EXPECT_EQ(grown.top, 10);
    EXPECT_GT(grown.bottom, 90);
    EXPECT_EQ((grown.bottom - 90) % CClassOb::kGrowStep, 0);
    const int d1 = c->dividers()[0].y, d2 = c->dividers()[2].y;
    EXPECT_EQ(d2 - d1, 10 * 12 + 5);
    EXPECT_GE(grown.bottom, d2 + 17 + 20);
    EXPECT_EQ(c->points()[2].y, grown.bottom);
    EXPECT_EQ(c->points()[3].y, grown.bottom);
    // Drawn again, it stays.
    img = Paint(page, 200, 500);
    EXPECT_EQ(c->Rect(), grown);
    // Both dividers run across the box, and the outline closes below.
    for (int y : {d1, d2}) EXPECT_EQ(Row(img, y, 20, 120, kBlack), std::string(100, '#')) << y;
    EXPECT_TRUE(InkNear(img, CPoint(70, grown.bottom - 1)));
    // The last attribute is drawn above the second divider.
    EXPECT_GT(DarkIn(img, CRect(11, d2 - 12, 129, d2)), 3);
}

TEST(ElementPixels, SnapPointsAreDrawnOnlyForElementsInTheRepaintArea) {
    // A repaint of one corner of a page of elements draws neither the
    // figures nor the snap points of the elements elsewhere.
    CHyperPage page;
    Place<CNoteOb>(page, "Near", CRect(10, 10, 90, 90));
    for (int i = 0; i < 50; ++i) Place<CNoteOb>(page, "", CRect(2000 + 100 * i, 2000, 2080 + 100 * i, 2080));
    CRecordingDC dc;
    CPaintContext ctx;
    ctx.zoom = 100;
    ctx.client = CSize(200, 200);
    const CPagePainter painter(page);
    painter.PrepareScreenDC(dc, ctx);
    painter.DrawObjects(dc, CRect(0, 0, 200, 200), ctx);
    const std::vector<std::string> near = dc.lines();
    EXPECT_FALSE(near.empty());
    dc.Clear();
    painter.DrawObjects(dc, CRect(150, 150, 200, 200), ctx);
    EXPECT_TRUE(dc.lines().empty()) << dc.Text();
}
