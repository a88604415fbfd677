// The arithmetic that turns drags and arrow keys into object rectangles:
// placing a handle at the cursor, minimum sizes, grid snapping of edges and
// centres, keeping proportions, keeping rectangles and whole selections
// inside the usable page area, scaling a selection from one rectangle to
// another, arrow-key nudges and the auto-scroll rule. Pure functions on page
// units, tested without a window; the edit view feeds them Qt input.
#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"

namespace vx::edit {

// Handle codes of a tracker: 0 top-left, 1 top-right, 2 bottom-right,
// 3 bottom-left, 4 top, 5 right, 6 bottom, 7 left, 8 inside (a move).
constexpr int kMoveHandle = 8;

// v to the nearest multiple of g, halves upwards: v = g * ((g / 2 + v) / g)
// with truncating divisions. A step below 1 counts as 1.
int SnapValue(int v, int g);

// The grid as the tracking rules see it.
struct GridSettings {
    CSize snap{1, 1};    // snapping spacing (1 when snapping is off)
    CSize draw{1, 1};    // drawing spacing (1 when the grid is hidden)
    bool snapToGrid = false;
    bool snapToCenter = false;  // only counts with snapToGrid
};

// A line's edge handles act as corners: right and bottom as the
// bottom-right corner, top and left as the top-left corner.
int LineHandle(int handle);

// The rectangle `start` with handle `handle` dragged by `delta` (the cursor
// movement since the press); code 8 moves the whole rectangle. The result
// may be inside out (the caller normalises unless inverting is allowed).
CRect DragHandle(const CRect& start, int handle, CPoint delta);

// Keeps the edges that `handle` moves at least `minSize` away from the
// fixed ones (a rectangle dragged past its opposite edge stops there).
// Nothing happens for a move or when inverting is allowed.
void EnforceMinSize(CRect& r, int handle, CSize minSize);

// Grid snapping of the edges that handle `h` moves (`old` is the rectangle
// when the drag began); `creating` snaps all four edges. Nothing happens
// when a snap spacing is 0 or less.
void SnapEdges(int h, CRect& r, const CRect& old, CSize snap, CSize minSize, bool creating);

// Grid snapping of the centre, keeping the size: an object spanning an even
// number of cells gets its centre on a grid line, others half a cell off,
// so that their edges fall on grid lines.
void SnapCenter(CRect& r, CSize snap);

// Keeps the width-to-height ratio of `startSize` while handle `h` resizes.
void KeepProportions(CRect& r, int h, CSize startSize);

// A line end dragged by a corner: the moved end goes where the line is
// horizontal, vertical or at 45 degrees, whichever is nearest.
void KeepLineDirection(CRect& r, int h);

// Constrains a rectangle to the usable area U. Horizontally only when r is
// narrower than U minus one drawing grid width; likewise vertically.
// Returns whether r changed.
bool KeepInUsableArea(CRect& r, const CRect& usable, bool resizing, bool noGridAdjust, const GridSettings& grid);

// Pushes a set of rectangles back into U as a whole (relative positions
// kept) and, where that is not enough, each on its own. Returns whether any
// rectangle moved.
bool KeepSelectionInside(std::vector<CRect>& rects, const CRect& usable);

// Horizontal and vertical scale factors from `a` to `b`; an axis on which
// `a` has no extent scales by 1.
struct ScaleFactors {
    double sx = 1.0;
    double sy = 1.0;
};
ScaleFactors ScaleBetween(const CRect& a, const CRect& b);
// Maps a point and a rectangle from `a` to `b`:
// x' = truncate((x - a.left) * sx + 0.5) + b.left, likewise y.
CPoint MapPoint(CPoint p, const CRect& a, const CRect& b);
CRect MapRect(const CRect& r, const CRect& a, const CRect& b);

// An arrow key with repeat count `steps`. dx, dy in -1..1 give the
// direction.
struct NudgeRequest {
    int dx = 0;
    int dy = 0;
    int steps = 1;
    bool control = false;
    bool shift = false;
};
struct NudgeResult {
    CRect rect;       // the selection's new bounding rectangle
    bool resize = false;
};
// The new bounding rectangle of the selection `bounds`; nothing when the
// change would move an edge further outside U than it already is. With
// centre snapping Shift is ignored and Control counts as pressed.
std::optional<NudgeResult> Nudge(const CRect& bounds, const NudgeRequest& key, const GridSettings& grid,
                                 CSize gridSpacing, const CRect& usable);

// The auto-scroll rule of a drag, one timer tick at a time.
class CAutoScroll {
public:
    // Timer period: 30 ms times k, k = (raw grid width * zoom / 100) / 20,
    // at least 1.
    static int PeriodMs(int gridWidth, int zoom);
    // The direction to scroll per axis (-1, 0, 1) for the cursor at
    // `cursor` in a client area of `client` pixels; counts the tick.
    CPoint Tick(CPoint cursor, CSize client);
    void Reset() { ticks_ = 0; }

private:
    int ticks_ = 0;
};

// Union of rectangles that may be empty (lines): the smallest rectangle
// holding all their normalised corners.
CRect BoundsOf(const std::vector<CRect>& rects);

}  // namespace vx::edit
