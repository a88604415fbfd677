#include "view/HyperView.h"

#include <QGuiApplication>
#include <algorithm>
#include <optional>
#include <iterator>
#include <unordered_set>

#include "command/CommandIds.h"
#include "model/Connection.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/LayerFmt.h"
#include "model/ListEditors.h"
#include "model/HyperViewOb.h"
#include "model/Object.h"
#include "model/SnapList.h"
#include "view/InlineEditor.h"

using vx::edit::CObjectRef;
using vx::edit::RefOf;

namespace {


}  // namespace

CHyperView::CHyperView(QWidget* parent) : CHyperRunView(parent) {
    SetZoomLevels(std::vector<int>(std::begin(kZoomLevels), std::end(kZoomLevels)));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    selection_.onChanged = [this] {
        RefreshPropertyWindow();
        emit selectionChangedSignal();
    };
    ownTools_.isKnownTool = [this](int id) { return IsKnownTool(id); };
    ownTools_.onChanged = [this](int id) { emit toolChanged(id); };
    connect(&autoScrollTimer_, &QTimer::timeout, this, &CHyperView::OnAutoScrollTick);

    using namespace vx::cmd;
    commands_.On(kZoomIn, [this] { SetZoom(NextZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(Zoom() < MaxZoomLevel()); });
    commands_.On(kZoomOut, [this] { SetZoom(PrevZoomLevel(Zoom())); },
                 [this](CCmdUI& ui) { ui.Enable(Zoom() > MinZoomLevel()); });
    commands_.On(kZoom100, [this] { SetZoom(100); }, [this](CCmdUI& ui) {
        ui.Enable(HasScrollBars() && Zoom() != 100);
        ui.SetCheck(Zoom() == 100);
    });
    commands_.On(kEditClear, [this] { EraseSelection(); }, [this](CCmdUI& ui) {
        ui.Enable(IsEditMode() && (inline_ && inline_->isOpen() ? inline_->HasSelectedText() : GetDominant() != nullptr));
    });
    commands_.On(kEditUndo, [this] {
        if (inline_ && inline_->isOpen()) inline_->undo();
        else Undo();
    }, [this](CCmdUI& ui) {
        ui.Enable(IsEditMode() && (inline_ && inline_->isOpen() ? inline_->isUndoAvailable() : CanUndo()));
    });
    commands_.On(kEditRedo, [this] { Redo(); }, [this](CCmdUI& ui) { ui.Enable(CanRedo()); });
    commands_.On(kEditSelectAll, [this] { SelectAll(); }, [this](CCmdUI& ui) {
        ui.Enable(IsEditMode() && page() && selection_.Count() < page()->Count());
    });
    commands_.On(kToggleGrid, [this] {
        if (!page()) return;
        const bool show = !IsShowGrid();
        uint32_t& f = page()->gridFlags;
        f = show ? (f | CHyperPage::kShowGrid | CHyperPage::kSnapToGrid)
                 : (f & ~(CHyperPage::kShowGrid | CHyperPage::kSnapToGrid));
        if (page()->document) page()->document->SetModifiedFlag(true);
        viewport()->update();
    }, [this](CCmdUI& ui) {
        ui.Enable(IsEditMode());
        ui.SetCheck(IsShowGrid());
    });
    commands_.On(kGridSettings, [this] {
        auto& editGrid = CListEditors::Get().editGrid;
        if (!page() || !editGrid || !editGrid(*page())) return;
        if (page()->document) page()->document->SetModifiedFlag(true);
        // The line step follows the grid spacing.
        if (HasScrollBars())
            if (const CHyperViewOb* ob = GetViewOb()) SetPageSize(ob->scrollWidth, ob->scrollHeight);
        viewport()->update();
    }, [this](CCmdUI& ui) { ui.Enable(IsEditMode() && page()); });
    commands_.On(kViewSnapPoints, [this] {
        m_bShowSnapPoints = !m_bShowSnapPoints;
        snapMarker_ = {};
        viewport()->update();
    }, [this](CCmdUI& ui) {
        ui.Enable(IsEditMode());
        ui.SetCheck(m_bShowSnapPoints);
    });
    commands_.On(kSetTabOrder, [] {}, [](CCmdUI& ui) { ui.Enable(false); });
    commands_.On(kGroup, [this] { GroupSelection(QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier); },
                 [this](CCmdUI& ui) {
                     const auto sel = GetSelection();
                     ui.Enable(page() && sel.size() > 1 && CGroupOps::CanGroup(*page(), sel));
                 });
    commands_.On(kUngroup, [this] { UngroupSelection(); }, [this](CCmdUI& ui) {
        const auto sel = GetSelection();
        ui.Enable(page() && CGroupOps::CanUngroup(*page(), sel));
    });
    commands_.On(kRegroup, [this] { RegroupSelection(); },
                 [this](CCmdUI& ui) { ui.Enable(page() && CGroupOps::CanRegroup(*page(), groupState_)); });
    commands_.On(kEscape, [this] {
        if (pointDrag_.active) FinishPointDrag(true);
        else if (drag_.Active()) FinishDrag(true);
        else if (!CloseInlineEditor(false)) tools_->ReturnToSelect();
    });
    InitPointCommands();
}

CHyperView::~CHyperView() {
    autoScrollTimer_.stop();
    inline_.reset();
}

void CHyperView::OnInitialUpdate() {
    CHyperRunView::OnInitialUpdate();
    // A (re)loaded page starts without a selection.
    selection_.Clear();
    drag_.End();
    target_ = DragTarget{};
    groupState_ = CGroupState{};
    snapMarker_ = {};
    pointDrag_ = PointDrag{};
    m_bEditPoints = false;
    if (inline_) inline_->Cancel();
}

void CHyperView::OnEraseBkgnd(CDC& dc) {
    if (!GetViewOb()) return;
    CHyperRunView::OnEraseBkgnd(dc);
    DrawGrid(dc);
}

void CHyperView::InvalidatePageRect(const CRect& r) {
    if (bulkRepaint_ > 0) {
        bulkDirty_ = true;
        return;
    }
    CHyperRunView::InvalidatePageRect(r);
}

// ---- tool ----

void CHyperView::SetToolState(vx::edit::CToolState* tools) { tools_ = tools ? tools : &ownTools_; }

bool CHyperView::IsKnownTool(int id) const {
    if (id == vx::tool::kSelect || (id >= vx::tool::kAppFirst && id <= vx::tool::kAppLast)) return true;
    return id > 0 && id <= 0xFFFF && GetToolClass(uint16_t(id)) != nullptr;
}

// ---- selection ----

std::vector<CHyperOb*> CHyperView::GetSelection() {
    if (!page()) return {};
    return selection_.Resolve(*page());
}

CHyperOb* CHyperView::GetDominant() {
    if (!page() || selection_.IsEmpty()) return nullptr;
    CObjectRef r = *selection_.Dominant();
    CHyperOb* ob = selection_.ResolveOne(*page(), r);
    if (!ob || r != *selection_.Dominant()) {
        // Gone or moved: bring the whole selection up to date.
        const auto sel = GetSelection();
        return sel.empty() ? nullptr : sel.front();
    }
    return ob;
}

CHyperOb* CHyperView::GetSingleSelection() { return selection_.Count() == 1 ? GetDominant() : nullptr; }

int CHyperView::DominantIndex() {
    GetDominant();
    return selection_.DominantIndex();
}

void CHyperView::MarkSelected() {
    const auto sel = GetSelection();
    for (size_t i = 0; i < sel.size(); ++i) sel[i]->Select(i == 0);
}

void CHyperView::DeselectAll(bool keepDominant) {
    const auto sel = GetSelection();
    if (sel.empty() || (sel.size() == 1 && keepDominant)) return;
    CBulkRepaint bulk(*this);
    BeginSelectionBatch();
    if (keepDominant) {
        for (size_t i = 1; i < sel.size(); ++i) sel[i]->Deselect(true);
        selection_.KeepDominantOnly();
        sel.front()->Select(true);
    } else {
        for (CHyperOb* ob : sel) ob->Deselect(true);
        selection_.Clear();
    }
    EndSelectionBatch();
}

void CHyperView::SelectAll() {
    if (!page()) return;
    CBulkRepaint bulk(*this);
    BeginSelectionBatch();
    bool first = true;
    for (size_t i = 0; i < page()->Count(); ++i) {
        CHyperOb* ob = page()->At(i);
        if (ob->IsLocked() || (ob->GetTracker() && ob->GetTracker()->IsSelected())) continue;
        const CObjectRef ref = RefOf(*page(), int(i));
        selection_.Add(ref);
        if (first) {
            // The first newly selected object leads.
            if (CHyperOb* old = GetDominant(); old && old != ob) old->Select(false);
            selection_.MakeDominant(ref);
        }
        ob->Select(first);
        first = false;
    }
    EndSelectionBatch();
}

CHyperOb* CHyperView::GroupMaster(int groupId) const {
    if (!page() || groupId < 0) return nullptr;
    for (CHyperOb* m : page()->GetGroupMembers(groupId))
        if (m->groupInfo()) return m;
    return nullptr;
}

void CHyperView::SelectWithGroup(CHyperOb* ob) {
    if (!page() || !ob) return;
    BeginSelectionBatch();
    std::vector<CHyperOb*> members;
    if (ob->groupId() >= 0) members = page()->GetGroupMembers(ob->groupId());
    CHyperOb* lead = ob;
    if (members.size() > 1) {
        if (CHyperOb* master = GroupMaster(ob->groupId())) lead = master;
    } else {
        members = {ob};
    }
    CBulkRepaint bulk(*this);
    selection_.SelectSingle(RefOf(*page(), page()->IndexOf(lead)));
    lead->Select(true);
    for (CHyperOb* m : members)
        if (m != lead && !m->IsLocked()) {
            selection_.Add(RefOf(*page(), page()->IndexOf(m)));
            m->Select(false);
        }
    EndSelectionBatch();
}

void CHyperView::SelectObject(CHyperOb* ob) {
    BeginSelectionBatch();
    DeselectAll(false);
    SelectWithGroup(ob);
    EndSelectionBatch();
}

void CHyperView::AddToSelection(CHyperOb* ob, int index) {
    if (!page() || !ob) return;
    if (index < 0 || size_t(index) >= page()->Count() || page()->At(size_t(index)) != ob) index = page()->IndexOf(ob);
    const bool wasEmpty = selection_.IsEmpty();
    if (selection_.Add(RefOf(*page(), index))) ob->Select(wasEmpty);
}

void CHyperView::RemoveFromSelection(CHyperOb* ob) {
    if (!page() || !ob) return;
    const bool wasDominant = GetDominant() == ob;
    if (!selection_.Remove(RefOf(*page(), page()->IndexOf(ob)))) return;
    ob->Deselect(true);
    if (wasDominant)
        if (CHyperOb* d = GetDominant()) d->Select(true);
}

void CHyperView::SyncSelection() {
    if (!page()) return;
    CBulkRepaint bulk(*this);
    for (size_t i = 0; i < page()->Count(); ++i) page()->At(i)->SaveBounds();
    const auto sel = GetSelection();
    std::unordered_set<const CHyperOb*> keep(sel.begin(), sel.end());
    for (size_t i = 0; i < page()->Count(); ++i) {
        CHyperOb* ob = page()->At(i);
        if (!keep.count(ob) && ob->GetTracker() && ob->GetTracker()->IsSelected()) ob->Deselect(true);
    }
    MarkSelected();
    if (!sel.empty()) sel.front()->Update(0, 0);
    SelectionChanged();
}

void CHyperView::SelectLayer(int layerId) {
    if (!page()) return;
    CBulkRepaint bulk(*this);
    BeginSelectionBatch();
    DeselectAll(false);
    for (size_t i = 0; i < page()->Count(); ++i) {
        CHyperOb* ob = page()->At(i);
        if (ob->layerId() == layerId && !ob->IsLocked()) AddToSelection(ob, int(i));
    }
    EndSelectionBatch();
}

int CHyperView::CommonGroupId(const std::vector<CHyperOb*>& list) const {
    if (list.empty()) return -1;
    const int id = list.front()->groupId();
    for (const CHyperOb* ob : list)
        if (ob->groupId() != id) return -1;
    return id;
}

void CHyperView::SelectNext(bool forwards) {
    if (!page() || page()->Count() == 0) return;
    const int n = int(page()->Count());
    int i = DominantIndex();
    if (i < 0) i = forwards ? -1 : n;
    for (int step = 0; step < n; ++step) {
        i = forwards ? (i + 1) % n : (i - 1 + n) % n;
        CHyperOb* ob = page()->At(size_t(i));
        if (ob->IsLocked() || (ob->GetTracker() && ob->GetTracker()->IsSelected())) continue;
        BeginSelectionBatch();
        DeselectAll(false);
        selection_.SelectSingle(RefOf(*page(), i));
        ob->Select(true);
        EndSelectionBatch();
        return;
    }
    DeselectAll(false);
}

// ---- objects ----

std::unique_ptr<CHyperOb> CHyperView::CreateObjectForTool(int toolId) {
    // The application's own tools create nothing here.
    if (toolId >= vx::tool::kAppFirst && toolId <= 60526) return nullptr;
    if (toolId <= 0 || toolId > 0xFFFF) return nullptr;
    const CClassInfo* info = GetToolClass(uint16_t(toolId));
    if (!info || !info->create) return nullptr;
    std::unique_ptr<CObject> made = info->create();
    auto* ob = dynamic_cast<CHyperOb*>(made.get());
    if (!ob) return nullptr;
    made.release();
    return std::unique_ptr<CHyperOb>(ob);
}

CHyperOb* CHyperView::AddObject(std::unique_ptr<CHyperOb> ob, bool select, bool noConstrain) {
    if (!ob || !page()) return nullptr;
    const CRect n = ob->Rect().Normalized();
    if (n.Width() <= 1 && n.Height() <= 1) return nullptr;  // too small: dropped
    const bool shown = isVisible();
    std::optional<CEditScope> scope;
    if (shown && select) {
        scope.emplace(*this, EditKind::kInsert);
        scope->Changed();
        DeselectAll(false);
    }
    CHyperPage& pg = *page();
    ob->SetView(&pg);
    ob->EnsureTracker();
    if (shown && !noConstrain) {
        CRect r = ob->Rect();
        if (KeepInUsableArea(r, true, false)) ob->SetRect(r);
    }
    // Naming: the type name and the next number of its counter.
    const std::string type = ob->GetTypeName();
    uint16_t& counter = m_codeCounters.try_emplace(type, uint16_t(1)).first->second;
    const int used = ob->SetCode(type, std::max<int>(1, counter));
    counter = used >= 1 && used < 0xFFFF ? uint16_t(used + 1) : uint16_t(1);
    if (const CLayerFmt* layers = pg.layers(); layers && !layers->empty()) ob->setLayerId(layers->GetInsertionLayerId());
    // Connectors stay in front of every other object.
    size_t at = 0;
    if (!ob->IsConnector())
        while (at < pg.Count() && pg.At(at)->IsConnector()) ++at;
    CHyperOb* raw = pg.Insert(std::move(ob), int(at));
    selection_.OnInserted(int(at));
    raw->Update(1, 0);
    if (select) {
        selection_.SelectSingle(RefOf(pg, int(at)));
        raw->Select(true);
    }
    if (pg.document) pg.document->SetModifiedFlag(true);
    return raw;
}

bool CHyperView::CanDeleteObject(const CHyperOb& ob) const {
    if (!ob.CanDelete()) return false;
    if (ob.groupId() >= 0)
        if (const CGroupInfo* g = ob.FindGroupInfo(); g && !g->CanDelete()) return false;
    return true;
}

bool CHyperView::DeleteObjectAt(int index) {
    if (!page() || index < 0 || size_t(index) >= page()->Count()) return false;
    CHyperOb* ob = page()->At(size_t(index));
    if (!CanDeleteObject(*ob)) return false;
    const std::string code = ob->GetCode();
    if (pointDrag_.active) FinishPointDrag(true);
    if (drag_.Active()) FinishDrag(true);
    if (inline_ && inline_->object() == ob) inline_->Cancel();
    // Lines hanging on the object come free.
    if (CSnapList* list = ob->GetSnapList(true); list && list->HasConnections() && !code.empty())
        for (size_t i = 0; i < page()->Count(); ++i)
            if (CConnection* c = page()->At(i)->GetConnection()) c->Detach(code);
    ob->DisconnectAll();
    ob->Invalidate(nullptr);
    groupState_.Forget(ob);
    selection_.OnRemoved(index, code);
    page()->Remove(ob);
    if (page()->document) page()->document->SetModifiedFlag(true);
    return true;
}

int CHyperView::EraseSelection() {
    if (inline_ && inline_->isOpen()) {
        inline_->DeleteSelectedText();
        return 0;
    }
    if (!page()) return 0;
    const auto sel = GetSelection();
    if (sel.empty()) return 0;
    CEditScope scope(*this, EditKind::kDelete);
    CBulkRepaint bulk(*this);
    BeginSelectionBatch();
    for (CHyperOb* ob : sel) ob->Deselect(true);
    int deleted = 0;
    for (CHyperOb* ob : sel)
        if (DeleteObjectAt(page()->IndexOf(ob))) ++deleted;
    if (deleted > 0) {
        scope.Changed();
        selection_.Clear();
        SelectionChanged();
    } else {
        MarkSelected();
    }
    EndSelectionBatch();
    return deleted;
}

// ---- tracking ----

vx::edit::GridSettings CHyperView::Grid() const {
    vx::edit::GridSettings g;
    g.snapToGrid = IsSnapToGrid();
    g.snapToCenter = IsSnapToCenter();
    g.snap = CSize(GetSnapGridWidth(), GetSnapGridHeight());
    g.draw = CSize(GetDrawGridWidth(), GetDrawGridHeight());
    return g;
}

bool CHyperView::KeepInUsableArea(CRect& r, bool resizing, bool noGridAdjust) const {
    return vx::edit::KeepInUsableArea(r, GetUsableRect(true), resizing, noGridAdjust, Grid());
}

bool CHyperView::CanResizeObject(CHyperOb& ob) const {
    if (!m_bCanResize || !ob.CanResize() || ob.IsRotated()) return false;
    return !IsSnapToCenter() || ob.IsLine();
}

void CHyperView::ApplyNewRect(CHyperOb& ob, const CRect& r) {
    if (r == ob.Rect()) return;
    ob.SetRect(r);
    ob.Update(1, 0);
}

void CHyperView::MoveSelection(int dx, int dy, bool skipDominant) {
    if ((dx == 0 && dy == 0) || !m_bCanMove) return;
    auto sel = GetSelection();
    if (sel.empty()) return;
    CEditScope scope(*this, EditKind::kMoveResize);
    scope.Changed();
    CBulkRepaint bulk(*this);
    for (size_t i = skipDominant ? 1 : 0; i < sel.size(); ++i) sel[i]->Move(dx, dy);
    KeepSelectionInside(sel);
    for (CHyperOb* ob : sel) ob->Update(1, 0);
    SyncGroupBounds();
    if (CHyperOb* d = sel.front()) ReportPosition(d->Rect());
}

bool CHyperView::KeepSelectionInside(const std::vector<CHyperOb*>& list) {
    std::vector<CRect> rects;
    rects.reserve(list.size());
    for (CHyperOb* ob : list) rects.push_back(ob->Rect());
    if (!vx::edit::KeepSelectionInside(rects, GetUsableRect(true))) return false;
    for (size_t i = 0; i < list.size(); ++i)
        if (rects[i] != list[i]->Rect()) list[i]->SetRect(rects[i]);
    return true;
}

void CHyperView::ResizeSelection(const std::vector<CHyperOb*>& list, const CRect& from, const CRect& to,
                                 bool update) {
    if (from == to) return;
    CBulkRepaint bulk(*this);
    // The group record follows its master's rectangle while the members
    // are set: take it off meanwhile and put the new rectangle in.
    CHyperOb* master = nullptr;
    std::unique_ptr<CGroupInfo> record;
    if (update)
        for (CHyperOb* ob : list)
            if (ob->groupInfo()) {
                master = ob;
                record = ob->takeGroupInfo();
                break;
            }
    for (CHyperOb* ob : list) {
        if (ob->IsUpright()) {
            CRect r = vx::edit::MapRect(ob->Rect(), from, to);
            // A vertical or horizontal line keeps its one-unit side where
            // it starts (the line sets the other edge itself); taking the
            // middle would move it by a unit at every scaling.
            if (ob->IsLine()) {
                if (ob->GetResizeMode() == 8) r.right = r.left;
                else if (ob->GetResizeMode() == 6) r.bottom = r.top;
            }
            ob->SetRect(r);
        } else {
            const CPoint c = ob->Rect().CenterPoint();
            const CPoint m = vx::edit::MapPoint(c, from, to);
            ob->Move(m.x - c.x, m.y - c.y);
        }
    }
    if (record) {
        record->rect = to;
        master->setGroupInfo(std::move(record));
    }
    if (update) {
        for (CHyperOb* ob : list)
            if (ob != master) ob->Update(1, 0);
        if (master) master->Update(1, 0);
    }
}

void CHyperView::SyncGroupBounds() {
    const auto sel = GetSelection();
    for (CHyperOb* ob : sel) {
        CGroupInfo* g = ob->groupInfo();
        if (!g) continue;
        std::vector<CRect> rects;
        for (CHyperOb* m : sel)
            if (m->groupId() == ob->groupId()) rects.push_back(m->Rect());
        g->rect = vx::edit::BoundsOf(rects);
    }
    RefreshPropertyWindow();
}

CRect CHyperView::SelectionBounds() {
    std::vector<CRect> rects;
    for (CHyperOb* ob : GetSelection()) rects.push_back(ob->Rect());
    return vx::edit::BoundsOf(rects);
}

bool CHyperView::NudgeSelection(int dx, int dy, int steps, bool control, bool shift) {
    if (!m_bCanMove) return false;
    auto sel = GetSelection();
    if (sel.empty()) return false;
    const CRect bounds = SelectionBounds();
    const auto result = vx::edit::Nudge(bounds, {dx, dy, steps, control, shift}, Grid(),
                                        CSize(GetGridWidth(), GetGridHeight()), GetUsableRect(true));
    if (!result) return false;
    if (sel.size() > 1) {
        if (result->resize) return false;  // a multi-selection only moves
        CEditScope scope(*this, EditKind::kNudge);
        scope.Changed();
        MoveSelection(result->rect.left - bounds.left, result->rect.top - bounds.top, false);
        return true;
    }
    CHyperOb& ob = *sel.front();
    CRect r = result->rect;
    KeepInUsableArea(r, result->resize, false);
    if (result->resize) {
        const CSize min = ob.GetTracker() ? ob.GetTracker()->minSize : CSize(1, 1);
        if (!CanResizeObject(ob) || r.Width() < min.cx || r.Height() < min.cy) return false;
    }
    if (r == ob.Rect()) return false;
    CEditScope scope(*this, EditKind::kNudge);
    scope.Changed();
    ApplyNewRect(ob, r);
    SyncGroupBounds();
    ReportPosition(ob.Rect());
    return true;
}

// ---- groups ----

void CHyperView::GroupSelection(bool ctrlHeld) {
    if (!page()) return;
    auto sel = GetSelection();
    if (sel.size() < 2 || !CGroupOps::CanGroup(*page(), sel)) return;
    CEditScope scope(*this, EditKind::kGroup);
    const bool grouped = CGroupOps::GroupCommand(*page(), sel, groupState_, ctrlHeld, joiner_);
    // Joined objects replaced the selection: the step is their deletion.
    scope.Changed(grouped ? EditKind::kGroup : EditKind::kDelete);
    // The selection is the group (or the joined object), master dominant.
    BeginSelectionBatch();
    DeselectAll(false);
    (void)grouped;
    if (!sel.empty()) SelectWithGroup(sel.front());
    EndSelectionBatch();
    if (page()->document) page()->document->SetModifiedFlag(true);
    viewport()->update();
}

void CHyperView::UngroupSelection() {
    if (!page()) return;
    auto sel = GetSelection();
    if (!CGroupOps::CanUngroup(*page(), sel)) return;
    CEditScope scope(*this, EditKind::kUngroup);
    CGroupOps::Ungroup(*page(), sel, groupState_);
    scope.Changed();
    SyncSelection();
    if (page()->document) page()->document->SetModifiedFlag(true);
    viewport()->update();
}

void CHyperView::RegroupSelection() {
    if (!page() || !CGroupOps::CanRegroup(*page(), groupState_)) return;
    CEditScope scope(*this, EditKind::kRegroup);
    BeginSelectionBatch();
    DeselectAll(false);
    const std::vector<CHyperOb*> members = CGroupOps::Regroup(*page(), groupState_);
    scope.Changed();
    if (!members.empty()) SelectWithGroup(members.front());
    EndSelectionBatch();
    if (page()->document) page()->document->SetModifiedFlag(true);
    viewport()->update();
}
