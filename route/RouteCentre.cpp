// Paths used while snapping to centres: no search, a shape chosen by the
// sides the ends leave by and where they lie to each other. Every shape
// leaves the first end along its side and enters the last end from its
// side, with the fewest bends that allows.
#include <cstdlib>
#include <functional>

#include "route/RoutePath.h"

namespace vx::route::detail {

namespace {

int Sign(int64_t v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The side an end leaves by: fixed for the corner types on the left and
// right, otherwise towards the other end's column, or in the same column
// up when the other end lies above and down otherwise.
Side LeaveSide(int type, CPoint self, CPoint other, int64_t cw, int64_t ch) {
    if (type == 1 || type == 2) return kRight;
    if (type == 0 || type == 3) return kLeft;
    const int64_t cs = FloorDiv(self.x, cw), co = FloorDiv(other.x, cw);
    if (co > cs) return kRight;
    if (co < cs) return kLeft;
    return FloorDiv(other.y, ch) < FloorDiv(self.y, ch) ? kUp : kDown;
}

CPoint Swap(CPoint p) {
    return CPoint(p.y, p.x);
}
CPoint At(int64_t x, int64_t y) {
    return CPoint(Saturate32(x), Saturate32(y));
}

// Whether a segment (in the caller's possibly transposed coordinates) is
// free of obstacles.
using SegmentTest = std::function<bool(CPoint, CPoint)>;

// How many grid lines either side of halfway are tried for a middle
// segment that misses the obstacles between the ends.
constexpr int64_t kMiddleTries = 64;

// Both ends leave horizontally: `ex` and `sx` (+1 right, -1 left) are the
// directions leaving e and s; `cw`/`ch` the cell along x and y.
std::vector<CPoint> BothHorizontal(CPoint e, int ex, CPoint s, int sx, int64_t cw, int64_t ch,
                                   const SegmentTest& free) {
    // Facing each other on one line: straight.
    if (e.y == s.y && Sign(int64_t(s.x) - e.x) == ex && Sign(int64_t(e.x) - s.x) == sx)
        return {e, s};
    // Two bends through a vertical at m, beyond both ends on their sides.
    const auto beyond = [&](int64_t m) { return Sign(m - e.x) == ex && Sign(m - s.x) == sx; };
    if (e.y != s.y) {
        int64_t m = RoundToGrid((int64_t(e.x) + s.x) / 2, cw);
        if (!beyond(m)) m = (int64_t(e.x) + s.x) / 2;
        // A middle segment through an object moves to the nearest free
        // grid line between the ends.
        if (beyond(m) && !free(At(m, e.y), At(m, s.y))) {
            for (int64_t k = 1; k <= kMiddleTries; ++k) {
                const int64_t right = m + k * cw, left = m - k * cw;
                if (beyond(right) && free(At(right, e.y), At(right, s.y))) {
                    m = right;
                    break;
                }
                if (beyond(left) && free(At(left, e.y), At(left, s.y))) {
                    m = left;
                    break;
                }
            }
        }
        if (!beyond(m) && ex == sx) m = ex > 0 ? std::max(e.x, s.x) + cw : std::min(e.x, s.x) - cw;
        if (beyond(m)) return {e, At(m, e.y), At(m, s.y), s};
    }
    // Four bends: out of each end by a cell, joined by a horizontal between
    // (or below, when the ends share a row).
    const int64_t a = int64_t(e.x) + ex * cw, b = int64_t(s.x) + sx * cw;
    int64_t n = RoundToGrid((int64_t(e.y) + s.y) / 2, ch);
    if (n == e.y || n == s.y) n = (int64_t(e.y) + s.y) / 2;
    if (n == e.y || n == s.y) n = std::max(e.y, s.y) + 2 * ch;
    return {e, At(a, e.y), At(a, n), At(b, n), At(b, s.y), s};
}

// e leaves horizontally (`ex`), s vertically (`sy`: +1 down, -1 up).
std::vector<CPoint> Mixed(CPoint e, int ex, CPoint s, int sy, int64_t cw, int64_t ch) {
    // One bend where the corner lies beyond e on its side and beyond s on
    // its side.
    if (Sign(int64_t(s.x) - e.x) == ex && Sign(int64_t(e.y) - s.y) == sy)
        return {e, CPoint(s.x, e.y), s};
    int64_t m = (int64_t(e.x) + s.x) / 2;
    if (Sign(m - e.x) != ex) m = int64_t(e.x) + ex * cw;
    int64_t n = (int64_t(e.y) + s.y) / 2;
    if (Sign(n - s.y) != sy) n = int64_t(s.y) + sy * ch;
    return {e, At(m, e.y), At(m, n), At(s.x, n), s};
}

bool IsHorizontal(Side side) {
    return side == kRight || side == kLeft;
}
// +1 for right or down, -1 for left or up.
int Forward(Side side) {
    return side == kRight || side == kDown ? 1 : -1;
}

}  // namespace

std::vector<CPoint> CentrePath(const CRouteScene& scene, CPoint e, int typeE, CPoint s, int typeS) {
    const int64_t cw = scene.cw(), ch = scene.ch();
    const Side se = LeaveSide(typeE, e, s, cw, ch), ss = LeaveSide(typeS, s, e, cw, ch);
    const SegmentTest free = [&](CPoint a, CPoint b) { return scene.SegmentFree(a, b); };
    const SegmentTest freeSwapped = [&](CPoint a, CPoint b) {
        return scene.SegmentFree(Swap(a), Swap(b));
    };
    std::vector<CPoint> pts;
    if (IsHorizontal(se) && IsHorizontal(ss)) {
        pts = BothHorizontal(e, Forward(se), s, Forward(ss), cw, ch, free);
    } else if (!IsHorizontal(se) && !IsHorizontal(ss)) {
        pts = BothHorizontal(Swap(e), Forward(se), Swap(s), Forward(ss), ch, cw, freeSwapped);
        for (CPoint& p : pts) p = Swap(p);
    } else if (IsHorizontal(se)) {
        pts = Mixed(e, Forward(se), s, Forward(ss), cw, ch);
    } else {
        pts = Mixed(Swap(e), Forward(se), Swap(s), Forward(ss), ch, cw);
        for (CPoint& p : pts) p = Swap(p);
    }
    RemoveCollinear(pts);
    return pts;
}

}  // namespace vx::route::detail
