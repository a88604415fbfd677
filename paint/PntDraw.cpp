#include "paint/PntDraw.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/DC.h"
#include "platform/PainterDC.h"

namespace vx::pnt {

namespace {

// Sets the pixels of one row from x0 to x1 inclusive, clipped.
void Span(CDIBSection& image, int y, int x0, int x1, uint32_t v) {
    if (y < 0 || y >= image.height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width() - 1);
    for (int x = x0; x <= x1; ++x) image.SetValue(x, y, v);
}

// The offsets of a round blot `size` pixels across, as row spans relative
// to the point: for each dy from lo to lo + size - 1, [from, to].
struct Blot {
    int lo = 0;
    std::vector<std::pair<int, int>> rows;
};

Blot MakeBlot(int size) {
    Blot b;
    b.lo = -(size / 2);
    const int hi = b.lo + size - 1;
    const double centre = (b.lo + hi) / 2.0;
    const double r2 = (size / 2.0) * (size / 2.0) + 1e-9;
    for (int dy = b.lo; dy <= hi; ++dy) {
        int from = hi + 1, to = b.lo - 1;
        for (int dx = b.lo; dx <= hi; ++dx) {
            const double ex = dx - centre, ey = dy - centre;
            if (ex * ex + ey * ey <= r2) {
                from = std::min(from, dx);
                to = std::max(to, dx);
            }
        }
        b.rows.emplace_back(from, to);
    }
    return b;
}

void Stamp(CDIBSection& image, CPoint p, const Blot& blot, uint32_t v) {
    for (size_t i = 0; i < blot.rows.size(); ++i) {
        const auto [from, to] = blot.rows[i];
        if (from <= to) Span(image, p.y + blot.lo + int(i), p.x + from, p.x + to, v);
    }
}

// Calls f(x, y) for every pixel of the line from a to b, both ends included.
template <class F>
void Walk(CPoint a, CPoint b, F f) {
    int64_t x = a.x, y = a.y;
    const int64_t dx = std::llabs(int64_t(b.x) - a.x), dy = -std::llabs(int64_t(b.y) - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int64_t err = dx + dy;
    for (;;) {
        f(int(x), int(y));
        if (x == b.x && y == b.y) break;
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Keeps a line's walk inside the image plus a pen's reach, so that a line
// to a far-away point does not walk millions of pixels outside.
bool ClipLine(CPoint& a, CPoint& b, const CRect& box) {
    double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left, box.right - 1 - x0, y0 - box.top, box.bottom - 1 - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    a = CPoint(int(std::lround(x0 + t0 * dx)), int(std::lround(y0 + t0 * dy)));
    b = CPoint(int(std::lround(x0 + t1 * dx)), int(std::lround(y0 + t1 * dy)));
    return true;
}

// Whether the pixel centre (px, py) lies in the rounded box [l, r) x [t, b)
// whose corners are ellipses of radii rx, ry (0: square corners).
bool InRounded(double px, double py, double l, double t, double r, double b, double rx, double ry) {
    if (px < l || px > r || py < t || py > b) return false;
    if (rx <= 0 || ry <= 0) return true;
    const double cx = std::clamp(px, l + rx, r - rx), cy = std::clamp(py, t + ry, b - ry);
    const double ex = (px - cx) / rx, ey = (py - cy) / ry;
    return ex * ex + ey * ey <= 1.0 + 1e-9;
}

// Paints the pixels of a rounded box (corner radii rx, ry), without the
// pixels of an inner rounded box when `inner` is given (an outline).
struct RoundedBox {
    double l, t, r, b, rx, ry;
    bool Contains(int x, int y) const { return InRounded(x + 0.5, y + 0.5, l, t, r, b, rx, ry); }
};

void PaintRounded(CDIBSection& image, const RoundedBox& outer, const RoundedBox* inner, uint32_t v) {
    const int y0 = std::max(0, int(std::floor(outer.t))), y1 = std::min(image.height(), int(std::ceil(outer.b)));
    const int x0 = std::max(0, int(std::floor(outer.l))), x1 = std::min(image.width(), int(std::ceil(outer.r)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!outer.Contains(x, y)) continue;
            if (inner && inner->Contains(x, y)) continue;
            image.SetValue(x, y, v);
        }
    }
}

// The figure of a shape: an outline `width` wide centred on the edge of
// `r`, or `r` filled. Rectangles have radii 0, ellipses half their size.
void Figure(CDIBSection& image, const CRect& r, int width, uint32_t v, bool filled, double rx, double ry) {
    if (image.IsNull() || r.IsRectEmpty()) return;
    if (filled) {
        const RoundedBox box{double(r.left), double(r.top), double(r.right), double(r.bottom), rx, ry};
        PaintRounded(image, box, nullptr, v);
        return;
    }
    const int w = std::max(width, 1);
    const double grow = (w - 1) / 2;
    const RoundedBox outer{r.left - grow, r.top - grow, r.right + grow, r.bottom + grow,
                           rx > 0 ? rx + grow : 0, ry > 0 ? ry + grow : 0};
    const RoundedBox inner{outer.l + w, outer.t + w, outer.r - w, outer.b - w,
                           rx > 0 ? std::max(0.0, outer.rx - w) : 0, ry > 0 ? std::max(0.0, outer.ry - w) : 0};
    const bool hollow = inner.r > inner.l && inner.b > inner.t;
    PaintRounded(image, outer, hollow ? &inner : nullptr, v);
}

}  // namespace

CRect ShapeRect(CPoint a, CPoint b) {
    CRect r(a.x, a.y, b.x, b.y);
    r.NormalizeRect();
    r.right = AddSat(r.right, 1);
    r.bottom = AddSat(r.bottom, 1);
    return r;
}

CSize RoundCorner(const CRect& r) { return {r.Width() / 3, r.Height() / 3}; }

void Dot(CDIBSection& image, CPoint p, int size, COLORREF color) {
    if (image.IsNull()) return;
    const uint32_t v = image.ValueFor(color);
    if (size <= 1) {
        if (image.bounds().PtInRect(p)) image.SetValue(p.x, p.y, v);
        return;
    }
    Stamp(image, p, MakeBlot(size), v);
}

void Line(CDIBSection& image, CPoint a, CPoint b, int width, COLORREF color) {
    if (image.IsNull()) return;
    const int w = std::max(width, 1);
    CRect reach = image.bounds();
    reach.InflateRect(w, w);
    if (!ClipLine(a, b, reach)) return;
    const uint32_t v = image.ValueFor(color);
    if (w == 1) {
        const CRect box = image.bounds();
        Walk(a, b, [&](int x, int y) {
            if (box.PtInRect({x, y})) image.SetValue(x, y, v);
        });
        return;
    }
    const Blot blot = MakeBlot(w);
    Walk(a, b, [&](int x, int y) { Stamp(image, {x, y}, blot, v); });
}

void Rectangle(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled) {
    Figure(image, r, width, image.ValueFor(color), filled, 0, 0);
}

void RoundRect(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const CSize corner = RoundCorner(r);
    Figure(image, r, width, image.ValueFor(color), filled, corner.cx / 2.0, corner.cy / 2.0);
}

void Ellipse(CDIBSection& image, const CRect& r, int width, COLORREF color, bool filled) {
    Figure(image, r, width, image.ValueFor(color), filled, r.Width() / 2.0, r.Height() / 2.0);
}

void FillRect(CDIBSection& image, const CRect& r, COLORREF color) {
    CRect c;
    if (image.IsNull() || !c.IntersectRect(r, image.bounds())) return;
    const uint32_t v = image.ValueFor(color);
    for (int y = c.top; y < c.bottom; ++y) Span(image, y, c.left, c.right - 1, v);
}

int64_t FloodFill(CDIBSection& image, CPoint p, COLORREF color) {
    if (image.IsNull() || !image.bounds().PtInRect(p)) return 0;
    const uint32_t target = image.ValueAt(p.x, p.y);
    const uint32_t fill = image.ValueFor(color);
    if (target == fill) return 0;
    const int w = image.width(), h = image.height();
    // Each entry is a row span [x1, x2] already filled, and the direction
    // of the row next to it still to be looked at.
    struct Seg {
        int y, x1, x2, dy;
    };
    std::vector<Seg> stack;
    int64_t changed = 0;
    auto fillSpan = [&](int x, int y) {
        int l = x, r = x;
        while (l > 0 && image.ValueAt(l - 1, y) == target) --l;
        while (r < w - 1 && image.ValueAt(r + 1, y) == target) ++r;
        for (int i = l; i <= r; ++i) image.SetValue(i, y, fill);
        changed += r - l + 1;
        return std::pair{l, r};
    };
    auto [l0, r0] = fillSpan(p.x, p.y);
    stack.push_back({p.y, l0, r0, 1});
    stack.push_back({p.y, l0, r0, -1});
    while (!stack.empty()) {
        const Seg s = stack.back();
        stack.pop_back();
        const int ny = s.y + s.dy;
        if (ny < 0 || ny >= h) continue;
        for (int x = s.x1; x <= s.x2; ++x) {
            if (image.ValueAt(x, ny) != target) continue;
            const auto [l, r] = fillSpan(x, ny);
            stack.push_back({ny, l, r, s.dy});
            // Parts of the new span that stick out beyond the old one may
            // lead back round a corner.
            if (l < s.x1) stack.push_back({ny, l, s.x1 - 1, -s.dy});
            if (r > s.x2) stack.push_back({ny, s.x2 + 1, r, -s.dy});
            x = r;
        }
    }
    return changed;
}

void Spray(CDIBSection& image, CPoint p, int penWidth, COLORREF color, CPntRandom& random, int dots) {
    if (image.IsNull()) return;
    const uint32_t v = image.ValueFor(color);
    const uint32_t reach = uint32_t(kAirbrushRadiusFactor * std::max(penWidth, 1));
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    for (int i = 0; i < dots; ++i) {
        const double a = double(random.Next() % 360) * kDegree;
        const double r = double(random.Next() % reach);
        const int x = int(p.x + std::trunc(std::cos(a) * r)), y = int(p.y + std::trunc(std::sin(a) * r));
        if (image.bounds().PtInRect({x, y})) image.SetValue(x, y, v);
    }
}

bool Text(CDIBSection& image, const CRect& r, const std::string& text, unsigned format, const LOGFONT& font,
          COLORREF color) {
    CRect area;
    if (image.IsNull() || !area.IntersectRect(r, image.bounds())) return false;
    // The text is laid out on a coverage image of the rectangle; pixels
    // covered more than half take the colour.
    QImage mask(r.Width(), r.Height(), QImage::Format_ARGB32);
    if (mask.isNull()) return false;
    mask.fill(Qt::transparent);
    {
        CPainterDC dc(&mask);
        LOGFONT lf = font;
        lf.lfQuality = 3;  // no smoothing
        dc.SelectObject(CFont(lf));
        dc.SetTextColor(RGB(0, 0, 0));
        dc.SetBkMode(TRANSPARENT);
        CRect box(0, 0, r.Width(), r.Height());
        dc.DrawText(text, box, format);
    }
    const uint32_t v = image.ValueFor(color);
    for (int y = area.top; y < area.bottom; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y - r.top));
        for (int x = area.left; x < area.right; ++x)
            if (qAlpha(line[x - r.left]) > 127) image.SetValue(x, y, v);
    }
    return true;
}

}  // namespace vx::pnt
