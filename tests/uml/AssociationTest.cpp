// The association: end symbols drawn at the first and last point (boxes
// upright, solid or with the line's brush), arrows through the arrowhead
// attribute, the property sheet, automation, the tool and the records.
#include <gtest/gtest.h>

#include <cstring>

#include "../shapes/ShapeTestSupport.h"
#include "fuzz/ReadWrite.h"
#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "model/PropChoice.h"
#include "model/PropOb.h"
#include "platform/PainterDC.h"
#include "platform/RecordingDC.h"
#include "shapes/BorderOb.h"
#include "shapes/ShapePropIds.h"
#include "uml/UmlClasses.h"
#include "uml/UmlPropIds.h"
#include "uml/VexelConn.h"

using namespace shapetest;

namespace {

// An association ending at (100, 50), drawn without a page.
std::unique_ptr<CVexelConn> EndingAt100x50(int endSymbol, int fill = CVexelConn::kSolid) {
    auto a = std::make_unique<CVexelConn>();
    a->SetPagePoints({{20, 50}, {100, 50}});
    a->setArrowheadHeight(8);
    a->setEndSymbol(endSymbol);
    a->setFillStyle(fill);
    a->SetForeColor(kBlue);
    return a;
}

QImage Draw(CVexelConn& a, int w = 140, int h = 100) {
    QImage img = Canvas(w, h);
    CPainterDC dc(&img);
    a.DrawShape(dc);
    return img;
}

std::string Recorded(CVexelConn& a) {
    CRecordingDC dc(CSize(200, 200));
    a.DrawShape(dc);
    return dc.Text();
}

// Bounds of the pixels that are not white, leaving out row `skipRow`.
CRect InkBounds(const QImage& img, int skipRow) {
    CRect r;
    bool any = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (y == skipRow || Px(img, x, y) == kWhite) continue;
            const CRect px(x, y, x + 1, y + 1);
            if (any)
                r.UnionRect(r, px);
            else
                r = px;
            any = true;
        }
    return r;
}

std::vector<uint8_t> Bytes(CHyperOb& ob) {
    CArchive out;
    ob.Serialize(out);
    return out.Buffer();
}

}  // namespace

TEST(AssociationSymbols, CircleAndRectangleFillTheBoxAroundTheEnd) {
    for (int symbol : {CVexelConn::kCircle, CVexelConn::kRectangle}) {
        auto a = EndingAt100x50(symbol);
        const QImage img = Draw(*a);
        // Off the line's row every mark is the symbol's, inside (96, 46)-(104, 54).
        const CRect ink = InkBounds(img, 50);
        if (symbol == CVexelConn::kRectangle)
            EXPECT_EQ(ink, CRect(96, 46, 104, 54));
        else {
            CRect within;
            within.UnionRect(ink, CRect(96, 46, 104, 54));
            EXPECT_EQ(within, CRect(96, 46, 104, 54)) << symbol;
        }
        EXPECT_GE(ink.Width(), 7);
        EXPECT_EQ(Px(img, 100, 50), kBlack) << symbol;  // solid fill
        EXPECT_EQ(a->arrowhead(), 0);
    }
    auto c = EndingAt100x50(CVexelConn::kCircle);
    EXPECT_NE(Recorded(*c).find("Ellipse 96,46,104,54"), std::string::npos) << Recorded(*c);
    auto r = EndingAt100x50(CVexelConn::kRectangle);
    EXPECT_NE(Recorded(*r).find("Rectangle 96,46,104,54"), std::string::npos) << Recorded(*r);
}

TEST(AssociationSymbols, DiamondPoints) {
    auto a = EndingAt100x50(CVexelConn::kBrackets);
    EXPECT_NE(Recorded(*a).find("Polygon 100,44 95,50 100,55 104,50"), std::string::npos)
        << Recorded(*a);
    const QImage img = Draw(*a);
    EXPECT_EQ(Px(img, 100, 50), kBlack);  // filled
    EXPECT_NE(Px(img, 100, 44), kWhite);  // the top corner
    EXPECT_NE(Px(img, 95, 50), kWhite);   // the left corner
}

TEST(AssociationSymbols, OutlineUsesTheLineBrushAndStaysUpright) {
    auto a = EndingAt100x50(CVexelConn::kRectangle, CVexelConn::kOutline);
    // A diagonal last segment: the square stays axis-aligned.
    a->SetPagePoints({{20, 10}, {100, 50}});
    const QImage img = Draw(*a);
    EXPECT_EQ(Count(img, kBlack), 0);
    EXPECT_EQ(Px(img, 96, 46), kBlue);
    EXPECT_EQ(Px(img, 103, 53), kBlue);
    EXPECT_EQ(Px(img, 96, 53), kBlue);
}

TEST(AssociationSymbols, BothArrowsAppearAndTheAttributeIsLeftAtTwo) {
    auto a = EndingAt100x50(CVexelConn::kArrow, CVexelConn::kOutline);
    a->setBeginSymbol(CVexelConn::kArrow);
    a->setArrowheadHeight(12);
    const std::string drawn = Recorded(*a);
    EXPECT_EQ(a->arrowhead(), 2);
    EXPECT_EQ(a->arrowheadStyle(), CVexelConn::kOutline);
    // A head at each end.
    size_t heads = 0;
    for (size_t at = drawn.find("Polygon"); at != std::string::npos;
         at = drawn.find("Polygon", at + 1))
        ++heads;
    EXPECT_EQ(heads, 2u) << drawn;
    EXPECT_NE(drawn.find("Polygon 20,50"), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("Polygon 100,50"), std::string::npos) << drawn;
}

TEST(AssociationSymbols, NoSymbolsLooksLikeAPlainConnector) {
    auto a = EndingAt100x50(CVexelConn::kNone);
    CConnectOb plain;
    plain.SetPagePoints({{20, 50}, {100, 50}});
    plain.SetForeColor(kBlue);
    QImage expected = Canvas(140, 100);
    CPainterDC dc(&expected);
    plain.DrawShape(dc);
    EXPECT_EQ(Draw(*a), expected);
}

TEST(Association, PropertySheetShowsSymbolsInsteadOfArrowheads) {
    CVexelConn a;
    CPropList list;
    a.AddProperties(list, true);
    for (int id : {vx::prop::kArrowhead, vx::prop::kArrowheadHeight, vx::prop::kArrowheadStyle})
        EXPECT_EQ(list.Find(id), nullptr) << id;
    auto* begin = dynamic_cast<CPropCombo*>(list.Find(vx::prop::kSymbolBegin));
    ASSERT_NE(begin, nullptr);
    std::vector<std::string> names;
    for (const auto& c : begin->choices()) names.push_back(c.text + "=" + std::to_string(c.value));
    EXPECT_EQ(names, (std::vector<std::string>{"None=0", "Circle=1", "Brackets=2", "Arrow=3",
                                               "Rectangle=4"}));
    ASSERT_NE(list.Find(vx::prop::kSymbolEnd), nullptr);
    auto* height = dynamic_cast<CPropInt*>(list.Find(vx::prop::kSymbolHeight));
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->lower, 2);
    EXPECT_EQ(height->upper, 32);
    auto* fill = dynamic_cast<CPropCombo*>(list.Find(vx::prop::kSymbolFillStyle));
    ASSERT_NE(fill, nullptr);
    ASSERT_EQ(fill->choices().size(), 3u);
    EXPECT_EQ(fill->choices()[2].text, "Open");
    EXPECT_NE(list.Find(vx::prop::kText), nullptr);
    EXPECT_NE(list.Find(vx::prop::kAlignment), nullptr);
}

TEST(Association, ToolTypeNameAndAutomation) {
    size_t n = 0;
    const vx::uml::ElementTool* tools = vx::uml::ElementTools(n);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(tools[0].id, 10000);
    EXPECT_EQ(tools[0].objectClass, &CVexelConn::classInfo);
    auto made = CClassRegistry::Instance().Create("CVexelConn");
    auto* a = dynamic_cast<CVexelConn*>(made.get());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->GetTypeName(), "Association");
    EXPECT_TRUE(a->IsConnector());
    a->SetPagePoints({{0, 0}, {50, 0}});
    a->SetProperty("Text", vx::Variant(std::string("owns")));
    EXPECT_EQ(a->text(), "owns");
    EXPECT_EQ(a->GetProperty(vx::DISPID_VALUE).ToString(), "owns");
}

TEST(AssociationRecord, RoundTripIsByteExactAndOlderFormsRead) {
    CHyperPage page;
    auto owned = std::make_unique<CVexelConn>();
    CVexelConn* a = owned.get();
    a->SetCodeRaw("Association1");
    page.Insert(std::move(owned));
    a->SetPagePoints({{10, 10}, {90, 10}, {90, 70}});
    a->SetText("uses");
    a->setBeginSymbol(CVexelConn::kBrackets);
    a->setEndSymbol(CVexelConn::kArrow);
    a->setFillStyle(CVexelConn::kOpen);
    a->setArrowheadHeight(14);
    const std::vector<uint8_t> bytes = Bytes(*a);
    auto back = RoundTrip(*a);
    EXPECT_EQ(back->beginSymbol(), CVexelConn::kBrackets);
    EXPECT_EQ(back->endSymbol(), CVexelConn::kArrow);
    EXPECT_EQ(back->fillStyle(), CVexelConn::kOpen);
    EXPECT_EQ(back->arrowheadHeight(), 14);
    EXPECT_EQ(back->text(), "uses");
    EXPECT_EQ(Bytes(*back), bytes);
    // The symbols' part: tag 0 and three 32-bit values at the end.
    ASSERT_GE(bytes.size(), 16u);
    const uint8_t* tail = bytes.data() + bytes.size() - 16;
    uint32_t tag;
    std::memcpy(&tag, tail, 4);
    EXPECT_EQ(tag, CArchive::kTagBase);
    EXPECT_EQ(tail[4], 2);
    EXPECT_EQ(tail[8], 3);
    EXPECT_EQ(tail[12], 2);
    // Without the symbols' part the association reads with no symbols.
    const std::vector<uint8_t> older(bytes.begin(), bytes.end() - 16);
    CArchive in(older);
    CVexelConn old;
    old.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(old.endSymbol(), CVexelConn::kNone);
    EXPECT_EQ(old.text(), "uses");
    // Every cut is an error or an older record, never a crash.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut));
        CArchive pin(part);
        CVexelConn p;
        try {
            p.Serialize(pin);
        } catch (const CArchiveException&) {
            continue;
        }
        EXPECT_LT(pin.Remaining(), 4u) << cut;
    }
    // A copy writes what the original writes.
    EXPECT_EQ(Bytes(*a->Clone()), bytes);
}

TEST(Association, ConnectsTwoElementsAndFollowsOne) {
    CHyperPage page;
    Place<CBorderOb>(page, "A", CRect(100, 100, 200, 160));
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(400, 100, 500, 160));
    auto owned = std::make_unique<CVexelConn>();
    CVexelConn* a = owned.get();
    a->SetCodeRaw("Association1");
    page.Insert(std::move(owned));
    a->SetPagePoints({{200, 130}, {400, 130}});
    a->Update(1, 0);
    ASSERT_EQ(a->GetConnection()->ends[1].target, "B");
    b->Move(0, 60);
    b->Update(1, 0);
    EXPECT_EQ(a->EndAt(1), CPoint(400, 190));
    EXPECT_EQ(a->EndAt(0), CPoint(200, 130));
}

TEST(AssociationRecord, ADesignWithConnectorsReopensAttachedAndPassesTheFuzzCheck) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    Place<CBorderOb>(page, "A", CRect(100, 100, 200, 160));
    Place<CBorderOb>(page, "B", CRect(400, 100, 500, 160));
    auto conn = std::make_unique<CConnectOb>();
    CConnectOb* c = conn.get();
    c->SetCodeRaw("Connector1");
    page.Insert(std::move(conn));
    c->SetPagePoints({{200, 130}, {400, 130}});
    c->SetText("flows");
    c->Update(1, 0);
    auto assoc = std::make_unique<CVexelConn>();
    CVexelConn* a = assoc.get();
    a->SetCodeRaw("Association1");
    page.Insert(std::move(assoc));
    a->SetPagePoints({{150, 160}, {450, 160}});
    a->setEndSymbol(CVexelConn::kArrow);
    a->Update(1, 0);
    ASSERT_TRUE(a->GetConnection()->ends[0].IsAttached());
    const std::vector<uint8_t> bytes = doc.SaveToBytes();

    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    auto* c2 = DynamicDowncast<CConnectOb>(back.mainPage().FindObjectByCode("Connector1"));
    auto* a2 = DynamicDowncast<CVexelConn>(back.mainPage().FindObjectByCode("Association1"));
    ASSERT_NE(c2, nullptr);
    ASSERT_NE(a2, nullptr);
    // Read as saved: the same path and attachments, no route while reading.
    std::vector<CPoint> p1, p2;
    for (int i = 0; i < c->PointCount(); ++i) p1.push_back(c->GetPointAt(i));
    for (int i = 0; i < c2->PointCount(); ++i) p2.push_back(c2->GetPointAt(i));
    EXPECT_EQ(p2, p1);
    EXPECT_EQ(c2->GetConnection()->ends[1].target, "B");
    EXPECT_EQ(a2->endSymbol(), CVexelConn::kArrow);
    EXPECT_EQ(back.SaveToBytes(), bytes);

    EXPECT_EQ(vxfuzz::ReadAndWriteAgain(bytes.data(), bytes.size()), "");
    for (size_t cut = 0; cut < bytes.size(); cut += 7)
        EXPECT_EQ(vxfuzz::ReadAndWriteAgain(bytes.data(), cut), "") << cut;
}
