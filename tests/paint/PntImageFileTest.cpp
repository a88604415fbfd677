#include <gtest/gtest.h>

#include <QBuffer>
#include <QMimeData>

#include "paint/PntImageFile.h"
#include "support/PaintTestSupport.h"
#include "support/TestSupport.h"

namespace pnt = vx::pnt;

namespace {

QByteArray PngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

uint32_t Crc32(const char* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= uint8_t(p[i]);
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A PNG whose header claims another size (with a correct checksum), so
// only a size check can refuse it.
QByteArray PngClaiming(int w, int h) {
    QByteArray png = PngOf(QImage(2, 2, QImage::Format_RGB32));
    auto put = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) png[at + i] = char(v >> (24 - 8 * i));
    };
    put(16, uint32_t(w));
    put(20, uint32_t(h));
    put(29, Crc32(png.constData() + 12, 17));
    return png;
}

std::span<const uint8_t> Span(const QByteArray& b) {
    return {reinterpret_cast<const uint8_t*>(b.constData()), size_t(b.size())};
}

}  // namespace

TEST(PntImageBytes, ImagesBeyondTheLimitsAreRefusedBeforeDecoding) {
    QImage out;
    std::string error;
    ASSERT_TRUE(pnt::DecodeImageBytes(Span(PngOf(QImage(40, 30, QImage::Format_RGB32))), out, &error)) << error;
    EXPECT_EQ(out.size(), QSize(40, 30));
    EXPECT_FALSE(pnt::DecodeImageBytes(Span(PngClaiming(100000, 100000)), out, &error));
    EXPECT_NE(error.find("at most"), std::string::npos) << error;
    EXPECT_FALSE(pnt::DecodeImageBytes({}, out, &error));
    const QByteArray junk("not an image at all");
    EXPECT_FALSE(pnt::DecodeImageBytes(Span(junk), out, &error));
}

TEST(PntImageBytes, ClipboardDataIsCheckedLikeFiles) {
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    std::unique_ptr<QMimeData> ours(pnt::MimeDataForImage(red));
    EXPECT_TRUE(ours->hasFormat("image/bmp"));
    EXPECT_TRUE(ours->hasFormat("image/png"));
    QImage out;
    std::string error;
    ASSERT_TRUE(pnt::ImageFromMimeData(ours.get(), out, &error)) << error;
    EXPECT_EQ(out.size(), QSize(3, 2));
    EXPECT_EQ(out.pixel(2, 1), qRgb(255, 0, 0));

    // Another program's damaged bitmap and huge PNG are refused; nothing is left to use.
    QMimeData theirs;
    QByteArray bmp = ours->data("image/bmp");
    bmp.truncate(30);
    theirs.setData("image/bmp", bmp);
    theirs.setData("image/png", PngClaiming(9000, 9000));
    EXPECT_TRUE(pnt::MimeDataHasImage(&theirs));
    EXPECT_FALSE(pnt::ImageFromMimeData(&theirs, out, &error));
    EXPECT_FALSE(error.empty());
    // A good PNG next to a damaged bitmap is taken.
    theirs.setData("image/png", PngOf(red));
    EXPECT_TRUE(pnt::ImageFromMimeData(&theirs, out, &error)) << error;
    QMimeData text;
    text.setText("hello");
    EXPECT_FALSE(pnt::MimeDataHasImage(&text));
    EXPECT_FALSE(pnt::ImageFromMimeData(&text, out, &error));
    EXPECT_FALSE(pnt::ImageFromMimeData(nullptr, out, &error));
}

TEST(PntImageFiles, SavedAsBmpOrPngAndOpenedAgain) {
    const std::string dir = vxtest::TempDir();
    const CDIBSection img = vxtest::ImageFromArt({"#rg", "by."}, 8);
    std::string error;
    ASSERT_TRUE(pnt::SaveImageFile(dir + "/a.png", img, &error)) << error;
    ASSERT_TRUE(pnt::SaveImageFile(dir + "/a.bmp", img, &error)) << error;
    EXPECT_EQ(vxtest::ReadAll(dir + "/a.png").at(1), 'P');
    EXPECT_EQ(vxtest::ReadAll(dir + "/a.bmp").at(0), 'B');
    CDIBSection png, bmp;
    ASSERT_TRUE(pnt::LoadImageFile(dir + "/a.png", png, &error)) << error;
    ASSERT_TRUE(pnt::LoadImageFile(dir + "/a.bmp", bmp, &error)) << error;
    EXPECT_EQ(vxtest::ArtOf(png), vxtest::ArtOf(img));
    EXPECT_EQ(png.bitCount(), 24);
    EXPECT_EQ(bmp, img) << "a bitmap file keeps its depth and table";
    // A failed save leaves the old file.
    const auto old = vxtest::ReadAll(dir + "/a.bmp");
    EXPECT_FALSE(pnt::SaveImageFile(dir + "/a.bmp", CDIBSection(), &error));
    EXPECT_FALSE(pnt::SaveImageFile(dir + "/missing/a.bmp", img, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(vxtest::ReadAll(dir + "/a.bmp"), old);
    vxtest::WriteText(dir + "/junk.png", "junk");
    EXPECT_FALSE(pnt::LoadImageFile(dir + "/junk.png", png, &error));
    EXPECT_EQ(vxtest::ArtOf(png), vxtest::ArtOf(img)) << "unchanged";
}
