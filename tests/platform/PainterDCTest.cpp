// Pixel tests of the QPainter device context: each draws into a QImage and
// checks the pixels the drawing rules promise.
#include <gtest/gtest.h>

#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include "platform/PainterDC.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlue = 0x0000FF;

QImage Canvas(int w, int h, QRgb fill = kWhite) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(fill));
    return img;
}

QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// Pixels of row y from x0 to x1 (exclusive) as a string: '#' for `on`, '.'
// for anything else.
std::string Row(const QImage& img, int y, int x0, int x1, QRgb on = kBlack) {
    std::string s;
    for (int x = x0; x < x1; ++x) s += Px(img, x, y) == on ? '#' : '.';
    return s;
}

int Count(const QImage& img, QRgb c, QRect area = {}) {
    if (area.isNull()) area = img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += Px(img, x, y) == c;
    return n;
}

// Logical unit = zoom/100 device pixels, as the page view maps the screen.
void Zoom(CDC& dc, int zoom) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(zoom, zoom);
}

}  // namespace

TEST(PainterDC, LinesStopBeforeTheirEndPointAndThinPensStayOnePixel) {
    QImage img = Canvas(40, 20);
    {
        CPainterDC dc(&img);
        dc.SelectObject(CPen(PS_SOLID, 0, vx::RGB(0, 0, 0)));
        dc.MoveTo(2, 3);
        dc.LineTo(12, 3);
        dc.MoveTo(5, 6);  // vertical
        dc.LineTo(5, 10);
    }
    EXPECT_EQ(Row(img, 3, 0, 14), "..##########..");
    EXPECT_EQ(Px(img, 5, 6), kBlack);
    EXPECT_EQ(Px(img, 5, 9), kBlack);
    EXPECT_EQ(Px(img, 5, 10), kWhite);

    // At zoom 200 a width-1 pen is two pixels, a width-0 pen still one.
    QImage z = Canvas(60, 40);
    {
        CPainterDC dc(&z);
        Zoom(dc, 200);
        dc.SelectObject(CPen(PS_SOLID, 0, 0));
        dc.MoveTo(0, 2);
        dc.LineTo(20, 2);
        dc.SelectObject(CPen(PS_SOLID, 1, 0));
        dc.MoveTo(0, 10);
        dc.LineTo(20, 10);
    }
    int thin = 0, wide = 0;
    for (int y = 0; y < 12; ++y) thin += Px(z, 10, y) == kBlack;
    for (int y = 14; y < 30; ++y) wide += Px(z, 10, y) == kBlack;
    EXPECT_EQ(thin, 1);
    EXPECT_EQ(wide, 2);

    // Polylines too leave out their last point only; polygons close.
    QImage poly = Canvas(20, 20);
    {
        CPainterDC dc(&poly);
        const CPoint pts[3] = {{2, 2}, {10, 2}, {10, 8}};
        dc.Polyline(pts, 3);
        const CPoint tri[3] = {{2, 12}, {10, 12}, {10, 18}};
        dc.SelectStockObject(NULL_BRUSH);
        dc.Polygon(tri, 3);
    }
    EXPECT_EQ(Row(poly, 2, 0, 12), "..#########.");
    EXPECT_EQ(Px(poly, 10, 7), kBlack);
    EXPECT_EQ(Px(poly, 10, 8), kWhite);
    EXPECT_EQ(Row(poly, 12, 0, 12), "..#########.");
    EXPECT_EQ(Px(poly, 6, 15), kBlack);  // the closing diagonal
}

TEST(PainterDC, RectanglesExcludeRightAndBottomAndNullPenFillsOneLess) {
    QImage img = Canvas(20, 20);
    {
        CPainterDC dc(&img);
        dc.SelectObject(CPen(PS_SOLID, 1, 0));
        dc.SelectObject(CBrush(vx::RGB(255, 0, 0)));
        dc.Rectangle(2, 2, 8, 8);
        dc.SelectStockObject(NULL_PEN);
        dc.Rectangle(10, 10, 16, 16);
    }
    EXPECT_EQ(Row(img, 2, 0, 10), "..######..");
    EXPECT_EQ(Row(img, 4, 0, 10, kRed), "...####...");
    EXPECT_EQ(Px(img, 2, 7), kBlack);
    EXPECT_EQ(Px(img, 2, 8), kWhite);
    // Without a pen: pixels 10..14 only.
    EXPECT_EQ(Row(img, 12, 8, 18, kRed), "..#####...");
    EXPECT_EQ(Px(img, 12, 15), kWhite);
    EXPECT_EQ(Px(img, 12, 14), kRed);

    QImage e = Canvas(20, 20);
    {
        CPainterDC dc(&e);
        dc.SelectObject(CBrush(vx::RGB(255, 0, 0)));
        dc.Ellipse(0, 0, 11, 11);
    }
    EXPECT_EQ(Px(e, 0, 5), kBlack);
    EXPECT_EQ(Px(e, 10, 5), kBlack);
    EXPECT_EQ(Px(e, 11, 5), kWhite);
    EXPECT_EQ(Px(e, 5, 5), kRed);
    EXPECT_EQ(Px(e, 0, 0), kWhite);
}

TEST(PainterDC, StyledPensDashAndShowTheirGapsOnlyWhenOpaque) {
    QImage img = Canvas(80, 20);
    {
        CPainterDC dc(&img);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(CPen(PS_DASH, 1, 0));
        dc.MoveTo(0, 2);
        dc.LineTo(60, 2);
        dc.SelectObject(CPen(PS_DOT, 1, 0));
        dc.MoveTo(0, 5);
        dc.LineTo(60, 5);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(vx::RGB(0, 0, 255));
        dc.MoveTo(0, 8);
        dc.LineTo(60, 8);
        // A styled pen wider than a pixel draws solid.
        dc.SelectObject(CPen(PS_DOT, 3, 0));
        dc.MoveTo(0, 14);
        dc.LineTo(60, 14);
    }
    EXPECT_EQ(Row(img, 2, 0, 30), "##################......######");
    EXPECT_EQ(Row(img, 5, 0, 12), "###...###...");
    EXPECT_EQ(Row(img, 8, 0, 12, kBlue), "...###...###");
    EXPECT_EQ(Row(img, 8, 0, 12), "###...###...");
    EXPECT_EQ(Row(img, 14, 2, 40), std::string(38, '#'));
}

TEST(PainterDC, HatchedBrushesLeaveOrPaintTheirGaps) {
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        SCOPED_TRACE(hatch);
        QImage img = Canvas(64, 32);
        {
            CPainterDC dc(&img);
            const CBrush brush(hatch, vx::RGB(0, 0, 0));
            dc.SetBkMode(TRANSPARENT);
            dc.FillRect(CRect(0, 0, 32, 32), brush);
            dc.SetBkMode(OPAQUE);
            dc.SetBkColor(vx::RGB(255, 0, 0));
            dc.FillRect(CRect(32, 0, 64, 32), brush);
        }
        const QRect left(0, 0, 32, 32), right(32, 0, 32, 32);
        const int lines = Count(img, kBlack, left);
        EXPECT_GT(lines, 32 * 32 / 16);
        EXPECT_LT(lines, 32 * 32 / 2 + 1);
        EXPECT_EQ(Count(img, kWhite, left), 32 * 32 - lines);
        // Same pattern on the right, gaps red.
        EXPECT_EQ(Count(img, kBlack, right), lines);
        EXPECT_EQ(Count(img, kRed, right), 32 * 32 - lines);
    }
    // Horizontal hatch: whole rows, every 8 pixels.
    QImage h = Canvas(16, 16);
    {
        CPainterDC dc(&h);
        dc.FillRect(CRect(0, 0, 16, 16), CBrush(HS_HORIZONTAL, 0));
    }
    EXPECT_EQ(Count(h, kBlack), 2 * 16);
    EXPECT_EQ(Count(h, kBlack, QRect(0, 0, 16, 8)), 16);
}

TEST(PainterDC, RasterOperationsInvertAndXorOnImages) {
    QImage img = Canvas(20, 20);
    img.setPixelColor(5, 5, QColor(255, 0, 0));
    {
        CPainterDC dc(&img);
        EXPECT_TRUE(dc.HasRasterOps());
        dc.SetROP2(R2_NOT);
        dc.SetPixel(1, 1, 0);
        dc.SetPixel(2, 2, 0);
        dc.SetPixel(2, 2, 0);  // twice: back to white
        dc.SetPixel(5, 5, 0);
        dc.SetROP2(R2_XORPEN);
        dc.SelectObject(CPen(PS_SOLID, 0, vx::RGB(255, 255, 255)));
        dc.MoveTo(0, 10);
        dc.LineTo(10, 10);
        dc.SetROP2(R2_COPYPEN);
        dc.PatBlt(12, 12, 4, 4, DSTINVERT);
    }
    EXPECT_EQ(Px(img, 1, 1), kBlack);
    EXPECT_EQ(Px(img, 2, 2), kWhite);
    EXPECT_EQ(Px(img, 5, 5), 0x00FFFF);  // inverted red
    EXPECT_EQ(Row(img, 10, 0, 12), "##########..");
    EXPECT_EQ(Count(img, kBlack, QRect(12, 12, 4, 4)), 16);
    // Alpha stays opaque after raster operations.
    EXPECT_EQ(qAlpha(img.pixel(1, 1)), 255);

    // PATINVERT with the halftone brush inverts every other pixel; a second
    // pass restores the picture (rubber bands erase themselves).
    QImage band = Canvas(16, 16);
    {
        CPainterDC dc(&band);
        dc.SelectObject(CBrush::Halftone());
        dc.PatBlt(0, 0, 16, 16, PATINVERT);
        EXPECT_EQ(Count(band, kBlack), 128);
        EXPECT_NE(Px(band, 0, 0), Px(band, 1, 0));
        EXPECT_EQ(Px(band, 0, 0), Px(band, 1, 1));
        dc.PatBlt(0, 0, 16, 16, PATINVERT);
    }
    EXPECT_EQ(Count(band, kWhite), 256);
}

TEST(PainterDC, PrintingSurfacesDrawRasterOperationsAsCopy) {
    QImage img = Canvas(10, 10);
    {
        CPainterDC dc(&img);
        dc.SetPrinting(true);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_FALSE(dc.HasRasterOps());
        dc.SetROP2(R2_NOT);
        dc.SetPixel(1, 1, vx::RGB(0, 0, 255));
    }
    EXPECT_EQ(Px(img, 1, 1), kBlue);

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("a.pdf"));
    pdf.setResolution(300);
    {
        CPainterDC dc(&pdf);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_GT(dc.GetDeviceCaps(HORZRES), 2000);
        EXPECT_GT(dc.GetDeviceCaps(HORZSIZE), 150);
        dc.Rectangle(100, 100, 400, 400);
    }
    QSvgGenerator svg;
    svg.setFileName(dir.filePath("a.svg"));
    svg.setSize(QSize(100, 100));
    {
        CPainterDC dc(&svg);
        EXPECT_TRUE(dc.IsPrinting());
        dc.Ellipse(10, 10, 50, 50);
    }
    EXPECT_GT(QFileInfo(dir.filePath("a.pdf")).size(), 100);
    EXPECT_GT(QFileInfo(dir.filePath("a.svg")).size(), 100);
}

TEST(PainterDC, ArcsRunCounterClockwiseFromStartToEndRadial) {
    // Circle centred on (20, 20), radius 20.
    const CRect box(0, 0, 41, 41);
    QImage arc = Canvas(41, 41);
    {
        CPainterDC dc(&arc);
        // From 3 o'clock to 12 o'clock: the upper-right quarter.
        dc.Arc(box, CPoint(40, 20), CPoint(20, 0));
    }
    auto quarter = [&](const QImage& img, int qx, int qy) { return Count(img, kBlack, QRect(qx, qy, 20, 20)); };
    EXPECT_GT(quarter(arc, 21, 0), 15);   // upper right
    EXPECT_EQ(quarter(arc, 0, 0), 0);     // upper left
    EXPECT_EQ(quarter(arc, 0, 21), 0);    // lower left
    EXPECT_EQ(quarter(arc, 21, 21), 0);   // lower right

    // Swapping the points draws the other three quarters.
    QImage rest = Canvas(41, 41);
    {
        CPainterDC dc(&rest);
        dc.Arc(box, CPoint(20, 0), CPoint(40, 20));
    }
    EXPECT_LE(Count(rest, kBlack, QRect(22, 0, 19, 19)), 2);
    EXPECT_GT(quarter(rest, 0, 0), 15);
    EXPECT_GT(quarter(rest, 0, 21), 15);
    EXPECT_GT(quarter(rest, 21, 21), 15);

    // A pie from 12 o'clock to 9 o'clock fills the upper-left quarter.
    QImage pie = Canvas(41, 41);
    {
        CPainterDC dc(&pie);
        dc.SelectObject(CBrush(vx::RGB(255, 0, 0)));
        dc.Pie(box, CPoint(20, -5), CPoint(-7, 20));
        // The radial counts, not the distance: points far outside work.
    }
    EXPECT_EQ(Px(pie, 10, 10), kRed);
    EXPECT_EQ(Px(pie, 30, 10), kWhite);
    EXPECT_EQ(Px(pie, 10, 30), kWhite);
    EXPECT_EQ(Px(pie, 30, 30), kWhite);

    // A chord closes with a straight line: the centre of a half chord is
    // on the edge, the middle of the half is filled.
    QImage chord = Canvas(41, 41);
    {
        CPainterDC dc(&chord);
        dc.SelectObject(CBrush(vx::RGB(255, 0, 0)));
        dc.Chord(box, CPoint(0, 20), CPoint(40, 20));  // lower half
    }
    EXPECT_EQ(Px(chord, 20, 30), kRed);
    EXPECT_EQ(Px(chord, 20, 10), kWhite);

    // Clockwise arcs when asked.
    QImage cw = Canvas(41, 41);
    {
        CPainterDC dc(&cw);
        dc.SetArcDirection(AD_CLOCKWISE);
        dc.Arc(box, CPoint(20, 0), CPoint(40, 20));
    }
    EXPECT_GT(quarter(cw, 21, 0), 15);
    EXPECT_EQ(quarter(cw, 0, 21), 0);
}

TEST(PainterDC, TextIsDrawnInTheTextColourWithOptionalBackground) {
    QImage img = Canvas(200, 60);
    {
        CPainterDC dc(&img);
        LOGFONT lf = vx::DefaultLogFont();
        lf.lfHeight = -16;
        dc.SelectObject(CFont(lf));
        dc.SetTextColor(vx::RGB(0, 0, 255));
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(5, 5, "Hello");
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(vx::RGB(255, 0, 0));
        dc.TextOut(100, 5, "Hello");
        const CSize ext = dc.GetTextExtent("Hello");
        EXPECT_GT(ext.cx, 20);
        EXPECT_GE(ext.cy, 16);
        TEXTMETRIC tm;
        dc.GetTextMetrics(tm);
        EXPECT_EQ(tm.tmHeight, ext.cy);
        EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    }
    auto blueish = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c.blue() > 128 && c.red() < 128;
            }
        return n;
    };
    EXPECT_GT(blueish(QRect(5, 5, 60, 25)), 20);
    EXPECT_EQ(Count(img, kRed, QRect(0, 0, 100, 60)), 0);
    EXPECT_GT(Count(img, kRed, QRect(100, 0, 100, 60)), 50);
    EXPECT_EQ(Px(img, 5, 40), kWhite);
}

TEST(PainterDC, TextHeightFollowsTheZoom) {
    QImage img = Canvas(10, 10);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = -20;
    dc.SelectObject(CFont(lf));
    const CSize at100 = dc.GetTextExtent("Wide text");
    Zoom(dc, 50);
    const CSize at50 = dc.GetTextExtent("Wide text");
    // Logical extents stay about the same although the device font halves.
    EXPECT_NEAR(at50.cx, at100.cx, at100.cx / 5 + 2);
    EXPECT_NEAR(at50.cy, at100.cy, 3);
}

TEST(PainterDC, ClippingRectanglesRegionsAndSaveRestore) {
    QImage img = Canvas(40, 40);
    {
        CPainterDC dc(&img);
        const int level = dc.SaveDC();
        EXPECT_EQ(dc.IntersectClipRect(10, 10, 30, 30), SIMPLEREGION);
        EXPECT_EQ(dc.ExcludeClipRect(15, 15, 20, 20), COMPLEXREGION);
        CRect box;
        dc.GetClipBox(box);
        EXPECT_EQ(box, CRect(10, 10, 30, 30));
        EXPECT_FALSE(dc.PtVisible(16, 16));
        EXPECT_TRUE(dc.PtVisible(11, 11));
        dc.FillSolidRect(CRect(0, 0, 40, 40), vx::RGB(255, 0, 0));
        EXPECT_TRUE(dc.RestoreDC(level));
        EXPECT_FALSE(dc.HasClip());
        // A triangle region (device units).
        const CPoint tri[3] = {{0, 39}, {9, 39}, {0, 30}};
        CRgn rgn;
        rgn.CreatePolygonRgn(tri, 3, ALTERNATE);
        dc.SelectClipRgn(&rgn);
        dc.FillSolidRect(CRect(0, 30, 10, 40), vx::RGB(0, 0, 255));
        dc.SelectClipRgn(nullptr);
        EXPECT_FALSE(dc.RestoreDC(-1));
    }
    EXPECT_EQ(Count(img, kRed), 20 * 20 - 5 * 5);
    EXPECT_EQ(Px(img, 9, 9), kWhite);
    EXPECT_EQ(Px(img, 16, 16), kWhite);
    EXPECT_EQ(Px(img, 1, 38), kBlue);
    EXPECT_EQ(Px(img, 8, 31), kWhite);
    EXPECT_GT(Count(img, kBlue), 20);
    EXPECT_LT(Count(img, kBlue), 80);
}

TEST(PainterDC, MappingModesConvertBothWaysAndDrawScaled) {
    QImage img = Canvas(100, 100);
    CPainterDC dc(&img);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    dc.SetWindowExt(5, 5);  // ignored in MM_TEXT
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    dc.SetViewportOrg(10, 20);
    CPoint p(5, 5);
    dc.LPtoDP(p);
    EXPECT_EQ(p, CPoint(15, 25));

    Zoom(dc, 150);
    dc.SetViewportOrg(-30, 0);  // scrolled by 30 pixels
    CRect r(10, 10, 40, 20);
    dc.LPtoDP(r);
    EXPECT_EQ(r, CRect(-15, 15, 30, 30));
    dc.DPtoLP(r);
    EXPECT_EQ(r, CRect(10, 10, 40, 20));
    // Round trips of every device pixel land on the nearest logical unit.
    for (int x = -40; x < 40; ++x) {
        CPoint l(x, x);
        dc.LPtoDP(l);
        dc.DPtoLP(l);
        EXPECT_EQ(l, CPoint(x, x));
    }
    CSize s(7, -3);
    dc.LPtoDP(s);
    EXPECT_EQ(s, CSize(11, -5));  // 10.5 and -4.5 round away from zero

    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.FillSolidRect(CRect(10, 10, 20, 20), vx::RGB(255, 0, 0));
    dc.SetMapMode(MM_TEXT);
    EXPECT_EQ(dc.GetViewportExt(), CSize(1, 1));
    dc.painter()->end();
    EXPECT_EQ(Count(img, kRed), 15 * 15);
    EXPECT_EQ(Px(img, 15, 15), kRed);
    EXPECT_EQ(Px(img, 30, 30), kWhite);
}

TEST(PainterDC, BitmapsStretchAndFramesAndPolygons) {
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(255, 0, 0));
    src.setPixel(1, 0, qRgb(0, 0, 255));
    src.setPixel(0, 1, qRgb(0, 0, 0));
    src.setPixel(1, 1, qRgb(255, 255, 255));
    QImage img = Canvas(40, 40);
    {
        CPainterDC dc(&img);
        EXPECT_EQ(dc.StretchDIBits(0, 0, 10, 10, 0, 0, 2, 2, src), 2);
        EXPECT_EQ(dc.StretchDIBits(0, 0, 10, 10, 0, 0, 2, 2, QImage()), 0);
        dc.FrameRect(CRect(20, 0, 30, 10), vx::RGB(0, 0, 255));
        const CPoint tri[3] = {{20, 20}, {39, 20}, {20, 39}};
        dc.SelectObject(CBrush(vx::RGB(255, 0, 0)));
        dc.SelectStockObject(NULL_PEN);
        dc.Polygon(tri, 3);
    }
    EXPECT_EQ(Px(img, 2, 2), kRed);
    EXPECT_EQ(Px(img, 7, 2), kBlue);
    EXPECT_EQ(Px(img, 2, 7), kBlack);
    EXPECT_EQ(Px(img, 7, 7), kWhite);
    EXPECT_EQ(Count(img, kBlue, QRect(20, 0, 10, 10)), 36);
    EXPECT_EQ(Px(img, 21, 21), kRed);
    EXPECT_EQ(Px(img, 38, 38), kWhite);
}

TEST(PainterDC, ManyPixelsAtOnceDrawAsOneByOne) {
    // The grid layer sets its dots in one call; they must land and invert
    // exactly as single pixels do, inside the clip only.
    QImage single = Canvas(40, 30), batch = Canvas(40, 30);
    std::vector<CPoint> pts;
    for (int y = 0; y < 30; y += 3)
        for (int x = 0; x < 40; x += 4) pts.emplace_back(x, y);
    pts.emplace_back(4, 3);  // twice: back to white
    for (QImage* img : {&single, &batch}) {
        CPainterDC dc(img);
        dc.IntersectClipRect(0, 0, 30, 30);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(100, 100);
        dc.SetViewportOrg(1, 0);
        dc.SetROP2(R2_NOT);
        if (img == &single) {
            for (const CPoint& p : pts) dc.SetPixel(p, 0);
        } else {
            dc.SetPixels(pts, 0);
        }
    }
    EXPECT_EQ(single, batch);
    EXPECT_EQ(Px(batch, 1, 0), kBlack);
    EXPECT_EQ(Px(batch, 5, 3), kWhite);
    EXPECT_EQ(Px(batch, 33, 0), kWhite);  // outside the clip
}
