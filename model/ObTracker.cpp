#include "model/ObTracker.h"

#include <cmath>

#include "platform/IntMath.h"

CRect CObTracker::HandleRect(int code, int handle) const {
    const CRect r = rect.Normalized();
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    int x = 0, y = 0;
    switch (code) {
        case 0: x = r.left; y = r.top; break;
        case 1: x = r.right; y = r.top; break;
        case 2: x = r.right; y = r.bottom; break;
        case 3: x = r.left; y = r.bottom; break;
        case 4: x = cx; y = r.top; break;
        case 5: x = r.right; y = cy; break;
        case 6: x = cx; y = r.bottom; break;
        case 7: x = r.left; y = cy; break;
        default: return {};
    }
    // Handles straddle the border, centred on their point.
    const int before = handle / 2;
    return CRect(x - before, y - before, x - before + handle, y - before + handle);
}

int CObTracker::HitTest(CPoint p, int handle) const {
    if (IsSelected()) {
        // Corners before edges so that a small object's corners stay reachable.
        for (int code = 0; code < vx::kHitHandleCount; ++code)
            if (HandleRect(code, handle).PtInRect(p)) return code;
    }
    CRect r = rect.Normalized();
    // The right and bottom border belong to the object for hit testing.
    r.right += 1;
    r.bottom += 1;
    return r.PtInRect(p) ? vx::kHitInside : vx::kHitNone;
}

CPoint RotateAbout(CPoint p, CPoint c, double degrees) {
    if (!std::isfinite(degrees)) return p;
    const double t = degrees * M_PI / 180.0;
    const double co = std::cos(t), s = std::sin(t);
    const double dx = double(p.x) - c.x, dy = double(p.y) - c.y;
    return CPoint(vx::AddHalfTrunc(dx * co - dy * s + c.x), vx::AddHalfTrunc(dx * s + dy * co + c.y));
}
