// The geometry record every page object owns: its rectangle, the rectangle
// before rotation, the rotation angle and the selection-handle state.
#pragma once

#include "platform/Geometry.h"

class CHyperOb;

namespace vx {
// Hit codes: nothing, the resize handles 0 to 7 (top-left, top-right,
// bottom-right, bottom-left, top, right, bottom, left), inside.
constexpr int kHitNone = -1;
constexpr int kHitHandleCount = 8;
constexpr int kHitInside = 8;
}  // namespace vx

class CObTracker {
public:
    // Style bits set while selected (see CHyperOb::Select).
    static constexpr int kSelectedDominant = 0x14;
    static constexpr int kSelectedOther = 0x94;
    static constexpr int kHandlesShown = 0x10;

    int style = 0;
    CRect rect{0, 0, 50, 50};
    CSize minSize{10, 10};
    int handleSize = 7;  // pixels
    CRect unrotatedRect;
    CRect resizeRect;    // reference rectangle while resizing
    CHyperOb* owner = nullptr;
    double rotateAngle = 0.0;
    int currentHandle = -1;  // handle being dragged, -1 none

    bool IsSelected() const { return style != 0; }

    // Hit code of a point in page units: -1 none, 0..7 handles (only while
    // selected), 8 inside. `handle` is the handle size in page units.
    int HitTest(CPoint p, int handle) const;
    // Rectangle of handle `code` (0..7) in page units.
    CRect HandleRect(int code, int handle) const;
};

// Turns `p` about `c` by `degrees` (clockwise on the screen for positive
// angles, y growing downward); each coordinate is rounded by adding 0.5 and
// truncating toward zero.
CPoint RotateAbout(CPoint p, CPoint c, double degrees);
