// The UML sample (samples/uml.vxw): what the generator writes, every
// element on it, lines attached between them, and a page that prints with
// its class boxes as they were stored.
#include <gtest/gtest.h>

#include <QImage>
#include <map>

#include "model/Connection.h"
#include "model/HyperOleDoc.h"
#include "samples/UmlSample.h"
#include "support/TestSupport.h"
#include "uml/ClassOb.h"
#include "view/PagePainter.h"

namespace {

const std::string kShipped = std::string(VX_SAMPLES_DIR) + "/uml.vxw";

}  // namespace

TEST(UmlSample, TheShippedFileIsWhatTheGeneratorWrites) {
    const std::string dir = vxtest::TempDir();
    ASSERT_TRUE(WriteUmlSample(dir));
    const std::vector<uint8_t> shipped = vxtest::ReadAll(kShipped);
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(vxtest::ReadAll(dir + "/uml.vxw"), shipped) << "uml.vxw is out of date: run vx_samplegen samples";
}

TEST(UmlSample, ShowsEveryElementJoinedByLines) {
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromFile(kShipped).status, LoadResult::kOk);
    CHyperPage& page = doc.mainPage();
    std::map<std::string, int> classes;
    int attached = 0;
    for (size_t i = 0; i < page.Count(); ++i) {
        CHyperOb* ob = page.At(i);
        ++classes[ob->ClassName()];
        if (CConnection* c = ob->GetConnection(); c && c->ends[0].IsAttached() && c->ends[1].IsAttached())
            ++attached;
    }
    for (const char* name : {"CActorOb", "CUseCaseOb", "CPackageOb", "CComponentOb", "CNodeOb", "CNoteOb"})
        EXPECT_GE(classes[name], 1) << name;
    EXPECT_GE(classes["CClassOb"], 2);
    EXPECT_GE(attached, 7);
    // The class boxes are stored big enough for their compartments: printing
    // the page grows none of them.
    std::map<std::string, CRect> boxes;
    for (size_t i = 0; i < page.Count(); ++i)
        if (auto* c = DynamicDowncast<CClassOb>(page.At(i))) boxes[c->GetCode()] = c->Rect();
    const CPagePainter painter(page);
    const CSize extent = painter.PrintExtent();
    QImage paper(extent.cx, extent.cy, QImage::Format_RGB32);
    painter.RenderAsPrinted(&paper, 1.0);
    for (const auto& [code, rect] : boxes) EXPECT_EQ(page.FindObjectByCode(code)->Rect(), rect) << code;
}
