#include <gtest/gtest.h>

#include <set>

#include "paint/DIBSection.h"
#include "support/PaintTestSupport.h"

using vx::RGB;

TEST(DIBSectionPalette, EachDepthHasItsTableSize) {
    for (auto [bits, colors] : {std::pair{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}}) {
        CDIBSection img;
        ASSERT_TRUE(img.CreateImage(3, 2, 1, bits)) << bits;
        EXPECT_EQ(img.GetColorCount(), colors) << bits;
        EXPECT_EQ(img.PixelAt(2, 1), RGB(255, 255, 255)) << bits << " starts white";
    }
}

TEST(DIBSectionPalette, DefaultTablesHoldTheFixedColours) {
    EXPECT_EQ(vx::DefaultPalette(2), (std::vector<COLORREF>{RGB(0, 0, 0), RGB(255, 255, 255)}));
    const auto p16 = vx::DefaultPalette(16);
    ASSERT_EQ(p16.size(), 16u);
    EXPECT_EQ(p16[1], RGB(128, 0, 0));
    EXPECT_EQ(p16[7], RGB(192, 192, 192));
    EXPECT_EQ(p16[8], RGB(128, 128, 128));
    EXPECT_EQ(p16[15], RGB(255, 255, 255));
    const auto p = vx::DefaultPalette(256);
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(vx::DefaultPalette(0), p);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p[size_t(i)], p16[size_t(i)]) << i;
    EXPECT_EQ(p[8], RGB(192, 220, 192));
    EXPECT_EQ(p[9], RGB(166, 202, 240));
    EXPECT_EQ(p[10], RGB(44, 0, 0)) << "the cube starts after black";
    EXPECT_EQ(p[222], RGB(255, 255, 255)) << "the cube ends with white";
    EXPECT_EQ(p[223], RGB(17, 17, 17));
    EXPECT_EQ(p[245], RGB(255, 255, 255));
    const std::vector<COLORREF> last = {RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),
                                        RGB(0, 255, 0),     RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),
                                        RGB(0, 255, 255),   RGB(255, 255, 255)};
    EXPECT_EQ(std::vector<COLORREF>(p.begin() + 246, p.end()), last);
    // The cube leaves out black, silver and cyan, which the static entries give.
    const std::set<COLORREF> cube(p.begin() + 10, p.begin() + 223);
    EXPECT_EQ(cube.size(), 213u);
    EXPECT_FALSE(cube.count(RGB(0, 0, 0)) || cube.count(RGB(192, 192, 192)) || cube.count(RGB(0, 255, 255)));
}

TEST(DIBSectionPalette, GivenTableMustMatchTheDepth) {
    CDIBSection img;
    const std::vector<COLORREF> three = {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)};
    EXPECT_FALSE(img.CreateImage(4, 4, 1, 1, {}, &three));
    EXPECT_TRUE(img.IsNull());
    const std::vector<COLORREF> two = {RGB(255, 0, 0), RGB(0, 0, 255)};
    ASSERT_TRUE(img.CreateImage(4, 4, 1, 1, {}, &two));
    // White is not in the table: the image starts in the nearest entry.
    EXPECT_EQ(img.GetPalette(), two);
    EXPECT_FALSE(img.SetColorTable(3, three.data()));
    EXPECT_TRUE(img.SetColorTable(2, two.data()));
}

TEST(DIBSectionPalette, ColoursMapToTheNearestEntry) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(2, 1, 1, 4));
    img.SetPixel(0, 0, RGB(250, 10, 5));
    EXPECT_EQ(img.PixelAt(0, 0), RGB(255, 0, 0));
    // A palette-relative colour is its plain colour.
    img.SetPixel(1, 0, vx::kPaletteWhite);
    EXPECT_EQ(img.PixelAt(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(img.ValueAt(1, 0), 15u);
}

TEST(DIBSectionPixels, RowsArePaddedToFourBytes) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(13, 3, 1, 8));
    EXPECT_EQ(img.stride(), 16u);
    EXPECT_EQ(img.bits().size(), 48u);
    EXPECT_EQ(vx::PntRowBytes(13, 1), 4u);
    EXPECT_EQ(vx::PntRowBytes(13, 4), 8u);
    EXPECT_EQ(vx::PntRowBytes(13, 16), 28u);
    EXPECT_EQ(vx::PntRowBytes(13, 24), 40u);
    EXPECT_EQ(vx::PntRowBytes(13, 32), 52u);
}

TEST(DIBSectionPixels, EveryDepthKeepsItsPixelsApart) {
    const std::vector<std::string> art = {"#r.gb", "y#.rb", ".....", "bbrr#"};
    for (int bits : {4, 8, 16, 24, 32}) {
        const CDIBSection img = vxtest::ImageFromArt(art, bits);
        EXPECT_EQ(vxtest::ArtOf(img), art) << bits;
    }
    const std::vector<std::string> mono = {"#.#.#.#.#", ".#.#.#.#.", "#########"};
    EXPECT_EQ(vxtest::ArtOf(vxtest::ImageFromArt(mono, 1)), mono);
}

TEST(DIBSectionPixels, RowsAreStoredBottomUp) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(4, 2, 1, 8));
    img.SetPixel(1, 0, RGB(0, 0, 0));  // top row
    EXPECT_EQ(img.bits()[img.stride() + 1], 0) << "the top row is the second stored";
    EXPECT_EQ(img.bits()[1], img.ValueFor(RGB(255, 255, 255)));
}

TEST(DIBSectionPixels, SixteenBitsAreFiveFiveFive) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(1, 1, 1, 16));
    img.SetPixel(0, 0, RGB(255, 0, 8));
    EXPECT_EQ(img.ValueAt(0, 0), 0x7C01u);
    EXPECT_EQ(img.PixelAt(0, 0), RGB(255, 0, 8));
    EXPECT_EQ(img.PixelAt(1, 0), -1) << "outside";
}

TEST(DIBSectionLimits, SizesBeyondTheLimitsAreRefused) {
    CDIBSection img;
    ASSERT_TRUE(img.CreateImage(2, 2, 1, 24));
    EXPECT_FALSE(img.CreateImage(0, 5, 1, 24));
    EXPECT_FALSE(img.CreateImage(vx::kPntMaxSide + 1, 1, 1, 1));
    EXPECT_FALSE(img.CreateImage(vx::kPntMaxSide, vx::kPntMaxSide, 1, 1)) << "over the total";
    EXPECT_FALSE(img.CreateImage(4, 4, 1, 12)) << "no such depth";
    EXPECT_FALSE(img.CreateImage(4, 4, 1, 8, std::vector<uint8_t>(10)));
    EXPECT_EQ(img.width(), 2) << "a refused create leaves the image";
}

TEST(DIBSectionFormat, ChangeFormatCropsAtTheOrigin) {
    CDIBSection img = vxtest::ImageFromArt({"#...", ".r..", "..g.", "...b"}, 24);
    const CPoint origin(1, 1);
    ASSERT_TRUE(img.ChangeFormat(3, 3, 1, 8, &origin));
    EXPECT_EQ(img.bitCount(), 8);
    EXPECT_EQ(vxtest::ArtOf(img), (std::vector<std::string>{"r..", ".g.", "..b"}));
    ASSERT_TRUE(img.ChangeFormat(4, 2, 1, 8));
    EXPECT_EQ(vxtest::ArtOf(img), (std::vector<std::string>{"r...", ".g.."})) << "new parts are white";
}

TEST(DIBSectionFormat, QImageRoundTripsAtEveryDepth) {
    const std::vector<std::string> art = {"#r.", "gby"};
    for (int bits : {4, 8, 16, 24, 32}) {
        const CDIBSection img = vxtest::ImageFromArt(art, bits);
        const QImage q = img.ToQImage();
        EXPECT_EQ(q.pixel(1, 0), qRgb(255, 0, 0));
        CDIBSection back;
        ASSERT_TRUE(back.FromQImage(q, bits));
        EXPECT_EQ(back, img) << bits;
    }
    CDIBSection part = vxtest::ImageFromArt(art, 8);
    EXPECT_EQ(part.ToQImage(CRect(1, 1, 9, 9)).size(), QSize(2, 1));
}

TEST(DIBSectionFormat, RenderLeavesOutTheTransparencyColour) {
    const CDIBSection img = vxtest::ImageFromArt({"r#"}, 8);
    QImage out(2, 1, QImage::Format_ARGB32);
    img.RenderInto(out, img.bounds(), RGB(255, 0, 0));
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(1, 0), qRgb(0, 0, 0));
}

TEST(DIBSectionFormat, CopyPartKeepsDepthAndTable) {
    const CDIBSection img = vxtest::ImageFromArt({"#r..", ".gb.", "...."}, 4);
    const CDIBSection part = img.CopyPart(CRect(1, 0, 9, 2));
    EXPECT_EQ(part.bitCount(), 4);
    EXPECT_EQ(part.GetPalette(), img.GetPalette());
    EXPECT_EQ(vxtest::ArtOf(part), (std::vector<std::string>{"r..", "gb."})) << "clipped to the image";
    EXPECT_TRUE(img.CopyPart(CRect(10, 10, 12, 12)).IsNull());
}
