#include "edit/Tracking.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/IntMath.h"

namespace vx::edit {

namespace {

bool MovesLeft(int h) { return h == 0 || h == 3 || h == 7; }
bool MovesRight(int h) { return h == 1 || h == 2 || h == 5; }
bool MovesTop(int h) { return h == 0 || h == 1 || h == 4; }
bool MovesBottom(int h) { return h == 2 || h == 3 || h == 6; }

// a * b / c truncated toward zero, in 64 bits, saturated.
int32_t MulDivTrunc(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return a;
    return vx::Saturate32(int64_t(a) * b / c);
}

void Offset64(CRect& r, int64_t dx, int64_t dy) { r.OffsetRect(vx::Saturate32(dx), vx::Saturate32(dy)); }

}  // namespace

int SnapValue(int v, int g) {
    if (g < 1) g = 1;
    return vx::Saturate32(int64_t(g) * ((int64_t(g) / 2 + v) / g));
}

int LineHandle(int handle) {
    switch (handle) {
        case 5:
        case 6: return 2;
        case 4:
        case 7: return 0;
        default: return handle;
    }
}

CRect DragHandle(const CRect& start, int handle, CPoint delta) {
    CRect r = start;
    if (handle == kMoveHandle) {
        r.OffsetRect(delta.x, delta.y);
        return r;
    }
    if (MovesLeft(handle)) r.left = vx::AddSat(r.left, delta.x);
    if (MovesRight(handle)) r.right = vx::AddSat(r.right, delta.x);
    if (MovesTop(handle)) r.top = vx::AddSat(r.top, delta.y);
    if (MovesBottom(handle)) r.bottom = vx::AddSat(r.bottom, delta.y);
    return r;
}

void EnforceMinSize(CRect& r, int handle, CSize minSize) {
    if (handle == kMoveHandle) return;
    if (MovesLeft(handle) && r.Width() < minSize.cx) r.left = vx::SubSat(r.right, minSize.cx);
    if (MovesRight(handle) && r.Width() < minSize.cx) r.right = vx::AddSat(r.left, minSize.cx);
    if (MovesTop(handle) && r.Height() < minSize.cy) r.top = vx::SubSat(r.bottom, minSize.cy);
    if (MovesBottom(handle) && r.Height() < minSize.cy) r.bottom = vx::AddSat(r.top, minSize.cy);
}

void SnapEdges(int h, CRect& r, const CRect& old, CSize snap, CSize minSize, bool creating) {
    if (snap.cx <= 0 || snap.cy <= 0) return;
    if (creating) {
        r.left = SnapValue(r.left, snap.cx);
        r.top = SnapValue(r.top, snap.cy);
        r.right = SnapValue(r.right, snap.cx);
        r.bottom = SnapValue(r.bottom, snap.cy);
        return;
    }
    if (MovesLeft(h) || h == kMoveHandle) r.left = SnapValue(r.left, snap.cx);
    if (h == kMoveHandle) r.right = vx::Saturate32(int64_t(old.right) + r.left - old.left);
    else if (MovesRight(h) && r.Width() != minSize.cx) r.right = SnapValue(r.right, snap.cx);
    if (MovesTop(h) || h == kMoveHandle) r.top = SnapValue(r.top, snap.cy);
    if (h == kMoveHandle) r.bottom = vx::Saturate32(int64_t(old.bottom) + r.top - old.top);
    else if (MovesBottom(h) && r.Height() != minSize.cy) r.bottom = SnapValue(r.bottom, snap.cy);
}

void SnapCenter(CRect& r, CSize snap) {
    const int gx = snap.cx, gy = snap.cy;
    if (gx <= 0 || gy <= 0) return;
    const int w = r.Width(), h = r.Height();
    int ox = gx / 2, oy = gy / 2;
    if (w - 3 >= gx && ((w + 3) / gx) % 2 == 0) ox = 0;
    if (h - 3 >= gy && ((h + 3) / gy) % 2 == 0) oy = 0;
    const CPoint c = r.CenterPoint();
    const int x = SnapValue(vx::AddSat(c.x, ox), gx);
    const int y = SnapValue(vx::AddSat(c.y, oy), gy);
    r.left = vx::Saturate32(int64_t(x) - ox - w / 2);
    r.right = vx::AddSat(r.left, w);
    r.top = vx::Saturate32(int64_t(y) - oy - h / 2);
    r.bottom = vx::AddSat(r.top, h);
}

void KeepProportions(CRect& r, int h, CSize startSize) {
    if (h == kMoveHandle || h < 0 || startSize.cx == 0 || startSize.cy == 0) return;
    if (h == 0 || h == 1) {
        r.top = vx::SubSat(r.bottom, MulDivTrunc(r.Width(), startSize.cy, startSize.cx));
    } else if (h == 4 || h == 6) {
        r.right = vx::AddSat(r.left, MulDivTrunc(r.Height(), startSize.cx, startSize.cy));
    } else {
        r.bottom = vx::AddSat(r.top, MulDivTrunc(r.Width(), startSize.cy, startSize.cx));
    }
}

void KeepLineDirection(CRect& r, int h) {
    h = LineHandle(h);
    if (h < 0 || h > 3) return;
    int32_t* mx = (h == 0 || h == 3) ? &r.left : &r.right;
    int32_t* my = (h == 0 || h == 1) ? &r.top : &r.bottom;
    const int32_t fx = (mx == &r.left) ? r.right : r.left;
    const int32_t fy = (my == &r.top) ? r.bottom : r.top;
    const int64_t dx = int64_t(*mx) - fx, dy = int64_t(*my) - fy;
    const int64_t ax = std::llabs(dx), ay = std::llabs(dy);
    // tan(22.5 degrees) is about 0.4142: below it the line is horizontal,
    // above its inverse vertical, in between diagonal.
    if (double(ay) < 0.41421356 * double(ax)) {
        *my = fy;
    } else if (double(ax) < 0.41421356 * double(ay)) {
        *mx = fx;
    } else {
        const int64_t m = (ax + ay) / 2;
        *mx = vx::Saturate32(fx + (dx < 0 ? -m : m));
        *my = vx::Saturate32(fy + (dy < 0 ? -m : m));
    }
}

namespace {

// One axis of KeepInUsableArea on (lo, hi) against (ulo, uhi).
bool KeepAxis(int32_t& lo, int32_t& hi, int32_t ulo, int32_t uhi, bool resizing, bool gridAdjust, int step) {
    if (int64_t(hi) - lo >= int64_t(uhi) - ulo - step) return false;
    const int32_t lo0 = lo, hi0 = hi;
    auto adjust = [&](int32_t& v) {
        if (gridAdjust && step > 0 && v % step != 0) v = vx::AddSat(v, step);
    };
    if (lo < ulo) {
        if (resizing) {
            lo = ulo;
            adjust(lo);
        } else {
            const int64_t d = int64_t(ulo) - lo;
            lo = vx::Saturate32(lo + d);
            hi = vx::Saturate32(hi + d);
        }
    } else if (hi < ulo) {
        hi = ulo;
        adjust(hi);
    } else if (hi > uhi) {
        if (resizing) {
            hi = uhi;
        } else {
            const int64_t d = int64_t(hi) - uhi;
            lo = vx::Saturate32(lo - d);
            hi = vx::Saturate32(hi - d);
        }
    } else if (lo > uhi) {
        lo = uhi;
    }
    return lo != lo0 || hi != hi0;
}

}  // namespace

bool KeepInUsableArea(CRect& r, const CRect& usable, bool resizing, bool noGridAdjust, const GridSettings& grid) {
    const bool adjust = grid.snapToGrid && !noGridAdjust;
    const bool h = KeepAxis(r.left, r.right, usable.left, usable.right, resizing, adjust, grid.draw.cx);
    const bool v = KeepAxis(r.top, r.bottom, usable.top, usable.bottom, resizing, adjust, grid.draw.cy);
    return h || v;
}

bool KeepSelectionInside(std::vector<CRect>& rects, const CRect& u) {
    int64_t mL = 0, mR = 0, mT = 0, mB = 0;
    for (const CRect& r : rects) {
        const int64_t L = int64_t(r.left) - u.left, R = int64_t(u.right) - r.right;
        const int64_t T = int64_t(r.top) - u.top, B = int64_t(u.bottom) - r.bottom;
        if (L < mL) mL = L;
        else if (R < mR) mR = R;
        if (T < mT) mT = T;
        else if (B < mB) mB = B;
    }
    auto shift = [](int64_t lo, int64_t hi) -> int64_t {
        if (lo < 0 && hi == 0) return -lo;
        if (hi < 0 && lo == 0) return hi;
        return 0;
    };
    const int64_t dx = shift(mL, mR), dy = shift(mT, mB);
    bool moved = false, cornerOutside = false;
    if (dx != 0 || dy != 0) {
        for (CRect& r : rects) {
            if (!u.PtInRect(r.TopLeft()) || !u.PtInRect(r.BottomRight())) cornerOutside = true;
            Offset64(r, dx, dy);
        }
        moved = true;
    }
    if (cornerOutside || (mL < 0 && mR < 0) || (mT < 0 && mB < 0)) {
        for (CRect& r : rects) {
            int64_t ox = 0, oy = 0;
            if (r.left < u.left) ox = int64_t(u.left) - r.left;
            else if (r.right > u.right) ox = int64_t(u.right) - r.right;
            if (r.top < u.top) oy = int64_t(u.top) - r.top;
            else if (r.bottom > u.bottom) oy = int64_t(u.bottom) - r.bottom;
            if (ox != 0 || oy != 0) {
                Offset64(r, ox, oy);
                moved = true;
            }
        }
    }
    return moved;
}

ScaleFactors ScaleBetween(const CRect& a, const CRect& b) {
    ScaleFactors f;
    if (a.Width() != 0) f.sx = double(b.Width()) / a.Width();
    if (a.Height() != 0) f.sy = double(b.Height()) / a.Height();
    return f;
}

CPoint MapPoint(CPoint p, const CRect& a, const CRect& b) {
    const ScaleFactors f = ScaleBetween(a, b);
    return CPoint(vx::Saturate32(int64_t(vx::AddHalfTrunc((double(p.x) - a.left) * f.sx)) + b.left),
                  vx::Saturate32(int64_t(vx::AddHalfTrunc((double(p.y) - a.top) * f.sy)) + b.top));
}

CRect MapRect(const CRect& r, const CRect& a, const CRect& b) {
    const CPoint tl = MapPoint(r.TopLeft(), a, b), br = MapPoint(r.BottomRight(), a, b);
    return CRect(tl.x, tl.y, br.x, br.y);
}

std::optional<NudgeResult> Nudge(const CRect& bounds, const NudgeRequest& key, const GridSettings& grid,
                                 CSize gridSpacing, const CRect& u) {
    bool control = key.control, shift = key.shift;
    if (grid.snapToGrid && grid.snapToCenter) {
        shift = false;
        control = true;
    }
    const int64_t sx = int64_t(key.steps) * (control ? gridSpacing.cx : 1);
    const int64_t sy = int64_t(key.steps) * (control ? gridSpacing.cy : 1);
    const int64_t dx = key.dx * sx, dy = key.dy * sy;
    if (dx == 0 && dy == 0) return std::nullopt;
    NudgeResult out{bounds, shift};
    if (shift) {
        // Only the right and the bottom edge move.
        if ((dx > 0 && bounds.right >= u.right) || (dy > 0 && bounds.bottom >= u.bottom)) return std::nullopt;
        out.rect.right = vx::Saturate32(bounds.right + dx);
        out.rect.bottom = vx::Saturate32(bounds.bottom + dy);
    } else {
        if ((dx < 0 && bounds.left < u.left) || (dx > 0 && bounds.right >= u.right) ||
            (dy < 0 && bounds.top < u.top) || (dy > 0 && bounds.bottom >= u.bottom))
            return std::nullopt;
        Offset64(out.rect, dx, dy);
    }
    return out;
}

int CAutoScroll::PeriodMs(int gridWidth, int zoom) {
    const int64_t k = (int64_t(gridWidth) * zoom / 100) / 20;
    return int(30 * std::clamp<int64_t>(k, 1, 1000));
}

CPoint CAutoScroll::Tick(CPoint cursor, CSize client) {
    ++ticks_;
    const int64_t d = std::min({int64_t(cursor.x), int64_t(client.cx) - cursor.x, int64_t(cursor.y),
                                int64_t(client.cy) - cursor.y});
    if (d >= 30) return CPoint();
    if (d >= 20 && ticks_ % 3 != 0) return CPoint();
    if (d >= 10 && d < 20 && ticks_ % 2 != 0) return CPoint();
    CPoint dir;
    if (cursor.x < 30) dir.x = -1;
    else if (int64_t(cursor.x) > int64_t(client.cx) - 30) dir.x = 1;
    if (cursor.y < 30) dir.y = -1;
    else if (int64_t(cursor.y) > int64_t(client.cy) - 30) dir.y = 1;
    return dir;
}

CRect BoundsOf(const std::vector<CRect>& rects) {
    if (rects.empty()) return CRect();
    CRect b = rects.front().Normalized();
    for (const CRect& r0 : rects) {
        const CRect r = r0.Normalized();
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

}  // namespace vx::edit
