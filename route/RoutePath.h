// Point-list helpers shared by the router's steps.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "route/RouteScene.h"

namespace vx::route::detail {

// Sides of an end's box and directions of moves, in move-flag bit order.
enum Side { kUp = 0, kRight = 1, kDown = 2, kLeft = 3 };
constexpr int kDx[4] = {0, 1, 0, -1};
constexpr int kDy[4] = {-1, 0, 1, 0};

// Products of coordinate differences need more than 64 bits.
inline bool Collinear(CPoint a, CPoint b, CPoint c) {
    using Wide = __int128;
    return Wide(int64_t(b.x) - a.x) * (int64_t(c.y) - a.y) ==
           Wide(int64_t(b.y) - a.y) * (int64_t(c.x) - a.x);
}

// Drops repeated points and points on a straight line with their
// neighbours; the first and last points stay.
inline void RemoveCollinear(std::vector<CPoint>& pts) {
    if (pts.size() < 2) return;
    std::vector<CPoint> out;
    out.reserve(pts.size());
    out.push_back(pts.front());
    for (size_t k = 1; k < pts.size(); ++k) {
        const CPoint p = pts[k];
        while (out.size() >= 2 &&
               (out.back() == p || Collinear(out[out.size() - 2], out.back(), p)))
            out.pop_back();
        if (out.back() == p && k + 1 < pts.size()) continue;
        out.push_back(p);
    }
    pts.swap(out);
}

// a rounded to the nearest multiple of step (step > 0).
constexpr int64_t RoundToGrid(int64_t a, int64_t step) {
    return FloorDiv(a + step / 2, step) * step;
}

// The path of horizontal and vertical segments used while snapping to
// centres: from `e` (snap type `typeE`) to `s`, leaving and entering each
// end on its side with the fewest bends.
std::vector<CPoint> CentrePath(const CRouteScene& scene, CPoint e, int typeE, CPoint s, int typeS);

}  // namespace vx::route::detail
