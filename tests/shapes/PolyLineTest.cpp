// Polylines and contours: normalising, fitting, opening and closing,
// vertex deletion, hit testing, drawing and records of every version.
#include <gtest/gtest.h>

#include <cstring>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "shapes/PolyLineOb.h"

using namespace shapetest;

namespace {

std::vector<uint8_t> Bytes(CPolyLineOb& ob) {
    CArchive out;
    ob.Serialize(out);
    return out.Buffer();
}

size_t Find(const std::vector<uint8_t>& buf, uint32_t dword) {
    for (size_t i = 0; i + 4 <= buf.size(); ++i)
        if (std::memcmp(buf.data() + i, &dword, 4) == 0) return i;
    return SIZE_MAX;
}

const std::vector<CPoint> kSquare = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};

}  // namespace

TEST(PolyLine, NormalisingKeepsVerticesRelativeToTheCentre) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}});
    EXPECT_EQ(ob->Rect(), CRect(0, 0, 100, 50));
    EXPECT_EQ(ob->Centre(), CPoint(50, 25));
    EXPECT_EQ(ob->Points(), (std::vector<CPoint>{{-50, -25}, {50, -25}, {50, 25}}));

    // A vertical polyline gets a box one unit wide.
    CPolyLineOb* v = Poly(page, {{10, 0}, {10, 40}});
    EXPECT_EQ(v->Rect(), CRect(10, 0, 11, 40));

    // Moving the rectangle moves the figure without touching the array.
    ob->Move(10, 20);
    EXPECT_EQ(ob->Points(), (std::vector<CPoint>{{-50, -25}, {50, -25}, {50, 25}}));
    EXPECT_EQ(ob->GetPointAt(0), CPoint(10, 20));
    EXPECT_EQ(ob->GetPointAt(3), CPoint(0, 0));  // out of range

    // Negative coordinates: the centre's halves truncate toward zero.
    CPolyLineOb* neg = Poly(page, {{-101, -51}, {0, 0}});
    EXPECT_EQ(neg->Centre(), CPoint(-51, -26));
    EXPECT_EQ(PagePoints(*neg), (std::vector<CPoint>{{-101, -51}, {0, 0}}));
}

TEST(PolyLine, ResizingScalesAboutTheCentre) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}});
    ob->SetRect(CRect(-50, 0, 150, 50));
    ob->Update(1, 0);
    EXPECT_EQ(ob->Points(), (std::vector<CPoint>{{-100, -25}, {100, -25}, {100, 25}}));
    EXPECT_EQ(PagePoints(*ob), (std::vector<CPoint>{{-50, 0}, {150, 0}, {150, 50}}));
}

TEST(PolyLine, ClosingAndOpening) {
    CHyperPage page;
    EXPECT_TRUE(Poly(page, {{0, 0}, {10, 0}, {0, 0}})->IsClosed());
    EXPECT_FALSE(Poly(page, {{0, 0}, {0, 0}})->IsClosed());

    CPolyLineOb* sq = Poly(page, kSquare);
    ASSERT_TRUE(sq->IsClosed());
    sq->ToggleClosed(CPoint(-1, 1));
    EXPECT_FALSE(sq->IsClosed());
    ASSERT_EQ(sq->PointCount(), 5);
    EXPECT_EQ(sq->GetPointAt(0), CPoint(12, 12));
    EXPECT_EQ(sq->GetPointAt(4), CPoint(0, 0));

    sq->ToggleClosed(CPoint(-1, 1));
    EXPECT_TRUE(sq->IsClosed());
    ASSERT_EQ(sq->PointCount(), 6);
    EXPECT_EQ(sq->GetPointAt(5), CPoint(12, 12));

    // Opening at a vertex's handle makes that vertex the first.
    CPolyLineOb* at = Poly(page, kSquare);
    at->ToggleClosed(CPoint(100, 100));
    EXPECT_FALSE(at->IsClosed());
    EXPECT_EQ(PagePoints(*at),
              (std::vector<CPoint>{{87, 87}, {0, 100}, {0, 0}, {100, 0}, {100, 100}}));
}

TEST(PolyLine, DeletingVerticesKeepsContoursClosed) {
    CHyperPage page;
    CPolyLineOb* sq = Poly(page, kSquare);
    ASSERT_TRUE(sq->CanDeletePoint());
    sq->DeletePoint(0);
    ASSERT_EQ(sq->PointCount(), 4);
    EXPECT_TRUE(sq->IsClosed());
    EXPECT_EQ(sq->Points().front(), sq->Points().back());
    // A closed contour keeps at least 3 vertices.
    ASSERT_TRUE(sq->CanDeletePoint());
    sq->DeletePoint(3);
    EXPECT_EQ(sq->PointCount(), 3);
    EXPECT_TRUE(sq->IsClosed());
    EXPECT_FALSE(sq->CanDeletePoint());

    CPolyLineOb* open = Poly(page, {{0, 0}, {10, 10}});
    EXPECT_FALSE(open->CanDeletePoint());
}

TEST(PolyLine, HitTesting) {
    CHyperPage page;
    // Open: near a segment only, 5 units at zoom 100.
    CPolyLineOb* open = Poly(page, {{0, 0}, {100, 0}, {100, 100}});
    EXPECT_EQ(open->HitTest(50, 5), vx::kHitInside);
    EXPECT_EQ(open->HitTest(95, 50), vx::kHitInside);
    EXPECT_EQ(open->HitTest(94, 50), vx::kHitNone);
    EXPECT_EQ(open->HitTest(50, 50), vx::kHitNone);

    // A filled contour is hit inside its polygon, not in the rest of its box.
    CPolyLineOb* tri = Poly(page, {{0, 200}, {100, 200}, {0, 300}, {0, 200}});
    tri->SetBackColor(kRed);
    EXPECT_EQ(tri->HitTest(20, 220), vx::kHitInside);
    EXPECT_EQ(tri->HitTest(90, 290), vx::kHitNone);
    // A hollow one only near its outline.
    tri->SetBackColor(-1);
    EXPECT_EQ(tri->HitTest(20, 220), vx::kHitNone);
    EXPECT_EQ(tri->HitTest(50, 251), vx::kHitInside);
}

TEST(PolyLine, Drawing) {
    CHyperPage page;
    CPolyLineOb* open = Poly(page, {{10, 10}, {60, 10}, {60, 60}});
    open->SetForeColor(kBlack);
    CPolyLineOb* tri = Poly(page, {{100, 10}, {180, 10}, {100, 90}, {100, 10}});
    tri->SetForeColor(kBlack);
    tri->SetBackColor(kRed);
    const QImage img = PaintPage(page, 200, 100);
    EXPECT_EQ(Px(img, 35, 10), kBlack);
    EXPECT_EQ(Px(img, 60, 35), kBlack);
    // An open polyline is never filled.
    EXPECT_EQ(Px(img, 50, 30), kWhite);
    EXPECT_EQ(Px(img, 110, 30), kRed);
    EXPECT_EQ(Px(img, 170, 80), kWhite);

    // Transparent with pen width 0: nothing at all.
    CHyperPage blank;
    CPolyLineOb* none = Poly(blank, {{10, 10}, {60, 10}, {60, 60}});
    none->SetPenWidth(0);
    none->setArrowhead(C1DOb::kHeadAtSecond);
    EXPECT_EQ(Count(PaintPage(blank, 100, 100), kWhite), 100 * 100);
}

TEST(PolyLine, ArrowheadsOnOpenPolylinesOnly) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{10, 50}, {90, 50}});
    ob->SetForeColor(kBlack);
    ob->setArrowhead(1);  // head on the first vertex
    const QImage first = PaintPage(page, 100, 100);
    EXPECT_EQ(Px(first, 16, 48), kBlack);
    EXPECT_EQ(Px(first, 84, 48), kWhite);
    ob->setArrowhead(2);  // head on the last vertex
    const QImage last = PaintPage(page, 100, 100);
    EXPECT_EQ(Px(last, 16, 48), kWhite);
    EXPECT_EQ(Px(last, 84, 48), kBlack);
}

TEST(PolyLine, RecordRoundTripIsByteExact) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}, {-30, 70}});
    ob->SetPenWidth(3);
    ob->SetPenStyle(2);
    ob->SetBackColor(kBlue);
    ob->SetHatchStyle(4);
    ob->SetShadowStyle(3);
    ob->setArrowhead(3);
    ob->setArrowheadHeight(12);
    const std::vector<uint8_t> bytes = Bytes(*ob);
    uint32_t tag;
    std::memcpy(&tag, bytes.data(), 4);
    EXPECT_EQ(tag, CArchive::kTagBase | 99u);
    EXPECT_NE(Find(bytes, CPolyLineOb::kShapeDataMarker), SIZE_MAX);
    // The part ends with the hatch-and-shadow word, the count and vertices.
    const size_t tail = bytes.size() - 4 * 8 - 2 - 4;
    uint32_t hs;
    std::memcpy(&hs, bytes.data() + tail, 4);
    EXPECT_EQ(hs, 4u | (3u << 16));
    EXPECT_EQ(bytes[tail + 4], 4);
    EXPECT_EQ(bytes[tail + 5], 0);

    auto back = RoundTrip(*ob);
    EXPECT_EQ(back->Points(), ob->Points());
    EXPECT_EQ(back->Rect(), ob->Rect());
    EXPECT_EQ(back->hatchStyle(), 4);
    EXPECT_EQ(back->shadowStyle(), 3);
    EXPECT_EQ(Bytes(*back), bytes);
}

TEST(PolyLine, OlderRecordWithoutTagAndSnapSet) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}});
    const std::vector<uint8_t> now = Bytes(*ob);
    // The older layout: no tag of its own, an older shape-data section in
    // place of the marker, no snap-point set.
    CArchive emptySet;
    CPolyLineOb().snapList().set().Serialize(emptySet);
    const size_t marker = Find(now, CPolyLineOb::kShapeDataMarker);
    ASSERT_NE(marker, SIZE_MAX);
    CArchive old;
    old.WriteBytes(now.data() + 4, marker - 4);
    old.WriteDword(7);
    old.WriteByte(1);
    old.WriteWord(2);
    old.WriteWord(5);
    old.WriteString("a");
    old.WriteWord(6);
    old.WriteString("bc");
    const size_t rest = marker + 4 + emptySet.Buffer().size();
    old.WriteBytes(now.data() + rest, now.size() - rest);

    CArchive in(old.Buffer());
    CPolyLineOb back;
    back.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_FALSE(back.legacyRecord());
    EXPECT_EQ(back.Points(), ob->Points());
    EXPECT_EQ(back.loadedVersion(), 8);
}

TEST(PolyLine, HostileVertexCountFailsBeforeAllocating) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}});
    std::vector<uint8_t> bytes = Bytes(*ob);
    const size_t count = bytes.size() - 2 * 8 - 2;
    bytes[count] = 0xFF;
    bytes[count + 1] = 0xFF;
    CArchive in(bytes);
    CPolyLineOb back;
    // Refused at the count, not by running out of bytes after allocating.
    try {
        back.Serialize(in);
        ADD_FAILURE() << "the record was read";
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("remaining bytes can hold"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(back.PointCount(), 0);
}

TEST(PolyLine, MoreVerticesThanTheRecordHoldsFailTheSave) {
    CHyperPage page;
    std::vector<CPoint> pts(CBasePolyOb::kMaxPoints + 1);
    for (size_t i = 0; i < pts.size(); ++i) pts[i] = CPoint(int(i % 1000), int(i / 1000));
    CPolyLineOb* ob = Poly(page, pts);
    CArchive out;
    try {
        ob->Serialize(out);
        ADD_FAILURE() << "the save succeeded";
    } catch (const CArchiveException& e) {
        EXPECT_NE(std::string(e.what()).find("65536"), std::string::npos) << e.what();
    }
    // The largest count still stores and reads back.
    pts.pop_back();
    CPolyLineOb* max = Poly(page, pts);
    EXPECT_EQ(RoundTrip(*max)->PointCount(), 65535);
}

TEST(PolyLine, DefaultTriangle) {
    CPolyLineOb ob;
    ob.ApplyViewDefaults();
    EXPECT_EQ(ob.Rect(), CRect(50, 50, 100, 100));
    EXPECT_TRUE(ob.IsClosed());
    EXPECT_EQ(ob.GetTypeName(), "Polyline");
}

TEST(PolyLine, VerticesStoredFarOutAreDrawnHitAndReportedWithoutOverflow) {
    CHyperPage page;
    CPolyLineOb* ob = Poly(page, {{0, 0}, {100, 0}, {100, 50}});
    std::vector<uint8_t> bytes = Bytes(*ob);
    // The last vertex's x, the record's last coordinate pair.
    const int32_t far = INT32_MAX;
    std::memcpy(bytes.data() + bytes.size() - 8, &far, 4);
    CArchive in(bytes);
    auto back = std::make_unique<CPolyLineOb>();
    back->Serialize(in);
    CPolyLineOb* b = back.get();
    page.Insert(std::move(back));
    // Centre plus vertex saturates instead of wrapping round.
    EXPECT_EQ(b->GetPointAt(2).x, INT32_MAX);
    (void)b->HitTest(INT32_MIN, INT32_MAX);
    (void)b->HitBody(60, 0, 8);
    // Drawing converts the vertices to the page and back: they come back
    // exactly as stored.
    const std::vector<CPoint> before = b->Points();
    (void)PaintPage(page, 100, 100);
    EXPECT_EQ(b->Points(), before);
    EXPECT_EQ(Bytes(*b), bytes);
}
