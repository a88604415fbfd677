// Closed shapes: frames, borders, ellipses, arcs and highlighters: defaults,
// hit testing, geometry, automation, property items and records.
#include <gtest/gtest.h>

#include <cmath>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/PainterDC.h"
#include "platform/RecordingDC.h"
#include "shapes/ArcOb.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/HiliteOb.h"
#include "shapes/LineOb.h"
#include "shapes/RectOb.h"
#include "shapes/ShapePropIds.h"
#include "support/TestSupport.h"

using shapetest::Place;
using shapetest::RoundTrip;
using vx::Variant;
namespace P = vx::prop;

namespace {

// The common record of a default object, to put class records behind.
std::vector<uint8_t> BaseRecord(CHyperOb& ob) {
    CArchive a;
    ob.SerializeBase(a);
    return a.Buffer();
}

}  // namespace

TEST(Frame, DefaultsAlignmentAndAutomation) {
    CHyperPage page;
    CRectOb* f = Place<CRectOb>(page, "F", CRect(0, 0, 100, 50));
    CRectOb fresh;
    fresh.ApplyViewDefaults();
    EXPECT_EQ(fresh.Rect(), CRect(0, 0, 100, 50));
    EXPECT_EQ(f->text(), "?");
    EXPECT_EQ(f->borderStyle(), CRectOb::kEtched);
    EXPECT_EQ(f->borderWidth(), 2);
    EXPECT_FALSE(f->CanRotate());
    EXPECT_EQ(f->GetTypeName(), "Frame");
    auto align = f->CreateProperty(P::kAlignment, true);
    ASSERT_TRUE(align->SetValueText("1 - Center"));
    align->Apply();
    EXPECT_EQ(f->alignment(), 6);
    EXPECT_EQ(f->GetEditStyle(), 1);
    f->setAlignment(2);
    EXPECT_EQ(f->GetEditStyle(), 2);
    f->setAlignment(5);  // out of range: drawn and edited as left
    EXPECT_EQ(f->GetEditStyle(), 0);
    // Scripts' BorderColor is the caption colour; the sheet's is the band.
    f->SetProperty("BorderColor", Variant(int32_t(vx::RGB(255, 0, 0))));
    EXPECT_EQ(f->foreColorField(), vx::RGB(255, 0, 0));
    EXPECT_EQ(f->borderColor(), -1);
    auto band = f->CreateProperty(P::kBorderColor, true);
    band->SetLong(vx::RGB(0, 0, 255));
    EXPECT_EQ(f->borderColor(), vx::RGB(0, 0, 255));
    f->SetProperty(vx::DISPID_VALUE, Variant("Group"));
    EXPECT_EQ(f->GetProperty("Text").ToString(), "Group");
    const auto widthItem = f->CreateProperty(P::kBorderWidth, true);
    auto* width = dynamic_cast<CPropInt*>(widthItem.get());
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->upper, 49);
    const auto styleItem = f->CreateProperty(P::kShapeBorderStyle, true);
    auto* style = dynamic_cast<CPropCombo*>(styleItem.get());
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->choices()[3].value, 3);
}

TEST(Frame, TransparentFramesAreHitNearTheirEdges) {
    CHyperPage page;
    CRectOb* f = Place<CRectOb>(page, "F", CRect(0, 0, 200, 200));
    f->SetText("");
    QImage img = shapetest::Canvas(220, 220);
    {
        CPainterDC dc(&img);
        f->Draw(dc);
    }
    EXPECT_EQ(f->captionHeight(), 3);
    EXPECT_EQ(f->HitTest(9, 100), 8);
    EXPECT_EQ(f->HitTest(10, 100), -1);
    // With a caption the margin is its height.
    f->SetText("Caption");
    LOGFONT lf = vx::DefaultLogFont();
    lf.lfHeight = -16;
    f->SetFont(lf);
    {
        CPainterDC dc(&img);
        f->Draw(dc);
    }
    const int h = f->captionHeight();
    EXPECT_GE(h, 16);
    EXPECT_EQ(f->HitTest(100, h - 1), 8);
    EXPECT_EQ(f->HitTest(100, h), -1);
    EXPECT_FALSE(f->textRect(0).IsRectEmpty());
    // An opaque frame is hit everywhere.
    f->SetBackColor(vx::RGB(255, 255, 255));
    EXPECT_EQ(f->HitTest(100, 100), 8);
}

TEST(Frame, Records) {
    CRectOb f;
    f.SetText("Title");
    f.setBorderColor(vx::RGB(1, 2, 3));
    f.setBorderWidth(4);
    f.setHiliteColor(vx::RGB(4, 5, 6));
    f.setBorderStyle(7);  // out of range, kept
    f.setAlignment(6);
    f.SetBackColor(vx::RGB(7, 8, 9));
    auto back = RoundTrip(f);
    EXPECT_EQ(back->text(), "Title");
    EXPECT_EQ(back->borderColor(), vx::RGB(1, 2, 3));
    EXPECT_EQ(back->borderWidth(), 4);
    EXPECT_EQ(back->hiliteColor(), vx::RGB(4, 5, 6));
    EXPECT_EQ(back->borderStyle(), 7);
    EXPECT_EQ(back->EffectiveStyle(), CRectOb::kEtched);
    EXPECT_EQ(back->alignment(), 6);
    EXPECT_EQ(back->backColorField(), vx::RGB(7, 8, 9));

    // Untagged: HiliteColor only behind the marker.
    CRectOb plain;
    const std::vector<uint8_t> base = BaseRecord(plain);
    vxtest::Bytes font;
    font.tag(0).dw(uint32_t(-12)).dw(400).b(0).b(0).b(0).s("Arial").b(0).b(0).b(0).b(0);
    for (bool marker : {false, true}) {
        vxtest::Bytes rec;
        rec.raw(base).dw(0xFFFFFFFF).dw(0).dw(1).dw(0).s("Old").dw(0).dw(0xFFFFFFFF).raw(font.d);
        if (marker) rec.dw(0x22222222).dw(0x123456);
        CArchive in(rec.d);
        CRectOb old;
        old.Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(old.text(), "Old");
        EXPECT_EQ(old.borderStyle(), 0);
        EXPECT_EQ(old.hiliteColor(), marker ? 0x123456 : -1);
    }
}

TEST(Border, StylesHitTestingAndRecords) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(0, 0, 200, 200));
    EXPECT_EQ(b->GetTypeName(), "Border");
    const auto styleItem = b->CreateProperty(P::kShapeBorderStyle, true);
    auto* style = dynamic_cast<CPropCombo*>(styleItem.get());
    ASSERT_TRUE(style->SetValueText("3 - Raised"));
    EXPECT_EQ(style->value(), 4);
    // Transparent: hit near the edges only; opaque everywhere.
    EXPECT_EQ(b->HitTest(100, 100), -1);
    EXPECT_EQ(b->HitTest(5, 100), 8);
    b->SetHatchStyle(HS_CROSS);
    EXPECT_EQ(b->HitTest(100, 100), 8);
    b->SetHatchStyle(99);
    b->SetBackColor(0xFFFFFF);
    b->setBorderStyle(CBorderOb::kHidden);
    EXPECT_EQ(b->HitTest(100, 100), 8);  // hidden, still hit
    b->SetProperty("BorderStyle", Variant(int32_t(CBorderOb::kSunken)));
    EXPECT_EQ(b->borderStyle(), CBorderOb::kSunken);
    EXPECT_EQ(b->penStyle(), 0);  // -504 is BorderStyle here
    b->SetProperty(1320, Variant(int32_t(0x00FF00)));
    EXPECT_EQ(b->hiliteColor(), 0x00FF00);

    b->SetPenWidth(3);
    b->SetHatchStyle(HS_DIAGCROSS);
    b->SetShadowStyle(4);
    auto back = RoundTrip(*b);
    EXPECT_EQ(back->penWidth(), 3);
    EXPECT_EQ(back->hatchStyle(), HS_DIAGCROSS);
    EXPECT_EQ(back->shadowStyle(), 4);
    EXPECT_EQ(back->borderStyle(), CBorderOb::kSunken);
    EXPECT_EQ(back->hiliteColor(), 0x00FF00);
    EXPECT_EQ(back->snapList().set().size(), 4u);

    // Records before version 1 hold no border fields.
    CBorderOb plain;
    for (int version : {-1, 0}) {
        vxtest::Bytes rec;
        rec.raw(BaseRecord(plain));
        if (version == 0) rec.tag(0);
        rec.dw(0x5555);
        CArchive in(rec.d);
        CBorderOb old;
        old.Serialize(in);
        EXPECT_EQ(in.Remaining(), version == 0 ? 8u : 4u);
        EXPECT_EQ(old.penWidth(), 1);
    }
    // A hatch that does not fit its 16 bits cannot be saved.
    b->SetHatchStyle(70000);
    CArchive out;
    EXPECT_THROW(b->Serialize(out), CArchiveException);
}

TEST(Border, StyleBitsTogetherDrawAsTheirStrongestBit) {
    CHyperPage page;
    CBorderOb* b = Place<CBorderOb>(page, "B", CRect(0, 0, 100, 60));
    b->SetPenWidth(3);
    auto drawn = [&](int style, bool printing) {
        b->setBorderStyle(style);
        CRecordingDC dc;
        dc.SetPrinting(printing);
        b->Draw(dc);
        return dc.Text();
    };
    for (const bool printing : {false, true}) {
        const std::string normal = drawn(CBorderOb::kNormal, printing);
        const std::string etched = drawn(CBorderOb::kEtched, printing);
        const std::string sunken = drawn(CBorderOb::kSunken, printing);
        const std::string raised = drawn(CBorderOb::kRaised, printing);
        EXPECT_NE(etched, normal);
        EXPECT_NE(sunken, raised);
        // The 3-D bit wins over the others, sunken over raised.
        EXPECT_EQ(drawn(CBorderOb::kEtched | CBorderOb::kSunken, printing), etched);
        EXPECT_EQ(drawn(CBorderOb::kEtched | CBorderOb::kRaised, printing), etched);
        EXPECT_EQ(drawn(CBorderOb::kSunken | CBorderOb::kRaised, printing), sunken);
        // Bits without a style draw a normal border.
        EXPECT_EQ(drawn(8, printing), normal);
        EXPECT_EQ(drawn(CBorderOb::kHidden | CBorderOb::kSunken, printing), drawn(CBorderOb::kHidden, printing));
    }
    b->setBorderStyle(CBorderOb::kSunken | CBorderOb::kRaised);
    EXPECT_EQ(RoundTrip(*b)->borderStyle(), CBorderOb::kSunken | CBorderOb::kRaised);  // stored as it is
}

TEST(Ellipse, CirclesDoNotRotateAndTheOutline) {
    CHyperPage page;
    CCircleOb* c = Place<CCircleOb>(page, "C", CRect(0, 0, 100, 100));
    EXPECT_FALSE(c->CanRotate());
    c->SetRotateAngleRaw(30);
    c->Update(1, 0);
    EXPECT_EQ(c->RotateAngle(), 0.0);
    // In a group a circle may be turned with the group, yet keeps angle 0.
    c->setGroupId(1);
    EXPECT_TRUE(c->CanRotate());
    c->SetRotateAngleRaw(30);
    c->Update(1, 0);
    EXPECT_EQ(c->RotateAngle(), 0.0);
    c->setGroupId(-1);
    CCircleOb* e = Place<CCircleOb>(page, "E", CRect(0, 0, 200, 100));
    EXPECT_TRUE(e->CanRotate());
    e->SetProperty("RotateAngle", Variant(30.0));
    EXPECT_EQ(e->RotateAngle(), 30.0);
    ASSERT_EQ(e->outline().size(), 129u);
    EXPECT_EQ(e->outline().front(), CPoint(100, 0));
    EXPECT_LE(e->outline()[64].x, -98);  // about half way round
    EXPECT_EQ(e->outline().back(), CPoint(100, 1));
    EXPECT_EQ(e->GetTypeName(), "Ellipse");
    // Taller than wide: the points are swapped.
    const std::vector<CPoint> tall = CCircleOb::EllipseOutline(50, 100);
    EXPECT_EQ(tall.front(), CPoint(0, 100));
    // Degenerate ellipses give points on a line, no NaN.
    for (const CPoint& p : CCircleOb::EllipseOutline(0, 40)) EXPECT_EQ(p.x, 0);
    for (const CPoint& p : CCircleOb::EllipseOutline(0, 0)) EXPECT_EQ(p, CPoint(0, 0));
    // Hit testing: inside the ellipse, also when transparent.
    CCircleOb* h = Place<CCircleOb>(page, "H", CRect(0, 0, 200, 100));
    EXPECT_EQ(h->HitTest(100, 50), 8);
    EXPECT_EQ(h->HitTest(5, 5), -1);
    h->SetShadowStyle(2);
    auto back = RoundTrip(*h);
    EXPECT_EQ(back->shadowStyle(), 2);
    EXPECT_EQ(back->snapList().set().size(), 5u);
}

TEST(Arc, AngleRulesAndPoints) {
    EXPECT_EQ(CArcOb::NormalizeAngle(450), 90);
    EXPECT_EQ(CArcOb::NormalizeAngle(190), -170);
    EXPECT_EQ(CArcOb::NormalizeAngle(-180), 180);
    EXPECT_EQ(CArcOb::NormalizeAngle(-720), 0);
    EXPECT_EQ(CArcOb::NormalizeAngle(std::nan("")), 0);
    EXPECT_EQ(CArcOb::PointAt(45, 100, 100), CPoint(71, 71));
    EXPECT_EQ(CArcOb::PointAt(-45, 100, 100), CPoint(71, -71));
    EXPECT_EQ(CArcOb::PointAt(135, 100, 100), CPoint(-71, 71));
    EXPECT_EQ(CArcOb::PointAt(-90, 100, 60), CPoint(0, -60));
    EXPECT_EQ(CArcOb::PointAt(180, 100, 60), CPoint(-100, 0));
    EXPECT_EQ(CArcOb::PointAt(30, 0, 0), CPoint(0, 0));
    EXPECT_EQ(CArcOb::PointAt(30, 50, 0), CPoint(0, 0));

    CHyperPage page;
    CArcOb* a = Place<CArcOb>(page, "A", CRect(0, 0, 40, 40), false);
    a->SetProperty("StartAngle", Variant(450.0));
    EXPECT_EQ(a->startAngle(), 90.0);
    a->SetProperty(1331, Variant(190.0));
    EXPECT_EQ(a->endAngle(), -170.0);
}

TEST(Arc, CreatingAndResizing) {
    CHyperPage page;
    CArcOb* a = Place<CArcOb>(page, "A", CRect(100, 100, 200, 160), false);
    EXPECT_EQ(a->centre(), CPoint(100, 160));
    EXPECT_EQ(a->radiusX(), 100);
    EXPECT_EQ(a->radiusY(), 60);
    EXPECT_EQ(a->startAngle(), 0.0);
    EXPECT_EQ(a->endAngle(), -90.0);
    EXPECT_EQ(a->Rect(), CRect(100, 100, 200, 160));
    // The right edge dragged to 300.
    a->SetRect(CRect(100, 100, 300, 160));
    a->Update(1, 0);
    EXPECT_EQ(a->centre(), CPoint(100, 160));
    EXPECT_EQ(a->radiusX(), 200);
    EXPECT_EQ(a->Rect(), CRect(100, 100, 300, 160));

    CArcOb* b = Place<CArcOb>(page, "B", CRect(100, 100, 200, 160), false);
    // The right edge dragged across the left one: mirrored.
    b->SetRect(CRect(100, 100, 0, 160));
    b->Update(1, 0);
    EXPECT_EQ(b->startAngle(), -90.0);
    EXPECT_EQ(b->endAngle(), 180.0);
    EXPECT_EQ(b->centre(), CPoint(100, 160));
    EXPECT_EQ(b->Rect(), CRect(0, 100, 100, 160));

    // Dragged leftward and upward: 180 to 90, centre at the start x.
    CArcOb* c = Place<CArcOb>(page, "C", CRect(200, 200, 100, 100), false);
    EXPECT_EQ(c->startAngle(), 180.0);
    EXPECT_EQ(c->endAngle(), 90.0);
    EXPECT_EQ(c->centre(), CPoint(200, 100));
    EXPECT_EQ(c->Rect(), CRect(100, 100, 200, 200));
    // Moving moves the centre.
    c->Move(10, 5);
    c->Update(1, 0);
    EXPECT_EQ(c->centre(), CPoint(210, 105));
    // A new arc of the tool.
    CArcOb fresh;
    fresh.ApplyViewDefaults();
    EXPECT_EQ(fresh.Rect(), CRect(0, 0, 40, 40));
    EXPECT_EQ(fresh.centre(), CPoint(0, 40));
}

TEST(Arc, HalfEllipsesFitAndWedgesAreHitInside) {
    CHyperPage page;
    CArcOb* a = Place<CArcOb>(page, "A", CRect(0, 0, 10, 10), false);
    a->SetArc(CPoint(100, 100), 100, 50, 0, 180);  // the upper half
    EXPECT_EQ(a->Rect(), CRect(0, 50, 200, 100));
    a->SetRect(CRect(0, 50, 400, 100));
    a->Update(1, 0);
    EXPECT_EQ(a->radiusX(), 200);
    EXPECT_EQ(a->centre(), CPoint(200, 100));
    EXPECT_EQ(a->Rect(), CRect(0, 50, 400, 100));
    // A filled wedge is hit inside its outline only.
    CArcOb* w = Place<CArcOb>(page, "W", CRect(0, 0, 10, 10), false);
    w->SetArc(CPoint(100, 100), 100, 100, 0, -90);
    w->SetWedge(true);
    w->SetBackColor(0xFFFFFF);
    EXPECT_EQ(w->HitTest(130, 70), 8);
    EXPECT_EQ(w->HitTest(195, 5), -1);
    w->SetBackColor(-1);  // transparent: anywhere in the rectangle
    EXPECT_EQ(w->HitTest(195, 5), 8);
    EXPECT_EQ(w->GetProperty("Wedge").ToLong(), 1);
}

TEST(Arc, Records) {
    CHyperPage page;
    CArcOb* a = Place<CArcOb>(page, "A", CRect(100, 100, 200, 160), false);
    a->SetWedge(true);
    a->SetPenWidth(2);
    a->SetBackColor(vx::RGB(1, 1, 1));
    auto back = RoundTrip(*a);
    EXPECT_TRUE(back->wedge());
    EXPECT_EQ(back->centre(), CPoint(100, 160));
    EXPECT_EQ(back->radiusX(), 100);
    EXPECT_EQ(back->Rect(), a->Rect());
    EXPECT_EQ(back->penWidth(), 2);

    // Version 0: a quadrant code after PenStyle.
    CArcOb plain;
    plain.SetRect(CRect(0, 0, 50, 30));
    const std::vector<uint8_t> base = BaseRecord(plain);
    for (int code : {3, 0, 9}) {
        vxtest::Bytes rec;
        rec.raw(base).tag(0).dw(0xFFFFFFFF).dw(0).dw(1).dw(0).w(uint16_t(code));
        CArchive in(rec.d);
        CArcOb old;
        old.Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(old.radiusX(), 50);
        EXPECT_EQ(old.radiusY(), 30);
        if (code == 3) {
            EXPECT_EQ(old.centre(), CPoint(50, 0));
            EXPECT_EQ(old.startAngle(), 180.0);
            EXPECT_EQ(old.endAngle(), 90.0);
        } else {
            EXPECT_EQ(old.centre(), CPoint(0, 30));
            EXPECT_EQ(old.startAngle(), 0.0);
        }
    }
    // Damaged numbers: NaN angles and huge radii stay harmless.
    vxtest::Bytes rec;
    rec.raw(base).tag(1).dw(0).dw(0).dw(1).dw(0).b(1).dbl(std::nan("")).dbl(1e300).dw(0x7FFFFFFF).dw(0x80000000).dw(5).dw(5);
    CArchive in(rec.d);
    CArcOb odd;
    odd.Serialize(in);
    EXPECT_EQ(odd.startAngle(), 0.0);
    EXPECT_LE(odd.radiusX(), 0xFFFF);
    QImage img = shapetest::Canvas(50, 50);
    CPainterDC dc(&img);
    odd.Draw(dc);
}

TEST(Arc, TurnedFlatArcReadOntoAPageWritesTheSameRecordAgain) {
    // A flat arc has an empty box; turned, that box is its unrotated
    // rectangle, while its turned rectangle need not be empty.
    CArcOb flat;
    flat.SetArc(CPoint(0, 513), 0, 507, 0.0, -90.0);
    const CRect box = flat.GetTracker()->unrotatedRect;
    const CPoint centre = flat.centre();
    ASSERT_TRUE(box.IsRectEmpty());
    flat.SetRotateAngleRaw(30.0);
    flat.GetTracker()->rect = CRect(100, 100, 200, 200);
    CArchive first;
    flat.Serialize(first);

    const auto readOntoPage = [](CHyperPage& page, const std::vector<uint8_t>& bytes) {
        CArchive in(bytes);
        auto ob = std::make_unique<CArcOb>();
        ob->Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        CArcOb* raw = ob.get();
        page.Insert(std::move(ob));
        raw->RecalcHandles();
        return raw;
    };
    CHyperPage page;
    CArcOb* read = readOntoPage(page, first.Buffer());
    EXPECT_EQ(read->GetTracker()->unrotatedRect, box);
    EXPECT_EQ(read->centre(), centre);
    CArchive second;
    read->Serialize(second);
    CArcOb* again = readOntoPage(page, second.Buffer());
    EXPECT_EQ(again->centre(), centre);
    EXPECT_EQ(again->Rect(), read->Rect());
    CArchive third;
    again->Serialize(third);
    EXPECT_EQ(third.Buffer(), second.Buffer());
}

TEST(Hilite, DefaultsRecordsAndChoices) {
    CHiliteOb h;
    EXPECT_EQ(h.hiliteColor(), CHiliteOb::kYellow);
    EXPECT_TRUE(h.IsTransparent());
    EXPECT_FALSE(h.CanRotate());
    EXPECT_EQ(h.GetTypeName(), "Hilite");
    CPropList list;
    h.AddProperties(list, true);
    EXPECT_EQ(list.Find(P::kBackColor), nullptr);
    EXPECT_EQ(list.Find(P::kForeColor), nullptr);
    EXPECT_EQ(list.Find(P::kFont), nullptr);
    auto* colour = dynamic_cast<CPropCombo*>(list.Find(P::kHiliteColor));
    ASSERT_NE(colour, nullptr);
    ASSERT_TRUE(colour->SetValueText("2 - Magenta"));
    colour->Apply();
    EXPECT_EQ(h.hiliteColor(), CHiliteOb::kMagenta);
    h.SetProperty("HiliteColor", Variant(5));
    EXPECT_EQ(RoundTrip(h)->hiliteColor(), CHiliteOb::kCyan);
    h.setHiliteColor(77);
    EXPECT_EQ(h.EffectiveColor(), CHiliteOb::kYellow);
    EXPECT_EQ(RoundTrip(h)->hiliteColor(), 77);
}

TEST(Shapes, AnswerTheFormatPropertyIds) {
    // The format commands find attributes by these ids on every shape that
    // has them, and skip shapes that do not.
    CLineOb line;
    CBorderOb border;
    CCircleOb ellipse;
    CArcOb arc;
    CRectOb frame;
    CHiliteOb hilite;
    struct Case {
        CHyperOb* ob;
        std::vector<int> has, lacks;
    } cases[] = {
        {&line, {P::kPenWidth, P::kPenStyle, P::kArrowhead, P::kHatchStyle, P::kShadowStyle, P::kForeColor,
                 P::kBackColor, P::kRotateAngle},
         {P::kBorderWidth, P::kAlignment}},
        {&border, {P::kPenWidth, P::kHatchStyle, P::kShadowStyle, P::kBackColor, P::kForeColor, P::kRotateAngle,
                   P::kHiliteColor},
         {P::kPenStyle, P::kArrowhead, P::kAlignment}},
        {&ellipse, {P::kPenWidth, P::kPenStyle, P::kHatchStyle, P::kShadowStyle, P::kBackColor}, {P::kArrowhead}},
        {&arc, {P::kPenWidth, P::kPenStyle, P::kBackColor, P::kIsWedge, P::kAngle1, P::kAngle2, P::kRotateAngle}, {}},
        {&frame, {P::kBorderWidth, P::kAlignment, P::kBorderColor, P::kHiliteColor, P::kText, P::kForeColor},
         {P::kPenWidth, P::kPenStyle, P::kHatchStyle, P::kShadowStyle, P::kRotateAngle}},
        {&hilite, {P::kHiliteColor}, {P::kBackColor, P::kForeColor, P::kFont, P::kPenWidth, P::kRotateAngle}},
    };
    for (const Case& c : cases) {
        for (int id : c.has) EXPECT_NE(c.ob->CreateProperty(id, true), nullptr) << c.ob->ClassName() << " " << id;
        for (int id : c.lacks) EXPECT_EQ(c.ob->CreateProperty(id, true), nullptr) << c.ob->ClassName() << " " << id;
    }
    // The integer and long items answer typed writes.
    auto width = frame.CreateProperty(P::kBorderWidth, true);
    int32_t v = 0;
    EXPECT_TRUE(width->SetInt(5));
    EXPECT_TRUE(width->GetInt(v));
    EXPECT_EQ(frame.borderWidth(), 5);
}

TEST(Shapes, DumpShowsTheirFields) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    Place<CRectOb>(page, "Frame1", CRect(0, 0, 100, 50));
    Place<CArcOb>(page, "Arc1", CRect(100, 100, 200, 160), false);
    Place<CHiliteOb>(page, "Hi", CRect(0, 0, 10, 10));
    const std::string json = doc.DumpJson();
    for (const char* s : {"\"class\": \"CRectOb\"", "\"BorderStyle\": 1", "\"Text\": \"?\"", "\"class\": \"CArcOb\"",
                          "\"EndAngle\": -90", "\"radiusX\": 100", "\"HiliteColor\": 13"})
        EXPECT_NE(json.find(s), std::string::npos) << s;
}
