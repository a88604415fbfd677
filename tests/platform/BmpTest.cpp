// The bitmap reader on hand-built files: every bit depth and header form it
// reads, every damage it refuses, and the writer it pairs with.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "fuzz/BmpFuzz.h"
#include "platform/Bmp.h"
#include "support/BmpBuilder.h"

using vxtest::BmpFields;
using vxtest::BuildBmp;

namespace {

QImage Decode(const std::vector<uint8_t>& file, std::string* why = nullptr) {
    return vx::DecodeBmp(file, why);
}

// The reason a file is refused; empty when it is read.
std::string Refusal(const BmpFields& s) {
    const std::vector<uint8_t> file = BuildBmp(s);
    vx::BmpView view;
    std::string why;
    if (vx::ParseBmp(file, view, &why)) return {};
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(vx::DecodeBmp(file).isNull());
    return why.empty() ? "?" : why;
}

// A 2x2 24-bit image: bottom row blue, green; top row red, white.
BmpFields Rgb24() {
    BmpFields s;
    s.pixels = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    return s;
}

}  // namespace

TEST(Bmp, ReadsPalettedDepths) {
    {
        BmpFields s;  // 1 bit, 10 wide so a row spills into a second byte
        s.width = 10, s.height = 1, s.bitCount = 1, s.palette = {0x000000, 0xFF8000};
        s.pixels = {0xA0, 0x40, 0, 0};  // 1010 0000 01..
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.format(), QImage::Format_ARGB32);
        EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0x80, 0));
        EXPECT_EQ(img.pixel(1, 0), qRgb(0, 0, 0));
        EXPECT_EQ(img.pixel(2, 0), qRgb(0xFF, 0x80, 0));
        EXPECT_EQ(img.pixel(9, 0), qRgb(0xFF, 0x80, 0));
        EXPECT_EQ(img.pixel(8, 0), qRgb(0, 0, 0));
    }
    {
        BmpFields s;  // 4 bit with a short table (biClrUsed 3); index 7 lies beyond it
        s.width = 3, s.height = 1, s.bitCount = 4, s.colorsUsed = 3;
        s.palette = {0x112233, 0x445566, 0x778899};
        s.pixels = {0x21, 0x70, 0, 0};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 0), qRgb(0x77, 0x88, 0x99));
        EXPECT_EQ(img.pixel(1, 0), qRgb(0x44, 0x55, 0x66));
        EXPECT_EQ(img.pixel(2, 0), qRgb(0, 0, 0));
    }
    {
        BmpFields s;  // 8 bit, two rows bottom-up
        s.width = 1, s.height = 2, s.bitCount = 8, s.colorsUsed = 2,
        s.palette = {0x0000FF, 0x00FF00};
        s.pixels = {1, 0, 0, 0, 0, 0, 0, 0};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 1), qRgb(0, 0xFF, 0));  // first stored row is the bottom one
        EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0xFF));
    }
}

TEST(Bmp, ReadsDirectColourDepthsAndMasks) {
    {
        const QImage img = Decode(BuildBmp(Rgb24()));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 1), qRgb(0, 0, 0xFF));
        EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0xFF, 0));
        EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0, 0));
        EXPECT_EQ(img.pixel(1, 0), qRgb(0xFF, 0xFF, 0xFF));
    }
    {
        BmpFields s;  // 16 bit without masks is 5-5-5
        s.width = 2, s.height = 1, s.bitCount = 16;
        s.pixels = {0x00, 0x7C, 0x1F, 0x00};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0, 0));
        EXPECT_EQ(img.pixel(1, 0), qRgb(0, 0, 0xFF));
    }
    {
        BmpFields s;  // 16 bit 5-6-5 through masks after a 40-byte header
        s.width = 1, s.height = 1, s.bitCount = 16, s.compression = vx::kBmpBitfields;
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.pixels = {0xE0, 0x07, 0, 0};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0xFF, 0));
    }
    {
        BmpFields s;  // 32 bit BI_RGB: the fourth byte is not alpha, every pixel is opaque
        s.width = 1, s.height = 1, s.bitCount = 32;
        s.pixels = {0x10, 0x20, 0x30, 0x00};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.pixel(0, 0), qRgba(0x30, 0x20, 0x10, 0xFF));
    }
    for (uint32_t header : {vx::kBmpV4Header, vx::kBmpV5Header}) {
        BmpFields s;  // 32 bit with masks inside a V4/V5 header, rows top first
        s.headerSize = header, s.width = 1, s.height = -2, s.bitCount = 32,
        s.compression = vx::kBmpBitfields;
        s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
        s.pixels = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull()) << header;
        EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0, 0)) << header;
        EXPECT_EQ(img.pixel(0, 1), qRgb(0, 0, 0xFF)) << header;
        vx::BmpView view;
        ASSERT_TRUE(vx::ParseBmp(BuildBmp(s), view));
        EXPECT_TRUE(view.topDown);
        EXPECT_EQ(view.height, 2);
    }
}

TEST(Bmp, ReadsCoreHeaderWithThreeByteColourTable) {
    for (uint16_t bits : {1, 4, 8}) {
        BmpFields s;
        s.headerSize = vx::kBmpCoreHeader, s.width = 1, s.height = 1, s.bitCount = bits;
        s.palette.assign(size_t(1) << bits, 0);
        s.palette[1] = 0xABCDEF;
        s.pixels = {uint8_t(bits == 1 ? 0x80 : bits == 4 ? 0x10 : 0x01), 0, 0, 0};
        const QImage img = Decode(BuildBmp(s));
        ASSERT_FALSE(img.isNull()) << bits;
        EXPECT_EQ(img.pixel(0, 0), qRgb(0xAB, 0xCD, 0xEF)) << bits;
    }
    BmpFields s = Rgb24();
    s.headerSize = vx::kBmpCoreHeader;
    const QImage img = Decode(BuildBmp(s));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), qRgb(0xFF, 0, 0));
}

TEST(Bmp, ViewDescribesTheFile) {
    BmpFields s;
    s.width = 3, s.height = 2, s.bitCount = 8, s.colorsUsed = 4, s.palette = {1, 2, 3, 4};
    s.pixels.assign(8, 0);
    const std::vector<uint8_t> file = BuildBmp(s);
    vx::BmpView v;
    ASSERT_TRUE(vx::ParseBmp(file, v));
    EXPECT_EQ(v.width, 3);
    EXPECT_EQ(v.height, 2);
    EXPECT_EQ(v.bitCount, 8);
    EXPECT_EQ(v.stride, 4u);
    EXPECT_EQ(v.palette, (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(v.pixels.data(), file.data() + file.size() - 8);
    EXPECT_EQ(v.pixels.size(), 8u);
    EXPECT_EQ(v.headerSize, vx::kBmpInfoHeader);
}

TEST(Bmp, RefusesDamagedHeaders) {
    vx::BmpView view;
    EXPECT_FALSE(vx::ParseBmp({}, view));
    std::vector<uint8_t> file = BuildBmp(Rgb24());
    file[0] = 'X';
    EXPECT_TRUE(Decode(file).isNull());

    BmpFields s = Rgb24();
    s.headerSize = 56;  // not one of the header forms that are read
    EXPECT_NE(Refusal(s), "");
    s.headerSize = 0;
    EXPECT_NE(Refusal(s), "");
    s.headerSize = 0xFFFFFFF0u;  // a length beyond the file
    EXPECT_NE(Refusal(s), "");

    s = Rgb24(), s.planes = 2;
    EXPECT_NE(Refusal(s), "");
    for (uint16_t bits : {0, 2, 3, 7, 15, 48, 64}) {
        s = Rgb24(), s.bitCount = bits;
        EXPECT_NE(Refusal(s), "") << bits;
    }
    for (uint16_t bits : {16, 32}) {  // the core header has no 16 or 32 bit form
        s = Rgb24(), s.headerSize = vx::kBmpCoreHeader, s.bitCount = bits, s.pixels.assign(16, 0);
        EXPECT_NE(Refusal(s), "") << bits;
    }
}

TEST(Bmp, RefusesSizesOutsideTheLimits) {
    BmpFields s = Rgb24();
    for (auto [w, h] : {std::pair{0, 2},
                        {2, 0},
                        {-2, 2},
                        {vx::kBmpMaxSide + 1, 1},
                        {1, vx::kBmpMaxSide + 1},
                        {1, -vx::kBmpMaxSide - 1},
                        {vx::kBmpMaxSide, vx::kBmpMaxSide},
                        {INT32_MIN, 1},
                        {1, INT32_MIN}}) {
        s.width = w, s.height = h;
        EXPECT_NE(Refusal(s), "") << w << "x" << h;
    }
    // Within the limits but with the rows missing: refused for want of bytes,
    // before anything is allocated.
    s.width = 16384, s.height = 16384, s.bitCount = 1, s.palette = {0, 0xFFFFFF};
    EXPECT_NE(Refusal(s), "");
}

TEST(Bmp, RefusesCompressionAndMasksItCannotRead) {
    BmpFields s;
    s.width = 1, s.height = 1, s.bitCount = 8, s.palette.assign(256, 0), s.pixels = {0, 0, 0, 0};
    for (uint32_t c : {1u, 2u, 4u, 5u, 6u, 0x10u}) {
        s.compression = c;
        EXPECT_NE(Refusal(s), "") << c;
    }
    s = Rgb24(), s.compression = vx::kBmpBitfields,
    s.masks = {0xFF0000, 0xFF00, 0xFF};  // not at 24 bits
    EXPECT_NE(Refusal(s), "");

    BmpFields m;
    m.width = 1, m.height = 1, m.bitCount = 16, m.compression = vx::kBmpBitfields,
    m.pixels = {0, 0, 0, 0};
    for (const std::vector<uint32_t>& masks : std::vector<std::vector<uint32_t>>{
             {0, 0x07E0, 0x001F},           // a missing channel
             {0xF800, 0xF800, 0x001F},      // overlapping channels
             {0xF00F, 0x07E0, 0x0010},      // a channel in two runs
             {0xF8000, 0x07E0, 0x001F}}) {  // beyond the 16 bits of a pixel
        m.masks = masks;
        EXPECT_NE(Refusal(m), "") << masks[0];
    }
    m.masks = {0xF800};  // cut off: the file ends inside the masks
    m.pixels.clear();
    m.pixelOffset = 54;
    EXPECT_NE(Refusal(m), "");
}

TEST(Bmp, RefusesColourTablesThatDoNotFit) {
    BmpFields s;
    s.width = 1, s.height = 1, s.bitCount = 1, s.colorsUsed = 3, s.palette = {0, 1, 2},
    s.pixels = {0, 0, 0, 0};
    EXPECT_NE(Refusal(s), "");  // three entries for one bit
    s.colorsUsed = 0xFFFFFFFFu;
    EXPECT_NE(Refusal(s), "");
    // A table cut off by the end of the file.
    s = BmpFields{}, s.width = 1, s.height = 1, s.bitCount = 8, s.palette.assign(10, 0);
    s.pixelOffset = 54;
    EXPECT_NE(Refusal(s), "");
}

TEST(Bmp, RefusesPixelsOutsideTheFile) {
    BmpFields s = Rgb24();
    s.pixelOffset = 20;  // into the headers
    EXPECT_NE(Refusal(s), "");
    std::vector<uint8_t> far = BuildBmp(Rgb24());
    for (int i = 0; i < 4; ++i) far[10 + i] = 0xFF;  // an offset far beyond the end
    EXPECT_TRUE(Decode(far).isNull());
    s = Rgb24(), s.pixels.resize(15);  // one byte short of the rows
    EXPECT_NE(Refusal(s), "");
    s = Rgb24(), s.fileSize = 60;  // the header says the file ends inside the rows
    EXPECT_NE(Refusal(s), "");
    s = Rgb24(), s.imageSize = 8;  // the image size is smaller than the rows
    EXPECT_NE(Refusal(s), "");
    // A zero file size and zero image size mean "not given".
    s = Rgb24(), s.fileSize = 0, s.imageSize = 0;
    EXPECT_EQ(Refusal(s), "");
}

TEST(Bmp, EveryPrefixOfAGoodFileIsRefusedOrReadInside) {
    BmpFields s;
    s.headerSize = vx::kBmpV5Header, s.width = 3, s.height = 3, s.bitCount = 32,
    s.compression = vx::kBmpBitfields;
    s.masks = {0xFF0000, 0xFF00, 0xFF};
    s.pixels.assign(36, 0x7F);
    const std::vector<uint8_t> file = BuildBmp(s);
    for (size_t n = 0; n < file.size(); ++n) {
        // Each prefix in its own allocation, so a read past it is caught.
        const std::vector<uint8_t> cut(file.begin(), file.begin() + long(n));
        EXPECT_TRUE(Decode(cut).isNull()) << n;
    }
    EXPECT_FALSE(Decode(file).isNull());
}

TEST(Bmp, EncodeWritesEveryDepthThatReadsBack) {
    QImage img(5, 3, QImage::Format_ARGB32);
    img.fill(qRgb(255, 255, 255));
    img.setPixel(0, 0, qRgb(255, 0, 0));
    img.setPixel(4, 2, qRgb(0, 0, 0));
    for (int bits : {1, 4, 8, 24, 32}) {
        const std::vector<uint8_t> file = vx::EncodeBmp(img, bits);
        vx::BmpView v;
        ASSERT_TRUE(vx::ParseBmp(file, v)) << bits;
        EXPECT_EQ(v.bitCount, bits);
        const QImage back = Decode(file);
        EXPECT_EQ(back.pixel(4, 2), qRgb(0, 0, 0)) << bits;
        EXPECT_EQ(back.pixel(1, 1), qRgb(255, 255, 255)) << bits;
        // Three colours do not fit one bit: red becomes its nearest of the two.
        if (bits == 1)
            EXPECT_EQ(back.pixel(0, 0), qRgb(0, 0, 0));
        else
            EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0)) << bits;
    }
    // The image's own colours are the palette when they fit.
    vx::BmpView v;
    ASSERT_TRUE(vx::ParseBmp(vx::EncodeBmp(img, 4), v));
    EXPECT_EQ(v.palette.size(), 3u);
    // A given palette is used as given.
    const std::vector<uint32_t> mine = {0x00FF00, 0xFF0000, 0xFFFFFF};
    const std::vector<uint8_t> file = vx::EncodeBmp(img, 8, &mine);
    ASSERT_TRUE(vx::ParseBmp(file, v));
    EXPECT_EQ(v.palette, mine);
    EXPECT_EQ(v.pixels[v.stride * 2], 1);  // the top row is stored last; its first pixel is red
    EXPECT_TRUE(vx::EncodeBmp(QImage(), 24).empty());
    EXPECT_TRUE(vx::EncodeBmp(img, 16).empty());
}

TEST(Bmp, EncodeMapsManyColoursOntoAFixedPalette) {
    QImage img(300, 1, QImage::Format_ARGB32);
    for (int x = 0; x < 300; ++x) img.setPixel(x, 0, qRgb(x % 256, x / 2, 255 - x % 256));
    vx::BmpView v;
    const std::vector<uint8_t> file = vx::EncodeBmp(img, 8);
    ASSERT_TRUE(vx::ParseBmp(file, v));
    EXPECT_EQ(v.palette.size(), 256u);
    const QImage back = Decode(file);
    for (int x = 0; x < 300; x += 37) {
        const QRgb a = img.pixel(x, 0), b = back.pixel(x, 0);
        EXPECT_LE(std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                      std::abs(qBlue(a) - qBlue(b)),
                  80)
            << x;
    }
}

TEST(Bmp, FuzzSeedsPassTheFuzzCheck) {
    const QFileInfoList files =
        QDir(QStringLiteral(VX_FUZZ_DIR "/corpus-bmp")).entryInfoList(QDir::Files, QDir::Name);
    EXPECT_GE(files.size(), 3);
    for (const QFileInfo& info : files) {
        QFile f(info.absoluteFilePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(vxfuzz::CheckBmp(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size())),
                  "")
            << info.fileName().toStdString();
    }
}
