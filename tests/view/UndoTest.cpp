// Undo and redo in the edit view, driven by synthetic input (offscreen):
// which edits merge into one step, the history limit, redo cleared by a new
// action, the restored zoom, selection, connections and modified flag, and
// nothing left pointing into the objects a restore replaced.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <random>

#include "command/CommandIds.h"
#include "model/Connection.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/SnapList.h"
#include "shapes/CircleOb.h"
#include "shapes/LineOb.h"
#include "shapes/ShapeClasses.h"
#include "support/EditViewSetup.h"
#include "support/ViewInput.h"
#include "view/HyperView.h"
#include "view/InlineEditor.h"

using vxtest::Drag;
using vxtest::Enabled;
using vxtest::Key;
using vx::cmd::kEditRedo;
using vx::cmd::kEditUndo;

namespace {

struct UndoFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        view = std::make_unique<CHyperView>();
        vxtest::ShowEditView(*view, doc);
        page().gridFlags &= ~CHyperPage::kSnapToGrid;
    }
    CHyperPage& page() { return doc.mainPage(); }
    CHyperOb* AddFrame(const CRect& r) { return vxtest::AddFrame(*view, r); }
    void Undo() { view->OnCmdMsg(kEditUndo, nullptr); }
    void Redo() { view->OnCmdMsg(kEditRedo, nullptr); }
    CRect RectOf(const std::string& code) {
        CHyperOb* ob = page().FindObjectByCode(code);
        return ob ? ob->Rect() : CRect(-1, -1, -1, -1);
    }
    std::vector<std::string> SelectedCodes() {
        std::vector<std::string> out;
        for (CHyperOb* ob : view->GetSelection()) out.push_back(ob->GetCode());
        return out;
    }

    CMyDoc doc;
    std::unique_ptr<CHyperView> view;
};

}  // namespace

TEST_F(UndoFixture, ArrowKeyNudgesMergeIntoOneStep) {
    CHyperOb* a = AddFrame(CRect(40, 40, 80, 80));
    const std::string code = a->GetCode();
    view->SelectObject(a);
    view->setFocus();
    for (int i = 0; i < 3; ++i) Key(*view, Qt::Key_Right);
    EXPECT_EQ(RectOf(code), CRect(43, 40, 83, 80));
    EXPECT_EQ(view->undoCount(), 1u);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kMoveResizeKeys);
    Undo();
    EXPECT_EQ(RectOf(code), CRect(40, 40, 80, 80));
    EXPECT_FALSE(Enabled(*view, kEditUndo));
    ASSERT_TRUE(Enabled(*view, kEditRedo));
    Redo();
    EXPECT_EQ(RectOf(code), CRect(43, 40, 83, 80));
    EXPECT_FALSE(Enabled(*view, kEditRedo));
}

TEST_F(UndoFixture, DragsOfOneObjectAreStepsEachAndOfAMultiSelectionOne) {
    CHyperOb* a = AddFrame(CRect(40, 40, 80, 80));
    CHyperOb* b = AddFrame(CRect(140, 40, 180, 80));
    const std::string ca = a->GetCode(), cb = b->GetCode();
    view->SelectObject(a);
    Drag(*view, {60, 60}, {70, 70});
    Drag(*view, {70, 70}, {80, 80});
    EXPECT_EQ(view->undoCount(), 2u);
    Undo();
    EXPECT_EQ(RectOf(ca), CRect(50, 50, 90, 90));
    Undo();
    EXPECT_EQ(RectOf(ca), CRect(40, 40, 80, 80));
    // The same two drags of two selected objects undo at once.
    view->SelectObject(page().FindObjectByCode(ca));
    view->AddToSelection(page().FindObjectByCode(cb));
    Drag(*view, {60, 60}, {70, 70});
    Drag(*view, {70, 70}, {80, 80});
    EXPECT_EQ(RectOf(cb), CRect(160, 60, 200, 100));
    EXPECT_EQ(view->undoCount(), 1u);
    Undo();
    EXPECT_EQ(RectOf(ca), CRect(40, 40, 80, 80));
    EXPECT_EQ(RectOf(cb), CRect(140, 40, 180, 80));
}

TEST_F(UndoFixture, TwentyOneOfTwentyFiveMovesCanBeUndone) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    const std::string code = a->GetCode();
    view->SelectObject(a);
    for (int i = 0; i < 25; ++i) view->MoveSelection(2, 0, false);
    EXPECT_EQ(RectOf(code).left, 70);
    int undone = 0;
    while (Enabled(*view, kEditUndo) && undone < 30) {
        Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 21);
    EXPECT_EQ(RectOf(code).left, 28);  // four moves stay
    EXPECT_EQ(view->redoCount(), 21u);
}

TEST_F(UndoFixture, ANewActionClearsRedo) {
    CHyperOb* a = AddFrame(CRect(40, 40, 80, 80));
    view->SelectObject(a);
    view->MoveSelection(5, 5, false);
    Undo();
    ASSERT_TRUE(Enabled(*view, kEditRedo));
    view->MoveSelection(0, 7, false);
    EXPECT_FALSE(Enabled(*view, kEditRedo));
    EXPECT_EQ(view->undoCount(), 1u);
}

TEST_F(UndoFixture, UndoingAZoomRestoresTheFixedPageAtZoom100) {
    page().pageObject()->scrollBars = 0;
    view->SetZoom(100);
    ASSERT_FALSE(view->HasScrollBars());
    view->SetZoom(200);
    ASSERT_TRUE(view->HasScrollBars());
    EXPECT_EQ(view->Zoom(), 200);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kProperty);
    Undo();
    EXPECT_FALSE(view->HasScrollBars());
    EXPECT_EQ(view->Zoom(), 100);
    Redo();
    EXPECT_TRUE(view->HasScrollBars());
}

TEST_F(UndoFixture, AMultiSelectionComesBackWithItsDominantObject) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    CHyperOb* c = AddFrame(CRect(200, 20, 240, 60));
    // The middle object of the page leads.
    view->SelectObject(b);
    view->AddToSelection(a);
    view->AddToSelection(c);
    const std::vector<std::string> before = SelectedCodes();
    const int dominant = view->DominantIndex();
    ASSERT_EQ(dominant, 1);
    view->MoveSelection(0, 30, false);
    view->DeselectAll(false);
    Undo();
    EXPECT_EQ(SelectedCodes(), before);
    EXPECT_EQ(view->DominantIndex(), dominant);
    for (CHyperOb* ob : view->GetSelection()) {
        ASSERT_NE(ob->GetTracker(), nullptr);
        EXPECT_TRUE(ob->GetTracker()->IsSelected());
        EXPECT_EQ(ob->Rect().top, 20);
    }
}

TEST_F(UndoFixture, AnAttachedLineComesBackAttachedAndFollows) {
    view->m_bShowSnapPoints = true;
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kEllipse));
    Drag(*view, {200, 100}, {280, 180});
    CHyperOb* e = view->GetSingleSelection();
    ASSERT_NE(e, nullptr);
    const std::string ecode = e->GetCode();
    CSnapList* list = e->GetSnapList(true);
    ASSERT_NE(list, nullptr);
    const CPoint target = list->Position(*list->set().point(0));
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kLine));
    Drag(*view, {40, 40}, {120, 60});
    CHyperOb* line = view->GetSingleSelection();
    ASSERT_NE(line, nullptr);
    const std::string lcode = line->GetCode();
    Drag(*view, {120, 60}, {target.x + 3, target.y - 2});
    ASSERT_TRUE(line->GetConnection()->ends[0].IsAttached() || line->GetConnection()->ends[1].IsAttached());
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kSnapUnsnap);
    // Erase the ellipse (the line comes free), then undo.
    view->SelectObject(e);
    view->OnCmdMsg(vx::cmd::kEditClear, nullptr);
    ASSERT_EQ(page().FindObjectByCode(ecode), nullptr);
    Undo();
    CHyperOb* e2 = page().FindObjectByCode(ecode);
    CHyperOb* l2 = page().FindObjectByCode(lcode);
    ASSERT_NE(e2, nullptr);
    ASSERT_NE(l2, nullptr);
    CConnection* conn = l2->GetConnection();
    ASSERT_NE(conn, nullptr);
    const int k = conn->ends[0].IsAttached() ? 0 : 1;
    ASSERT_TRUE(conn->ends[k].IsAttached());
    EXPECT_EQ(conn->ends[k].target, ecode);
    // The restored line follows the restored ellipse.
    view->SelectObject(e2);
    const CPoint inside = e2->Rect().CenterPoint();
    Drag(*view, {inside.x, inside.y}, {inside.x + 20, inside.y + 10});
    CSnapList* list2 = e2->GetSnapList(false);
    ASSERT_NE(list2, nullptr);
    const CPoint moved = list2->Position(*list2->set().point(0));
    EXPECT_EQ(moved, CPoint(target.x + 20, target.y + 10));
    CLineOb* l = dynamic_cast<CLineOb*>(l2);
    ASSERT_NE(l, nullptr);
    EXPECT_TRUE(l->FirstEnd() == moved || l->SecondEnd() == moved);
}

TEST_F(UndoFixture, TheModifiedFlagFollowsUndoAndRedo) {
    CHyperOb* a = AddFrame(CRect(40, 40, 80, 80));
    view->SelectObject(a);
    doc.SetModifiedFlag(false);
    view->MoveSelection(5, 0, false);
    EXPECT_TRUE(doc.IsModified());
    // Saved, then undone back past the save: modified.
    doc.SetModifiedFlag(false);
    Undo();
    EXPECT_TRUE(doc.IsModified());
    // Saved in the undone state, then redone: modified again.
    doc.SetModifiedFlag(false);
    Redo();
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(UndoFixture, UndoingEverythingGivesTheSavedBytesAndRedoTheFinalOnes) {
    AddFrame(CRect(20, 20, 60, 60));
    AddFrame(CRect(100, 20, 140, 60));
    doc.SetModifiedFlag(false);
    const std::vector<uint8_t> saved = doc.SaveToBytes();
    view->SelectAll();
    view->OnCmdMsg(vx::cmd::kGroup, nullptr);
    view->MoveSelection(10, 10, false);
    view->OnCmdMsg(vx::cmd::kUngroup, nullptr);
    ASSERT_TRUE(vxtest::Enabled(*view, vx::cmd::kRegroup));
    view->SelectObject(page().At(0));
    view->OnCmdMsg(vx::cmd::kEditClear, nullptr);
    ASSERT_TRUE(view->tools().SetTool(vx::tool::kFrame));
    Drag(*view, {200, 150}, {260, 200});
    const std::vector<uint8_t> final = doc.SaveToBytes();
    while (Enabled(*view, kEditUndo)) Undo();
    EXPECT_EQ(doc.SaveToBytes(), saved);
    while (Enabled(*view, kEditRedo)) Redo();
    EXPECT_EQ(doc.SaveToBytes(), final);
}

TEST_F(UndoFixture, ARestoreLeavesNothingPointingAtTheOldObjects) {
    CHyperOb* a = AddFrame(CRect(20, 20, 60, 60));
    CHyperOb* b = AddFrame(CRect(100, 20, 140, 60));
    view->SelectObject(a);
    view->AddToSelection(b);
    view->OnCmdMsg(vx::cmd::kGroup, nullptr);
    view->OnCmdMsg(vx::cmd::kUngroup, nullptr);
    ASSERT_TRUE(Enabled(*view, vx::cmd::kRegroup));
    // Undoing the Ungroup rebuilds the objects the Regroup memory named.
    Undo();
    EXPECT_FALSE(Enabled(*view, vx::cmd::kRegroup));
    view->OnCmdMsg(vx::cmd::kRegroup, nullptr);
    // An open in-place editor is closed by a restore.
    CHyperOb* first = page().At(0);
    first->SetText("Old");
    view->SelectObject(first);
    ASSERT_TRUE(view->OpenInlineEditor(first));
    ASSERT_TRUE(view->inlineEditor()->isOpen());
    view->CloseInlineEditor(false);
    view->MoveSelection(3, 0, false);
    ASSERT_TRUE(view->OpenInlineEditor(page().At(0)));
    view->Undo();
    EXPECT_FALSE(view->inlineEditor()->isOpen());
    EXPECT_FALSE(view->snapMarkerShown());
}

TEST_F(UndoFixture, UndoWhileEditingTextUndoesInTheEditor) {
    CHyperOb* a = AddFrame(CRect(40, 40, 200, 120));
    a->SetText("Old");
    view->SelectObject(a);
    view->MoveSelection(2, 0, false);
    ASSERT_TRUE(view->OpenInlineEditor(a));
    CInlineEditor* ed = view->inlineEditor();
    EXPECT_FALSE(Enabled(*view, kEditUndo));  // nothing typed yet
    QTest::keyClicks(ed, "xy");
    ASSERT_TRUE(Enabled(*view, kEditUndo));
    Undo();
    EXPECT_TRUE(ed->isOpen());
    EXPECT_EQ(view->undoCount(), 1u);
    EXPECT_EQ(page().At(0)->Rect().left, 42);
}

// Seeded random edits (insert, move, nudge, erase, group, ungroup, text,
// zoom), then undo all gives the saved bytes and redo all the final ones.
TEST_F(UndoFixture, RandomEditSequencesUndoToTheSavedBytes) {
    int changedDesigns = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        view->OnCmdMsg(vx::cmd::kEditSelectAll, nullptr);
        view->EraseSelection();
        view->PushUndo(nullptr);
        view->SetRedo(nullptr);
        page().pageObject()->scrollBars = seed % 3 == 0 ? 0 : 1;
        view->SetZoom(100);
        std::mt19937 rng(seed);
        auto pick = [&rng](int n) { return int(rng() % uint32_t(n)); };
        for (int i = 0; i < 3; ++i) AddFrame(CRect(20 + 60 * i, 20, 60 + 60 * i, 60));
        const std::vector<uint8_t> saved = doc.SaveToBytes();
        const int actions = 1 + pick(15);
        for (int a = 0; a < actions; ++a) {
            if (page().Count() > 0) view->SelectObject(page().At(size_t(pick(int(page().Count())))));
            switch (pick(8)) {
                case 0: {
                    const int x = 20 + pick(300), y = 20 + pick(200);
                    auto ob = std::make_unique<CRectOb>();
                    ob->AttachToView(&page(), nullptr, true);
                    ob->SetRect(CRect(x, y, x + 30, y + 20));
                    view->AddObject(std::move(ob), true, false);
                    break;
                }
                case 1: view->MoveSelection(pick(21) - 10, pick(21) - 10, false); break;
                case 2: view->NudgeSelection(pick(3) - 1, 1, 1, pick(2) == 0, false); break;
                case 3: view->EraseSelection(); break;
                case 4:
                    view->OnCmdMsg(vx::cmd::kEditSelectAll, nullptr);
                    view->GroupSelection(true);
                    break;
                case 5: view->UngroupSelection(); break;
                case 6:
                    if (CHyperOb* ob = view->GetSingleSelection(); ob && view->OpenInlineEditor(ob)) {
                        view->inlineEditor()->setText(QString::number(seed * 100 + uint32_t(a)));
                        view->CloseInlineEditor(true);
                    }
                    break;
                default: view->SetZoom(pick(2) == 0 ? 200 : 50); break;
            }
        }
        const std::vector<uint8_t> final = doc.SaveToBytes();
        changedDesigns += final != saved;
        while (Enabled(*view, kEditUndo)) Undo();
        ASSERT_EQ(doc.SaveToBytes(), saved);
        while (Enabled(*view, kEditRedo)) Redo();
        ASSERT_EQ(doc.SaveToBytes(), final);
    }
    // The sequences did edit the design.
    EXPECT_GT(changedDesigns, 150);
}
