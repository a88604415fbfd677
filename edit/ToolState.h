// The current drawing tool of a document window, and the state of the drag
// a mouse press started in the edit view: what is dragged, from where, and
// the rectangle each mouse move turns into after the tracking rules.
#pragma once

#include <functional>

#include "edit/Tracking.h"
#include "platform/Geometry.h"

namespace vx::edit {

// The frame's current tool ("Select" unless a drawing tool was picked).
class CToolState {
public:
    int GetTool() const { return tool_; }
    // Accepts "Select", the application's own tools and the tools
    // `isKnownTool` knows; false (tool unchanged) for any other id.
    bool SetTool(int id);
    void ReturnToSelect() { SetTool(kSelectTool); }
    bool IsSelectTool() const { return tool_ == kSelectTool; }
    // Told of every change of tool.
    std::function<void(int tool)> onChanged;
    std::function<bool(int tool)> isKnownTool;

    static constexpr int kSelectTool = 60447;
    static constexpr int kAppFirst = 60496;
    static constexpr int kAppLast = 60527;

private:
    int tool_ = kSelectTool;
};

// What a drag does.
enum class DragKind {
    kNone,
    kMoveOrResize,  // one object by its inside or a handle
    kOutline,       // a multi-selection's outline (moves the selection or resizes its group)
    kCreate,        // a new object's rectangle
    kRubberBand,    // selecting by a band
    kZoomRect,      // Alt: zoom to a band
    kLineEnd,       // a line's end, snapping to snap points
};

// Everything the adjustment step of a drag needs to know.
struct TrackParams {
    int handle = kMoveHandle;
    CRect start;           // the rectangle when the drag began
    CSize minSize{1, 1};   // the tracker's minimum size
    CRect usable;          // the usable page area
    GridSettings grid;
    bool alt = false;      // Alt: no edge snapping for this drag
    bool shift = false;    // Shift: keep proportions
    bool keepsProportions = false;
    bool rotated = false;
    bool isLine = false;
    bool allowsInverting = false;
    bool positionsItself = false;  // e.g. a connector attached at both ends
    bool creating = false;
};

// The rectangle of a drag whose cursor moved by `delta` (page units) from
// the press: handle placed, minimum size, usable area, grid snapping,
// proportions.
CRect TrackRect(const TrackParams& p, CPoint delta);

// The drag in progress (press to release).
class CDragState {
public:
    void Begin(DragKind kind, CPoint pressPage, const TrackParams& params);
    // The cursor is at `page`: returns whether the tracked rectangle changed.
    bool MoveTo(CPoint page);
    // Scrolling moved the page under the cursor by `delta` page units.
    bool ScrollBy(CPoint delta);
    void End() { kind_ = DragKind::kNone; }
    // Replaces the tracked rectangle (a line end that snapped to a point).
    void OverrideRect(const CRect& r) { rect_ = r; }

    bool Active() const { return kind_ != DragKind::kNone; }
    DragKind kind() const { return kind_; }
    const TrackParams& params() const { return params_; }
    TrackParams& params() { return params_; }
    CPoint press() const { return press_; }
    CPoint cursor() const { return cursor_; }
    // The band (rubber band, zoom) from the press to the cursor.
    CRect Band() const { return CRect(press_.x, press_.y, cursor_.x, cursor_.y); }
    const CRect& rect() const { return rect_; }
    // The mouse moved at all since the press.
    bool Dragged() const { return dragged_; }
    // The rectangle differs from the one the drag began with.
    bool Changed() const { return rect_ != params_.start; }

private:
    DragKind kind_ = DragKind::kNone;
    TrackParams params_;
    CPoint press_;
    CPoint cursor_;
    CRect rect_;
    bool dragged_ = false;
};

}  // namespace vx::edit
