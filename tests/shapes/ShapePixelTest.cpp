// Pixel tests: shapes drawn into images through the QPainter device
// context, checked against the drawing rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "ShapeTestSupport.h"
#include "platform/PainterDC.h"
#include "shapes/ArcOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/RectOb.h"

using namespace shapetest;

namespace {

// Draws the page's objects from the back to the front at `zoom`.
QImage Paint(CHyperPage& page, int w, int h, int zoom = 100, bool printing = false) {
    QImage img = Canvas(w, h);
    CPainterDC dc(&img);
    dc.SetPrinting(printing);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(zoom, zoom);
    for (size_t i = page.Count(); i-- > 0;) page.At(i)->Draw(dc);
    return img;
}

template <class T>
T* Shape(CHyperPage& page, const CRect& r) {
    T* ob = Place<T>(page, "", r, false);
    ob->SetForeColor(kBlack);
    return ob;
}

CLineOb* Line(CHyperPage& page, CPoint a, CPoint b) {
    auto owned = std::make_unique<CLineOb>();
    CLineOb* l = owned.get();
    page.Insert(std::move(owned));
    l->SetForeColor(kBlack);
    l->SetEndPoints(a.x, a.y, b.x, b.y);
    return l;
}

int RunsIn(const std::string& s) {
    int runs = 0;
    for (size_t i = 0; i < s.size(); ++i) runs += s[i] == '#' && (i == 0 || s[i - 1] != '#');
    return runs;
}

}  // namespace

TEST(ShapePixels, PenWidthZeroDrawsNoOutline) {
    CHyperPage page;
    CBorderOb* b = Shape<CBorderOb>(page, CRect(10, 10, 50, 40));
    QImage one = Paint(page, 60, 50);
    EXPECT_EQ(Row(one, 20, 8, 52, kBlack), ".." "#" + std::string(38, '.') + "#" "..");
    b->SetPenWidth(0);
    EXPECT_EQ(Count(Paint(page, 60, 50), kBlack), 0);
    // An opaque border without outline shows only its fill.
    b->SetBackColor(kRed);
    QImage filled = Paint(page, 60, 50);
    EXPECT_EQ(Count(filled, kBlack), 0);
    EXPECT_EQ(Count(filled, kRed), 40 * 30);
}

TEST(ShapePixels, WidthOneIsOnePixelBelowZoomHundred) {
    CHyperPage page;
    CBorderOb* b = Shape<CBorderOb>(page, CRect(20, 20, 100, 100));
    // At 50 percent: one pixel on each side of a row.
    QImage half = Paint(page, 60, 60, 50);
    EXPECT_EQ(RunsIn(Row(half, 30, 0, 60, kBlack)), 2);
    EXPECT_EQ(Count(half, kBlack), 4 * 40 - 4);
    // At 200 percent one unit is two pixels wide.
    QImage twice = Paint(page, 220, 220, 200);
    EXPECT_EQ(Row(twice, 100, 38, 44, kBlack), ".##...");  // centred on the edge
    b->SetPenWidth(3);
    QImage wide = Paint(page, 120, 120);
    EXPECT_EQ(Row(wide, 60, 17, 24, kBlack), "..###..");
}

TEST(ShapePixels, DashedStyles) {
    std::set<std::string> patterns;
    for (int style = PS_SOLID; style <= PS_DASHDOTDOT; ++style) {
        CHyperPage page;
        CLineOb* l = Line(page, {0, 10}, {120, 10});
        l->SetPenStyle(style);
        const std::string row = Row(Paint(page, 130, 20), 10, 0, 120, kBlack);
        if (style == PS_SOLID) EXPECT_EQ(RunsIn(row), 1);
        else EXPECT_GT(RunsIn(row), 3) << style;
        patterns.insert(row);
    }
    EXPECT_EQ(patterns.size(), 5u);
    // A style out of range draws solid.
    CHyperPage page;
    Line(page, {0, 10}, {120, 10})->SetPenStyle(17);
    EXPECT_EQ(RunsIn(Row(Paint(page, 130, 20), 10, 0, 120, kBlack)), 1);
}

TEST(ShapePixels, EachHatch) {
    auto hatched = [](int hatch) {
        CHyperPage page;
        CBorderOb* b = Shape<CBorderOb>(page, CRect(0, 0, 48, 48));
        b->SetPenWidth(0);
        b->SetBackColor(kWhite);
        b->SetHatchStyle(hatch);
        return Paint(page, 48, 48);
    };
    auto fullRows = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < 48; ++y) n += Row(img, y, 0, 48, kBlack) == std::string(48, '#');
        return n;
    };
    auto fullColumns = [](const QImage& img) {
        int n = 0;
        for (int x = 0; x < 48; ++x) n += Column(img, x, 0, 48, kBlack) == std::string(48, '#');
        return n;
    };
    // Lines along a diagonal: a black pixel continues at (x+1, y+dy).
    auto follows = [](const QImage& img, int dy) {
        int hits = 0, total = 0;
        for (int y = 2; y < 46; ++y)
            for (int x = 2; x < 46; ++x)
                if (Px(img, x, y) == kBlack) {
                    ++total;
                    hits += Px(img, x + 1, y + dy) == kBlack;
                }
        return total > 0 && hits * 10 >= total * 9;
    };
    const QImage horizontal = hatched(HS_HORIZONTAL), vertical = hatched(HS_VERTICAL);
    EXPECT_GE(fullRows(horizontal), 4);
    EXPECT_EQ(fullColumns(horizontal), 0);
    EXPECT_GE(fullColumns(vertical), 4);
    EXPECT_EQ(fullRows(vertical), 0);
    EXPECT_TRUE(follows(hatched(HS_FDIAGONAL), 1));
    EXPECT_TRUE(follows(hatched(HS_BDIAGONAL), -1));
    const QImage cross = hatched(HS_CROSS);
    EXPECT_GE(fullRows(cross), 4);
    EXPECT_GE(fullColumns(cross), 4);
    const QImage diag = hatched(HS_DIAGCROSS);
    EXPECT_EQ(fullRows(diag), 0);
    EXPECT_GT(Count(diag, kBlack), 100);
    // No hatch: a plain white fill; a hatch out of range draws as none.
    EXPECT_EQ(Count(hatched(99), kBlack), 0);
    EXPECT_EQ(Count(hatched(42), kBlack), 0);
}

TEST(ShapePixels, ShadowOffsets) {
    const CSize offsets[] = {{0, 0}, {-10, -10}, {10, 10}, {-10, 10}, {10, -10}};
    for (int style = 0; style <= 4; ++style) {
        CHyperPage page;
        CCircleOb* e = Shape<CCircleOb>(page, CRect(40, 40, 80, 80));
        e->SetBackColor(kWhite);
        e->SetShadowStyle(style);
        const QImage img = Paint(page, 120, 120);
        if (style == 0) {
            EXPECT_EQ(Count(img, kShadow), 0);
            continue;
        }
        const CSize d = offsets[style];
        // Half way between the shadow's centre and beyond the shape.
        EXPECT_EQ(Px(img, 60 + d.cx * 3 / 2, 60 + d.cy * 3 / 2), kShadow) << style;
        EXPECT_EQ(Px(img, 60 - d.cx * 3 / 2, 60 - d.cy * 3 / 2), kWhite) << style;
        EXPECT_EQ(Px(img, 60, 60), kWhite);
    }
    // A border's shadow is an L-shaped band along the shadowed sides.
    for (int style = 1; style <= 4; ++style) {
        CHyperPage page;
        CBorderOb* b = Shape<CBorderOb>(page, CRect(30, 30, 90, 90));
        b->SetShadowStyle(style);
        const QImage img = Paint(page, 120, 120);
        const CSize d = offsets[style];
        const int x = d.cx > 0 ? 95 : 25, y = d.cy > 0 ? 95 : 25;
        EXPECT_EQ(Px(img, x, y), kShadow) << style;
        // The band starts 10 units in, and the border stays transparent.
        EXPECT_EQ(Px(img, d.cx > 0 ? 35 : 85, y), kWhite) << style;
        EXPECT_EQ(Px(img, 60, 60), kWhite);
    }
}

TEST(ShapePixels, TransparentShapesShowWhatIsBehind) {
    CHyperPage page;
    CCircleOb* front = Shape<CCircleOb>(page, CRect(20, 20, 80, 80));
    CBorderOb* back = Shape<CBorderOb>(page, CRect(0, 0, 100, 100));
    back->SetBackColor(kRed);
    back->SetPenWidth(0);
    QImage img = Paint(page, 100, 100);
    EXPECT_EQ(Px(img, 50, 50), kRed);
    EXPECT_EQ(Px(img, 20, 50), kBlack);  // the outline
    front->SetBackColor(kWhite);
    img = Paint(page, 100, 100);
    EXPECT_EQ(Px(img, 50, 50), kWhite);
    // A hatch on an automatic fill paints the page colour between its lines.
    front->SetBackColor(-1);
    front->SetHatchStyle(HS_HORIZONTAL);
    img = Paint(page, 100, 100);
    EXPECT_EQ(Count(img, kRed), Count(img, kRed));
    EXPECT_NE(Px(img, 50, 51), kRed);
}

TEST(ShapePixels, RotatedRectangleOutline) {
    CHyperPage page;
    CBorderOb* b = Shape<CBorderOb>(page, CRect(100, 100, 201, 151));
    b->SetBackColor(vx::RGB(0, 255, 0));
    b->SetRotateAngleRaw(90);
    b->Update(1, 0);
    const QImage img = Paint(page, 260, 220);
    // The turned outline runs (175,75), (175,175), (125,175), (125,75).
    for (int y = 80; y <= 170; y += 10) {
        EXPECT_EQ(Px(img, 175, y), kBlack) << y;
        EXPECT_EQ(Px(img, 125, y), kBlack) << y;
    }
    for (int x = 130; x <= 170; x += 10) {
        EXPECT_EQ(Px(img, x, 75), kBlack);
        EXPECT_EQ(Px(img, x, 175), kBlack);
    }
    EXPECT_EQ(Px(img, 150, 125), vx::RGB(0, 255, 0));
    EXPECT_EQ(Px(img, 110, 125), kWhite);  // the unrotated place is empty
    EXPECT_EQ(Px(img, 150, 178), kWhite);
    // No shadow while rotated; width 0 draws the outline in the fill colour.
    b->SetShadowStyle(2);
    b->SetPenWidth(0);
    const QImage plain = Paint(page, 260, 220);
    EXPECT_EQ(Count(plain, kShadow), 0);
    // A rotated border without pen is not drawn at all.
    EXPECT_EQ(Count(plain, vx::RGB(0, 255, 0)), 0);
}

TEST(ShapePixels, RotatedEllipseWithZeroWidthMergesWithItsFill) {
    CHyperPage page;
    CCircleOb* e = Shape<CCircleOb>(page, CRect(20, 40, 180, 100));
    e->SetBackColor(kBlue);
    e->SetPenWidth(0);
    e->SetRotateAngleRaw(45);
    e->Update(1, 0);
    const QImage img = Paint(page, 200, 160);
    EXPECT_EQ(Count(img, kBlack), 0);
    EXPECT_EQ(Px(img, 100, 70), kBlue);
    EXPECT_EQ(Px(img, 140, 110), kBlue);  // along the turned axis
    EXPECT_EQ(Px(img, 30, 70), kWhite);
}

TEST(ShapePixels, ArrowheadsAtBothEnds) {
    CHyperPage page;
    CLineOb* l = Line(page, {20, 50}, {120, 50});
    l->setArrowheadHeight(12);
    QImage img = Paint(page, 140, 100);
    EXPECT_EQ(Px(img, 112, 53), kWhite);
    l->setArrowhead(3);
    img = Paint(page, 140, 100);
    EXPECT_EQ(Px(img, 112, 53), kBlack);
    EXPECT_EQ(Px(img, 112, 47), kBlack);
    EXPECT_EQ(Px(img, 28, 53), kBlack);
    EXPECT_EQ(Px(img, 28, 47), kBlack);
    EXPECT_EQ(Px(img, 112, 58), kWhite);
    // Only the second end: the head points where the line was drawn to.
    l->setArrowhead(1);
    img = Paint(page, 140, 100);
    EXPECT_EQ(Px(img, 112, 53), kBlack);
    EXPECT_EQ(Px(img, 28, 53), kWhite);
    // Open heads have no fill; outline heads are filled with the page.
    l->setArrowheadStyle(C1DOb::kArrowOpen);
    l->setArrowheadHeight(20);
    img = Paint(page, 140, 100);
    EXPECT_EQ(Px(img, 108, 50), kBlack);  // the line itself
    EXPECT_EQ(Px(img, 106, 54), kWhite);
    l->setArrowheadStyle(C1DOb::kArrowOutline);
    l->SetForeColor(kRed);
    img = Paint(page, 140, 100);
    EXPECT_EQ(Px(img, 106, 54), kWhite);
    EXPECT_GT(Count(img, kRed), 100);
    // A line of no length still draws its head (pointing right).
    CHyperPage dot;
    CLineOb* z = Line(dot, {50, 50}, {50, 50});
    z->setArrowhead(1);
    z->setArrowheadHeight(12);
    img = Paint(dot, 100, 100);
    EXPECT_EQ(Px(img, 44, 50), kBlack);
    EXPECT_EQ(Px(img, 56, 50), kWhite);
}

TEST(ShapePixels, ClosedShapeFigures) {
    // Frame: etched border on screen, caption set into the top edge.
    {
        CHyperPage page;
        CRectOb* f = Shape<CRectOb>(page, CRect(10, 10, 190, 90));
        f->SetText("");
        QImage img = Paint(page, 200, 100);
        EXPECT_EQ(Px(img, 100, 10), kShadow);
        EXPECT_EQ(Px(img, 100, 11), kWhite);  // the highlight
        EXPECT_EQ(Px(img, 10, 50), kShadow);
        EXPECT_EQ(Px(img, 100, 50), kWhite);
        f->SetText("Caption");
        img = Paint(page, 200, 100);
        const int th = f->captionHeight();
        const int line = 10 + th * 3 / 8;
        EXPECT_EQ(Px(img, 10, line + 1), kShadow);
        EXPECT_EQ(Px(img, 150, line), kShadow);
        // Erased behind the caption, where the text is drawn.
        const CRect caption = f->textRect(0);
        EXPECT_EQ(caption.left, 19);
        const std::string behind = Row(img, line, 19, caption.right, kShadow);
        EXPECT_LT(std::count(behind.begin(), behind.end(), '#'), 3);
        int dark = 0;
        for (int x = caption.left; x < caption.right; ++x)
            for (int y = caption.top; y < caption.bottom; ++y) dark += qGray(img.pixel(x, y)) < 100;
        EXPECT_GT(dark, 20);
        // Printed, the etched frame is drawn as bands.
        QImage printed = Paint(page, 200, 100, 100, true);
        EXPECT_EQ(Px(printed, 150, line), kShadow);
        // Normal style with a coloured band.
        f->setBorderStyle(CRectOb::kNormal);
        f->setBorderColor(kBlue);
        f->SetText("");
        img = Paint(page, 200, 100);
        EXPECT_EQ(Px(img, 100, 9), kBlue);  // width 2, centred on the edge
        EXPECT_EQ(Px(img, 100, 10), kBlue);
        EXPECT_EQ(Px(img, 100, 11), kWhite);
    }
    // Border styles: sunken has its light edge at the bottom right, raised at
    // the top left.
    {
        CHyperPage page;
        CBorderOb* b = Shape<CBorderOb>(page, CRect(10, 10, 90, 90));
        b->SetPenWidth(2);
        b->SetBackColor(kRed);
        b->setHiliteColor(kBlue);
        b->setBorderStyle(CBorderOb::kSunken);
        QImage img = Paint(page, 100, 100);
        EXPECT_EQ(Px(img, 50, 10), kBlack);
        EXPECT_EQ(Px(img, 50, 89), kBlue);
        EXPECT_EQ(Px(img, 50, 50), kRed);
        b->setBorderStyle(CBorderOb::kRaised);
        img = Paint(page, 100, 100);
        EXPECT_EQ(Px(img, 50, 10), kBlue);
        EXPECT_EQ(Px(img, 50, 89), kBlack);
        b->setBorderStyle(CBorderOb::kHidden);
        EXPECT_EQ(Count(Paint(page, 100, 100), kWhite), 100 * 100);
    }
    // Ellipse: filled inside, corners empty; a degenerate one is a line.
    {
        CHyperPage page;
        CCircleOb* e = Shape<CCircleOb>(page, CRect(10, 10, 90, 50));
        e->SetBackColor(kRed);
        QImage img = Paint(page, 100, 60);
        EXPECT_EQ(Px(img, 50, 30), kRed);
        EXPECT_EQ(Px(img, 12, 12), kWhite);
        EXPECT_EQ(Px(img, 10, 30), kBlack);
        e->SetRect(CRect(10, 30, 90, 30));
        img = Paint(page, 100, 60);
        EXPECT_EQ(Row(img, 30, 10, 90, kBlack), std::string(80, '#'));
    }
}

TEST(ShapePixels, ArcsInEachModeAndAngleRange) {
    // Quarter arcs of each drag direction, centre (50, 50), radius 40.
    struct Case {
        double start, end;
        CPoint inside, outside;
    };
    const Case cases[] = {
        {0, -90, {78, 22}, {22, 78}},
        {-90, 180, {22, 22}, {78, 78}},
        {90, 0, {78, 78}, {22, 22}},
        {180, 90, {22, 78}, {78, 22}},
        {30, 210, {50, 10}, {50, 90}},  // over the top
    };
    for (const Case& c : cases) {
        CHyperPage page;
        CArcOb* a = Shape<CArcOb>(page, CRect(0, 0, 10, 10));
        a->SetArc({50, 50}, 40, 40, c.start, c.end);
        const QImage img = Paint(page, 100, 100);
        // Only the outline: a transparent arc has no fill.
        auto near = [&img](CPoint p) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (Px(img, p.x + dx, p.y + dy) == kBlack) return true;
            return false;
        };
        EXPECT_TRUE(near(c.inside)) << c.start << " " << c.end;
        EXPECT_FALSE(near(c.outside)) << c.start << " " << c.end;
        EXPECT_EQ(Px(img, 50, 50), kWhite);
    }
    // Chord and pie of the upper right quarter, filled.
    CHyperPage page;
    CArcOb* a = Shape<CArcOb>(page, CRect(0, 0, 10, 10));
    a->SetArc({50, 50}, 40, 40, 0, -90);
    a->SetBackColor(kRed);
    QImage chord = Paint(page, 100, 100);
    EXPECT_EQ(Px(chord, 75, 25), kRed);
    EXPECT_EQ(Px(chord, 55, 45), kWhite);  // beyond the chord line
    a->SetWedge(true);
    QImage pie = Paint(page, 100, 100);
    EXPECT_EQ(Px(pie, 55, 45), kRed);
    EXPECT_EQ(Px(pie, 45, 55), kWhite);
    // A degenerate arc draws a line, not nothing.
    a->SetWedge(false);
    a->SetArc({50, 50}, 40, 0, 0, 180);
    QImage flat = Paint(page, 100, 100);
    EXPECT_GT(Count(flat, kBlack), 30);
}

TEST(ShapePixels, HighlighterTintsTheContentBehindIt) {
    const struct {
        int code;
        COLORREF tint;
    } cases[] = {{CHiliteOb::kYellow, vx::RGB(255, 255, 0)},
                 {CHiliteOb::kMagenta, vx::RGB(255, 0, 255)},
                 {CHiliteOb::kCyan, vx::RGB(0, 255, 255)},
                 {99, vx::RGB(255, 255, 0)}};
    for (const auto& c : cases) {
        CHyperPage page;
        CHiliteOb* h = Shape<CHiliteOb>(page, CRect(10, 10, 70, 50));
        h->setHiliteColor(c.code);
        CLineOb* l = Line(page, {0, 30}, {100, 30});
        (void)l;
        CBorderOb* red = Shape<CBorderOb>(page, CRect(50, 40, 90, 60));
        red->SetBackColor(kRed);
        red->SetPenWidth(0);
        const QImage img = Paint(page, 100, 70);
        EXPECT_EQ(Px(img, 20, 20), c.tint) << c.code;
        EXPECT_EQ(Px(img, 20, 30), kBlack);  // black stays black
        EXPECT_EQ(Px(img, 80, 30), kBlack);  // outside: untouched
        EXPECT_EQ(Px(img, 80, 20), kWhite);
        const COLORREF redTinted = c.code == CHiliteOb::kCyan ? kBlack : kRed;
        EXPECT_EQ(Px(img, 60, 45), redTinted);
        EXPECT_EQ(Px(img, 60, 55), kRed);
        // Never printed.
        const QImage printed = Paint(page, 100, 70, 100, true);
        EXPECT_EQ(Px(printed, 20, 20), kWhite);
    }
    // At another zoom the tint covers the zoomed rectangle.
    CHyperPage page;
    Shape<CHiliteOb>(page, CRect(10, 10, 70, 50));
    const QImage zoomed = Paint(page, 200, 140, 200);
    EXPECT_EQ(Px(zoomed, 21, 21), vx::RGB(255, 255, 0));
    EXPECT_EQ(Px(zoomed, 139, 99), vx::RGB(255, 255, 0));
    EXPECT_EQ(Px(zoomed, 141, 101), kWhite);
}
