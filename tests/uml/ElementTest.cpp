// The point-model elements: defaults, fitting the points to the rectangle,
// the point model through automation, hit testing, text colour and the
// property items.
#include <gtest/gtest.h>

#include <algorithm>

#include "../shapes/ShapeTestSupport.h"
#include "command/CommandIds.h"
#include "model/GroupInfo.h"
#include "model/PropIds.h"
#include "model/PropOb.h"
#include "shapes/ShapePropIds.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"
#include "uml/UmlPropIds.h"

using shapetest::Place;
using vx::Variant;
namespace P = vx::prop;

namespace {

template <class T>
std::unique_ptr<CPointModelOb> Fresh() {
    auto ob = std::make_unique<T>();
    ob->ApplyViewDefaults();
    return ob;
}

CRect BoundsOf(const std::vector<CPoint>& pts) {
    CRect r(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
    for (const CPoint& p : pts) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

// The SetPoint method, as a script calls it.
Variant SetPointOf(CPointModelOb& ob, int32_t index, int32_t x, int32_t y) {
    const Variant args[] = {Variant(index), Variant(x), Variant(y)};
    return ob.Invoke("SetPoint", args);
}

}  // namespace

TEST(Elements, DefaultsTypeNamesAndTools) {
    struct Case {
        std::unique_ptr<CPointModelOb> ob;
        const char* type;
        int tool;
        size_t points;
        CRect bounds;
    };
    Case cases[] = {
        {Fresh<CActorOb>(), "Actor", vx::tool::kActor, 10, CRect(7, 0, 40, 90)},
        {Fresh<CUseCaseOb>(), "Use Case", vx::tool::kUseCase, 4, CRect(0, 0, 35, 65)},
        {Fresh<CPackageOb>(), "Package", vx::tool::kPackage, 8, CRect(50, 30, 130, 120)},
        {Fresh<CComponentOb>(), "Component", vx::tool::kComponent, 23, CRect(34, 15, 115, 126)},
        {Fresh<CNodeOb>(), "Node", vx::tool::kNode, 11, CRect(50, 22, 130, 106)},
        {Fresh<CNoteOb>(), "Note", vx::tool::kNote, 6, CRect(0, 0, 80, 80)},
        {Fresh<CClassOb>(), "Class", vx::tool::kClass, 4, CRect(0, 0, 80, 80)},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.type);
        CPointModelOb& ob = *c.ob;
        EXPECT_EQ(ob.GetTypeName(), c.type);
        EXPECT_EQ(ob.GetToolStringId(), c.tool);
        EXPECT_EQ(ob.points().size(), c.points);
        // The rectangle is the bounding box of the default points.
        EXPECT_EQ(ob.Rect(), c.bounds);
        // Top, right, bottom and left snap points.
        ASSERT_EQ(ob.snapList().set().size(), 4u);
        for (size_t i = 0; i < 4; ++i) EXPECT_EQ(ob.snapList().set().point(i)->type, int(CSnapPoint::kTop + i));
        EXPECT_EQ(ob.backColorField(), vx::RGB(255, 255, 255));
        EXPECT_EQ(ob.penWidth(), 1);
        EXPECT_EQ(ob.alignment(), CPointModelOb::kCentre);
        EXPECT_EQ(ob.textMargin(), 10);
        EXPECT_EQ(ob.GetProperty("Type"), Variant(int32_t(1)));
        EXPECT_FALSE(ob.CanRotate());
    }
    // Codes come from the type names.
    CHyperPage page;
    EXPECT_EQ(page.UniqueCode(cases[6].ob->GetTypeName()), "Class1");
    EXPECT_EQ(page.UniqueCode(cases[0].ob->GetTypeName()), "Actor1");
    // The class box's dividers.
    auto* box = static_cast<CClassOb*>(cases[6].ob.get());
    EXPECT_EQ(box->dividers()[0], CPoint(0, 30));
    EXPECT_EQ(box->dividers()[3], CPoint(80, 60));
}

TEST(Elements, PointsFollowTheRectangle) {
    CHyperPage page;
    CActorOb* actor = Place<CActorOb>(page, "A", CRect(7, 0, 40, 90));
    const std::vector<CPoint> before = actor->points();
    // Moving shifts every point unchanged.
    actor->SetRect(CRect(107, 50, 140, 140));
    actor->Update(1, 0);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(actor->points()[i], before[i] + CPoint(100, 50)) << i;
    // Twice the width doubles every distance from the centre horizontally.
    actor->SetRect(CRect(107, 50, 173, 140));
    actor->Update(1, 0);
    for (size_t i = 0; i < before.size(); ++i) {
        // The centres are 23.5 and 140.
        EXPECT_DOUBLE_EQ(actor->points()[i].x - 140.0, 2.0 * (before[i].x - 23.5)) << i;
        EXPECT_EQ(actor->points()[i].y, before[i].y + 50) << i;
    }
    // A scaled figure fills its rectangle exactly, so fitting it again
    // changes nothing (a second save writes the same points).
    actor->SetRect(CRect(10, 10, 61, 177));
    actor->Update(1, 0);
    const std::vector<CPoint> fitted = actor->points();
    EXPECT_EQ(BoundsOf(fitted), CRect(10, 10, 61, 177));
    actor->Update(1, 0);
    EXPECT_EQ(actor->points(), fitted);
    // An inside-out rectangle fits like its normalised self, without
    // mirroring the figure at each update.
    actor->SetRect(CRect(61, 177, 10, 10));
    actor->Update(1, 0);
    EXPECT_EQ(actor->points(), fitted);
}

TEST(Elements, AFigureSqueezedFlatKeepsItsShapeForTheNextResize) {
    CHyperPage page;
    CNoteOb* note = Place<CNoteOb>(page, "N", CRect(0, 0, 80, 80));
    // No width: the other axis still scales and this one moves centre onto
    // centre instead of dividing by nothing or collapsing the points.
    note->SetRect(CRect(100, 0, 100, 160));
    note->Update(1, 0);
    EXPECT_EQ(BoundsOf(note->points()), CRect(60, 0, 140, 160));
    note->SetRect(CRect(100, 0, 180, 80));
    note->Update(1, 0);
    const CPoint expected[] = {{100, 0}, {160, 0}, {180, 20}, {180, 80}, {100, 80}, {160, 20}};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(note->points()[i], expected[i]) << i;
    // A point model that is a vertical line widened to a rectangle: moved,
    // not divided by its zero width.
    CUseCaseOb line;
    line.SetPoints({{5, 0}, {5, 10}, {5, 20}});
    line.SetRect(CRect(0, 0, 40, 40));
    line.RecalcHandles();
    EXPECT_EQ(line.points()[0], CPoint(20, 0));
    EXPECT_EQ(line.points()[2], CPoint(20, 40));
}

TEST(Elements, NumberOfPointsAndSetPoint) {
    CHyperPage page;
    CNodeOb* node = Place<CNodeOb>(page, "Box", CRect(50, 22, 130, 106));
    node->SetProperty("NumberOfPoints", Variant(int32_t(3)));
    // Kept points stay (a figure being built is not fitted), no figure
    // until the last point is set.
    EXPECT_FALSE(node->pointsComplete());
    ASSERT_EQ(node->points().size(), 3u);
    EXPECT_EQ(node->points()[0], CPoint(50, 50));
    node->SetProperty("NumberOfPoints", Variant(int32_t(5)));
    // New points start at (0, 0).
    EXPECT_EQ(node->points()[3], CPoint(0, 0));
    EXPECT_EQ(node->points()[4], CPoint(0, 0));
    EXPECT_EQ(SetPointOf(*node, 5, 1, 1),
              Variant(false));
    EXPECT_EQ(SetPointOf(*node, -1, 1, 1),
              Variant(false));
    EXPECT_EQ(SetPointOf(*node, 3, 60, 60),
              Variant(true));
    EXPECT_FALSE(node->pointsComplete());
    EXPECT_EQ(SetPointOf(*node, 4, 70, 70),
              Variant(true));
    EXPECT_TRUE(node->pointsComplete());
    // Counts a record cannot hold are refused and change nothing.
    for (int32_t bad : {-1, 65536, INT32_MAX}) {
        EXPECT_THROW(node->SetProperty("NumberOfPoints", Variant(bad)), vx::AutomationError) << bad;
        EXPECT_EQ(node->points().size(), 5u);
        EXPECT_TRUE(node->pointsComplete());
    }
    EXPECT_EQ(node->GetProperty("NumberOfPoints"), Variant(int32_t(5)));
    // A new count gives the class box a fresh divider array.
    CClassOb* box = Place<CClassOb>(page, "C", CRect(0, 0, 80, 80));
    box->SetProperty("NumberOfPoints", Variant(int32_t(4)));
    EXPECT_EQ(box->dividers()[0], CPoint(0, 30));
    box->SetProperty("NumberOfPoints", Variant(int32_t(6)));
    EXPECT_EQ(box->dividers()[0], CPoint(0, 0));
    // Snap points through automation.
    node->SetProperty("NumberOfSnapPoints", Variant(int32_t(2)));
    EXPECT_EQ(node->GetProperty("NumberOfSnapPoints"), Variant(int32_t(2)));
}

TEST(Elements, HitTestingFollowsTheOutline) {
    CHyperPage page;
    CActorOb* actor = Place<CActorOb>(page, "A", CRect(7, 0, 40, 90));
    // Inside the bounding rectangle, outside the polygon of the points.
    EXPECT_EQ(actor->HitTest(9, 10), vx::kHitNone);
    EXPECT_EQ(actor->HitTest(18, 10), vx::kHitInside);
    // Grouped: the whole rectangle counts.
    actor->setGroupId(1);
    EXPECT_EQ(actor->HitTest(9, 10), vx::kHitInside);
    actor->setGroupId(-1);
    // Without a complete figure the rectangle counts, so the element can
    // still be picked.
    actor->SetNumberOfPoints(2);
    EXPECT_EQ(actor->HitTest(9, 10), vx::kHitInside);
    // Points anywhere in the 32-bit range are tested without overflow.
    CNoteOb far;
    far.SetPoints({{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MAX}});
    far.SetRect(CRect(0, 0, 0, 0));
    EXPECT_EQ(far.HitTest(0, 0), vx::kHitInside);
}

TEST(Elements, TextColourEditStyleAndScriptText) {
    CUseCaseOb u;
    u.SetBackColor(vx::RGB(200, 200, 0));  // 400: light
    EXPECT_EQ(u.GetTextColor(), vx::RGB(0, 0, 0));
    u.SetBackColor(vx::RGB(127, 127, 128));  // 382: dark
    EXPECT_EQ(u.GetTextColor(), vx::RGB(255, 255, 255));
    u.setTextColor(vx::RGB(1, 2, 3));
    EXPECT_EQ(u.GetTextColor(), vx::RGB(1, 2, 3));
    for (const auto& [align, style] : {std::pair{0, 4096}, std::pair{2, 4098}, std::pair{6, 4097}, std::pair{5, 4097}}) {
        u.setAlignment(align);
        EXPECT_EQ(u.GetEditStyle(), style) << align;
    }
    // The text is the default value; for a package it is the tab text, and
    // in-place editing works on the body text.
    u.SetProperty(vx::DISPID_VALUE, Variant("Buy"));
    EXPECT_EQ(u.text(), "Buy");
    CPackageOb p;
    EXPECT_EQ(p.GetPackageText(), "<< >>");
    p.SetProperty("Text", Variant("<<lib>>"));
    EXPECT_EQ(p.GetPackageText(), "<<lib>>");
    EXPECT_EQ(p.text(), "?");
    std::string body;
    ASSERT_TRUE(p.GetText(body));
    EXPECT_EQ(body, "?");
}

TEST(Elements, PropertyItemsInOrder) {
    CHyperPage page;
    CPackageOb* pack = Place<CPackageOb>(page, "P", CRect(50, 30, 130, 120));
    CPropList list;
    pack->AddProperties(list, true);
    std::vector<int> ids;
    for (size_t i = 0; i < list.size(); ++i) ids.push_back(list.at(i)->nameId);
    const auto at = [&](int id) { return std::find(ids.begin(), ids.end(), id) - ids.begin(); };
    EXPECT_EQ(std::count(ids.begin(), ids.end(), P::kAnchorSnaps), 1);
    EXPECT_LT(at(P::kAnchorSnaps), at(P::kPenWidth));
    EXPECT_LT(at(P::kPenWidth), at(P::kPenStyle));
    EXPECT_LT(at(P::kPenStyle), at(P::kText));
    EXPECT_LT(at(P::kText), at(P::kTextColor));
    EXPECT_LT(at(P::kTextColor), at(P::kAlignment));
    EXPECT_EQ(at(P::kPackageText), long(ids.size()) - 1);
    CPropOb* tab = list.Find(P::kPackageText);
    ASSERT_TRUE(tab->SetValueText("<<ui>>"));
    tab->Apply();
    EXPECT_EQ(pack->GetPackageText(), "<<ui>>");
    CPropOb* align = list.Find(P::kAlignment);
    ASSERT_TRUE(align->SetValueText("2 - Right"));
    align->Apply();
    EXPECT_EQ(pack->alignment(), 2);
}
