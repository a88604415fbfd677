#include "route/Router.h"

#include <cstdlib>

#include "route/RoutePath.h"
#include "route/RouteScene.h"
#include "route/RouteSearch.h"

namespace vx::route {

using namespace detail;

// The search state (obstacle index, move-flag cache, search window).
struct CRouter::Impl {
    CRouteScene scene;
    CRouteSearch search;
    size_t lastWindow = 0;
};

namespace {

// Cells the search window reaches beyond the two exit cells.
constexpr int64_t kWindowMargin = 10;

struct Exit {
    CPoint at;
    int side = kRight;
    int64_t l = 0, t = 0, r = 0, b = 0;  // the end's box
    bool fixed = false;                  // the end hangs on a snap point that fixes its sides
    bool Horizontal() const { return side == kRight || side == kLeft; }
    // The end moved level with its exit point, so that the path between
    // runs on grid lines; the end's own offset comes back at the end.
    CPoint Level(CPoint end) const {
        return Horizontal() ? CPoint(end.x, at.y) : CPoint(at.x, end.y);
    }
};

// Sides an end may leave by, as move-flag bits.
uint8_t SidesOf(int snapType) {
    switch (snapType) {
        case 0:
            return kMoveLeft | kMoveUp;
        case 1:
            return kMoveRight | kMoveUp;
        case 2:
            return kMoveRight | kMoveDown;
        case 3:
            return kMoveLeft | kMoveDown;
        case 4:
            return kMoveUp;
        case 5:
            return kMoveRight;
        case 6:
            return kMoveDown;
        case 7:
            return kMoveLeft;
        default:
            return kMoveAny;  // centre, free end, unknown type
    }
}

int64_t Manhattan(CPoint a, CPoint b) {
    return std::abs(int64_t(a.x) - b.x) + std::abs(int64_t(a.y) - b.y);
}

// The end's box: its object's rectangle grown by the margin and widened to
// grid lines, or for an end on no object the grid cell around it.
Exit FindExit(const CRouteScene& scene, const RouteEnd& end, CPoint other) {
    const int64_t cw = scene.cw(), ch = scene.ch();
    const CPoint p = end.at;
    const int64_t gx = FloorDiv(p.x, cw) * cw, gy = FloorDiv(p.y, ch) * ch;
    int64_t l, t, r, b;
    const int owner = scene.FindOwner(p);
    if (owner >= 0) {
        const CRect& o = scene.objectRect(owner);
        l = FloorDiv(int64_t(o.left) - kObstacleMargin, cw) * cw;
        t = FloorDiv(int64_t(o.top) - kObstacleMargin, ch) * ch;
        r = CeilDiv(int64_t(o.right) + kObstacleMargin, cw) * cw;
        b = CeilDiv(int64_t(o.bottom) + kObstacleMargin, ch) * ch;
    } else {
        l = gx == p.x ? gx - cw : gx;
        r = gx + cw;
        t = gy == p.y ? gy - ch : gy;
        b = gy + ch;
    }
    const uint8_t sides = SidesOf(end.snapType);
    const int64_t cand[4][4] = {
        {gx, t, gx + cw, t},  // up
        {r, gy, r, gy + ch},  // right
        {gx, b, gx + cw, b},  // down
        {l, gy, l, gy + ch},  // left
    };
    Exit best;
    int64_t bestDist = INT64_MAX;
    for (int side = 0; side < 4; ++side) {
        if (!(sides & (1u << side))) continue;
        for (int k = 0; k < 2; ++k) {
            const CPoint c(Saturate32(cand[side][2 * k]), Saturate32(cand[side][2 * k + 1]));
            const int64_t dist = Manhattan(c, other);
            if (dist < bestDist) {
                bestDist = dist;
                best.at = c;
                best.side = side;
            }
        }
    }
    best.fixed = end.snapType >= 0 && end.snapType <= 7;
    best.l = l;
    best.t = t;
    best.r = r;
    best.b = b;
    return best;
}

bool Axis(CPoint a, CPoint b) {
    return a.x == b.x || a.y == b.y;
}

// A segment from an end (levelled) to p, where the part inside the end's
// box does not count: the end's own object never blocks its way out.
bool FreeFromEnd(const CRouteScene& scene, const Exit& x, CPoint end, CPoint p) {
    if (end.y == p.y && end.x != p.x && end.y >= x.t && end.y <= x.b) {
        const int64_t dir = p.x > end.x ? 1 : -1;
        const int64_t qx = dir > 0 ? std::max<int64_t>(end.x, x.r) : std::min<int64_t>(end.x, x.l);
        if ((p.x - qx) * dir <= 0) return true;
        return scene.SegmentFree(CPoint(int32_t(qx), end.y), p);
    }
    if (end.x == p.x && end.y != p.y && end.x >= x.l && end.x <= x.r) {
        const int64_t dir = p.y > end.y ? 1 : -1;
        const int64_t qy = dir > 0 ? std::max<int64_t>(end.y, x.b) : std::min<int64_t>(end.y, x.t);
        if ((p.y - qy) * dir <= 0) return true;
        return scene.SegmentFree(CPoint(end.x, int32_t(qy)), p);
    }
    return scene.SegmentFree(end, p);
}

// Whether segment pts[i] - q is free, pts[i] being either end or an inner
// point.
struct PathFree {
    const CRouteScene& scene;
    const Exit& xe;
    const Exit& xs;
    bool operator()(const std::vector<CPoint>& pts, size_t i, CPoint q) const {
        if (i == 0) return FreeFromEnd(scene, xe, pts[0], q);
        if (i + 1 == pts.size()) return FreeFromEnd(scene, xs, pts[i], q);
        return scene.SegmentFree(pts[i], q);
    }
};

// Replaces inner corners by the opposite corner of their neighbours'
// rectangle where that path is free and straightens the line, until a
// pass changes nothing. Points beside an end on a fixed side stay.
void CutCorners(const PathFree& free, std::vector<CPoint>& pts, bool fixedE, bool fixedS) {
    for (size_t pass = 0, limit = pts.size() + 1; pass < limit; ++pass) {
        bool changed = false;
        for (size_t i = 1; i + 1 < pts.size(); ++i) {
            if ((i == 1 && fixedE) || (i + 2 == pts.size() && fixedS)) continue;
            const CPoint a = pts[i - 1], b = pts[i], c = pts[i + 1];
            if (!Axis(a, b) || !Axis(b, c) || Collinear(a, b, c)) continue;
            const CPoint cut(Saturate32(int64_t(a.x) + c.x - b.x),
                             Saturate32(int64_t(a.y) + c.y - b.y));
            const bool straightens = (i >= 2 && Collinear(pts[i - 2], a, cut)) ||
                                     (i + 2 < pts.size() && Collinear(cut, c, pts[i + 2]));
            if (!straightens || !free(pts, i - 1, cut) || !free(pts, i + 1, cut)) continue;
            pts[i] = cut;
            RemoveCollinear(pts);
            changed = true;
            break;
        }
        if (!changed) break;
    }
}

// A Z (four points) gets its middle segment halfway between the ends, on
// the grid, when the new segments are free. `d` is the grid offset the
// inner points get later: halfway is taken on the grid they move from.
void CentreZ(const PathFree& free, std::vector<CPoint>& pts, int d) {
    if (pts.size() != 4) return;
    const CPoint e = pts[0], s = pts[3];
    CPoint a = pts[1], b = pts[2];
    // Strictly between the ends: a Z, not a U.
    const auto between = [](int64_t m, int64_t p, int64_t q) {
        return (p < m && m < q) || (q < m && m < p);
    };
    if (a.x == b.x && a.y != b.y && e.y == a.y && s.y == b.y) {
        const int64_t m = RoundToGrid((int64_t(e.x) + s.x) / 2 - d, free.scene.cw());
        if (!between(a.x, e.x, s.x) || !between(m, e.x, s.x)) return;
        a.x = b.x = Saturate32(m);
    } else if (a.y == b.y && a.x != b.x && e.x == a.x && s.x == b.x) {
        const int64_t m = RoundToGrid((int64_t(e.y) + s.y) / 2 - d, free.scene.ch());
        if (!between(a.y, e.y, s.y) || !between(m, e.y, s.y)) return;
        a.y = b.y = Saturate32(m);
    } else {
        return;
    }
    if (a == pts[1]) return;
    if (free(pts, 0, a) && free.scene.SegmentFree(a, b) && free(pts, 3, b)) {
        pts[1] = a;
        pts[2] = b;
    }
}

// Adds the grid offset to every inner point; the point beside each end
// then takes the end's y (or x) so the end segment stays straight, and a
// point that shared that coordinate with it follows.
void ApplyOffset(std::vector<CPoint>& pts, int d, bool hE, bool hS) {
    const size_t n = pts.size();
    if (n < 3) return;
    const std::vector<CPoint> old = pts;
    for (size_t i = 1; i + 1 < n; ++i) pts[i].Offset(d, d);
    auto pin = [&](size_t i, bool horizontal, CPoint end, ptrdiff_t step) {
        const int32_t was = horizontal ? old[i].y : old[i].x;
        (horizontal ? pts[i].y : pts[i].x) = horizontal ? end.y : end.x;
        const ptrdiff_t j = ptrdiff_t(i) + step;
        if (j < 1 || j + 1 >= ptrdiff_t(n)) return;
        if ((horizontal ? old[size_t(j)].y : old[size_t(j)].x) == was)
            (horizontal ? pts[size_t(j)].y : pts[size_t(j)].x) = horizontal ? end.y : end.x;
    };
    pin(1, hE, pts.front(), 1);
    pin(n - 2, hS, pts.back(), -1);
}

// Inserts a bend into every slanted segment; the segments at the ends keep
// their direction.
void Orthogonalize(std::vector<CPoint>& pts, bool hE, bool hS) {
    const size_t n = pts.size();
    std::vector<CPoint> out;
    out.reserve(n + 4);
    out.push_back(pts.front());
    for (size_t k = 1; k < n; ++k) {
        const CPoint a = out.back(), b = pts[k];
        if (!Axis(a, b)) {
            if (k == 1 && k + 1 == n && hE == hS) {
                // Both ends leave the same way: a jog halfway.
                if (hE) {
                    const int32_t m = Saturate32((int64_t(a.x) + b.x) / 2);
                    out.push_back(CPoint(m, a.y));
                    out.push_back(CPoint(m, b.y));
                } else {
                    const int32_t m = Saturate32((int64_t(a.y) + b.y) / 2);
                    out.push_back(CPoint(a.x, m));
                    out.push_back(CPoint(b.x, m));
                }
            } else if (k == 1) {
                out.push_back(hE ? CPoint(b.x, a.y) : CPoint(a.x, b.y));
            } else if (k + 1 == n) {
                out.push_back(hS ? CPoint(a.x, b.y) : CPoint(b.x, a.y));
            } else {
                const bool prevHorizontal = out[out.size() - 2].y == a.y;
                out.push_back(prevHorizontal ? CPoint(a.x, b.y) : CPoint(b.x, a.y));
            }
        }
        out.push_back(b);
    }
    pts.swap(out);
}

}  // namespace

CRouter::CRouter() : impl_(std::make_unique<Impl>()) {}
CRouter::~CRouter() = default;

CRouter& CRouter::Instance() {
    static CRouter router;
    return router;
}

bool CRouter::Prepare(const SceneKey& key, const std::function<std::vector<CRect>()>& obstacles) {
    if (valid_ && key == key_) return false;
    key_ = key;
    obstacles_ = obstacles ? obstacles() : std::vector<CRect>{};
    impl_->scene.Build(key.grid, key.page, obstacles_);
    valid_ = true;
    ++rebuilds_;
    return true;
}

void CRouter::Invalidate() {
    valid_ = false;
    impl_->scene.Clear();
}

size_t CRouter::lastWindowCells() const {
    return impl_->lastWindow;
}
size_t CRouter::flagCacheSize() const {
    return impl_->scene.flagCacheSize();
}

RouteResult CRouter::Route(const RouteEnd& s, const RouteEnd& e, int gridOffset,
                           bool snapToCentre) {
    RouteResult r;
    CRouteScene& scene = impl_->scene;
    impl_->lastWindow = 0;
    const CPoint S = s.at, E = e.at;
    auto outside = [&] {
        r.kind = RouteKind::kOutside;
        r.points = {E, CPoint(E.x, S.y), S};
        return r;
    };
    if (!valid_ || scene.PageEmpty() || !scene.InPage(S) || !scene.InPage(E)) return outside();
    // Objects drawn round an end (other than the one it hangs on) do not
    // block the route.
    {
        std::vector<uint32_t> containers = scene.HoldersOf(S, scene.FindOwner(S));
        const std::vector<uint32_t> more = scene.HoldersOf(E, scene.FindOwner(E));
        containers.insert(containers.end(), more.begin(), more.end());
        scene.SetContainers(std::move(containers));
    }

    if (snapToCentre) {
        r.kind = RouteKind::kCentreTable;
        r.points = CentrePath(scene, E, e.snapType, S, s.snapType);
        return r;
    }

    const Exit xs = FindExit(scene, s, E), xe = FindExit(scene, e, S);
    if (!scene.InPage(xs.at) || !scene.InPage(xe.at)) return outside();

    // The path between the exit points, from XE to XS.
    std::vector<CPoint> path;
    const CPoint bend1(xe.at.x, xs.at.y), bend2(xs.at.x, xe.at.y);
    if (scene.SegmentFree(xs.at, bend1) && scene.SegmentFree(bend1, xe.at)) {
        r.kind = RouteKind::kDirect;
        path = {xe.at, bend1, xs.at};
    } else if (scene.SegmentFree(xs.at, bend2) && scene.SegmentFree(bend2, xe.at)) {
        r.kind = RouteKind::kDirect;
        path = {xe.at, bend2, xs.at};
    } else {
        const int64_t cw = scene.cw(), ch = scene.ch();
        const int64_t sx = xs.at.x / cw, sy = xs.at.y / ch, ex = xe.at.x / cw, ey = xe.at.y / ch;
        if (std::abs(sx - ex) + std::abs(sy - ey) > kSearchLimit) {
            r.kind = RouteKind::kFallbackFar;
        } else if (!(scene.Flags(sx, sy) & kMoveAny) || !(scene.Flags(ex, ey) & kMoveAny)) {
            r.kind = RouteKind::kFallbackBlocked;
        } else {
            const CellWindow window{
                std::max(std::min(sx, ex) - kWindowMargin, CeilDiv(scene.page().left, cw)),
                std::max(std::min(sy, ey) - kWindowMargin, CeilDiv(scene.page().top, ch)),
                std::min(std::max(sx, ex) + kWindowMargin, FloorDiv(scene.page().right, cw)),
                std::min(std::max(sy, ey) + kWindowMargin, FloorDiv(scene.page().bottom, ch)),
            };
            // The direction leaving S's box, and the one entering E's.
            const int startDir = xs.side, entryDir = (xe.side + 2) % 4;
            const bool found =
                impl_->search.Run(scene, sx, sy, ex, ey, startDir, entryDir, window, path);
            impl_->lastWindow = impl_->search.windowCells();
            r.kind = found ? RouteKind::kSearched : RouteKind::kFallbackNoPath;
        }
        if (r.FellBack()) path = {xe.at, bend1, xs.at};
    }

    // Steps on the grid run with the ends levelled to their exit points;
    // every segment is then horizontal or vertical.
    std::vector<CPoint>& pts = r.points;
    pts.reserve(path.size() + 2);
    pts.push_back(xe.Level(E));
    pts.insert(pts.end(), path.begin(), path.end());
    pts.push_back(xs.Level(S));
    RemoveCollinear(pts);
    if (!r.FellBack()) {
        const PathFree free{scene, xe, xs};
        CutCorners(free, pts, xe.fixed, xs.fixed);
        CentreZ(free, pts, gridOffset);
    }
    const auto horizontal = [](CPoint end, CPoint next, bool side) {
        return end == next ? side : end.y == next.y;
    };
    const bool hE = pts.size() >= 2 ? horizontal(pts[0], pts[1], xe.Horizontal()) : xe.Horizontal();
    const bool hS = pts.size() >= 2 ? horizontal(pts.back(), pts[pts.size() - 2], xs.Horizontal())
                                    : xs.Horizontal();
    pts.front() = E;
    if (pts.size() == 1) pts.push_back(S);
    pts.back() = S;
    ApplyOffset(pts, gridOffset, hE, hS);
    Orthogonalize(pts, hE, hS);
    RemoveCollinear(pts);
    if (pts.size() == 1) pts.push_back(S);
    return r;
}

}  // namespace vx::route
