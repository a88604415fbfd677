#include <gtest/gtest.h>

#include "paint/DIBSection.h"
#include "support/BmpBuilder.h"
#include "support/PaintTestSupport.h"
#include "support/TestSupport.h"

using vx::RGB;

namespace {

uint32_t Dword(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

const std::vector<std::string> kArt = {"#r.gb", "y#.rb", ".....", "bbrr#", "g...#"};

}  // namespace

TEST(DIBSectionBmp, EveryDepthRoundTrips) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        const CDIBSection img = vxtest::ImageFromArt(bits == 1 ? std::vector<std::string>{"#.#..", ".##.#"} : kArt, bits);
        const std::vector<uint8_t> file = img.ToBmpBytes();
        ASSERT_FALSE(file.empty()) << bits;
        CDIBSection back;
        std::string error;
        ASSERT_TRUE(back.SetFromBmpBytes(file, &error)) << bits << ": " << error;
        EXPECT_EQ(vxtest::ArtOf(back), vxtest::ArtOf(img)) << bits;
        if (bits == 16) {
            EXPECT_EQ(back.bitCount(), 24) << "16-bit images are written at 24 bits";
        } else {
            EXPECT_EQ(back, img) << bits << ": depth, table and pixels come back exactly";
        }
    }
}

TEST(DIBSectionBmp, WrittenLayoutIsFileHeaderInfoHeaderTablePixels) {
    const CDIBSection img = vxtest::ImageFromArt({"#r...........", "............."}, 8);
    const std::vector<uint8_t> f = img.ToBmpBytes();
    ASSERT_GE(f.size(), 54u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Dword(f, 2), f.size());
    EXPECT_EQ(Dword(f, 6), 0u);
    EXPECT_EQ(Dword(f, 10), 14u + 40u + 4u * 256u);
    EXPECT_EQ(Dword(f, 14), 40u);
    EXPECT_EQ(f.size(), 14u + 40u + 1024u + 2u * 16u) << "13-pixel rows of 16 bytes";
}

TEST(DIBSectionBmp, TopDownAndShortTablesAreRead) {
    vxtest::BmpFields s;
    s.width = 2;
    s.height = -2;  // top row first
    s.bitCount = 8;
    s.colorsUsed = 2;
    s.palette = {0xFF0000, 0x0000FF};
    s.pixels = {0, 1, 0, 0, 1, 1, 0, 0};
    CDIBSection img;
    std::string error;
    ASSERT_TRUE(img.SetFromBmpBytes(vxtest::BuildBmp(s), &error)) << error;
    EXPECT_EQ(img.GetColorCount(), 256) << "the table is filled up";
    EXPECT_EQ(vxtest::ArtOf(img), (std::vector<std::string>{"rb", "bb"}));
}

TEST(DIBSectionBmp, SixteenBitFieldsKeepTheDepth) {
    vxtest::BmpFields s;
    s.width = 1;
    s.height = 1;
    s.bitCount = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};  // 5-6-5
    s.pixels = {0x00, 0xF8, 0, 0};        // red
    CDIBSection img;
    std::string error;
    ASSERT_TRUE(img.SetFromBmpBytes(vxtest::BuildBmp(s), &error)) << error;
    EXPECT_EQ(img.bitCount(), 16);
    EXPECT_EQ(img.PixelAt(0, 0), RGB(255, 0, 0));
}

TEST(DIBSectionBmp, DamagedOrHugeFilesLeaveTheImage) {
    CDIBSection img = vxtest::ImageFromArt({"r#"}, 24);
    const CDIBSection before = img;
    std::vector<uint8_t> file = img.ToBmpBytes();
    file.resize(file.size() - 3);
    std::string error;
    EXPECT_FALSE(img.SetFromBmpBytes(file, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(img.SetFromBmpBytes(std::vector<uint8_t>{'B', 'M', 0, 0}));
    vxtest::BmpFields big;
    big.width = vx::kPntMaxSide + 1;
    big.height = 1;
    big.bitCount = 1;
    big.palette = {0x000000, 0xFFFFFF};
    big.pixels.assign(vx::PntRowBytes(big.width, 1), 0);
    EXPECT_FALSE(img.SetFromBmpBytes(vxtest::BuildBmp(big), &error));
    EXPECT_NE(error.find("at most"), std::string::npos) << error;
    EXPECT_EQ(img, before);
}

TEST(DIBSectionBmp, FilesAreSavedAndLoaded) {
    const std::string dir = vxtest::TempDir();
    const CDIBSection img = vxtest::ImageFromArt(kArt, 4);
    std::string error;
    ASSERT_TRUE(img.SaveFile(dir + "/a.bmp", &error)) << error;
    CDIBSection back;
    ASSERT_TRUE(back.LoadFile(dir + "/a.bmp", &error)) << error;
    EXPECT_EQ(back, img);
    EXPECT_FALSE(back.LoadFile(dir, &error)) << "a folder";
    EXPECT_FALSE(back.LoadFile(dir + "/missing.bmp", &error));
    EXPECT_FALSE(CDIBSection().SaveFile(dir + "/b.bmp", &error));
    EXPECT_EQ(back, img);
}
