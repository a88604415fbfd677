// Exporting a page to an image file: a failed write leaves the old file,
// large PNGs are drawn in bands within a pixel limit, and objects far
// beyond any device are clamped, not wrapped.
#include <gtest/gtest.h>

#include <QImage>
#include <unistd.h>

#include <cerrno>

#include "model/GroupInfo.h"
#include "model/GroupOps.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "platform/SafeSave.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"
#include "view/PageExport.h"
#include "view/PagePainter.h"
#include "view/TestObjects.h"

namespace {

void SetPageSize(CHyperPage& page, int width, int height) {
    page.pageObject()->scrollBars = 1;
    page.pageObject()->scrollWidth = width;
    page.pageObject()->scrollHeight = height;
}

}  // namespace

TEST(PageExport, AFailedWriteLeavesTheOldFileForEveryFormat) {
    CHyperPage page;
    const std::string dir = vxtest::TempDir();
    const std::vector<uint8_t> before = {'o', 'l', 'd'};
    for (const char* suffix : {"png", "svg", "pdf"}) {
        SCOPED_TRACE(suffix);
        const std::string name = std::string("page.") + suffix;
        const std::string path = dir + "/" + name;
        EXPECT_EQ(vx::ExportPage(page, path), "");
        EXPECT_GT(vxtest::ReadAll(path).size(), 100u);
        vxtest::WriteAll(path, before);
        for (auto step : {vx::SafeSaveFaults::kWrite, vx::SafeSaveFaults::kSync, vx::SafeSaveFaults::kRename}) {
            vx::SafeSaveFaults::Arm(step, 1, ENOSPC);
            const std::string err = vx::ExportPage(page, path);
            vx::SafeSaveFaults::Clear();
            EXPECT_NE(err.find("out of disk space"), std::string::npos) << err;
            EXPECT_EQ(vxtest::ReadAll(path), before);
        }
        ::unlink(path.c_str());
    }
    EXPECT_TRUE(vxtest::FolderEntries(dir).empty());
}

// The pixel count of a PNG is capped, not only each side: a small design of
// a 32000-unit page is refused at once, naming the size and the PrintScale
// that fits, and leaves nothing behind. Vector formats keep the page.
TEST(PageExport, AHugePngIsRefusedWithTheScaleThatFits) {
    CHyperPage page;
    SetPageSize(page, 32000, 32000);
    const std::string dir = vxtest::TempDir();
    const std::string err = vx::ExportPage(page, dir + "/huge.png");
    EXPECT_NE(err.find("32000 x 32000 pixels"), std::string::npos) << err;
    EXPECT_NE(err.find("PrintScale"), std::string::npos) << err;
    EXPECT_NE(err.find("to 0.51 or less"), std::string::npos) << err;
    EXPECT_TRUE(vxtest::FolderEntries(dir).empty());

    page.pageObject()->printScale = 0.75;
    const std::string scaled = vx::ExportPage(page, dir + "/huge.png");
    EXPECT_NE(scaled.find("24000 x 24000 pixels"), std::string::npos) << scaled;
    EXPECT_NE(scaled.find("(now 0.75) to 0.51 or less"), std::string::npos) << scaled;
    // The suggested scale fits (shown here by the option that overrides it).
    vx::ExportOptions small;
    small.scale = 0.01;
    EXPECT_EQ(vx::ExportPage(page, dir + "/small.png", small), "");
    EXPECT_EQ(QImage(QString::fromStdString(dir + "/small.png")).size(), QSize(320, 320));
    EXPECT_EQ(vx::ExportPage(page, dir + "/huge.svg"), "");
}

// A PNG drawn band by band holds the same pixels as the page drawn at once,
// also where objects cross the edges between bands; the image keeps 96 dpi.
TEST(PageExport, BandsJoinIntoTheWholePage) {
    CHyperPage page;
    SetPageSize(page, 120, 90);
    page.pageObject()->color = vx::RGB(0, 128, 0);  // printed white
    vxtest::AddFilledOb(page, CRect(5, 3, 60, 40), vx::RGB(200, 0, 0));
    vxtest::AddFilledOb(page, CRect(30, 17, 115, 88), vx::RGB(0, 0, 200));
    vxtest::AddFilledOb(page, CRect(-20, 44, 8, 46), vx::RGB(10, 20, 30));
    QImage whole(120, 90, QImage::Format_RGB32);
    CPagePainter(page).RenderAsPrinted(&whole);

    const std::string dir = vxtest::TempDir();
    for (int64_t band : {int64_t(1), int64_t(120 * 7), int64_t(120 * 89), vx::kExportBandPixels}) {
        SCOPED_TRACE(band);
        vx::ExportOptions options;
        options.bandPixels = band;
        ASSERT_EQ(vx::ExportPage(page, dir + "/page.png", options), "");
        const QImage png(QString::fromStdString(dir + "/page.png"));
        ASSERT_EQ(png.size(), whole.size());
        EXPECT_EQ(png.dotsPerMeterX(), 3780);
        EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), whole);
    }
}

// A failed write of a banded PNG stops the export and keeps the old file.
TEST(PageExport, AFailedWriteOfABandedPngLeavesTheOldFile) {
    CHyperPage page;
    SetPageSize(page, 300, 300);
    for (int i = 0; i < 30; ++i) vxtest::AddFilledOb(page, CRect(i * 10, i * 7, i * 10 + 9, 300), vx::RGB(i * 8, 99, 7 * i));
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/page.png";
    const std::vector<uint8_t> before = {'o', 'l', 'd'};
    vxtest::WriteAll(path, before);
    vx::ExportOptions options;
    options.bandPixels = 300;
    vx::SafeSaveFaults::SetMaxWriteBytes(64);
    vx::SafeSaveFaults::Arm(vx::SafeSaveFaults::kWrite, 3, ENOSPC);
    const std::string err = vx::ExportPage(page, path, options);
    const int writes = vx::SafeSaveFaults::Calls(vx::SafeSaveFaults::kWrite);
    vx::SafeSaveFaults::Clear();
    EXPECT_NE(err.find("out of disk space"), std::string::npos) << err;
    EXPECT_EQ(writes, 3);  // nothing more was tried after the failure
    EXPECT_EQ(vxtest::ReadAll(path), before);
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"page.png"});
}

// Objects whose repaint rectangle (here a group's, which is not held to 16
// bits) spans the whole coordinate range map past the 32-bit limits at 300
// dpi; their device rectangles stay clamped instead of wrapping.
TEST(PageExport, AnObjectBeyondEveryLimitIsDrawnClamped) {
    CHyperPage page;
    SetPageSize(page, 100, 80);
    std::vector<CHyperOb*> members = {
        vxtest::AddFilledOb(page, CRect(INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX), vx::RGB(0, 0, 0)),
        vxtest::AddFilledOb(page, CRect(10, 10, 20, 20), vx::RGB(0, 0, 0))};
    CGroupState state;
    ASSERT_GE(CGroupOps::Group(page, members, state, true), 0);
    ASSERT_NE(members[0]->groupInfo(), nullptr);
    members[0]->groupInfo()->rect = CRect(INT32_MIN + 1, INT32_MIN + 1, INT32_MAX - 1, INT32_MAX - 1);
    const std::string dir = vxtest::TempDir();
    for (const char* suffix : {"png", "svg", "pdf"}) {
        SCOPED_TRACE(suffix);
        EXPECT_EQ(vx::ExportPage(page, dir + "/far." + suffix), "");
    }
    const QImage png(QString::fromStdString(dir + "/far.png"));
    ASSERT_EQ(png.size(), QSize(100, 80));
    EXPECT_EQ(png.pixel(50, 40) & 0xFFFFFF, 0u);
}
