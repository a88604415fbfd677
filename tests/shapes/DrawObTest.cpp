// The drawable base: attributes a shape may refuse, transparency, shadows,
// repaint areas, rotated outlines, property items and automation.
#include <gtest/gtest.h>

#include "ShapeTestSupport.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "shapes/BorderOb.h"
#include "shapes/CircleOb.h"
#include "shapes/ShapePropIds.h"
#include "support/FakeViewLink.h"

using vx::Variant;
namespace P = vx::prop;

TEST(DrawOb, AttributesAndTheirSupport) {
    CHyperDrawOb d;
    int v = -7;
    EXPECT_TRUE(d.GetPenWidth(v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(d.GetPenStyle(v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(d.GetHatchStyle(v));
    EXPECT_EQ(v, 99);
    EXPECT_TRUE(d.GetShadowStyle(v));
    EXPECT_EQ(v, 0);
    CHyperOb plain;
    v = -7;
    EXPECT_FALSE(plain.GetPenWidth(v));
    EXPECT_EQ(v, -7);
    // Values are stored unchecked, through setters and automation alike.
    d.SetProperty("PenStyle", Variant(42));
    d.SetProperty(-505, Variant(-3));
    d.SetProperty(1313, Variant(1000));
    EXPECT_EQ(d.penStyle(), 42);
    EXPECT_EQ(d.penWidth(), -3);
    EXPECT_EQ(d.hatchStyle(), 1000);
    EXPECT_EQ(d.GetProperty("ShadowStyle").ToLong(), 0);
    d.Invoke("RunClick");
    // Out-of-range codes draw as the defaults.
    EXPECT_EQ(d.EffectivePenStyle(), 0);
    EXPECT_EQ(d.EffectiveHatch(), 99);

    // A border has no pen style and a shadow only while upright.
    CBorderOb b;
    EXPECT_FALSE(b.GetPenStyle(v));
    EXPECT_TRUE(b.GetShadowStyle(v));
    b.SetRotateAngleRaw(30);
    EXPECT_FALSE(b.GetShadowStyle(v));
}

TEST(DrawOb, Transparency) {
    CHyperDrawOb d;
    EXPECT_TRUE(d.IsTransparent());
    d.SetHatchStyle(HS_CROSS);
    EXPECT_FALSE(d.IsTransparent());  // the pattern over the page colour
    d.SetHatchStyle(99);
    d.SetBackColor(vx::RGB(1, 2, 3));
    EXPECT_FALSE(d.IsTransparent());
}

TEST(DrawOb, ShadowsAndTheirRepaintArea) {
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(0), CSize(0, 0));
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(1), CSize(-10, -10));
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(2), CSize(10, 10));
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(3), CSize(-10, 10));
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(4), CSize(10, -10));
    EXPECT_EQ(CHyperDrawOb::ShadowOffset(17), CSize(10, 10));
    CHyperDrawOb d;
    d.SetRect(CRect(100, 100, 200, 150));
    const CRect plain = d.GetInvalidRect();
    d.SetShadowStyle(3);
    CRect grown = plain;
    grown.InflateRect(10, 10);
    EXPECT_EQ(d.GetInvalidRect(), grown);
}

TEST(DrawOb, RotatedOutline) {
    CHyperPage page;
    CBorderOb* b = shapetest::Place<CBorderOb>(page, "B", CRect(100, 100, 201, 151));
    b->SetProperty("RotateAngle", Variant(90.0));
    ASSERT_TRUE(b->IsRotated());
    const std::vector<CPoint> local = {{-50, -25}, {50, -25}, {50, 25}, {-50, 25}, {-50, -25}};
    EXPECT_EQ(b->outline(), local);
    const std::vector<CPoint> turned = {{175, 75}, {175, 175}, {125, 175}, {125, 75}, {175, 75}};
    EXPECT_EQ(b->rotatedOutline(), turned);
    EXPECT_EQ(b->Rect(), CRect(125, 75, 175, 175));
    EXPECT_EQ(b->GetTracker()->unrotatedRect, CRect(100, 100, 201, 151));
    // Hit inside the turned outline only.
    EXPECT_EQ(b->HitTest(150, 170), 8);
    b->SetBackColor(vx::RGB(255, 255, 255));
    EXPECT_EQ(b->HitTest(150, 125), 8);
    // Turning back restores the rectangle.
    b->SetProperty("RotateAngle", Variant(0.0));
    EXPECT_FALSE(b->IsRotated());
    EXPECT_EQ(b->Rect(), CRect(100, 100, 201, 151));
}

TEST(DrawOb, PropertyItemsAndTheLinkedPenRule) {
    CHyperDrawOb d;
    d.SetPenStyle(2);
    CPropList list;
    d.AddProperties(list, true);
    auto* width = dynamic_cast<CLinePropWidth*>(list.Find(P::kPenWidth));
    auto* style = dynamic_cast<CLinePropStyle*>(list.Find(P::kPenStyle));
    ASSERT_TRUE(width && style);
    EXPECT_EQ(width->lower, 0);
    EXPECT_EQ(width->upper, 100);
    // A width above 1 makes a dotted pen solid.
    width->setValue(3);
    width->OnChanged();
    EXPECT_EQ(style->value(), 0);
    // A dashed style makes the width 1.
    style->setValue(1);
    style->OnChanged();
    EXPECT_EQ(width->value(), 1);

    auto* hatch = dynamic_cast<CPropCombo*>(list.Find(P::kHatchStyle));
    ASSERT_NE(hatch, nullptr);
    ASSERT_EQ(hatch->choices().size(), 7u);
    EXPECT_TRUE(hatch->SetValueText("0 - None"));
    EXPECT_EQ(hatch->value(), 99);
    EXPECT_TRUE(hatch->SetValueText("1 - Horizontal (----)"));
    EXPECT_EQ(hatch->value(), 0);
    EXPECT_EQ(hatch->choices()[3].text, "3 - Diagonal (\\\\\\\\)");
    EXPECT_EQ(hatch->choices()[4].text, "4 - DiagRev  (////)");
    auto* shadow = dynamic_cast<CPropCombo*>(list.Find(P::kShadowStyle));
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->choices()[2].text, "2 - Bottom/Right");
    // Choices only when asked for.
    const auto bare = d.CreateProperty(P::kShadowStyle, false);
    EXPECT_TRUE(dynamic_cast<CPropCombo*>(bare.get())->choices().empty());

    // A border offers no pen style, and no shadow while rotated.
    CBorderOb b;
    CPropList bl;
    b.AddProperties(bl, true);
    EXPECT_EQ(bl.Find(P::kPenStyle), nullptr);
    EXPECT_NE(bl.Find(P::kShadowStyle), nullptr);
    EXPECT_NE(bl.Find(P::kAnchorSnaps), nullptr);
    b.SetRotateAngleRaw(45);
    CPropList rotated;
    b.AddProperties(rotated, true);
    EXPECT_EQ(rotated.Find(P::kShadowStyle), nullptr);
}

TEST(DrawOb, ViewDefaultsForNewShapes) {
    vxtest::FakeViewLink link;
    link.useDrawDefaults = true;
    link.drawDefaults.enabled = true;
    link.drawDefaults.penWidth = 4;
    link.drawDefaults.hatchStyle = HS_VERTICAL;
    link.drawDefaults.shadowStyle = 2;
    link.drawDefaults.backColor = vx::RGB(9, 9, 9);
    CHyperPage page;
    page.setLink(&link);
    CCircleOb* e = shapetest::Place<CCircleOb>(page, "E", CRect(0, 0, 80, 80));
    EXPECT_EQ(e->penWidth(), 4);
    EXPECT_EQ(e->hatchStyle(), HS_VERTICAL);
    EXPECT_EQ(e->shadowStyle(), 2);
    EXPECT_EQ(e->backColorField(), vx::RGB(9, 9, 9));
    link.drawDefaults.enabled = false;
    CCircleOb* f = shapetest::Place<CCircleOb>(page, "F", CRect(0, 0, 80, 80));
    EXPECT_EQ(f->penWidth(), 1);
}
