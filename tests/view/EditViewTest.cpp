// The edit view driven by synthetic mouse and key events (offscreen):
// creating with the tools, selecting, moving with and without the grid,
// resizing by every handle, nudging, attaching line ends to snap points,
// locked layers, Erase, Select All, groups and in-place text.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPaintEvent>
#include <QTest>
#include <memory>

#include "command/CommandIds.h"
#include "model/Connection.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/LayerFmt.h"
#include "model/ListEditors.h"
#include "model/SnapList.h"
#include "platform/LogFont.h"
#include "shapes/CircleOb.h"
#include "shapes/LineOb.h"
#include "shapes/RectOb.h"
#include "shapes/ShapeClasses.h"
#include "support/ViewInput.h"
#include "view/HyperView.h"
#include "view/InlineEditor.h"
#include "view/TestObjects.h"

using vxtest::Click;
using vxtest::Drag;
using vxtest::Key;

namespace {

// Counts the undo hooks so tests see that edits file their steps.
class CountingView : public CHyperView {
public:
    void OnBeforeEdit(EditKind kind) override {
        before.push_back(kind);
        CHyperView::OnBeforeEdit(kind);
    }
    void OnAfterEdit(EditKind kind, bool changed) override {
        after += changed;
        CHyperView::OnAfterEdit(kind, changed);
    }
    std::vector<EditKind> before;
    int after = 0;
    // The areas repainted, in order.
    std::vector<QRect> painted;

protected:
    void paintEvent(QPaintEvent* e) override {
        painted.push_back(e->rect());
        CHyperView::paintEvent(e);
    }
};

struct EditViewFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        view = std::make_unique<CountingView>();
        view->resize(420, 320);
        view->SetDocument(&doc);
        page().pageObject()->color = vx::RGB(255, 255, 255);
        page().pageObject()->scrollWidth = 400;
        page().pageObject()->scrollHeight = 300;
        view->show();
        for (int i = 0; i < 3; ++i) {
            const QSize vp = view->viewport()->size();
            view->resize(view->width() + 400 - vp.width(), view->height() + 300 - vp.height());
        }
        view->OnInitialUpdate();
        ASSERT_EQ(view->ClientSize(), CSize(400, 300));
    }
    CHyperPage& page() { return doc.mainPage(); }
    // A frame placed by the program (not through the mouse).
    CHyperOb* AddFrame(const CRect& r) {
        auto ob = std::make_unique<CRectOb>();
        ob->AttachToView(&page(), nullptr, true);
        // Filled: a transparent frame is hit only near its edges.
        ob->SetBackColor(vx::RGB(200, 200, 200));
        ob->SetRect(r);
        return view->AddObject(std::move(ob), false, true);
    }
    void Tool(int id) { ASSERT_TRUE(view->tools().SetTool(id)); }
    bool Selected(CHyperOb* ob) { return ob->GetTracker() && ob->GetTracker()->IsSelected(); }
    void SnapOff() { page().gridFlags &= ~CHyperPage::kSnapToGrid; }

    CMyDoc doc;
    std::unique_ptr<CountingView> view;
};

}  // namespace

TEST_F(EditViewFixture, EachToolCreatesWithAClickAndWithADrag) {
    const int tools[] = {vx::tool::kFrame, vx::tool::kEllipse, vx::tool::kBorder, vx::tool::kArc,
                         vx::tool::kHilite, vx::tool::kLine};
    int y = 40;
    for (int tool : tools) {
        SCOPED_TRACE(tool);
        // A drag sizes the object, snapped to the grid.
        Tool(tool);
        Drag(*view, {23, y + 2}, {97, y + 38});
        CHyperOb* dragged = view->GetSingleSelection();
        ASSERT_NE(dragged, nullptr);
        // An arc fits itself into the band its own way.
        if (tool != vx::tool::kArc) {
            EXPECT_EQ(dragged->Rect().Normalized(), CRect(20, y, 100, y + 40));
        }
        EXPECT_TRUE(view->tools().IsSelectTool());  // back to Select
        // A click gives the class's default size centred on it.
        Tool(tool);
        Click(*view, {300, y + 20});
        CHyperOb* clicked = view->GetSingleSelection();
        ASSERT_NE(clicked, nullptr);
        ASSERT_NE(clicked, dragged);
        const CRect r = clicked->Rect().Normalized();
        EXPECT_GT(r.Width(), 1);
        EXPECT_EQ(r.left % 10, 0);
        EXPECT_EQ(r.top % 10, 0);
        EXPECT_NEAR(r.CenterPoint().x, 300, 10);
        y += 40;
    }
    EXPECT_EQ(page().Count(), 12u);
    // Names come from the type name and a counter.
    EXPECT_NE(page().FindObjectByCode("Frame1"), nullptr);
    EXPECT_NE(page().FindObjectByCode("Frame2"), nullptr);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditViewFixture, NewObjectsGoInFrontOnTheInsertionLayerAndTinyOnesAreRefused) {
    CLayerFmt* layers = page().layers();
    if (layers->empty()) layers->AddDefaultLayer();
    CLayer* top = layers->AddLayer("Top");
    layers->insertionIndex = layers->IndexOfLayer(top->id);
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(40, 40, 80, 80));
    EXPECT_EQ(page().IndexOf(b), 0);
    EXPECT_EQ(page().IndexOf(a), 1);
    EXPECT_EQ(b->layerId(), top->id);
    // An object of at most 1 x 1 units is not kept: the caller learns so.
    auto tiny = std::make_unique<CRectOb>();
    tiny->AttachToView(&page(), nullptr, true);
    tiny->SetRect(CRect(5, 5, 6, 6));
    EXPECT_EQ(view->AddObject(std::move(tiny), true, false), nullptr);
    EXPECT_EQ(page().Count(), 2u);
}

TEST_F(EditViewFixture, ClickShiftClickAndRubberBandSelect) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    CHyperOb* c = AddFrame(CRect(200, 20, 240, 60));
    Click(*view, {40, 40});
    EXPECT_EQ(view->GetSingleSelection(), a);
    Click(*view, {120, 40}, Qt::ShiftModifier);
    EXPECT_TRUE(view->IsMultiSelection());
    EXPECT_EQ(view->GetDominant(), a);
    EXPECT_TRUE(Selected(b));
    // Shift-click on a selected object takes it out again.
    Click(*view, {120, 40}, Qt::ShiftModifier);
    EXPECT_EQ(view->GetSingleSelection(), a);
    // A press on nothing clears; a band around b and c selects both, not a
    // band that only crosses a.
    Click(*view, {300, 200});
    EXPECT_EQ(view->GetDominant(), nullptr);
    Drag(*view, {50, 10}, {250, 100});
    const auto sel = view->GetSelection();
    ASSERT_EQ(sel.size(), 2u);
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(b));
    EXPECT_TRUE(Selected(c));
    // A band whose right edge is the object's right edge does not catch it.
    Click(*view, {300, 200});
    Drag(*view, {90, 10}, {140, 100});
    EXPECT_EQ(view->GetDominant(), nullptr);
}

TEST_F(EditViewFixture, MovingSnapsToTheGridUnlessSnappingIsOff) {
    CHyperOb* a = AddFrame(CRect(20, 20, 50, 40));
    Drag(*view, {30, 30}, {53, 47});  // by (23, 17)
    EXPECT_EQ(a->Rect(), CRect(40, 40, 70, 60));
    SnapOff();
    Drag(*view, {50, 50}, {53, 47});
    EXPECT_EQ(a->Rect(), CRect(43, 37, 73, 57));
    EXPECT_GE(view->after, 2);
}

TEST_F(EditViewFixture, EveryHandleResizesItsEdges) {
    SnapOff();
    const CRect start(100, 100, 200, 180);
    CHyperOb* a = AddFrame(start);
    view->SelectObject(a);
    const QPoint handles[8] = {{100, 100}, {200, 100}, {200, 180}, {100, 180},
                               {150, 100}, {200, 140}, {150, 180}, {100, 140}};
    const CRect expected[8] = {{110, 105, 200, 180}, {100, 105, 210, 180}, {100, 100, 210, 185},
                               {110, 100, 200, 185}, {100, 105, 200, 180}, {100, 100, 210, 180},
                               {100, 100, 200, 185}, {110, 100, 200, 180}};
    for (int h = 0; h < 8; ++h) {
        SCOPED_TRACE(h);
        a->SetRect(start);
        a->Update(1, 0);
        // Handles sit just inside or on the corners; aim at their centres.
        const CRect hr = a->GetTracker()->HandleRect(h, 7);
        const QPoint at(hr.CenterPoint().x, hr.CenterPoint().y);
        ASSERT_EQ(a->HitTest(at.x(), at.y()), h);
        Drag(*view, at, at + QPoint(10, 5));
        EXPECT_EQ(a->Rect(), expected[h]);
        (void)handles;
    }
}

TEST_F(EditViewFixture, MovingOneObjectRepaintsOnlyAroundIt) {
    CHyperOb* a = AddFrame(CRect(100, 100, 130, 120));
    view->SelectObject(a);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->painted.empty(); }));
    QCoreApplication::processEvents();
    view->painted.clear();
    Key(*view, Qt::Key_Right, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->painted.empty(); }));
    QRect area;
    for (const QRect& r : view->painted) area |= r;
    // The old and the new place with their handles, not the window.
    EXPECT_TRUE(area.contains(QRect(100, 100, 40, 20)));
    EXPECT_LT(area.width(), 100);
    EXPECT_LT(area.height(), 80);
}

TEST_F(EditViewFixture, ArrowKeysNudgeByOneOrByTheGrid) {
    CHyperOb* a = AddFrame(CRect(100, 100, 130, 120));
    view->SelectObject(a);
    Key(*view, Qt::Key_Right);
    EXPECT_EQ(a->Rect(), CRect(101, 100, 131, 120));
    Key(*view, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(a->Rect(), CRect(101, 110, 131, 130));
    Key(*view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(a->Rect(), CRect(101, 110, 132, 130));
    // Tab moves to the next object; Escape returns to Select.
    CHyperOb* b = AddFrame(CRect(200, 100, 230, 120));
    view->SelectObject(b);
    Key(*view, Qt::Key_Tab);
    EXPECT_EQ(view->GetSingleSelection(), a);
    view->tools().SetTool(vx::tool::kFrame);
    Key(*view, Qt::Key_Escape);
    EXPECT_TRUE(view->tools().IsSelectTool());
}

TEST_F(EditViewFixture, ALineEndDraggedOntoASnapPointAttachesAndFollows) {
    SnapOff();
    view->m_bShowSnapPoints = true;
    Tool(vx::tool::kEllipse);
    Drag(*view, {200, 100}, {280, 180});
    auto* e = dynamic_cast<CCircleOb*>(view->GetSingleSelection());
    ASSERT_NE(e, nullptr);
    CSnapList* list = e->GetSnapList(true);
    ASSERT_NE(list, nullptr);
    ASSERT_GT(list->Count(), 0u);
    const CPoint target = list->Position(*list->set().point(0));
    // Draw a line from the left, then drag its free end onto the point.
    Tool(vx::tool::kLine);
    Drag(*view, {40, 40}, {120, 60});
    auto* line = dynamic_cast<CLineOb*>(view->GetSingleSelection());
    ASSERT_NE(line, nullptr);
    const CPoint end = line->SecondEnd() == CPoint(120, 60) ? line->SecondEnd() : line->FirstEnd();
    ASSERT_EQ(end, CPoint(120, 60));
    vxtest::Press(*view, {end.x, end.y});
    vxtest::MoveTo(*view, {target.x + 4, target.y - 3});
    EXPECT_TRUE(view->snapMarkerShown());
    EXPECT_EQ(view->snapMarker(), target);
    vxtest::Release(*view, {target.x + 4, target.y - 3});
    CConnection* conn = line->GetConnection();
    ASSERT_TRUE(conn->ends[0].IsAttached() || conn->ends[1].IsAttached());
    EXPECT_TRUE(line->FirstEnd() == target || line->SecondEnd() == target);
    // Moving the ellipse takes the attached end with it.
    view->SelectObject(e);
    const CPoint inside = e->Rect().CenterPoint();
    Drag(*view, {inside.x, inside.y}, {inside.x + 30, inside.y + 20});
    const CPoint moved = list->Position(*list->set().point(0));
    EXPECT_EQ(moved, CPoint(target.x + 30, target.y + 20));
    EXPECT_TRUE(line->FirstEnd() == moved || line->SecondEnd() == moved);
}

TEST_F(EditViewFixture, LockedLayersAndObjectsAreLeftOutOfSelecting) {
    CLayerFmt* layers = page().layers();
    if (layers->empty()) layers->AddDefaultLayer();
    CLayer* locked = layers->AddLayer("Locked");
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    b->setLayerId(locked->id);
    locked->locked = 1;
    Click(*view, {120, 40});
    EXPECT_EQ(view->GetDominant(), nullptr);
    view->OnCmdMsg(vx::cmd::kEditSelectAll, nullptr);
    const auto sel = view->GetSelection();
    ASSERT_EQ(sel.size(), 1u);
    EXPECT_EQ(sel.front(), a);
    EXPECT_FALSE(Selected(b));
    // The Layers Sheet's Select picks the unlocked objects of a layer.
    locked->locked = 0;
    view->SelectLayer(locked->id);
    EXPECT_EQ(view->GetSingleSelection(), b);
}

TEST_F(EditViewFixture, EraseDeletesTheSelectionAndFreesAttachedLines) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    AddFrame(CRect(200, 20, 240, 60));
    view->SelectObject(a);
    view->AddToSelection(b);
    view->OnCmdMsg(vx::cmd::kEditClear, nullptr);
    EXPECT_EQ(page().Count(), 1u);
    EXPECT_EQ(view->GetDominant(), nullptr);
    // An object that may not be deleted stays.
    page().At(0)->setDfltCanDelete(false);
    view->SelectObject(page().At(0));
    EXPECT_EQ(view->EraseSelection(), 0);
    EXPECT_EQ(page().Count(), 1u);
}

TEST_F(EditViewFixture, GroupUngroupRegroupFromTheCommands) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    view->SelectObject(a);
    view->AddToSelection(b);
    view->OnCmdMsg(vx::cmd::kGroup, nullptr);
    ASSERT_GE(a->groupId(), 0);
    EXPECT_EQ(a->groupId(), b->groupId());
    // A click on one member selects the whole group, the master dominant.
    Click(*view, {300, 200});
    Click(*view, {120, 40});
    EXPECT_EQ(view->GetSelection().size(), 2u);
    CHyperOb* master = view->GetDominant();
    ASSERT_NE(master, nullptr);
    EXPECT_NE(master->groupInfo(), nullptr);
    // Dragging a member moves the group.
    SnapOff();
    Drag(*view, {120, 40}, {130, 50});
    EXPECT_EQ(a->Rect(), CRect(30, 30, 70, 70));
    EXPECT_EQ(b->Rect(), CRect(110, 30, 150, 70));
    view->OnCmdMsg(vx::cmd::kUngroup, nullptr);
    EXPECT_EQ(a->groupId(), -1);
    EXPECT_EQ(b->groupId(), -1);
    view->OnCmdMsg(vx::cmd::kRegroup, nullptr);
    EXPECT_GE(a->groupId(), 0);
    EXPECT_EQ(a->groupId(), b->groupId());
    EXPECT_EQ(view->GetSelection().size(), 2u);
}

TEST_F(EditViewFixture, AGroupWithoutHeightScalesOnlySideways) {
    // Two lines on one horizontal: their group has no height, so the
    // vertical factor is 1 instead of a division by zero.
    auto l1 = std::make_unique<CLineOb>();
    l1->AttachToView(&page(), nullptr, true);
    l1->SetRect(CRect(20, 50, 60, 50));
    CHyperOb* a = view->AddObject(std::move(l1), false, true);
    auto l2 = std::make_unique<CLineOb>();
    l2->AttachToView(&page(), nullptr, true);
    l2->SetRect(CRect(80, 50, 120, 50));
    CHyperOb* b = view->AddObject(std::move(l2), false, true);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->Rect().Normalized(), CRect(20, 50, 60, 51));  // a line keeps one unit
    view->ResizeSelection({a, b}, CRect(20, 50, 120, 50), CRect(20, 50, 220, 50), true);
    EXPECT_EQ(a->Rect().Normalized(), CRect(20, 50, 100, 51));
    EXPECT_EQ(b->Rect().Normalized(), CRect(140, 50, 220, 51));
}

TEST_F(EditViewFixture, TheSelectionSurvivesARebuiltPage) {
    AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    view->SelectObject(b);
    const std::string code = b->GetCode();
    // Undo replaces every object by a copy.
    std::vector<std::unique_ptr<CHyperOb>> copies;
    for (size_t i = 0; i < page().Count(); ++i) {
        std::unique_ptr<CHyperOb> c = page().At(i)->Clone();
        c->SetCodeRaw(page().At(i)->GetCode());
        copies.push_back(std::move(c));
    }
    page().ReleaseObjects();
    page().AdoptObjects(std::move(copies));
    view->SyncSelection();
    CHyperOb* now = view->GetSingleSelection();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->GetCode(), code);
    EXPECT_TRUE(Selected(now));
}

TEST_F(EditViewFixture, InPlaceTextCommitsWithEnterAndCancelsWithEscape) {
    CHyperOb* a = AddFrame(CRect(40, 40, 200, 120));
    a->SetText("Old");
    view->SelectObject(a);
    vxtest::DoubleClick(*view, {100, 80});
    CInlineEditor* ed = view->inlineEditor();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->isOpen());
    EXPECT_EQ(ed->text(), QStringLiteral("Old"));
    ed->setText(QStringLiteral("New"));
    Key(*ed, Qt::Key_Return);
    EXPECT_FALSE(ed->isOpen());
    std::string text;
    a->GetText(text);
    EXPECT_EQ(text, "New");
    EXPECT_EQ(view->before.back(), CHyperView::EditKind::kTextEdit);
    // A typed character opens it with that character; Escape drops it.
    view->setFocus();
    Key(*view, Qt::Key_X);
    ASSERT_TRUE(ed->isOpen());
    EXPECT_EQ(ed->text(), QStringLiteral("x"));
    Key(*ed, Qt::Key_Escape);
    a->GetText(text);
    EXPECT_EQ(text, "New");
}

TEST(EditViewText, FontHeightZeroMeansTheDefaultFont) {
    // No division by zero, and the rule zoom >= 900 / height.
    EXPECT_TRUE(CHyperView::FontLargeEnough(-9, 100));
    EXPECT_FALSE(CHyperView::FontLargeEnough(-9, 99));
    EXPECT_TRUE(CHyperView::FontLargeEnough(18, 50));
    EXPECT_EQ(CHyperView::FontLargeEnough(0, 100),
              CHyperView::FontLargeEnough(vx::DefaultLogFont().lfHeight, 100));
}

TEST_F(EditViewFixture, GridSettingsKeepsWhatTheDialogStoredAndMarksTheDesignModified) {
    auto& editGrid = CListEditors::Get().editGrid;
    const auto installed = editGrid;
    bool ok = false;
    editGrid = [&](CHyperPage& p) {
        if (ok) p.gridSpacing = CSize(24, 24);
        return ok;
    };
    doc.SetModifiedFlag(false);
    view->OnCmdMsg(vx::cmd::kGridSettings, nullptr);  // Cancel
    EXPECT_FALSE(doc.IsModified());
    ok = true;
    view->OnCmdMsg(vx::cmd::kGridSettings, nullptr);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(page().gridSpacing, CSize(24, 24));
    editGrid = installed;
}
