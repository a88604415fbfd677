#include "route/RouteScene.h"

#include <algorithm>
#include <cmath>

#include "route/Router.h"

namespace vx::route {

namespace {

// Buckets per side at most; the bucket side is chosen so that there are
// about as many buckets as obstacles.
constexpr int64_t kMaxBucketsPerSide = 2048;
// An obstacle spanning more buckets than this goes to the large list.
constexpr int64_t kMaxBucketsPerObstacle = 64;
// The move-flag cache starts afresh beyond this many grid points, so many
// routes on one huge page cannot make it grow without bound.
constexpr size_t kMaxCachedFlags = size_t(1) << 20;

// Open interval (lo, hi) against the closed range [a, b]; a point range
// must lie strictly inside, a proper range must overlap with some length.
bool Overlaps(int64_t a, int64_t b, int64_t lo, int64_t hi) {
    return a == b ? (lo < a && a < hi) : (a < hi && b > lo);
}

}  // namespace

void CRouteScene::Clear() {
    containers_.clear();
    objects_.clear();
    grown_.clear();
    starts_.clear();
    items_.clear();
    large_.clear();
    flags_.clear();
    cols_ = rows_ = 0;
}

void CRouteScene::Build(CSize grid, const CRect& page, const std::vector<CRect>& rects) {
    Clear();
    cw_ = std::max<int64_t>(1, grid.cx);
    ch_ = std::max<int64_t>(1, grid.cy);
    page_ = page;
    objects_.reserve(rects.size());
    grown_.reserve(rects.size());
    int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    std::vector<int64_t> sides;
    sides.reserve(rects.size());
    for (const CRect& r : rects) {
        const CRect n = r.Normalized();
        objects_.push_back(n);
        const Box g{int64_t(n.left) - kObstacleMargin, int64_t(n.top) - kObstacleMargin,
                    int64_t(n.right) + kObstacleMargin, int64_t(n.bottom) + kObstacleMargin};
        grown_.push_back(g);
        minX = std::min(minX, g.l);
        minY = std::min(minY, g.t);
        maxX = std::max(maxX, g.r);
        maxY = std::max(maxY, g.b);
        sides.push_back(std::max(g.r - g.l, g.b - g.t));
    }
    if (grown_.empty()) return;

    // Bucket side: at least the typical obstacle size (so an obstacle
    // touches a few buckets) and large enough that the buckets number
    // about as many as the obstacles.
    std::nth_element(sides.begin(), sides.begin() + ptrdiff_t(sides.size() / 2), sides.end());
    const double w = double(maxX - minX) + 1, h = double(maxY - minY) + 1;
    int64_t side = std::max<int64_t>(sides[sides.size() / 2], 1);
    side = std::max(side, int64_t(std::ceil(std::sqrt(w * h / double(grown_.size())))));
    side = std::max(side, int64_t(std::ceil(w / double(kMaxBucketsPerSide))));
    side = std::max(side, int64_t(std::ceil(h / double(kMaxBucketsPerSide))));
    bucket_ = side;
    originX_ = minX;
    originY_ = minY;
    cols_ = (maxX - minX) / side + 1;
    rows_ = (maxY - minY) / side + 1;

    // Two passes: count per bucket, then fill.
    std::vector<uint32_t> counts(size_t(cols_ * rows_) + 1, 0);
    auto span = [&](const Box& g, int64_t& i0, int64_t& i1, int64_t& j0, int64_t& j1) {
        i0 = (g.l - originX_) / bucket_;
        i1 = (g.r - originX_) / bucket_;
        j0 = (g.t - originY_) / bucket_;
        j1 = (g.b - originY_) / bucket_;
        return (i1 - i0 + 1) * (j1 - j0 + 1) <= kMaxBucketsPerObstacle;
    };
    for (size_t k = 0; k < grown_.size(); ++k) {
        int64_t i0, i1, j0, j1;
        if (!span(grown_[k], i0, i1, j0, j1)) {
            large_.push_back(uint32_t(k));
            continue;
        }
        for (int64_t j = j0; j <= j1; ++j)
            for (int64_t i = i0; i <= i1; ++i) ++counts[size_t(j * cols_ + i)];
    }
    starts_.assign(counts.size(), 0);
    uint32_t sum = 0;
    for (size_t k = 0; k + 1 < counts.size(); ++k) {
        starts_[k] = sum;
        sum += counts[k];
    }
    starts_.back() = sum;
    items_.resize(sum);
    std::vector<uint32_t> fill(starts_.begin(), starts_.end() - 1);
    for (size_t k = 0; k < grown_.size(); ++k) {
        int64_t i0, i1, j0, j1;
        if (!span(grown_[k], i0, i1, j0, j1)) continue;
        for (int64_t j = j0; j <= j1; ++j)
            for (int64_t i = i0; i <= i1; ++i) items_[fill[size_t(j * cols_ + i)]++] = uint32_t(k);
    }
}

template <typename Fn>
bool CRouteScene::AnyNear(int64_t l, int64_t t, int64_t r, int64_t b, Fn&& hit) const {
    for (uint32_t k : large_)
        if (hit(k)) return true;
    if (cols_ == 0) return false;
    const int64_t i0 = std::max<int64_t>(0, FloorDiv(l - originX_, bucket_));
    const int64_t i1 = std::min<int64_t>(cols_ - 1, FloorDiv(r - originX_, bucket_));
    const int64_t j0 = std::max<int64_t>(0, FloorDiv(t - originY_, bucket_));
    const int64_t j1 = std::min<int64_t>(rows_ - 1, FloorDiv(b - originY_, bucket_));
    for (int64_t j = j0; j <= j1; ++j)
        for (int64_t i = i0; i <= i1; ++i) {
            const size_t cell = size_t(j * cols_ + i);
            for (uint32_t n = starts_[cell]; n < starts_[cell + 1]; ++n)
                if (hit(items_[n])) return true;
        }
    return false;
}

int CRouteScene::FindOwner(CPoint p) const {
    // Of nested objects the innermost (smallest) is the one the end is on.
    int best = -1;
    int64_t bestArea = 0;
    AnyNear(p.x, p.y, p.x, p.y, [&](uint32_t k) {
        CRect r = objects_[k];
        r.InflateRect(1, 1);
        if (!r.PtInRect(p)) return false;
        const int64_t area = int64_t(r.Width()) * r.Height();
        if (best < 0 || area < bestArea || (area == bestArea && int(k) < best)) {
            best = int(k);
            bestArea = area;
        }
        return false;  // keep looking
    });
    return best;
}

bool CRouteScene::AreaFree(int64_t l, int64_t t, int64_t r, int64_t b) const {
    if (l < page_.left || r > page_.right || t < page_.top || b > page_.bottom) return false;
    return !AnyNear(l, t, r, b, [&](uint32_t k) {
        const Box& g = grown_[k];
        if (!Overlaps(l, r, g.l, g.r) || !Overlaps(t, b, g.t, g.b)) return false;
        return containers_.empty() || !std::binary_search(containers_.begin(), containers_.end(), k);
    });
}

std::vector<uint32_t> CRouteScene::HoldersOf(CPoint p, int owner) const {
    std::vector<uint32_t> out;
    AnyNear(p.x, p.y, p.x, p.y, [&](uint32_t k) {
        CRect r = objects_[k];
        r.InflateRect(1, 1);
        if (int(k) != owner && r.PtInRect(p)) out.push_back(k);
        return false;
    });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

void CRouteScene::SetContainers(std::vector<uint32_t> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    if (ids == containers_) return;
    containers_ = std::move(ids);
    flags_.clear();
}

uint8_t CRouteScene::Flags(int64_t cx, int64_t cy) {
    const uint64_t key = (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy);
    auto it = flags_.find(key);
    if (it != flags_.end()) return it->second;
    if (flags_.size() >= kMaxCachedFlags) flags_.clear();
    const int64_t x = cx * cw_, y = cy * ch_;
    uint8_t f = 0;
    if (AreaFree(x, y - ch_, x, y)) f |= kMoveUp;
    if (AreaFree(x, y, x + cw_, y)) f |= kMoveRight;
    if (AreaFree(x, y, x, y + ch_)) f |= kMoveDown;
    if (AreaFree(x - cw_, y, x, y)) f |= kMoveLeft;
    if (AreaFree(x, y, x + cw_, y + ch_)) f |= kCellFree;
    flags_.emplace(key, f);
    return f;
}

bool CRouteScene::SegmentFree(CPoint a, CPoint b) const {
    if (a == b) return true;
    const int64_t x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const int64_t y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    const bool onColumn = FloorDiv(x0, cw_) * cw_ == x0;
    const bool onRow = FloorDiv(y0, ch_) * ch_ == y0;
    if (y0 == y1 && onRow) return AreaFree(x0, y0, x1, y0);
    if (x0 == x1 && onColumn) return AreaFree(x0, y0, x0, y1);
    // Between grid lines (or slanted): the cells it runs through.
    const int64_t l = FloorDiv(x0, cw_) * cw_, t = FloorDiv(y0, ch_) * ch_;
    const int64_t r = std::max(CeilDiv(x1, cw_) * cw_, l + cw_);
    const int64_t btm = std::max(CeilDiv(y1, ch_) * ch_, t + ch_);
    return AreaFree(l, t, r, btm);
}

}  // namespace vx::route
