#include "route/RouteSearch.h"

#include <algorithm>
#include <cstdlib>

#include "route/RoutePath.h"
#include "route/Router.h"

namespace vx::route::detail {

bool CRouteSearch::Run(CRouteScene& scene, int64_t fx, int64_t fy, int64_t tx, int64_t ty,
                       int startDir, int entryDir, const CellWindow& window,
                       std::vector<CPoint>& path) {
    path.clear();
    // Lower priority: larger estimate, then later arrival (equal estimates
    // leave in the order they came).
    const auto After = [](const Open& a, const Open& b) {
        return a.f > b.f || (a.f == b.f && a.seq > b.seq);
    };
    const int64_t w = window.right - window.left + 1, h = window.bottom - window.top + 1;
    if (w <= 0 || h <= 0) return false;
    cells_ = size_t(w * h);
    nodes_.assign(cells_, Node{-1, 0, 0, -1});
    open_.clear();
    open_.reserve(std::min<size_t>(cells_, 4096));
    auto indexOf = [&](int64_t x, int64_t y) {
        return int32_t((y - window.top) * w + (x - window.left));
    };
    auto estimate = [&](int64_t x, int64_t y) { return std::abs(x - tx) + std::abs(y - ty); };

    const int32_t start = indexOf(fx, fy), target = indexOf(tx, ty);
    if (start == target) {
        path.push_back(CPoint(int32_t(fx * scene.cw()), int32_t(fy * scene.ch())));
        return true;
    }
    uint32_t seq = 0;
    nodes_[size_t(start)] = Node{0, 0, int8_t(startDir), -1};
    open_.push_back(Open{int32_t(estimate(fx, fy)), seq++, start, 0, 0});
    // Each cell is re-opened only when reached with fewer steps or bends;
    // the cap keeps the open list proportional to the window whatever
    // happens.
    const size_t pushLimit = 8 * cells_ + 16;
    size_t pushes = 1;
    int32_t bestF = kSearchLimit;
    bool found = false;
    while (!open_.empty()) {
        std::pop_heap(open_.begin(), open_.end(), After);
        const Open o = open_.back();
        open_.pop_back();
        if (o.f > bestF) break;  // nothing left can do better
        const Node c = nodes_[size_t(o.index)];
        if (c.steps != o.steps || c.bends != o.bends || o.index == target) continue;
        const int64_t cx = window.left + o.index % w, cy = window.top + o.index / w;
        const uint8_t flags = scene.Flags(cx, cy);
        for (int d = 0; d < 4; ++d) {
            if (!(flags & (1u << d))) continue;
            const int64_t nx = cx + kDx[d], ny = cy + kDy[d];
            if (nx < window.left || nx > window.right || ny < window.top || ny > window.bottom)
                continue;
            const int32_t ni = indexOf(nx, ny);
            const int16_t ng = int16_t(c.steps + 1);
            int16_t nb = int16_t(c.bends + (d != c.dir ? 1 : 0));
            if (ni == target && d != entryDir) ++nb;
            const int32_t nf = ng + int32_t(estimate(nx, ny));
            if (nf > bestF) continue;
            Node& m = nodes_[size_t(ni)];
            if (m.steps >= 0 && !(ng < m.steps || (ng == m.steps && nb < m.bends))) continue;
            m = Node{ng, nb, int8_t(d), o.index};
            if (ni == target) {
                found = true;
                bestF = ng;
                continue;
            }
            if (++pushes > pushLimit) {
                open_.clear();
                break;
            }
            open_.push_back(Open{nf, seq++, ni, ng, nb});
            std::push_heap(open_.begin(), open_.end(), After);
        }
    }
    if (!found) return false;
    // Steps fall strictly along the links, so the walk ends; the count
    // guards it all the same.
    for (int32_t i = target; i >= 0 && path.size() <= cells_; i = nodes_[size_t(i)].parent) {
        const int64_t x = window.left + i % w, y = window.top + i / w;
        path.push_back(CPoint(int32_t(x * scene.cw()), int32_t(y * scene.ch())));
        if (i == start) break;
    }
    return path.size() >= 2;
}

}  // namespace vx::route::detail
