// The design view joins lines into polylines: the "Polyline" tool draws a
// chain of parts that becomes one polyline (one undo step; Escape and the
// right button drop it), and Group joins selected lines that chain instead
// of grouping them.
#include <gtest/gtest.h>

#include <QImage>

#include "app/MyView.h"
#include "command/CommandIds.h"
#include "model/AnchorFmt.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"
#include "shapes/BorderOb.h"
#include "shapes/LineOb.h"
#include "shapes/PolyLineOb.h"
#include "shapes/ShapeClasses.h"
#include "support/EditViewSetup.h"
#include "support/ViewInput.h"
#include "uml/UmlClasses.h"

using vxtest::Click;
using vxtest::Key;
using Pts = std::vector<CPoint>;

namespace {

struct PolylineFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        RegisterUmlClasses();
        view = std::make_unique<CMyView>(&doc, nullptr);
        vxtest::ShowEditView(*view, doc);
    }
    CHyperPage& page() { return doc.mainPage(); }
    CPolyLineOb* OnlyPolyline() {
        if (page().Count() != 1) return nullptr;
        return DynamicDowncast<CPolyLineOb>(page().At(0));
    }
    static Pts Vertices(CPolyLineOb& ob) {
        Pts out;
        for (int i = 0; i < ob.PointCount(); ++i) out.push_back(ob.GetPointAt(i));
        return out;
    }
    // A line placed by the program, not selected, no undo step.
    CHyperOb* AddLine(CPoint a, CPoint b) {
        auto line = std::make_unique<CLineOb>();
        line->AttachToView(&page(), nullptr, true);
        line->SetRect(CRect(a.x, a.y, b.x, b.y));
        return view->AddObject(std::move(line), false, true);
    }
    void SelectBoth(CHyperOb* a, CHyperOb* b) {
        view->DeselectAll(false);
        view->AddToSelection(a);
        view->AddToSelection(b);
        ASSERT_TRUE(view->IsMultiSelection());
    }

    CMyDoc doc;
    std::unique_ptr<CMyView> view;
};

}  // namespace

TEST_F(PolylineFixture, ThePolylineToolChainsItsPartsIntoOnePolyline) {
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kPolyline));
    Click(*view, {40, 40});
    EXPECT_EQ(view->m_nCreating, 1);
    Click(*view, {140, 40});
    Click(*view, {140, 140});
    EXPECT_EQ(view->partCount(), 2u);
    EXPECT_EQ(view->m_ptCreateAnchor, CPoint(140, 140));
    EXPECT_EQ(page().Count(), 0u);  // the parts are not on the page yet
    // They are drawn meanwhile.
    const QImage shown = view->viewport()->grab().toImage();
    EXPECT_NE(shown.pixelColor(90, 40), QColor(Qt::white));
    EXPECT_NE(shown.pixelColor(140, 90), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(93, 87), QColor(Qt::white));
    vxtest::DoubleClick(*view, {240, 140});
    EXPECT_EQ(view->m_nCreating, 0);
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{40, 40}, {140, 40}, {140, 140}, {240, 140}}));
    EXPECT_EQ(ob->penWidth(), 1);
    EXPECT_EQ(ob->arrowhead(), 0);
    EXPECT_EQ(view->GetSingleSelection(), ob);
    EXPECT_TRUE(view->tools().IsSelectTool());
    ASSERT_EQ(view->undoCount(), 1u);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kInsert);
    view->Undo();
    EXPECT_EQ(page().Count(), 0u);
}

TEST_F(PolylineFixture, PartsEndWhereTheyAreDrawnNotOnSnapPoints) {
    page().gridFlags &= ~CHyperPage::kSnapToGrid;
    auto border = std::make_unique<CBorderOb>();
    border->AttachToView(&page(), nullptr, true);
    border->SetRect(CRect(200, 150, 300, 250));
    CHyperOb* b = view->AddObject(std::move(border), false, true);
    ASSERT_NE(b, nullptr);
    CSnapList* snaps = b->GetSnapList(false);
    ASSERT_TRUE(snaps && !snaps->IsEmpty());
    // A part ending 6 units from the border's left snap point (200, 200).
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kPolyline));
    Click(*view, {100, 200});
    Click(*view, {194, 200});
    Click(*view, {194, 100});
    Key(*view, Qt::Key_Return);
    ASSERT_EQ(page().Count(), 2u);
    auto* ob = DynamicDowncast<CPolyLineOb>(page().At(0));
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{100, 200}, {194, 200}, {194, 100}}));
    for (size_t i = 0; i < snaps->Count(); ++i) {
        EXPECT_EQ(snaps->set().point(i)->inCount, 0);
        EXPECT_EQ(snaps->set().point(i)->outCount, 0);
    }
}

TEST_F(PolylineFixture, PartsCanBeDraggedAndEnterEndsTheChain) {
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kPolyline));
    vxtest::Drag(*view, {50, 50}, {150, 50});
    vxtest::Drag(*view, {150, 50}, {150, 150});
    // Too short to count: no part.
    Click(*view, {152, 152});
    EXPECT_EQ(view->partCount(), 2u);
    Key(*view, Qt::Key_Return);
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{50, 50}, {150, 50}, {150, 150}}));
}

TEST_F(PolylineFixture, EscapeAndTheRightButtonDropThePendingParts) {
    for (bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        ASSERT_TRUE(view->tools().SetTool(vx::tool::kPolyline));
        Click(*view, {40, 40});
        Click(*view, {140, 40});
        ASSERT_EQ(view->partCount(), 1u);
        if (escape)
            Key(*view, Qt::Key_Escape);
        else
            vxtest::Press(*view, {200, 200}, {}, Qt::RightButton);
        EXPECT_EQ(view->m_nCreating, 0);
        EXPECT_EQ(page().Count(), 0u);
        EXPECT_EQ(view->undoCount(), 0u);
        EXPECT_TRUE(view->tools().IsSelectTool());
    }
}

TEST_F(PolylineFixture, GroupJoinsChainedLinesIntoOnePolylineInOneStep) {
    // The first line starts outside the usable area (guidelines at 10):
    // the polyline stays where the lines were.
    CHyperOb* a = AddLine({0, 20}, {120, 20});
    CHyperOb* b = AddLine({120, 20}, {120, 120});
    SelectBoth(a, b);
    ASSERT_TRUE(vxtest::Enabled(*view, vx::cmd::kGroup));
    view->GroupSelection(false);
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{0, 20}, {120, 20}, {120, 120}}));
    EXPECT_EQ(ob->groupId(), -1);
    EXPECT_EQ(view->GetSingleSelection(), ob);
    ASSERT_EQ(view->undoCount(), 1u);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kDelete);
    // One undo brings both lines back.
    view->Undo();
    ASSERT_EQ(page().Count(), 2u);
    EXPECT_NE(DynamicDowncast<CLineOb>(page().At(0)), nullptr);
    EXPECT_NE(DynamicDowncast<CLineOb>(page().At(1)), nullptr);
}

TEST_F(PolylineFixture, GroupOfLinesThatDoNotChainOrWithControlMakesAGroup) {
    CHyperOb* a = AddLine({20, 20}, {120, 20});
    CHyperOb* b = AddLine({200, 100}, {300, 100});
    SelectBoth(a, b);
    view->GroupSelection(false);
    ASSERT_EQ(page().Count(), 2u);
    EXPECT_GE(a->groupId(), 0);
    EXPECT_EQ(a->groupId(), b->groupId());
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kGroupUngroup);

    // Control groups even lines that chain.
    CHyperOb* c = AddLine({20, 200}, {120, 200});
    CHyperOb* d = AddLine({120, 200}, {120, 280});
    SelectBoth(c, d);
    view->GroupSelection(true);
    ASSERT_EQ(page().Count(), 4u);
    EXPECT_GE(c->groupId(), 0);
    EXPECT_EQ(c->groupId(), d->groupId());
}
