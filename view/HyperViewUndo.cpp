// The edit view's undo history: snapshots filed by every edit (through
// CEditScope), merging of repeated moves, the "Undo" and "Redo" commands
// and restoring a snapshot into the page.
#include <QScrollBar>

#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "view/HyperView.h"
#include "view/InlineEditor.h"

using vx::edit::RefOf;

int CHyperView::ActionOf(EditKind kind) {
    switch (kind) {
        case EditKind::kMoveResize: return vx::undo::kMoveResizeMouse;
        case EditKind::kNudge: return vx::undo::kMoveResizeKeys;
        case EditKind::kInsert: return vx::undo::kInsert;
        case EditKind::kDelete: return vx::undo::kDelete;
        case EditKind::kProperty: return vx::undo::kProperty;
        case EditKind::kTextEdit: return vx::undo::kTextEdit;
        case EditKind::kGroup:
        case EditKind::kUngroup:
        case EditKind::kRegroup: return vx::undo::kGroupUngroup;
        case EditKind::kSnap: return vx::undo::kSnapUnsnap;
        case EditKind::kEditPoints: return vx::undo::kEditPoints;
    }
    return vx::undo::kProperty;
}

std::unique_ptr<CUndoStep> CHyperView::TakeSnapshot(int action) {
    if (!page()) return nullptr;
    // Resolving brings every entry's index up to date (no walk per object).
    GetSelection();
    std::vector<int> sel;
    for (const vx::edit::CObjectRef& r : selection_.items()) sel.push_back(r.index);
    return std::make_unique<CUndoStep>(*page(), page()->document, sel, action, m_bUndoEnabled);
}

void CHyperView::OnBeforeEdit(EditKind kind) {
    // Only the outermost edit takes a snapshot; inner ones are part of it.
    if (editDepth_++ > 0) return;
    editChanged_ = false;
    pendingStep_ = m_bUndoEnabled ? TakeSnapshot(ActionOf(kind)) : nullptr;
}

void CHyperView::OnAfterEdit(EditKind kind, bool changed) {
    editChanged_ = editChanged_ || changed;
    if (editDepth_ == 0 || --editDepth_ > 0) return;
    std::unique_ptr<CUndoStep> step = std::move(pendingStep_);
    if (!editChanged_ || !step) return;
    step->setAction(ActionOf(kind));
    PushUndo(std::move(step));
}

void CHyperView::OnBeforePropertyChange() {
    // Inside an edit the edit's own step covers the change.
    if (editDepth_ > 0) return;
    PushUndo(TakeSnapshot(vx::undo::kProperty));
}

bool CHyperView::CanMergeUndo(const CUndoStep* n, const CUndoStep* c) {
    if (!n || !c || n->action() != c->action() || !n->SameSelectionShape(*c)) return false;
    switch (n->action()) {
        case vx::undo::kMoveResizeKeys:
        case vx::undo::kProperty:
        case vx::undo::kRotate:
        case vx::undo::kEditPoints: return true;
        case vx::undo::kMoveResizeMouse: return IsMultiSelection();
        default: return false;
    }
}

void CHyperView::PushUndo(std::unique_ptr<CUndoStep> s, bool keepRedo) {
    if (s) {
        if (page() && page()->document) page()->document->SetModifiedFlag(true);
        switch (s->action()) {
            case vx::undo::kTabOrder:
            case vx::undo::kInsert:
            case vx::undo::kZOrder:
            case vx::undo::kDelete: groupState_ = CGroupState{}; break;
            default: break;
        }
    }
    if (!m_bUndoEnabled) return;
    if (!keepRedo) SetRedo(nullptr);
    // A redo files the state it leaves; merging it would lose a step.
    if (!keepRedo && CanMergeUndo(s.get(), m_pUndo.get())) return;
    if (m_pUndo) {
        m_undoStack.push_back(std::move(m_pUndo));
        if (m_undoStack.size() > vx::undo::kHistoryLimit) m_undoStack.erase(m_undoStack.begin());
    }
    m_pUndo = std::move(s);
    if (!m_pUndo) m_undoStack.clear();
}

void CHyperView::SetRedo(std::unique_ptr<CUndoStep> s) {
    if (s) {
        if (page() && page()->document) page()->document->SetModifiedFlag(true);
        groupState_ = CGroupState{};
    }
    if (!m_bUndoEnabled) return;
    if (m_pRedo) m_redoStack.push_back(std::move(m_pRedo));
    m_pRedo = std::move(s);
    if (!m_pRedo) m_redoStack.clear();
}

void CHyperView::ApplyUndoStep(std::unique_ptr<CUndoStep> s, int /*mode*/) {
    if (!s || !page()) return;
    CHyperPage& pg = *page();
    CHyperOleDoc* doc = pg.document;
    // Nothing may point into the objects about to be replaced.
    if (pointDrag_.active) FinishPointDrag(true);
    if (drag_.Active()) FinishDrag(true);
    if (inline_) inline_->Cancel();
    snapMarker_ = {};
    groupState_ = CGroupState{};
    RefreshPropertyWindow();
    const CHyperFrameOb* oldFrame = doc ? doc->frameObject() : nullptr;
    const CSize frameSize = oldFrame ? CSize(oldFrame->width, oldFrame->height) : CSize();

    const bool wasEnabled = m_bUndoEnabled;
    m_bUndoEnabled = false;
    std::vector<int> sel;
    {
        CBulkRepaint bulk(*this);
        BeginSelectionBatch();
        selection_.Clear();
        if (s->Apply(pg, doc, sel)) {
            pg.pageObject()->Update(0, 0);
            if (s->hasFrame() && doc && doc->frameObject()) {
                CHyperFrameOb* fo = doc->frameObject();
                if (fo->GetWindow() && CSize(fo->width, fo->height) != frameSize)
                    fo->ApplyToWindow(CHyperFrameOb::kNoActivate);
            }
            for (size_t i = 0; i < pg.Count(); ++i) {
                CHyperOb* ob = pg.At(i);
                ob->AttachToView(&pg, nullptr, false);
                ob->RefreshSubObjects();
                ob->RecalcHandles();
                ob->SaveBounds();
            }
            for (int i : sel)
                if (i >= 0 && size_t(i) < pg.Count()) selection_.Add(RefOf(pg, i));
        }
        s.reset();
        bulkDirty_ = true;
        EndSelectionBatch();
    }
    m_bUndoEnabled = wasEnabled;
    if (HasScrollBars()) SetPageSize(GetViewOb()->scrollWidth, GetViewOb()->scrollHeight);
    else SetZoom(100);
    SyncSelection();
    viewport()->update();
}

bool CHyperView::CanUndo() const { return IsEditMode() && m_bUndoEnabled && m_pUndo; }

bool CHyperView::CanRedo() const { return IsEditMode() && m_bUndoEnabled && m_pRedo; }

void CHyperView::Undo() {
    if (!CanUndo()) return;
    SetRedo(TakeSnapshot(m_pUndo->action()));
    std::unique_ptr<CUndoStep> step = std::move(m_pUndo);
    if (!m_undoStack.empty()) {
        m_pUndo = std::move(m_undoStack.back());
        m_undoStack.pop_back();
    }
    ApplyUndoStep(std::move(step), 0);
}

void CHyperView::Redo() {
    if (!CanRedo()) return;
    // The undo step goes in first, so it keeps the redo history behind it.
    PushUndo(TakeSnapshot(m_pRedo->action()), true);
    std::unique_ptr<CUndoStep> step = std::move(m_pRedo);
    if (!m_redoStack.empty()) {
        m_pRedo = std::move(m_redoStack.back());
        m_redoStack.pop_back();
    }
    ApplyUndoStep(std::move(step), 1);
}
