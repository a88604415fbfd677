// The router's picture of one page: the grid, the usable page rectangle and
// the obstacles (object rectangles grown by the margin) filed in a uniform
// bucket grid, so that asking whether a small area is free looks only at
// the obstacles near it. Move flags of grid points are computed on demand
// and kept until the scene is rebuilt.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/Geometry.h"

namespace vx::route {

// Move flags of a grid point.
constexpr uint8_t kMoveUp = 1;
constexpr uint8_t kMoveRight = 2;
constexpr uint8_t kMoveDown = 4;
constexpr uint8_t kMoveLeft = 8;
constexpr uint8_t kMoveAny = kMoveUp | kMoveRight | kMoveDown | kMoveLeft;
// The cell square right of and below the point is free.
constexpr uint8_t kCellFree = 16;

// a / b rounded toward minus infinity (b > 0).
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
constexpr int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

class CRouteScene {
  public:
    // `rects` are the object rectangles (any orientation); `grid` sides
    // below 1 count as 1.
    void Build(CSize grid, const CRect& page, const std::vector<CRect>& rects);
    void Clear();

    int64_t cw() const { return cw_; }
    int64_t ch() const { return ch_; }
    const CRect& page() const { return page_; }
    bool PageEmpty() const { return page_.IsRectEmpty(); }
    // The point lies in the page (edges included).
    bool InPage(CPoint p) const {
        return p.x >= page_.left && p.x <= page_.right && p.y >= page_.top && p.y <= page_.bottom;
    }

    // The object whose rectangle grown by 1 holds `p` (the smallest such,
    // then the first in the provider's order), or -1.
    int FindOwner(CPoint p) const;
    const CRect& objectRect(int i) const { return objects_[size_t(i)]; }
    // The objects holding `p` (their rectangle grown by 1) other than
    // `owner`, in increasing order.
    std::vector<uint32_t> HoldersOf(CPoint p, int owner) const;
    // Objects that hold an end of the route being laid out, other than the
    // one the end is on (a frame drawn round a diagram): the route runs
    // inside them, so they block nothing. Changing them drops the cached
    // move flags.
    void SetContainers(std::vector<uint32_t> ids);

    // Whether the area l..r x t..b lies in the page and shares no inner
    // point with any grown obstacle. A side of zero extent makes it a
    // segment (or a point): touching an obstacle's edge is allowed.
    bool AreaFree(int64_t l, int64_t t, int64_t r, int64_t b) const;
    // Move flags of grid point (cx, cy), cached.
    uint8_t Flags(int64_t cx, int64_t cy);
    // A horizontal or vertical segment is free: on a grid line, no
    // obstacle is crossed; between grid lines, the cells it runs through
    // are free. A slanted segment must have its whole grid-aligned bounding
    // area free.
    bool SegmentFree(CPoint a, CPoint b) const;

    size_t flagCacheSize() const { return flags_.size(); }

  private:
    struct Box {
        int64_t l, t, r, b;
    };
    template <typename Fn>
    bool AnyNear(int64_t l, int64_t t, int64_t r, int64_t b, Fn&& hit) const;

    int64_t cw_ = 1, ch_ = 1;
    CRect page_;
    std::vector<CRect> objects_;  // normalised object rectangles
    std::vector<Box> grown_;      // the same grown by the margin
    // Bucket grid over the grown obstacles: bucket (i, j) covers
    // originX_ + i * bucket_ .. + bucket_ (same in y); its obstacles are
    // items_[starts_[k] .. starts_[k + 1]). Obstacles that would fill many
    // buckets are kept in `large_` and always looked at.
    int64_t originX_ = 0, originY_ = 0, bucket_ = 1;
    int64_t cols_ = 0, rows_ = 0;
    std::vector<uint32_t> starts_;
    std::vector<uint32_t> items_;
    std::vector<uint32_t> large_;
    std::unordered_map<uint64_t, uint8_t> flags_;
    std::vector<uint32_t> containers_;  // sorted
};

}  // namespace vx::route
