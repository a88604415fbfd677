// Painting a page into images: grid dots, guidelines and page edges,
// drawing order, and printing (white paper, print scale, no handles).
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>

#include "model/HyperOb.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "platform/PainterDC.h"
#include "view/PagePainter.h"
#include "view/TestObjects.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;

QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

int Count(const QImage& img, QRgb c, QRect area = {}) {
    if (area.isNull()) area = img.rect();
    area &= img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += Px(img, x, y) == c;
    return n;
}

// Background and grid layer of an edit view at `zoom`.
QImage PaintGrid(CHyperPage& page, int zoom, QSize size = {200, 200}) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    CPainterDC dc(&img);
    CPaintContext ctx;
    ctx.zoom = zoom;
    ctx.client = CSize(size.width(), size.height());
    CPagePainter painter(page);
    painter.EraseBackground(dc);
    painter.DrawGrid(dc, ctx);
    return img;
}

}  // namespace

TEST(PagePainter, GridDotsNeedMoreThanFourPixelsBetweenThem) {
    CHyperPage page;
    page.pageObject()->color = vx::RGB(255, 255, 255);
    page.guidelines = CRect(0, 0, 0, 0);
    // 10 x 10 at zoom 50: a dot every 5 pixels, inverting the background.
    QImage ten = PaintGrid(page, 50);
    EXPECT_EQ(Px(ten, 0, 0), kBlack);
    EXPECT_EQ(Px(ten, 5, 5), kBlack);
    EXPECT_EQ(Px(ten, 195, 100), kBlack);
    EXPECT_EQ(Px(ten, 6, 5), kWhite);
    EXPECT_EQ(Px(ten, 3, 3), kWhite);
    EXPECT_EQ(Count(ten, kBlack), 40 * 40);
    // 8 x 8 at zoom 50 is 4 pixels apart: no dots.
    page.gridSpacing = CSize(8, 8);
    EXPECT_EQ(Count(PaintGrid(page, 50), kBlack), 0);
    // ... but at zoom 100 there are.
    EXPECT_EQ(Px(PaintGrid(page, 100), 8, 16), kBlack);
    // No grid without ShowGrid, in run mode, or with a spacing of 0 or 1.
    page.gridSpacing = CSize(10, 10);
    page.gridFlags = CHyperPage::kSnapToGrid;
    EXPECT_EQ(Count(PaintGrid(page, 100), kBlack), 0);
    page.gridFlags = CHyperPage::kShowGrid;
    page.editMode = false;
    EXPECT_EQ(Count(PaintGrid(page, 100), kBlack), 0);
    page.editMode = true;
    page.gridSpacing = CSize(0, 10);
    EXPECT_EQ(Count(PaintGrid(page, 100), kBlack), 0);
}

TEST(PagePainter, DotsDoNotDriftAtOddZooms) {
    CHyperPage page;
    page.pageObject()->color = vx::RGB(255, 255, 255);
    page.guidelines = CRect(0, 0, 0, 0);
    page.gridSpacing = CSize(7, 7);
    // At 150 % the step is 10.5 pixels: dots at 0, 10, 21, 31, 42, ...
    const QImage img = PaintGrid(page, 150, {100, 20});
    std::string row;
    for (int x = 0; x < 45; ++x) row += Px(img, x, 0) == kBlack ? '#' : '.';
    EXPECT_EQ(row, "#.........#..........#.........#..........#..");
}

TEST(PagePainter, GuidelinesAreBlueAndPageEdgesRed) {
    CHyperPage page;
    page.pageObject()->color = vx::RGB(255, 255, 255);
    page.pageObject()->scrollWidth = 200;
    page.pageObject()->scrollHeight = 150;
    page.guidelines = CRect(13, 27, 33, 41);
    page.gridSpacing = CSize(50, 50);  // dots away from the lines
    const QImage img = PaintGrid(page, 100, {300, 300});
    const QRgb blue = 0x0000FF, red = 0xFF0000;
    // Dotted: about half of each line is set, from the page's left/top.
    EXPECT_GT(Count(img, blue, QRect(0, 27, 300, 1)), 120);   // top
    EXPECT_GT(Count(img, blue, QRect(0, 109, 300, 1)), 120);  // bottom: 150 - 41
    EXPECT_GT(Count(img, blue, QRect(13, 0, 1, 300)), 120);   // left
    EXPECT_GT(Count(img, blue, QRect(167, 0, 1, 300)), 120);  // right: 200 - 33
    EXPECT_GT(Count(img, red, QRect(200, 0, 1, 300)), 120);   // page edges
    EXPECT_GT(Count(img, red, QRect(0, 150, 300, 1)), 120);
    EXPECT_EQ(Count(img, blue, QRect(0, 28, 300, 80)) - Count(img, blue, QRect(13, 28, 1, 80)) -
                  Count(img, blue, QRect(167, 28, 1, 80)),
              0);
    // Transparent gaps keep the background.
    EXPECT_EQ(Count(img, kBlack, QRect(0, 27, 300, 1)), 0);

    // At zoom 200 every line moves with the zoom.
    const QImage z = PaintGrid(page, 200, {500, 400});
    EXPECT_GT(Count(z, blue, QRect(0, 54, 500, 1)), 200);
    EXPECT_GT(Count(z, red, QRect(400, 0, 1, 400)), 150);
    // A side with inset 0 has no guideline; a page without scroll bars no edges.
    page.guidelines = CRect(0, 27, 0, 0);
    page.pageObject()->scrollBars = 0;
    const QImage n = PaintGrid(page, 100, {300, 300});
    EXPECT_EQ(Count(n, red), 0);
    EXPECT_EQ(Count(n, blue, QRect(0, 30, 300, 270)), 0);
}

TEST(PagePainter, ObjectsPaintBackToFrontSoIndexZeroIsOnTop) {
    CHyperPage page;
    vxtest::AddFilledOb(page, CRect(10, 10, 60, 60), vx::RGB(255, 0, 0));  // index 0, front
    vxtest::AddFilledOb(page, CRect(30, 30, 90, 90), vx::RGB(0, 0, 255));  // index 1, back
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CPainterDC dc(&img);
        CPaintContext ctx;
        const std::vector<CHyperOb*> drawn = CPagePainter(page).DrawObjects(dc, CRect(0, 0, 100, 100), ctx);
        ASSERT_EQ(drawn.size(), 2u);
        EXPECT_EQ(drawn[0], page.At(1));  // back-most first
    }
    EXPECT_EQ(Px(img, 40, 40), 0xFF0000u);  // the overlap shows the front object
    EXPECT_EQ(Px(img, 80, 80), 0x0000FFu);
    // Objects outside the clip are skipped.
    QImage clip(100, 100, QImage::Format_RGB32);
    clip.fill(Qt::white);
    {
        CPainterDC dc(&clip);
        CPagePainter(page).DrawObjects(dc, CRect(70, 70, 100, 100), CPaintContext());
    }
    EXPECT_EQ(Px(clip, 20, 20), kWhite);
    EXPECT_EQ(Px(clip, 80, 80), 0x0000FFu);
}

TEST(PagePainter, PrintingPaintsWhitePaperAtPrintScaleWithoutHandles) {
    CHyperPage page;
    page.pageObject()->color = vx::RGB(0, 128, 0);
    page.pageObject()->scrollWidth = 100;
    page.pageObject()->scrollHeight = 80;
    // An object filled with the page colour shows the paper's white.
    CHyperOb* pageColoured = vxtest::AddFilledOb(page, CRect(50, 10, 70, 30), vx::kAutoColor);
    CHyperOb* red = vxtest::AddFilledOb(page, CRect(10, 10, 20, 20), vx::RGB(255, 0, 0));
    red->Select(true);
    (void)pageColoured;

    auto print = [&](double scale) {
        page.pageObject()->printScale = scale;
        QImage img(200, 200, QImage::Format_RGB32);
        img.fill(Qt::black);
        img.setDotsPerMeterX(3780);  // 96 dots per inch
        img.setDotsPerMeterY(3780);
        CPagePainter(page).RenderAsPrinted(&img);
        return img;
    };
    const QImage one = print(1.0);
    EXPECT_EQ(Px(one, 0, 0), kWhite);
    EXPECT_EQ(Px(one, 199, 199), kWhite);
    EXPECT_EQ(Px(one, 15, 15), 0xFF0000u);
    EXPECT_EQ(Px(one, 60, 20), kWhite);
    EXPECT_EQ(Count(one, kBlack), 0);  // no handles
    EXPECT_EQ(page.pageObject()->color, vx::RGB(0, 128, 0));  // restored

    const QImage two = print(2.0);
    EXPECT_EQ(Count(two, 0xFF0000u), 20 * 20);
    EXPECT_EQ(Px(two, 20, 20), 0xFF0000u);
    EXPECT_EQ(Px(two, 39, 39), 0xFF0000u);
    EXPECT_EQ(Px(two, 40, 40), kWhite);
    // Unusable scales print at 1.0; the stored value is kept.
    for (double bad : {0.0, -2.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        const QImage img = print(bad);
        EXPECT_EQ(Count(img, 0xFF0000u), 10 * 10) << bad;
        EXPECT_TRUE(std::isnan(bad) ? std::isnan(page.pageObject()->printScale) : page.pageObject()->printScale == bad);
    }
    // A job's scale wins over the page's.
    page.pageObject()->printScale = 1.0;
    QImage job(200, 200, QImage::Format_RGB32);
    job.setDotsPerMeterX(3780);
    job.setDotsPerMeterY(3780);
    CPagePainter(page).RenderAsPrinted(&job, 3.0);
    EXPECT_EQ(Count(job, 0xFF0000u), 30 * 30);
}

TEST(PagePainter, PrinterMappingFollowsTheDeviceResolution) {
    CHyperPage page;
    page.pageObject()->printScale = 1.5;
    QImage img(10, 10, QImage::Format_RGB32);
    img.setDotsPerMeterX(11811);  // 300 dots per inch
    img.setDotsPerMeterY(11811);
    CPainterDC dc(&img);
    CPagePainter(page).PreparePrintDC(dc, std::nullopt);
    EXPECT_EQ(dc.GetWindowExt(), CSize(96, 96));
    EXPECT_EQ(dc.GetViewportExt(), CSize(450, 450));  // floor(300 * 1.5 + 0.5)
    CPoint p(96, 96);
    dc.LPtoDP(p);
    EXPECT_EQ(p, CPoint(450, 450));  // one inch of screen is 1.5 inches of paper
}
