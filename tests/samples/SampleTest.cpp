// The sample designs shipped in samples/: they are what the generator
// writes, and the welcome design shows the shapes on screen and on paper.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <map>

#include "model/Connection.h"
#include "model/HyperOleDoc.h"
#include "model/HyperViewOb.h"
#include "model/LayerFmt.h"
#include "samples/ShapesSample.h"
#include "samples/TextSample.h"
#include "samples/WelcomeSample.h"
#include "shapes/ShapeClasses.h"
#include "support/TestSupport.h"
#include "view/PageExport.h"
#include "view/PagePainter.h"

namespace {

QByteArray Read(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string Shipped(const char* name) {
    return std::string(VX_SAMPLES_DIR) + "/" + name;
}

class Samples : public ::testing::Test {
protected:
    void SetUp() override { RegisterShapeClasses(); }
};

TEST_F(Samples, TheShippedFilesAreWhatTheGeneratorWrites) {
    const std::string dir = vxtest::TempDir();
    ASSERT_TRUE(WriteWelcomeSample(dir));
    ASSERT_TRUE(WriteShapesSample(dir));
    ASSERT_TRUE(WriteTextSample(dir));
    for (const char* name : {"welcome.vxw", "shapes.vxw", "text.vxw"}) {
        const QByteArray shipped = Read(Shipped(name));
        ASSERT_FALSE(shipped.isEmpty()) << name;
        EXPECT_EQ(Read(dir + "/" + name), shipped)
            << name << " is out of date: run vx_samplegen samples";
    }
}

TEST_F(Samples, TheWelcomeDesignShowsWhatTheShapesCanDo) {
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromFile(Shipped("welcome.vxw")).status, LoadResult::kOk);
    const CHyperPage& page = doc.mainPage();
    std::map<std::string, int> classes;
    int attachedLines = 0, captions = 0, grouped = 0;
    for (size_t i = 0; i < page.Count(); ++i) {
        CHyperOb* ob = page.At(i);
        ++classes[ob->ClassName()];
        if (CConnection* c = ob->GetConnection();
            c && c->ends[0].IsAttached() && c->ends[1].IsAttached())
            ++attachedLines;
        std::string text;
        if (ob->GetText(text) && !text.empty()) ++captions;
        if (ob->groupId() >= 0) ++grouped;
    }
    EXPECT_EQ(classes.count("CHyperOb"), 0u) << "plain objects draw nothing";
    for (const char* name : {"CRectOb", "CBorderOb", "CCircleOb", "CArcOb", "CLineOb", "CHiliteOb"})
        EXPECT_GE(classes[name], 1) << name;
    EXPECT_GE(attachedLines, 3);
    EXPECT_GE(captions, 3);
    EXPECT_GE(grouped, 2);
    ASSERT_NE(page.layers(), nullptr);
    EXPECT_EQ(page.layers()->size(), 2u);
    EXPECT_FALSE(doc.frameObject()->title.empty());

    // On paper at least a fifth of the page is drawn on.
    const CPagePainter painter(const_cast<CHyperPage&>(page));
    const CSize extent = painter.PrintExtent();
    QImage paper(extent.cx, extent.cy, QImage::Format_RGB32);
    painter.RenderAsPrinted(&paper, 1.0);
    int inked = 0;
    for (int y = 0; y < paper.height(); ++y)
        for (int x = 0; x < paper.width(); ++x) inked += (paper.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_GT(inked, paper.width() * paper.height() / 5);
}

TEST_F(Samples, TheTextDesignExportsWithSearchableText) {
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromFile(Shipped("text.vxw")).status, LoadResult::kOk);
    CHyperPage& page = doc.mainPage();
    std::map<std::string, int> classes;
    for (size_t i = 0; i < page.Count(); ++i) ++classes[page.At(i)->ClassName()];
    EXPECT_GE(classes["CTextOb"], 10);
    EXPECT_GE(classes["CBitmapOb"], 6);
    const std::string dir = vxtest::TempDir();
    ASSERT_EQ(vx::ExportPage(page, dir + "/text.svg"), "");
    ASSERT_EQ(vx::ExportPage(page, dir + "/text.png"), "");
    // Text in SVG stays text (one wrapped line of the paragraph).
    const QByteArray svg = Read(dir + "/text.svg");
    EXPECT_TRUE(svg.contains(">A text block wraps its words at the<"))
        << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains(">Vertical up<"));
    EXPECT_TRUE(svg.contains("font-family=\"Courier New\""));
    QImage png(QString::fromStdString(dir + "/text.png"));
    ASSERT_FALSE(png.isNull());
    // The stretched picture's red square is drawn.
    int red = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) red += (png.pixel(x, y) & 0xFFFFFF) == 0xD22828;
    EXPECT_GT(red, 1000);
}

}  // namespace
