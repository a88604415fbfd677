// Straight lines: diagonal code and direction, ends, slope, rotation, hit
// testing, arrowhead geometry, records of every version.
#include <gtest/gtest.h>

#include <cmath>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/PropIds.h"
#include "model/PropItems.h"
#include "shapes/LineOb.h"
#include "shapes/ShapePropIds.h"
#include "support/FakeViewLink.h"
#include "support/TestSupport.h"

using vx::Variant;

namespace {

CLineOb* Line(CHyperPage& page, CPoint a, CPoint b, int arrowhead = 0) {
    auto owned = std::make_unique<CLineOb>();
    CLineOb* line = owned.get();
    page.Insert(std::move(owned));
    line->setArrowhead(arrowhead);
    line->SetEndPoints(a.x, a.y, b.x, b.y);
    return line;
}

}  // namespace

TEST(Line, CodeDirectionAndSlope) {
    CHyperPage page;
    CLineOb* l = Line(page, {10, 10}, {110, 60});
    EXPECT_EQ(l->DiagonalCode(), 0);
    EXPECT_EQ(l->FirstEnd(), CPoint(10, 10));
    EXPECT_EQ(l->SecondEnd(), CPoint(110, 60));
    EXPECT_NEAR(l->RotateAngle(), 26.57, 0.01);
    EXPECT_EQ(l->Rect(), CRect(10, 10, 110, 60));
    EXPECT_FALSE(l->IsRotated());

    // Drawn backwards with a head at the second end: direction flag 0.
    CLineOb* back = Line(page, {110, 60}, {10, 10}, C1DOb::kHeadAtSecond);
    EXPECT_EQ(back->DirectionFlag(), 0);
    EXPECT_EQ(back->FirstEnd(), CPoint(110, 60));
    EXPECT_EQ(back->SecondEnd(), CPoint(10, 10));
    // Without heads the next update makes the start point the first end.
    back->setArrowhead(0);
    back->Update(1, 0);
    EXPECT_EQ(back->DirectionFlag(), 1);
    EXPECT_EQ(back->FirstEnd(), CPoint(10, 10));

    CLineOb* up = Line(page, {100, 0}, {0, 100});
    EXPECT_EQ(up->Rect(), CRect(0, 0, 100, 100));
    EXPECT_EQ(up->DiagonalCode(), 2);
    EXPECT_EQ(up->FirstEnd(), CPoint(100, 0));
    EXPECT_EQ(up->SecondEnd(), CPoint(0, 100));
    EXPECT_NEAR(up->RotateAngle(), -45.0, 1e-9);

    CLineOb* flat = Line(page, {0, 50}, {200, 50});
    EXPECT_EQ(flat->DiagonalCode(), 6);
    EXPECT_EQ(flat->Rect(), CRect(0, 50, 200, 51));
    CLineOb* tall = Line(page, {10, 100}, {10, 0}, C1DOb::kHeadAtSecond);
    EXPECT_EQ(tall->DiagonalCode(), 8);
    EXPECT_EQ(tall->Rect(), CRect(10, 0, 11, 100));
    EXPECT_EQ(tall->FirstEnd(), CPoint(10, 100));
    EXPECT_EQ(tall->SecondEnd(), CPoint(10, 0));
    // A rectangle that collapses makes a line one unit thick.
    CLineOb* dot = Line(page, {5, 5}, {5, 5});
    EXPECT_EQ(dot->DiagonalCode(), 6);
    EXPECT_EQ(dot->Rect(), CRect(5, 5, 5, 6));
}

TEST(Line, EndCoordinatesThroughAutomationKeepTheOtherEnd) {
    CHyperPage page;
    CLineOb* l = Line(page, {10, 10}, {110, 60}, C1DOb::kHeadAtSecond);
    l->SetProperty("X1", Variant(200));
    EXPECT_EQ(l->FirstEnd(), CPoint(200, 10));
    EXPECT_EQ(l->SecondEnd(), CPoint(110, 60));
    l->SetProperty(1348, Variant(0));  // Y2
    EXPECT_EQ(l->FirstEnd(), CPoint(200, 10));
    EXPECT_EQ(l->SecondEnd(), CPoint(110, 0));
    EXPECT_EQ(l->GetProperty("X2").ToLong(), 110);
    const Variant args[] = {Variant(100), Variant(0), Variant(0), Variant(100)};
    l->Invoke("SetEndPoints", args);
    EXPECT_EQ(l->FirstEnd(), CPoint(100, 0));
    EXPECT_EQ(l->SecondEnd(), CPoint(0, 100));
    EXPECT_EQ(l->GetProperty("Arrowhead").ToLong(), 1);
    l->SetProperty(1330, Variant(12));
    EXPECT_EQ(l->arrowheadHeight(), 12);
}

TEST(Line, TurningAHorizontalLineMakesItVerticalAboutItsCentre) {
    CHyperPage page;
    CLineOb* l = Line(page, {0, 50}, {200, 50});
    const CPoint centre = l->Rect().CenterPoint();
    l->SetProperty("RotateAngle", Variant(90.0));
    EXPECT_EQ(l->DiagonalCode(), 8);
    EXPECT_EQ(l->Rect().CenterPoint(), centre);
    EXPECT_EQ(l->Rect().Width(), 1);
    EXPECT_NEAR(std::fabs(l->RotateAngle()), 90.0, 1e-9);
}

TEST(Line, HitsWithinTheZoomedTolerance) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    CLineOb* l = Line(page, {0, 0}, {100, 100});
    // Perpendicular distances: (53, 46) is about 4.9 away, (54, 46) 5.7
    // (truncated 5), (55, 45) 7.1.
    EXPECT_EQ(l->HitTest(53, 46), 8);
    EXPECT_EQ(l->HitTest(54, 46), 8);
    EXPECT_EQ(l->HitTest(55, 45), -1);
    EXPECT_EQ(l->HitTest(60, 40), -1);
    link.zoom = 50;
    EXPECT_EQ(l->HitTest(57, 43), 8);   // 9.9
    EXPECT_EQ(l->HitTest(58, 42), -1);  // 11.3
    link.zoom = 100;
    // Beyond the rectangle nothing is hit.
    EXPECT_EQ(l->HitTest(100, 100), 8);
    EXPECT_EQ(l->HitTest(101, 101), -1);
    // A nearly horizontal line is hit in its rectangle grown by the
    // tolerance.
    CLineOb* flat = Line(page, {0, 50}, {200, 52});
    EXPECT_EQ(flat->HitTest(100, 56), 8);
    EXPECT_EQ(flat->HitTest(100, 58), -1);
    EXPECT_EQ(flat->HitTest(-5, 50), 8);
}

TEST(Line, ArrowheadGeometry) {
    CPoint c1, c2;
    // Equilateral, side 8, tip on the end; corners truncated toward zero.
    C1DOb::ArrowheadCorners({0, 0}, {100, 0}, 8, c1, c2);
    EXPECT_EQ(c1, CPoint(93, -3));
    EXPECT_EQ(c2, CPoint(93, 3));
    C1DOb::ArrowheadCorners({100, 0}, {0, 0}, 8, c1, c2);
    EXPECT_EQ(c1, CPoint(6, 3));
    // Height -1: a fifth of the length (side 20).
    C1DOb::ArrowheadCorners({0, 0}, {100, 0}, -1, c1, c2);
    EXPECT_EQ(c1.x, 82);
    // No length: the head points right, corners to the left of the tip, and
    // no NaN reaches the integers.
    C1DOb::ArrowheadCorners({50, 50}, {50, 50}, 8, c1, c2);
    EXPECT_EQ(c1, CPoint(43, 46));
    EXPECT_EQ(c2, CPoint(43, 53));
    C1DOb::ArrowheadCorners({50, 50}, {50, 50}, -1, c1, c2);
    EXPECT_EQ(c1, CPoint(50, 50));
    C1DOb::ArrowheadCorners({50, 50}, {50, 50}, 0, c1, c2);
    EXPECT_EQ(c2, CPoint(50, 50));
}

TEST(Line, RepaintAreaCoversTheHeads) {
    CHyperPage page;
    CLineOb* l = Line(page, {10, 10}, {110, 60});
    const CRect plain = l->GetInvalidRect();
    l->setArrowhead(3);
    CRect r = l->GetInvalidRect();
    EXPECT_EQ(r.left, plain.left - 8);
    l->setArrowheadHeight(-1);  // a fifth of about 112
    r = l->GetInvalidRect();
    EXPECT_LE(r.left, plain.left - 22);
}

TEST(Line, StoredCodesOutOfRangeAreKept) {
    CHyperPage page;
    CLineOb* l = Line(page, {10, 10}, {110, 60});
    l->GetConnection()->resizeCode = 5;
    l->SetPenStyle(9);
    l->setArrowhead(7);
    l->setArrowheadStyle(-3);
    // Ends are those of the plain diagonal; nothing is rewritten.
    EXPECT_EQ(l->FirstEnd(), CPoint(10, 10));
    EXPECT_EQ(l->EffectivePenStyle(), 0);
    EXPECT_EQ(l->EffectiveArrowhead(), 0);
    EXPECT_EQ(l->EffectiveArrowheadStyle(), 0);
    l->Update(1, 0);
    EXPECT_EQ(l->DiagonalCode(), 5);
    CArchive out;
    l->Serialize(out);
    CArchive in(out.Buffer());
    CLineOb back;
    back.Serialize(in);
    EXPECT_EQ(back.DiagonalCode(), 5);
    EXPECT_EQ(back.penStyle(), 9);
    EXPECT_EQ(back.arrowhead(), 7);
    EXPECT_EQ(back.arrowheadStyle(), -3);
}

TEST(Line, RecordsOfEveryVersion) {
    CHyperPage page;
    CLineOb* l = Line(page, {110, 60}, {10, 10}, 2);
    l->SetPenStyle(2);
    l->SetPenWidth(3);
    l->SetForeColor(vx::RGB(1, 2, 3));
    l->setArrowheadHeight(-1);
    l->setArrowheadStyle(C1DOb::kArrowOpen);
    CArchive out;
    l->Serialize(out);
    // The line's own record follows the common record: tag 3, then fields.
    const std::vector<uint8_t>& bytes = out.Buffer();
    const size_t own = bytes.size() - (4 * 7 + 2);
    EXPECT_EQ(bytes[own + 0], 0x03);
    EXPECT_EQ(bytes[own + 3], 0xBA);
    CArchive in(bytes);
    CLineOb back;
    back.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.Rect(), l->Rect());
    EXPECT_EQ(back.DiagonalCode(), l->DiagonalCode());
    EXPECT_EQ(back.FirstEnd(), CPoint(110, 60));
    EXPECT_EQ(back.penWidth(), 3);
    EXPECT_EQ(back.foreColorField(), vx::RGB(1, 2, 3));
    EXPECT_EQ(back.arrowheadHeight(), -1);
    EXPECT_EQ(back.arrowheadStyle(), C1DOb::kArrowOpen);

    // Version 0: the diagonal code follows ForeColor; no arrowhead fields.
    CArchive base;
    CLineOb plain;
    plain.SerializeBase(base);
    vxtest::Bytes v0;
    v0.raw(base.Buffer()).tag(0).dw(1).dw(2).dw(0xFF).dw(2);
    CArchive in0(v0.d);
    CLineOb old;
    old.Serialize(in0);
    EXPECT_TRUE(in0.AtEnd());
    EXPECT_EQ(old.DiagonalCode(), 2);
    EXPECT_EQ(old.penStyle(), 1);
    EXPECT_EQ(old.penWidth(), 2);
    EXPECT_EQ(old.arrowhead(), 0);
    EXPECT_EQ(old.arrowheadHeight(), 8);
    // Version 1: heads but no attachment colour or head style.
    vxtest::Bytes v1;
    v1.raw(base.Buffer()).tag(1).dw(0).dw(1).dw(0xFFFFFFFF).dw(3).w(12);
    CArchive in1(v1.d);
    CLineOb one;
    one.Serialize(in1);
    EXPECT_TRUE(in1.AtEnd());
    EXPECT_EQ(one.arrowhead(), 3);
    EXPECT_EQ(one.arrowheadHeight(), 12);
    EXPECT_EQ(one.attachColour(), -1);
    // A record cut short is damage.
    vxtest::Bytes cut;
    cut.raw(base.Buffer()).tag(3).dw(0);
    CArchive inCut(cut.d);
    CLineOb broken;
    EXPECT_THROW(broken.Serialize(inCut), CArchiveException);
}

TEST(Line, PropertyItems) {
    CHyperPage page;
    CLineOb* l = Line(page, {10, 10}, {110, 60});
    CPropList list;
    l->AddProperties(list, true);
    for (int id : {vx::prop::kPenWidth, vx::prop::kPenStyle, vx::prop::kHatchStyle, vx::prop::kShadowStyle,
                   vx::prop::kArrowhead, vx::prop::kArrowheadHeight, vx::prop::kArrowheadStyle})
        EXPECT_NE(list.Find(id), nullptr) << id;
    // The rotate angle of a line is its slope, edited through the view.
    EXPECT_NE(dynamic_cast<CPropAngleDbl*>(list.Find(vx::prop::kRotateAngle)), nullptr);
    auto* height = dynamic_cast<CPropInt*>(list.Find(vx::prop::kArrowheadHeight));
    ASSERT_NE(height, nullptr);
    EXPECT_EQ(height->lower, 2);
    EXPECT_EQ(height->upper, 32);
    std::string text;
    list.Find(vx::prop::kArrowhead)->SetLong(3);
    EXPECT_EQ(l->arrowhead(), 3);
    l->CreateProperty(vx::prop::kArrowhead, true)->GetValueText(text);
    EXPECT_EQ(text, "3 - { <---> } Both");
    EXPECT_EQ(l->GetTypeName(), "Line");
}
