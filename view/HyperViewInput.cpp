// The edit view's input: mouse presses, drags and releases, double clicks,
// keys, the auto-scroll timer, the snap-point marker, the feedback drawn
// while dragging, and the in-place text editor.
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cstdlib>

#include "command/CommandIds.h"
#include "model/Connection.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"
#include "platform/LogFont.h"
#include "platform/QtConv.h"
#include "view/HyperView.h"
#include "view/InlineEditor.h"

using vx::edit::CObjectRef;
using vx::edit::DragKind;
using vx::edit::RefOf;
using vx::edit::TrackParams;

namespace {

CPoint ClientPoint(const QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    return CPoint(p.x(), p.y());
}

// The corner of `r` that corner handle `h` (0 to 3) moves, and the one
// opposite it.
CPoint Corner(const CRect& r, int h) {
    switch (h) {
        case 0: return r.TopLeft();
        case 1: return CPoint(r.right, r.top);
        case 2: return r.BottomRight();
        default: return CPoint(r.left, r.bottom);
    }
}

void SetCorner(CRect& r, int h, CPoint p) {
    switch (h) {
        case 0: r.left = p.x, r.top = p.y; break;
        case 1: r.right = p.x, r.top = p.y; break;
        case 2: r.right = p.x, r.bottom = p.y; break;
        default: r.left = p.x, r.bottom = p.y; break;
    }
}

}  // namespace

CPoint CHyperView::ToPage(CPoint client) const {
    ClientToPage(client);
    return client;
}

int CHyperView::HitCode(CHyperOb& ob, CPoint p) const {
    const int h = ob.HitTest(p.x, p.y);
    if (h >= 0 && h < vx::kHitInside && (!IsEditMode() || !CanResizeObject(ob))) return vx::kHitInside;
    return h;
}

// ---- Qt events ----

bool CHyperView::event(QEvent* e) {
    // Tab moves the selection, not the focus.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && IsEditMode()) {
            keyPressEvent(k);
            return true;
        }
    }
    return CHyperRunView::event(e);
}

void CHyperView::mousePressEvent(QMouseEvent* e) {
    lastMods_ = e->modifiers();
    if (pointDrag_.active) {
        // The right button cancels a vertex drag; other presses are ignored.
        if (e->button() == Qt::RightButton) FinishPointDrag(true);
    } else if (e->button() == Qt::LeftButton) OnLButtonDown(ClientPoint(e), e->modifiers());
    else if (e->button() == Qt::RightButton) {
        if (drag_.Active()) FinishDrag(true);
        else OnRButtonDown(ClientPoint(e), e->modifiers());
    }
    e->accept();
}

void CHyperView::mouseMoveEvent(QMouseEvent* e) {
    lastMods_ = e->modifiers();
    const CPoint client = ClientPoint(e);
    if (pointDrag_.active) {
        UpdatePointDrag(client, false);
        return;
    }
    if (drag_.Active()) {
        UpdateDrag(client);
        return;
    }
    if (!IsEditMode() || !page()) return;
    const CPoint p = ToPage(client);
    UpdateSnapMarker(p);
    if (m_bEditPoints && tools_->IsSelectTool() && SetEditPointsCursor(p, e->modifiers() & Qt::ControlModifier))
        return;
    // Cursor: a cross for drawing tools, the move cursor over a selected
    // object, size cursors over the handles of the single selection.
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (!tools_->IsSelectTool()) {
        shape = Qt::CrossCursor;
    } else if (CHyperOb* d = GetDominant()) {
        const int h = HitCode(*d, p);
        static const Qt::CursorShape kHandleCursors[8] = {Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
                                                          Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,
                                                          Qt::SizeVerCursor,   Qt::SizeHorCursor,
                                                          Qt::SizeVerCursor,   Qt::SizeHorCursor};
        if (!IsMultiSelection() && h >= 0 && h < 8) shape = kHandleCursors[h];
        else if (h == vx::kHitInside) shape = Qt::SizeAllCursor;
    }
    viewport()->setCursor(shape);
}

void CHyperView::mouseReleaseEvent(QMouseEvent* e) {
    lastMods_ = e->modifiers();
    if (e->button() == Qt::LeftButton && pointDrag_.active) {
        UpdatePointDrag(ClientPoint(e), false);
        FinishPointDrag(false);
    } else if (e->button() == Qt::LeftButton && drag_.Active()) {
        UpdateDrag(ClientPoint(e));
        FinishDrag(false);
    }
    e->accept();
}

void CHyperView::mouseDoubleClickEvent(QMouseEvent* e) {
    lastMods_ = e->modifiers();
    const CPoint client = ClientPoint(e);
    const CPoint p = ToPage(client);
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool shift = m & Qt::ShiftModifier, control = m & Qt::ControlModifier;
    OnPageMouseEvent(p.x, p.y, true, e->button() == Qt::RightButton, shift, control);
    if (e->button() == Qt::RightButton) {
        OnRButtonDown(client, m);
        return;
    }
    if (e->button() != Qt::LeftButton || !IsEditMode() || !page()) return;
    if (drag_.Active()) FinishDrag(false);
    // In edit-points mode the second press is one more vertex press.
    if (m_bEditPoints && !pointDrag_.active) {
        OnLButtonDown(client, m);
        return;
    }
    // The second press of a double click on the single selected object runs
    // its double-click action; anywhere else it is an ordinary press.
    CHyperOb* ob = GetSingleSelection();
    if (ob && !shift && !control && tools_->IsSelectTool() && HitCode(*ob, p) == vx::kHitInside) {
        if (!OpenInlineEditor(ob)) ShowPropertySheet();
        return;
    }
    OnLButtonDown(client, m);
}

void CHyperView::keyPressEvent(QKeyEvent* e) {
    if (!IsEditMode() || !page()) {
        CHyperRunView::keyPressEvent(e);
        return;
    }
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool control = e->modifiers() & Qt::ControlModifier;
    if (pointDrag_.active) {
        // Escape cancels a vertex drag; other keys wait until it ends.
        if (e->key() == Qt::Key_Escape) FinishPointDrag(true);
        return;
    }
    int dx = 0, dy = 0;
    switch (e->key()) {
        case Qt::Key_Tab: SelectNext(!shift); return;
        case Qt::Key_Backtab: SelectNext(false); return;
        case Qt::Key_Escape:
            if (drag_.Active()) FinishDrag(true);
            else if (!CloseInlineEditor(false)) tools_->ReturnToSelect();
            return;
        case Qt::Key_Delete: EraseSelection(); return;
        case Qt::Key_Left: dx = -1; break;
        case Qt::Key_Right: dx = 1; break;
        case Qt::Key_Up: dy = -1; break;
        case Qt::Key_Down: dy = 1; break;
        default: break;
    }
    if (dx != 0 || dy != 0) {
        if (!drag_.Active()) NudgeSelection(dx, dy, 1, control, shift);
        return;
    }
    // A typed character opens the in-place editor with that character.
    const QString text = e->text();
    if (!control && !text.isEmpty() && text.at(0).isPrint())
        if (CHyperOb* ob = GetSingleSelection(); ob && OpenInlineEditor(ob, text)) return;
    CHyperRunView::keyPressEvent(e);
}

// ---- presses ----

void CHyperView::OnLButtonDown(CPoint client, Qt::KeyboardModifiers mods) {
    if (!page()) return;
    setFocus(Qt::MouseFocusReason);
    const bool shift = mods & Qt::ShiftModifier, control = mods & Qt::ControlModifier;
    if ((mods & Qt::AltModifier) && !shift && HasScrollBars()) {
        TrackParams params;
        drag_.Begin(DragKind::kZoomRect, client, params);
        return;
    }
    const CPoint p = ToPage(client);
    OnPageMouseEvent(p.x, p.y, false, false, shift, control);
    if (!IsEditMode()) return;
    CloseInlineEditor(true);
    if (m_bEditPoints && tools_->IsSelectTool() && EditPointsPress(client, control)) return;
    BeginSelectionBatch();
    lastClient_ = client;
    const int tool = tools_->GetTool();
    if (tool == vx::tool::kSelect) {
        bool handled = false;
        if (!shift && !control) handled = ConnectorPress(p);
        if (!handled && GetDominant()) handled = DominantPress(p, shift, control);
        if (!handled) handled = SelectAt(p);
        if (!handled) {
            // A press on nothing clears what is left of the selection (a
            // multi-selection declines presses outside it) and starts a band.
            DeselectAll(false);
            TrackParams params;
            params.start = CRect(p.x, p.y, p.x, p.y);
            drag_.Begin(DragKind::kRubberBand, p, params);
        }
    } else {
        BeginCreate(p, tool);
    }
    if (drag_.Active()) {
        autoScroll_.Reset();
        autoScrollTimer_.start(vx::edit::CAutoScroll::PeriodMs(GetGridWidth(), Zoom()));
    } else {
        EndSelectionBatch();
    }
}

void CHyperView::OnRButtonDown(CPoint client, Qt::KeyboardModifiers mods) {
    if (!page()) return;
    const CPoint p = ToPage(client);
    OnPageMouseEvent(p.x, p.y, false, true, mods & Qt::ShiftModifier, mods & Qt::ControlModifier);
    if (!IsEditMode()) return;
    tools_->ReturnToSelect();
    CloseInlineEditor(true);
    for (size_t i = 0; i < page()->Count(); ++i) {
        CHyperOb* ob = page()->At(i);
        if (ob->GetTracker() && ob->GetTracker()->IsSelected() && HitCode(*ob, p) >= 0) {
            ShowPropertySheet();
            return;
        }
    }
    BeginSelectionBatch();
    DeselectAll(false);
    for (size_t i = 0; i < page()->Count(); ++i) {
        CHyperOb* ob = page()->At(i);
        if (!ob->IsLocked() && HitCode(*ob, p) != vx::kHitNone) {
            SelectWithGroup(ob);
            break;
        }
    }
    EndSelectionBatch();
    ShowPropertySheet();
}

bool CHyperView::DominantPress(CPoint p, bool shift, bool control) {
    CHyperOb* d = GetDominant();
    if (!d) return false;
    const int h = HitCode(*d, p);
    if (IsMultiSelection() || (shift && (h == vx::kHitNone || h == vx::kHitInside)))
        return MultiSelectionPress(p, shift, control);
    if (h == vx::kHitNone) {
        DeselectAll(false);
        return false;
    }
    if (h == vx::kHitInside && !m_bCanMove) return true;
    if (h != vx::kHitInside && !CanResizeObject(*d)) return true;
    target_ = DragTarget{};
    // A press inside the selected object's text opens the in-place editor
    // when it turns out to be a click (no drag).
    pendingInline_ = h == vx::kHitInside && m_bInlineEdit && d->CanInlineEditText();
    BeginObjectDrag(d, h, p, false);
    target_.control = control;
    return true;
}

bool CHyperView::SelectAt(CPoint p) {
    CHyperPage& pg = *page();
    for (size_t i = 0; i < pg.Count(); ++i) {
        CHyperOb* ob = pg.At(i);
        if (ob->IsLocked()) continue;
        const int h = HitCode(*ob, p);
        if (h == vx::kHitNone) continue;
        if (ob->groupId() >= 0)
            if (const CGroupInfo* g = ob->FindGroupInfo(); g && g->IsLocked()) continue;
        DeselectAll(false);
        SelectWithGroup(ob);
        if (IsMultiSelection()) {
            // A group: drag its outline.
            if (!m_bCanMove) return true;
            target_ = DragTarget{};
            TrackParams params;
            params.handle = vx::kHitInside;
            params.start = SelectionBounds();
            params.usable = GetUsableRect(true);
            params.grid = Grid();
            params.alt = lastMods_ & Qt::AltModifier;
            drag_.Begin(DragKind::kOutline, p, params);
            return true;
        }
        if (h == vx::kHitInside && !m_bCanMove) return true;
        target_ = DragTarget{};
        pendingInline_ = false;
        BeginObjectDrag(ob, vx::kHitInside, p, true);
        return true;
    }
    return false;
}

bool CHyperView::MultiSelectionPress(CPoint p, bool shift, bool control) {
    const auto sel = GetSelection();
    int i = int(sel.size());
    if (sel.size() > 1)
        for (size_t k = 0; k < sel.size(); ++k)
            if (HitCode(*sel[k], p) == vx::kHitInside) {
                i = int(k);
                break;
            }
    const bool oneGroup = CommonGroupId(sel) >= 0;
    if (shift) return ToggleSelection(p, i == int(sel.size()) ? -1 : i);
    if (control && i < int(sel.size())) {
        if (CHyperOb* old = GetDominant(); old != sel[size_t(i)]) {
            selection_.MakeDominant(RefOf(*page(), page()->IndexOf(sel[size_t(i)])));
            old->Select(false);
            sel[size_t(i)]->Select(true);
        }
    }
    if (!m_bCanMove) return false;
    TrackParams params;
    params.start = SelectionBounds();
    if (IsSnapToCenter()) {
        // Widen by half a step and snap each side.
        const int gx = GetSnapGridWidth(), gy = GetSnapGridHeight();
        params.start.InflateRect(gx / 2, gy / 2);
        params.start = CRect(vx::edit::SnapValue(params.start.left, gx), vx::edit::SnapValue(params.start.top, gy),
                             vx::edit::SnapValue(params.start.right, gx),
                             vx::edit::SnapValue(params.start.bottom, gy));
    }
    params.usable = GetUsableRect(true);
    params.grid = Grid();
    params.alt = lastMods_ & Qt::AltModifier;
    params.minSize = CSize(1, 1);
    int handle = vx::kHitInside;
    if (i >= int(sel.size())) {
        // Only a handle of a whole group's outline resizes the group.
        CObTracker outline;
        outline.rect = params.start;
        outline.style = CObTracker::kSelectedDominant;
        const int zoom = std::max(1, Zoom());
        handle = outline.HitTest(p, std::max(1, 7 * 100 / zoom));
        const CGroupInfo* g = oneGroup ? sel.front()->FindGroupInfo() : nullptr;
        const bool canResize = m_bCanResize && !IsSnapToCenter() && g && g->CanResize();
        if (control || !oneGroup || !canResize || handle < 0 || handle >= vx::kHitInside) return false;
    }
    target_ = DragTarget{};
    target_.control = control;
    target_.groupResize = handle != vx::kHitInside;
    params.handle = handle;
    drag_.Begin(DragKind::kOutline, p, params);
    return true;
}

bool CHyperView::ToggleSelection(CPoint p, int i) {
    const auto sel = GetSelection();
    if (sel.size() == 1 && HitCode(*sel.front(), p) == vx::kHitInside) {
        DeselectAll(false);
        return true;
    }
    if (i >= 0 && size_t(i) < sel.size()) {
        RemoveFromSelection(sel[size_t(i)]);
        if (selection_.Count() == 1) DeselectAll(true);
        SelectionChanged();
        return true;
    }
    for (size_t k = 0; k < page()->Count(); ++k) {
        CHyperOb* ob = page()->At(k);
        if (ob->IsLocked() || (ob->GetTracker() && ob->GetTracker()->IsSelected())) continue;
        if (ob->HitTest(p.x, p.y) != vx::kHitInside) continue;
        AddToSelection(ob);
        // A grouped object brings its group.
        if (ob->groupId() >= 0)
            for (CHyperOb* m : page()->GetGroupMembers(ob->groupId()))
                if (!m->IsLocked()) AddToSelection(m);
        return true;
    }
    return false;
}

void CHyperView::BeginObjectDrag(CHyperOb* ob, int h, CPoint p, bool afterSelectAt) {
    TrackParams params;
    params.handle = h;
    params.start = ob->Rect();
    params.minSize = ob->GetTracker() ? ob->GetTracker()->minSize : CSize(1, 1);
    params.usable = GetUsableRect(true);
    params.grid = Grid();
    const Qt::KeyboardModifiers m = lastMods_;
    params.alt = m & Qt::AltModifier;
    params.shift = m & Qt::ShiftModifier;
    params.rotated = ob->IsRotated();
    params.isLine = ob->IsLine();
    params.allowsInverting = ob->IsLine();
    if (!params.allowsInverting) params.start.NormalizeRect();
    target_.object = RefOf(*page(), page()->IndexOf(ob));
    target_.afterSelectAt = afterSelectAt;
    const bool lineEnd = params.isLine && h >= 0 && h < vx::kHitInside;
    drag_.Begin(lineEnd ? DragKind::kLineEnd : DragKind::kMoveOrResize, p, params);
}

void CHyperView::BeginCreate(CPoint p, int toolId) {
    DeselectAll(false);
    std::unique_ptr<CHyperOb> ob = CreateObjectForTool(toolId);
    if (!ob) {
        tools_->ReturnToSelect();
        return;
    }
    ob->AttachToView(page(), nullptr, true);
    TrackParams params;
    params.handle = 2;
    params.start = CRect(p.x, p.y, p.x, p.y);
    params.minSize = ob->GetTracker() ? ob->GetTracker()->minSize : CSize(1, 1);
    params.usable = GetUsableRect(true);
    params.grid = Grid();
    params.creating = true;
    params.isLine = ob->IsLine();
    params.allowsInverting = ob->IsLine();
    target_ = DragTarget{};
    target_.creating = std::move(ob);
    target_.tool = toolId;
    drag_.Begin(DragKind::kCreate, p, params);
}

// ---- dragging ----

void CHyperView::UpdateDrag(CPoint client) {
    lastClient_ = client;
    drag_.params().shift = lastMods_ & Qt::ShiftModifier;
    drag_.params().alt = lastMods_ & Qt::AltModifier;
    const bool changed =
        drag_.kind() == DragKind::kZoomRect ? drag_.MoveTo(client) : drag_.MoveTo(ToPage(client));
    if (drag_.kind() == DragKind::kLineEnd) {
        CRect r = drag_.rect();
        SnapLineEnd(r);
        drag_.OverrideRect(r);
    }
    if (changed || drag_.kind() == DragKind::kLineEnd) viewport()->update();
    if (changed && drag_.kind() != DragKind::kRubberBand && drag_.kind() != DragKind::kZoomRect)
        ReportPosition(drag_.rect().Normalized());
}

void CHyperView::SnapLineEnd(CRect& r) {
    snapMarker_ = {};
    CHyperOb* line = selection_.IsEmpty() ? nullptr : GetDominant();
    CConnection* conn = line ? line->GetConnection() : nullptr;
    if (!conn) return;
    const int h = vx::edit::LineHandle(drag_.params().handle);
    // Which end sits on the dragged corner: end 0 or end 1.
    CPoint e0, e1;
    conn->GetEnds(e0, e1);
    const int k = Corner(drag_.params().start, h) == e0 ? 0 : 1;
    const CPoint end = Corner(r, h);
    std::vector<CHyperOb*> targets;
    GetObjectsWithSnapPoints(targets);
    for (CHyperOb* t : targets) {
        if (t == line) continue;
        CSnapList* list = t->GetSnapList(false);
        if (!list) continue;
        const CAnchorFmt& set = list->set();
        for (size_t i = 0; i < list->Count(); ++i) {
            const CSnapPoint& sp = *set.point(i);
            CPoint pos;
            if (!list->Position(sp, pos) || !CSnapList::SnapSquare(pos).PtInRect(end)) continue;
            const bool ownPoint = conn->ends[k].target == t->GetCode() && conn->ends[k].point == sp.id;
            if (CSnapList::IsFull(sp, k) && !ownPoint) continue;
            SetCorner(r, h, pos);
            snapMarker_ = {true, pos};
            return;
        }
    }
}

void CHyperView::UpdateSnapMarker(CPoint p) {
    if (!m_bShowSnapPoints) {
        if (snapMarker_.shown) {
            snapMarker_ = {};
            viewport()->update();
        }
        return;
    }
    const SnapMarker before = snapMarker_;
    snapMarker_ = {};
    const int tolerance = std::max(1, 16 * 100 / std::max(1, Zoom()));
    std::vector<CHyperOb*> targets;
    GetObjectsWithSnapPoints(targets);
    for (CHyperOb* t : targets) {
        CSnapList* list = t->GetSnapList(false);
        if (!list) continue;
        const int i = list->PointAt(p, tolerance);
        if (i < 0) continue;
        const CSnapPoint& sp = *list->set().point(size_t(i));
        if (CSnapList::IsFull(sp, 0) && CSnapList::IsFull(sp, 1)) continue;
        snapMarker_ = {true, list->Position(sp)};
        break;
    }
    if (snapMarker_.shown != before.shown || snapMarker_.at != before.at) viewport()->update();
}

void CHyperView::OnAutoScrollTick() {
    if (pointDrag_.active) {
        PointDragTick();
        return;
    }
    if (!drag_.Active()) {
        autoScrollTimer_.stop();
        return;
    }
    const CPoint dir = autoScroll_.Tick(lastClient_, ClientSize());
    if ((dir.x == 0 && dir.y == 0) || !HasScrollBars()) return;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const int hx = h->value(), vy = v->value();
    if (dir.x) h->setValue(hx + dir.x * h->singleStep());
    if (dir.y) v->setValue(vy + dir.y * v->singleStep());
    if (h->value() != hx || v->value() != vy) UpdateDrag(lastClient_);
}

void CHyperView::FinishDrag(bool cancelled) {
    autoScrollTimer_.stop();
    const DragKind kind = drag_.kind();
    if (kind == DragKind::kNone) return;
    if (cancelled) {
        drag_.End();
        target_ = DragTarget{};
        snapMarker_ = {};
        pendingInline_ = false;
        viewport()->update();
        if (kind != DragKind::kZoomRect) EndSelectionBatch();
        return;
    }
    switch (kind) {
        case DragKind::kZoomRect: {
            CRect band = drag_.Band().Normalized();
            drag_.End();
            const CPoint s = GetScrollPosition();
            band.OffsetRect(s.x, s.y);
            if (!band.IsRectEmpty()) ZoomToRect(band);
            viewport()->update();
            return;
        }
        case DragKind::kMoveOrResize:
        case DragKind::kLineEnd:
            if (target_.connectorEnd >= 0) FinishConnectorEndDrag();
            else FinishObjectDrag();
            break;
        case DragKind::kOutline: FinishOutlineDrag(); break;
        case DragKind::kCreate: FinishCreate(); break;
        case DragKind::kRubberBand: FinishRubberBand(); break;
        case DragKind::kNone: break;
    }
    drag_.End();
    target_ = DragTarget{};
    snapMarker_ = {};
    viewport()->update();
    EndSelectionBatch();
}

void CHyperView::FinishObjectDrag() {
    CObjectRef ref = target_.object;
    CHyperOb* ob = page() ? selection_.ResolveOne(*page(), ref) : nullptr;
    const bool openText = std::exchange(pendingInline_, false);
    if (!ob) return;
    if (!drag_.Changed()) {
        if (openText && !drag_.Dragged()) OpenInlineEditor(ob);
        return;
    }
    CRect r = drag_.rect();
    const TrackParams& params = drag_.params();
    if (!params.allowsInverting) r.NormalizeRect();
    const bool moved = r.TopLeft() != params.start.TopLeft();
    if (target_.control && moved) {
        // Control-drag duplicates the object.
        std::unique_ptr<CHyperOb> copy = ob->Clone();
        if (!copy) return;
        copy->SetRect(r);
        AddObject(std::move(copy), true, true);
        SelectionChanged();
        return;
    }
    if (target_.afterSelectAt && !moved) return;
    CEditScope scope(*this, EditKind::kMoveResize);
    if (params.handle == vx::kHitInside) {
        r.right = vx::Saturate32(int64_t(r.left) + params.start.Width());
        r.bottom = vx::Saturate32(int64_t(r.top) + params.start.Height());
    }
    // A line end that comes onto or off a snap point files "Snap/Unsnap".
    CConnection* conn = drag_.kind() == DragKind::kLineEnd ? ob->GetConnection() : nullptr;
    const auto ends = [conn] {
        return conn ? std::make_pair(conn->ends[0].IsAttached(), conn->ends[1].IsAttached())
                    : std::make_pair(false, false);
    };
    const auto endsBefore = ends();
    if (CObTracker* t = ob->GetTracker()) t->currentHandle = params.handle;
    ApplyNewRect(*ob, r);
    if (CObTracker* t = ob->GetTracker()) t->currentHandle = -1;
    if (ends() != endsBefore) scope.Changed(EditKind::kSnap);
    else scope.Changed();
    SyncGroupBounds();
    ReportPosition(ob->Rect());
    if (target_.afterSelectAt) SelectionChanged();
}

void CHyperView::FinishOutlineDrag() {
    if (!drag_.Changed()) return;
    const CRect from = drag_.params().start;
    const CRect to = drag_.rect().Normalized();
    const int dx = to.left - from.left, dy = to.top - from.top;
    auto sel = GetSelection();
    if (sel.empty()) return;
    if (target_.control) {
        if (dx != 0 || dy != 0) DuplicateSelection(CPoint(dx, dy));
        return;
    }
    if (CommonGroupId(sel) < 0) {
        MoveSelection(dx, dy, false);
        return;
    }
    CEditScope scope(*this, EditKind::kMoveResize);
    scope.Changed();
    // Scale from the members' own bounds so that the outline's snapping
    // margin does not shift them.
    const CRect members = SelectionBounds();
    const CRect target = vx::edit::MapRect(members, from, to);
    ResizeSelection(sel, members, target, true);
    SyncGroupBounds();
}

void CHyperView::FinishCreate() {
    std::unique_ptr<CHyperOb> ob = std::move(target_.creating);
    if (!ob) return;
    const TrackParams& params = drag_.params();
    const bool dragged = drag_.Dragged();
    const Qt::KeyboardModifiers m = lastMods_;
    const bool shift = m & Qt::ShiftModifier, control = m & Qt::ControlModifier;
    CRect r = drag_.rect();
    if (!params.allowsInverting) r.NormalizeRect();
    const CPoint p = drag_.press();
    if (dragged ? !CanPlaceNewObject(r, shift, control) : !CanPlaceClickedObject(p, shift, control)) {
        tools_->ReturnToSelect();
        return;
    }
    const CSize min = params.minSize;
    const CRect n = r.Normalized();
    if (!dragged || (n.Width() < min.cx && n.Height() < min.cy)) {
        // A click: the class's default size, centred on the press.
        const CRect def = ob->Rect().Normalized();
        int left = p.x - def.Width() / 2, top = p.y - def.Height() / 2;
        if (left < 1) left = 0;
        if (top < 1) top = 0;
        left = vx::edit::SnapValue(left, GetSnapGridWidth());
        top = vx::edit::SnapValue(top, GetSnapGridHeight());
        r = CRect(left, top, left + def.Width(), top + def.Height());
    }
    if (ob->IsConnector() && dragged) PlaceNewConnector(*ob, drag_.rect());
    else ob->SetRect(r);
    CHyperOb* added = ob->ConfirmCreation() ? AddObject(std::move(ob), true, false) : nullptr;
    if (added) {
        std::string text;
        if (added->GetText(text) && text.empty()) {
            added->SetText(added->GetCode());
            added->Update(1, 0);
        }
    } else {
        DeselectAll(false);
    }
    SelectionChanged();
    tools_->ReturnToSelect();
}

CHyperOb* CHyperView::CreateObjectAt(CPoint p, int toolId, bool multiPart, bool placeWithoutDragging) {
    if (!page()) return nullptr;
    (void)multiPart;
    BeginSelectionBatch();
    BeginCreate(p, toolId);
    CHyperOb* added = nullptr;
    if (drag_.kind() == DragKind::kCreate) {
        if (!placeWithoutDragging) drag_.MoveTo(p);
        FinishCreate();
        drag_.End();
        added = GetSingleSelection();
    }
    target_ = DragTarget{};
    EndSelectionBatch();
    return added;
}

void CHyperView::FinishRubberBand() {
    if (!drag_.Dragged()) return;
    const CRect band = drag_.Band().Normalized();
    CHyperPage& pg = *page();
    CBulkRepaint bulk(*this);
    for (size_t i = 0; i < pg.Count(); ++i) {
        CHyperOb* ob = pg.At(i);
        if (ob->IsLocked()) continue;
        const CRect r = ob->Rect().Normalized();
        if (!band.PtInRect(r.TopLeft()) || !band.PtInRect(r.BottomRight())) continue;
        if (ob->groupId() >= 0)
            if (const CGroupInfo* g = ob->FindGroupInfo(); g && g->IsLocked()) continue;
        AddToSelection(ob, int(i));
    }
    if (selection_.Count() == 1) DeselectAll(true);
}

// ---- painting ----

void CHyperView::DrawView(CDC& dc, const CRect& clip) { DrawObjects(dc, clip, m_bShowSnapPoints); }

void CHyperView::paintEvent(QPaintEvent* e) {
    CHyperRunView::paintEvent(e);
    if (pointDrag_.active) PaintPointBand();
    if (!drag_.Active() && !snapMarker_.shown) return;
    QPainter painter(viewport());
    QPen pen(Qt::black, 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const DragKind kind = drag_.kind();
    if (kind == DragKind::kZoomRect) {
        const CRect b = drag_.Band().Normalized();
        painter.drawRect(QRect(b.left, b.top, b.Width(), b.Height()));
    } else if (drag_.Active()) {
        CRect r = kind == DragKind::kRubberBand ? drag_.Band() : drag_.rect();
        PageToClient(r);
        const bool line = drag_.params().isLine && kind != DragKind::kRubberBand;
        if (line) {
            const int h = kind == DragKind::kCreate ? 2 : vx::edit::LineHandle(drag_.params().handle);
            const int hh = h >= 0 && h < 4 ? h : 2;
            const CPoint a = Corner(r, hh), b = Corner(r, (hh + 2) % 4);
            painter.drawLine(a.x, a.y, b.x, b.y);
        } else {
            const CRect n = r.Normalized();
            painter.drawRect(QRect(n.left, n.top, n.Width(), n.Height()));
        }
    }
    if (snapMarker_.shown) {
        CPoint c = snapMarker_.at;
        PageToClient(c);
        // An inverted square frame, 16 pixels outside and 10 inside.
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        QRegion frame(QRect(c.x - 8, c.y - 8, 16, 16));
        frame -= QRegion(QRect(c.x - 5, c.y - 5, 10, 10));
        for (const QRect& part : frame) painter.fillRect(part, Qt::black);
    }
}

// ---- in-place text ----

bool CHyperView::FontLargeEnough(int fontHeight, int zoom) {
    int h = std::abs(fontHeight);
    if (h == 0) h = std::abs(vx::DefaultLogFont().lfHeight);
    if (h == 0) return true;
    return int64_t(zoom) * h >= 900;
}

bool CHyperView::OpenInlineEditor(CHyperOb* ob, const QString& initial) {
    if (!ob || !page() || !IsEditMode() || !m_bInlineEdit || !ob->CanInlineEditText()) return false;
    if (ob->groupId() >= 0)
        if (const CGroupInfo* g = ob->FindGroupInfo(); g && !g->CanInlineEditText()) return false;
    std::string text;
    if (!ob->GetText(text)) return false;
    const LOGFONT lf = ob->GetLogFont(true);
    if (!FontLargeEnough(lf.lfHeight, Zoom())) return false;
    int height = std::abs(lf.lfHeight);
    if (height == 0) height = std::abs(vx::DefaultLogFont().lfHeight);
    QFont font = vx::ToQFont(lf);
    font.setPixelSize(std::max(1, vx::DeviceFontSize(int64_t(height) * Zoom() / 100)));
    CRect r = ob->textRect(0).Normalized();
    if (r.IsRectEmpty()) r = ob->Rect().Normalized();
    PageToClient(r);
    r.NormalizeRect();
    const int minHeight = QFontMetrics(font).height() + 2 * Zoom() / 100;
    if (r.Height() < minHeight) r.bottom = r.top + minHeight;
    Qt::Alignment align = Qt::AlignLeft;
    try {
        const int a = ob->GetProperty("Alignment").ToLong();
        if (a == 2) align = Qt::AlignRight;
        else if (a == 1 || a == 6) align = Qt::AlignHCenter;
    } catch (const std::exception&) {
        // No alignment: left.
    }
    if (!inline_) {
        inline_ = std::make_unique<CInlineEditor>(viewport());
        inline_->onClose = [this](bool commit) { CloseInlineEditor(commit); };
    }
    inline_->Open(*page(), *ob, QRect(r.left, r.top, r.Width(), r.Height()), font, align,
                  initial.isEmpty() ? vx::ToQString(text) : initial);
    return true;
}

bool CHyperView::CloseInlineEditor(bool commit) {
    if (!inline_ || !inline_->isOpen()) return false;
    CHyperOb* ob = inline_->object();
    const QString text = inline_->text();
    const bool changed = text != inline_->originalText();
    inline_->Cancel();
    setFocus(Qt::OtherFocusReason);
    if (commit && ob && changed) {
        CEditScope scope(*this, EditKind::kTextEdit);
        scope.Changed();
        ob->SetText(vx::FromQString(text));
        ob->Update(1, 0);
        if (page() && page()->document) page()->document->SetModifiedFlag(true);
    }
    return true;
}
