// The grid search between two exit cells: a best-first search over the
// cells of a bounded window, ordered by steps so far plus the remaining
// distance, preferring fewer bends among paths of equal length.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Geometry.h"
#include "route/RouteScene.h"

namespace vx::route::detail {

struct CellWindow {
    int64_t left, top, right, bottom;  // cells, inclusive
};

class CRouteSearch {
  public:
    // Searches from cell (fx, fy) to cell (tx, ty) within `window` (both
    // cells inside it). `startDir` is the direction of the move that
    // reached the start (leaving its end), `entryDir` the direction of the
    // move from the target into its end. On success `path` holds the grid
    // points from the target back to the start.
    bool Run(CRouteScene& scene, int64_t fx, int64_t fy, int64_t tx, int64_t ty, int startDir,
             int entryDir, const CellWindow& window, std::vector<CPoint>& path);
    // Cells of the last window.
    size_t windowCells() const { return cells_; }

  private:
    struct Node {
        int16_t steps;  // -1: not reached
        int16_t bends;
        int8_t dir;
        int32_t parent;
    };
    struct Open {
        int32_t f;
        uint32_t seq;
        int32_t index;
        int16_t steps;
        int16_t bends;
    };
    std::vector<Node> nodes_;
    std::vector<Open> open_;
    size_t cells_ = 0;
};

}  // namespace vx::route::detail
