// Every sample design and every fuzz input drawn to PNG, SVG and PDF: the
// painter's device arithmetic meets whatever rectangles and pens the files
// hold (the sanitizers watch for overflow), and banded PNGs of real designs
// join without seams (up to the odd pixel of a clipped line).
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <cmath>

#include <unistd.h>

#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "shapes/ShapeClasses.h"
#include "uml/UmlClasses.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include "view/PageExport.h"
#include "view/PagePainter.h"

namespace {

std::vector<std::string> Files(const char* folder, const QStringList& patterns = {}) {
    std::vector<std::string> files;
    const QDir dir(QString::fromUtf8(folder));
    for (const QString& name : dir.entryList(patterns, QDir::Files, QDir::Name))
        files.push_back(vx::FromQString(dir.filePath(name)));
    return files;
}

// The page's own scale, lowered where the image would exceed `side` pixels,
// so that the run stays fast.
vx::ExportOptions SmallEnough(CHyperPage& page, int side) {
    const CPagePainter painter(page);
    const CSize extent = painter.PrintExtent();
    const double scale = painter.PrintScale(std::nullopt);
    const double longest = std::max(extent.cx, extent.cy) * scale;
    vx::ExportOptions options;
    if (longest > side) options.scale = scale * side / longest;
    return options;
}

// Some pixel at most one step from (x, y) has `colour`.
bool NearbyPixel(const QImage& img, int x, int y, QRgb colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (img.valid(x + dx, y + dy) && img.pixel(x + dx, y + dy) == colour) return true;
    return false;
}

}  // namespace

TEST(ExportCorpus, EverySampleAndFuzzInputExportsToEveryFormat) {
    RegisterShapeClasses();
    RegisterUmlClasses();
    std::vector<std::string> files = Files(VX_SAMPLES_DIR, {QStringLiteral("*.vxw")});
    ASSERT_GE(files.size(), 2u);
    for (const char* folder : {VX_FUZZ_DIR "/corpus", VX_FUZZ_DIR "/regressions"})
        for (const std::string& f : Files(folder)) files.push_back(f);
    const std::string dir = vxtest::TempDir();
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        CMyDoc doc;
        const LoadResult r = doc.LoadFromFile(file);
        if (r.status == LoadResult::kFailed) continue;
        const bool sample = file.rfind(VX_SAMPLES_DIR, 0) == 0;
        const vx::ExportOptions options = SmallEnough(doc.mainPage(), 600);
        for (const char* suffix : {"png", "svg", "pdf"}) {
            SCOPED_TRACE(suffix);
            const std::string out = dir + "/page." + suffix;
            const std::string err = vx::ExportPage(doc.mainPage(), out, options);
            // Only a page too large for any image may be refused.
            if (sample || err.empty()) {
                EXPECT_EQ(err, "");
                EXPECT_GT(vxtest::ReadAll(out).size(), 50u);
            } else {
                EXPECT_NE(err.find("too large"), std::string::npos) << err;
            }
            ::unlink(out.c_str());
        }
        EXPECT_TRUE(vxtest::FolderEntries(dir).empty());
    }
}

TEST(ExportCorpus, BandedSamplesMatchThePageDrawnAtOnce) {
    RegisterShapeClasses();
    RegisterUmlClasses();
    const std::string dir = vxtest::TempDir();
    for (const std::string& file : Files(VX_SAMPLES_DIR, {QStringLiteral("*.vxw")})) {
        SCOPED_TRACE(file);
        CMyDoc doc;
        ASSERT_EQ(doc.LoadFromFile(file).status, LoadResult::kOk);
        vx::ExportOptions options = SmallEnough(doc.mainPage(), 400);
        const CPagePainter painter(doc.mainPage());
        const CSize extent = painter.PrintExtent();
        const double scale = painter.PrintScale(options.scale);
        QImage whole(int(std::ceil(extent.cx * scale)), int(std::ceil(extent.cy * scale)),
                     QImage::Format_RGB32);
        painter.RenderAsPrinted(&whole, options.scale);
        // Bands of 13 rows cut through most shapes.
        options.bandPixels = int64_t(whole.width()) * 13;
        ASSERT_EQ(vx::ExportPage(doc.mainPage(), dir + "/page.png", options), "");
        const QImage png(QString::fromStdString(dir + "/page.png"));
        ASSERT_EQ(png.size(), whole.size());
        // Lines clipped at a band's edge may start a pixel apart; anything
        // else (a seam, a band drawn at the wrong place) shows as rows of
        // differences.
        const QImage banded = png.convertToFormat(QImage::Format_RGB32);
        int differ = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x) {
                if (banded.pixel(x, y) == whole.pixel(x, y)) continue;
                ++differ;
                EXPECT_TRUE(NearbyPixel(whole, x, y, banded.pixel(x, y))) << x << "," << y;
            }
        EXPECT_LE(differ, whole.width() / 20);
    }
}
