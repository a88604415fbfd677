#include "edit/ToolState.h"

namespace vx::edit {

bool CToolState::SetTool(int id) {
    const bool known = id == kSelectTool || (id >= kAppFirst && id <= kAppLast) || (isKnownTool && isKnownTool(id));
    if (!known) return false;
    if (tool_ != id) {
        tool_ = id;
        if (onChanged) onChanged(id);
    }
    return true;
}

CRect TrackRect(const TrackParams& p, CPoint delta) {
    const int h = p.isLine ? LineHandle(p.handle) : p.handle;
    CRect r = DragHandle(p.start, h, delta);
    if (!p.allowsInverting && !p.creating) EnforceMinSize(r, h, p.minSize);
    KeepInUsableArea(r, p.usable, h != kMoveHandle, false, p.grid);
    if (!p.positionsItself) {
        if (p.grid.snapToGrid && p.grid.snapToCenter && h == kMoveHandle) SnapCenter(r, p.grid.snap);
        else if (!p.alt) SnapEdges(h, r, p.start, p.grid.snap, p.minSize, p.creating);
    }
    if ((p.shift || p.keepsProportions || p.rotated) && h != kMoveHandle) {
        if (p.isLine) KeepLineDirection(r, h);
        else KeepProportions(r, h, p.start.Size());
    }
    return r;
}

void CDragState::Begin(DragKind kind, CPoint pressPage, const TrackParams& params) {
    kind_ = kind;
    params_ = params;
    press_ = cursor_ = pressPage;
    rect_ = params.start;
    dragged_ = false;
}

bool CDragState::MoveTo(CPoint page) {
    if (!Active()) return false;
    if (page != cursor_) dragged_ = true;
    cursor_ = page;
    const CRect before = rect_;
    if (kind_ == DragKind::kRubberBand || kind_ == DragKind::kZoomRect) rect_ = Band();
    else rect_ = TrackRect(params_, cursor_ - press_);
    return rect_ != before;
}

bool CDragState::ScrollBy(CPoint delta) {
    if (!Active() || (delta.x == 0 && delta.y == 0)) return false;
    return MoveTo(cursor_ + delta);
}

}  // namespace vx::edit
