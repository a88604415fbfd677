#include "view/PageZoom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vx {

namespace {

int Clamp32(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// v * zoom / 100 with truncation, in 64 bits.
int Zoomed(int v, int zoom) { return Clamp32(int64_t(v) * zoom / 100); }

}  // namespace

void SnapToGridValue(int& v, int g) {
    const int64_t step = std::max(1, g);
    v = Clamp32(step * ((step / 2 + int64_t(v)) / step));
}

int NextZoomLevel(const std::vector<int>& levels, int zoom) {
    if (levels.size() < 2) return 100;
    for (size_t i = 0; i < levels.size(); ++i)
        if (levels[i] >= zoom) return levels[std::min(i + 1, levels.size() - 1)];
    return levels.back();
}

int PrevZoomLevel(const std::vector<int>& levels, int zoom) {
    if (levels.size() < 2) return 100;
    for (size_t j = levels.size(); j-- > 0;)
        if (levels[j] <= zoom) return levels[j == 0 ? 0 : j - 1];
    return levels.front();
}

int MinZoomLevel(const std::vector<int>& levels) { return levels.size() < 2 ? 100 : levels.front(); }

int MaxZoomLevel(const std::vector<int>& levels, int pageWidth, int pageHeight) {
    const int top = levels.size() < 2 ? 100 : levels.back();
    const int m = std::max(pageWidth, pageHeight);
    if (m <= 0) return top;  // a page without size cannot be too large
    const int d = 3276800 / m;
    if (d >= top) return top;
    int r = d;
    if (d < 200) r = d - d % 25;
    else if (d < 500) r = d - d % 50;
    else r = d - d % 100;
    // Pages above 131072 units would round to 0: keep the exact limit.
    if (r <= 0) r = std::max(1, d);
    return r;
}

ScrollSizes ComputeScrollSizes(CSize page, int zoom, CSize client, CSize grid) {
    ScrollSizes s;
    s.total = {Zoomed(page.cx, zoom), Zoomed(page.cy, zoom)};
    int hx = client.cx / 2, hy = client.cy / 2;
    SnapToGridValue(hx, grid.cx);
    SnapToGridValue(hy, grid.cy);
    s.page = {Zoomed(hx, zoom), Zoomed(hy, zoom)};
    s.line = {Zoomed(grid.cx, zoom), Zoomed(grid.cy, zoom)};
    return s;
}

CPoint ScrollForZoom(int oldZoom, int newZoom, CPoint scroll, const std::optional<CPoint>& requested, CSize client,
                     CSize page, CSize grid) {
    CPoint pos;
    if (requested) {
        pos = *requested;
    } else {
        const int old = std::max(1, oldZoom);
        const CPoint centre(MulDiv(scroll.x + client.cx / 2, 100, old), MulDiv(scroll.y + client.cy / 2, 100, old));
        pos = CPoint(MulDiv(centre.x, newZoom, 100) - client.cx / 2, MulDiv(centre.y, newZoom, 100) - client.cy / 2);
    }
    const CSize total(Zoomed(page.cx, newZoom), Zoomed(page.cy, newZoom));
    auto limit = [](int& p, int extent, int totalSize) {
        if (p + extent >= totalSize) p = totalSize - extent;
        if (p < 0) p = 0;
    };
    limit(pos.x, client.cx, total.cx);
    limit(pos.y, client.cy, total.cy);
    if (newZoom % 50 == 0) {
        SnapToGridValue(pos.x, Zoomed(grid.cx, newZoom));
        SnapToGridValue(pos.y, Zoomed(grid.cy, newZoom));
    }
    return pos;
}

ZoomTarget ZoomForRect(int zoom, CRect rect, CSize client, double factor, int minZoom, int maxZoom) {
    rect.NormalizeRect();
    const int cur = std::max(1, zoom);
    if (!(factor > 0) || !std::isfinite(factor)) {
        const double fx = rect.Width() > 0 ? double(client.cx) / rect.Width() : 0;
        const double fy = rect.Height() > 0 ? double(client.cy) / rect.Height() : 0;
        if (fx <= 0 && fy <= 0) factor = 1.0;  // nothing to fit
        else if (fx <= 0) factor = fy;
        else if (fy <= 0) factor = fx;
        else factor = std::min(fx, fy);
    }
    const double scaled = std::floor(cur * factor + 2.5 + 0.5);
    int z = int(std::clamp(scaled, 0.0, 1e9)) / 5 * 5;
    z = std::max(z, minZoom);
    z = std::min(z, maxZoom);
    z = std::max(z, 1);
    const CPoint corner(MulDiv(rect.left, 100, cur), MulDiv(rect.top, 100, cur));
    // Page units to device units at the new zoom: extents 1000 and zoom * 10.
    const CPoint dev(MulDiv(corner.x, z * 10, 1000), MulDiv(corner.y, z * 10, 1000));
    return {z, dev};
}

}  // namespace vx
