#include <gtest/gtest.h>

#include <cmath>

#include "paint/PntDraw.h"
#include "platform/DCTypes.h"
#include "support/PaintTestSupport.h"

namespace pnt = vx::pnt;
using vx::RGB;
using vxtest::ArtOf;
using Art = std::vector<std::string>;

namespace {

CDIBSection White(int w, int h, int bits = 24) {
    CDIBSection img;
    img.CreateImage(w, h, 1, bits);
    return img;
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

}  // namespace

TEST(PntLine, EqualEndsSetOnePixel) {
    CDIBSection img = White(3, 3);
    pnt::Line(img, {1, 1}, {1, 1}, 1, kBlack);
    EXPECT_EQ(ArtOf(img), (Art{"...", ".#.", "..."}));
}

TEST(PntLine, BothEndPixelsAreSet) {
    CDIBSection img = White(5, 3);
    pnt::Line(img, {0, 0}, {4, 2}, 1, kBlack);
    EXPECT_EQ(img.PixelAt(0, 0), kBlack);
    EXPECT_EQ(img.PixelAt(4, 2), kBlack) << "the end pixel is drawn too";
    EXPECT_EQ(vxtest::CountColor(img, kBlack), 5);
    CDIBSection back = White(5, 3);
    pnt::Line(back, {4, 2}, {0, 0}, 1, kBlack);
    EXPECT_EQ(back.PixelAt(0, 0), kBlack);
    EXPECT_EQ(back.PixelAt(4, 2), kBlack);
}

TEST(PntLine, WideLinesAndDotsAreRound) {
    CDIBSection img = White(7, 7);
    pnt::Dot(img, {3, 3}, 3, kBlack);
    EXPECT_EQ(ArtOf(img), (Art{".......", ".......", "..###..", "..###..", "..###..", ".......", "......."}));
    CDIBSection five = White(7, 7);
    pnt::Dot(five, {3, 3}, 5, kBlack);
    EXPECT_EQ(ArtOf(five), (Art{".......", "..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}));
    CDIBSection line = White(8, 5);
    pnt::Line(line, {1, 2}, {6, 2}, 3, kRed);
    EXPECT_EQ(ArtOf(line), (Art{"........", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "........"}));
}

TEST(PntLine, FarEndsAreClippedToTheImage) {
    CDIBSection img = White(4, 4);
    pnt::Line(img, {-2000000000, 1}, {2000000000, 1}, 1, kBlack);
    EXPECT_EQ(ArtOf(img), (Art{"....", "####", "....", "...."}));
}

TEST(PntShapes, ShapeRectHoldsBothPoints) {
    EXPECT_EQ(pnt::ShapeRect({10, 10}, {5, 5}), CRect(5, 5, 11, 11));
    EXPECT_EQ(pnt::ShapeRect({3, 7}, {3, 7}), CRect(3, 7, 4, 8));
    CDIBSection img = White(12, 12);
    pnt::Rectangle(img, pnt::ShapeRect({10, 10}, {5, 5}), 1, kBlack, false);
    for (int i = 5; i <= 10; ++i) {
        EXPECT_EQ(img.PixelAt(i, 5), kBlack) << i;
        EXPECT_EQ(img.PixelAt(i, 10), kBlack) << i;
        EXPECT_EQ(img.PixelAt(5, i), kBlack) << i;
        EXPECT_EQ(img.PixelAt(10, i), kBlack) << i;
    }
    EXPECT_EQ(vxtest::CountColor(img, kBlack), 20);
    EXPECT_EQ(img.PixelAt(4, 5), RGB(255, 255, 255));
    EXPECT_EQ(img.PixelAt(11, 5), RGB(255, 255, 255));
}

TEST(PntShapes, OutlinesAndFills) {
    CDIBSection img = White(6, 5);
    pnt::Rectangle(img, CRect(1, 1, 5, 4), 1, kBlack, false);
    EXPECT_EQ(ArtOf(img), (Art{"......", ".####.", ".#..#.", ".####.", "......"}));
    CDIBSection filled = White(6, 5);
    pnt::Rectangle(filled, CRect(1, 1, 5, 4), 1, kRed, true);
    EXPECT_EQ(ArtOf(filled), (Art{"......", ".rrrr.", ".rrrr.", ".rrrr.", "......"}));
    // A wide pen is centred on the edge pixels.
    CDIBSection wide = White(9, 9);
    pnt::Rectangle(wide, CRect(1, 1, 8, 8), 3, kBlack, false);
    EXPECT_EQ(ArtOf(wide), (Art{"#########", "#########", "#########", "###...###", "###...###", "###...###",
                                "#########", "#########", "#########"}));
    CDIBSection single = White(3, 3);
    pnt::Rectangle(single, pnt::ShapeRect({1, 1}, {1, 1}), 1, kBlack, false);
    EXPECT_EQ(ArtOf(single), (Art{"...", ".#.", "..."}));
}

TEST(PntShapes, EllipseTouchesTheMiddleOfEachSide) {
    CDIBSection img = White(9, 7);
    pnt::Ellipse(img, CRect(0, 0, 9, 7), 1, kBlack, false);
    EXPECT_EQ(img.PixelAt(4, 0), kBlack);
    EXPECT_EQ(img.PixelAt(4, 6), kBlack);
    EXPECT_EQ(img.PixelAt(0, 3), kBlack);
    EXPECT_EQ(img.PixelAt(8, 3), kBlack);
    EXPECT_EQ(img.PixelAt(0, 0), RGB(255, 255, 255)) << "corners stay";
    EXPECT_EQ(img.PixelAt(4, 3), RGB(255, 255, 255)) << "an outline is hollow";
    CDIBSection filled = White(5, 5);
    pnt::Ellipse(filled, CRect(0, 0, 5, 5), 1, kBlack, true);
    EXPECT_EQ(ArtOf(filled), (Art{".###.", "#####", "#####", "#####", ".###."}));
    // Every row and column of the outline has a pixel: it has no gaps.
    CDIBSection ring = White(40, 15);
    pnt::Ellipse(ring, CRect(0, 0, 40, 15), 1, kBlack, false);
    for (int x = 0; x < 40; ++x) {
        int n = 0;
        for (int y = 0; y < 15; ++y) n += ring.PixelAt(x, y) == kBlack;
        EXPECT_GE(n, 2) << x;
    }
}

TEST(PntShapes, RoundedRectangleCorners) {
    EXPECT_EQ(pnt::RoundCorner(CRect(0, 0, 30, 12)), CSize(10, 4));
    CDIBSection img = White(30, 12);
    pnt::RoundRect(img, CRect(0, 0, 30, 12), 1, kBlack, false);
    EXPECT_EQ(img.PixelAt(0, 0), RGB(255, 255, 255)) << "the corner is rounded off";
    EXPECT_EQ(img.PixelAt(15, 0), kBlack);
    EXPECT_EQ(img.PixelAt(0, 6), kBlack);
    EXPECT_EQ(img.PixelAt(15, 6), RGB(255, 255, 255));
    CDIBSection none = White(5, 5);
    pnt::RoundRect(none, CRect(2, 1, 2, 4), 1, kBlack, true);
    EXPECT_EQ(vxtest::CountColor(none, kBlack), 0) << "no width: nothing";
    CDIBSection filled = White(30, 12);
    pnt::RoundRect(filled, CRect(0, 0, 30, 12), 1, kRed, true);
    EXPECT_EQ(filled.PixelAt(15, 6), kRed);
    EXPECT_EQ(filled.PixelAt(0, 0), RGB(255, 255, 255));
}

TEST(PntFlood, FillsAroundHoles) {
    CDIBSection img = vxtest::ImageFromArt({"..........",
                                            ".####.....",
                                            ".#..#.###.",
                                            ".####.#.#.",
                                            "......###.",
                                            ".........."});
    EXPECT_EQ(pnt::FloodFill(img, {0, 0}, kRed), 60 - 18 - 3) << "all but the outlines and the holes";
    EXPECT_EQ(ArtOf(img), (Art{"rrrrrrrrrr",
                               "r####rrrrr",
                               "r#..#r###r",
                               "r####r#.#r",
                               "rrrrrr###r",
                               "rrrrrrrrrr"}));
}

TEST(PntFlood, DoesNotLeakThroughDiagonalGaps) {
    CDIBSection img = vxtest::ImageFromArt({"...#....",
                                            "..#.....",
                                            ".#......",
                                            "#......."});
    pnt::FloodFill(img, {0, 0}, kRed);
    EXPECT_EQ(ArtOf(img), (Art{"rrr#....", "rr#.....", "r#......", "#......."}));
}

TEST(PntFlood, FillsSpiralsAndUTurns) {
    // The area turns back on itself: spans must be looked at in both directions.
    CDIBSection img = vxtest::ImageFromArt({"#########",
                                            "#.......#",
                                            "#.#####.#",
                                            "#.#...#.#",
                                            "#.#.#.#.#",
                                            "#...#...#",
                                            "#########"});
    pnt::FloodFill(img, {3, 3}, kRed);
    EXPECT_EQ(vxtest::CountColor(img, RGB(255, 255, 255)), 0);
    EXPECT_EQ(pnt::FloodFill(img, {3, 3}, kRed), 0) << "the same colour again changes nothing";
    EXPECT_EQ(pnt::FloodFill(img, {-1, 3}, kBlack), 0);
}

TEST(PntFlood, PaletteImagesFillByIndex) {
    CDIBSection img = vxtest::ImageFromArt({"..#..", "..#..", "....."}, 4);
    pnt::FloodFill(img, {0, 0}, RGB(250, 0, 0));  // nearest: red
    EXPECT_EQ(ArtOf(img), (Art{"rr#rr", "rr#rr", "rrrrr"}));
}

TEST(PntFlood, LargeSingleColourImageFillsWithoutRecursion) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(4096, 4096, 1, 8));
    EXPECT_EQ(pnt::FloodFill(img, {2048, 2048}, kBlack), int64_t(4096) * 4096);
    EXPECT_EQ(img.PixelAt(4095, 0), kBlack);
}

TEST(PntAirbrush, FixedSeedSpraysTheSameDotsNearThePoint) {
    CDIBSection a = White(41, 41), b = White(41, 41);
    pnt::CPntRandom ra(42), rb(42);
    pnt::Spray(a, {20, 20}, 2, kRed, ra);
    pnt::Spray(b, {20, 20}, 2, kRed, rb);
    EXPECT_EQ(a, b);
    const int n = vxtest::CountColor(a, kRed);
    EXPECT_GE(n, 1);
    EXPECT_LE(n, pnt::kAirbrushDots);
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x)
            if (a.PixelAt(x, y) == kRed) {
                EXPECT_LT(std::hypot(x - 20, y - 20), 8.0) << x << "," << y;
            }
    pnt::CPntRandom rc(7);
    CDIBSection c = White(41, 41);
    for (int i = 0; i < 5; ++i) pnt::Spray(c, {20, 20}, 2, kRed, rc);
    EXPECT_NE(c, a) << "another seed sprays elsewhere";
    // Dots off the image are dropped.
    CDIBSection edge = White(2, 2);
    pnt::CPntRandom re(1);
    for (int i = 0; i < 50; ++i) pnt::Spray(edge, {0, 0}, 5, kRed, re);
}

TEST(PntEraser, PaintsTheTransparencyColourOrWhite) {
    EXPECT_EQ(pnt::EraseColor(-1), vx::kPaletteWhite);
    EXPECT_EQ(pnt::EraseColor(kRed), kRed);
    CDIBSection img = vxtest::ImageFromArt({"####", "####"}, 8);
    pnt::Line(img, {0, 0}, {3, 0}, 1, pnt::EraseColor(-1));
    pnt::Line(img, {0, 1}, {3, 1}, 1, pnt::EraseColor(kRed));
    EXPECT_EQ(ArtOf(img), (Art{"....", "rrrr"}));
}

TEST(PntText, DrawsInsideItsRectangleOnly) {
    CDIBSection img = White(60, 30);
    LOGFONT lf;
    lf.lfHeight = -14;
    lf.lfWeight = 700;
    lf.lfFaceName = "DejaVu Sans";
    ASSERT_TRUE(pnt::Text(img, CRect(5, 5, 55, 25), "Ab", DT_WORDBREAK | DT_NOPREFIX, lf, kRed));
    EXPECT_GT(vxtest::CountColor(img, kRed), 10);
    EXPECT_EQ(vxtest::CountColor(img, kRed) + vxtest::CountColor(img, RGB(255, 255, 255)), 60 * 30)
        << "only the pen colour, no smoothing";
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            if (img.PixelAt(x, y) == kRed) {
                EXPECT_TRUE(CRect(5, 5, 55, 25).PtInRect({x, y}));
            }
    EXPECT_FALSE(pnt::Text(img, CRect(100, 100, 120, 120), "x", 0, lf, kRed)) << "outside the image";
}
