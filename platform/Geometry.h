// Integer points, sizes and rectangles with the semantics of the original
// drawing API: rectangles are left, top, right, bottom with right and bottom
// exclusive for point tests, and an empty rectangle has no area.
#pragma once

#include <algorithm>
#include <cstdint>

namespace vx {

// A 64-bit result brought back into the 32-bit range.
constexpr int32_t Saturate32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }
// a + b and a - b, saturated: coordinates that a mapping already clamped to
// the 32-bit limits stay at the limit instead of wrapping to the far side.
constexpr int32_t AddSat(int32_t a, int64_t b) { return Saturate32(int64_t(a) + b); }
constexpr int32_t SubSat(int32_t a, int64_t b) { return Saturate32(int64_t(a) - b); }

}  // namespace vx

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t x_, int32_t y_) : x(x_), y(y_) {}

    // Point and rectangle arithmetic saturates at the 32-bit limits.
    constexpr void Offset(int32_t dx, int32_t dy) { x = vx::AddSat(x, dx); y = vx::AddSat(y, dy); }
    friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
    constexpr CPoint operator+(const CPoint& o) const { return {vx::AddSat(x, o.x), vx::AddSat(y, o.y)}; }
    constexpr CPoint operator-(const CPoint& o) const { return {vx::SubSat(x, o.x), vx::SubSat(y, o.y)}; }
};

struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;

    constexpr CSize() = default;
    constexpr CSize(int32_t cx_, int32_t cy_) : cx(cx_), cy(cy_) {}
    friend constexpr bool operator==(const CSize&, const CSize&) = default;
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CSize size)
        : left(topLeft.x), top(topLeft.y), right(vx::AddSat(topLeft.x, size.cx)), bottom(vx::AddSat(topLeft.y, size.cy)) {}

    friend constexpr bool operator==(const CRect&, const CRect&) = default;

    // Computed in 64 bits; a width or height beyond the 32-bit range (sides
    // far apart) saturates.
    constexpr int32_t Width() const { return vx::Saturate32(int64_t(right) - left); }
    constexpr int32_t Height() const { return vx::Saturate32(int64_t(bottom) - top); }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    // Centre rounded toward zero, as the original integer division does
    // (the sum is taken in 64 bits, so the centre always fits).
    constexpr CPoint CenterPoint() const {
        return {int32_t((int64_t(left) + right) / 2), int32_t((int64_t(top) + bottom) / 2)};
    }

    // No area: width or height is zero or negative.
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    // All four sides are zero.
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Right and bottom edges are outside the rectangle.
    constexpr bool PtInRect(CPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    constexpr void SetRect(int32_t l, int32_t t, int32_t r, int32_t b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { left = top = right = bottom = 0; }

    // Swaps sides so that left <= right and top <= bottom.
    constexpr void NormalizeRect() {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    constexpr CRect Normalized() const { CRect r = *this; r.NormalizeRect(); return r; }

    // Growing, shrinking and moving saturate at the 32-bit limits.
    constexpr void InflateRect(int32_t dx, int32_t dy) { InflateRect(dx, dy, dx, dy); }
    constexpr void InflateRect(int32_t l, int32_t t, int32_t r, int32_t b) {
        left = vx::SubSat(left, l);
        top = vx::SubSat(top, t);
        right = vx::AddSat(right, r);
        bottom = vx::AddSat(bottom, b);
    }
    constexpr void DeflateRect(int32_t dx, int32_t dy) {
        InflateRect(vx::Saturate32(-int64_t(dx)), vx::Saturate32(-int64_t(dy)));
    }
    constexpr void OffsetRect(int32_t dx, int32_t dy) { OffsetWide(dx, dy); }
    constexpr void OffsetRect(CPoint d) { OffsetRect(d.x, d.y); }
    // The offset is taken in 64 bits, so a far move keeps its size until a
    // side meets a limit.
    constexpr void MoveToXY(int32_t x, int32_t y) { OffsetWide(int64_t(x) - left, int64_t(y) - top); }

    // Intersection of a and b; an empty result is stored as all zeros and
    // returns false.
    constexpr bool IntersectRect(const CRect& a, const CRect& b) {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    // Smallest rectangle holding a and b; empty rectangles do not count. Two
    // empty inputs give all zeros and false.
    constexpr bool UnionRect(const CRect& a, const CRect& b) {
        const bool ea = a.IsRectEmpty(), eb = b.IsRectEmpty();
        if (ea && eb) {
            SetRectEmpty();
            return false;
        }
        if (ea) { *this = b; return true; }
        if (eb) { *this = a; return true; }
        *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                      std::max(a.bottom, b.bottom));
        return true;
    }
    // True when both rectangles share some area.
    constexpr bool Intersects(const CRect& o) const {
        CRect r;
        return r.IntersectRect(*this, o);
    }

private:
    constexpr void OffsetWide(int64_t dx, int64_t dy) {
        left = vx::AddSat(left, dx);
        right = vx::AddSat(right, dx);
        top = vx::AddSat(top, dy);
        bottom = vx::AddSat(bottom, dy);
    }
};

namespace vx {

// a * b / c computed in 64 bits and rounded half away from zero; -1 when c is
// zero or the result does not fit in 32 bits.
constexpr int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t p = int64_t(a) * int64_t(b);
    const bool neg = (p < 0) != (c < 0);
    const uint64_t up = p < 0 ? uint64_t(-p) : uint64_t(p);
    const uint64_t uc = c < 0 ? uint64_t(-int64_t(c)) : uint64_t(c);
    const uint64_t q = (up + uc / 2) / uc;
    if (q > (neg ? uint64_t(INT32_MAX) + 1 : uint64_t(INT32_MAX))) return -1;
    return neg ? int32_t(-int64_t(q)) : int32_t(q);
}

// Clamps to the range a signed 16-bit field can hold.
constexpr int32_t ClampInt16(int64_t v) { return int32_t(std::clamp<int64_t>(v, -32768, 32767)); }

}  // namespace vx
