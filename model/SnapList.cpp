#include "model/SnapList.h"

#include <algorithm>

#include "model/HyperOb.h"

bool CSnapList::HasConnections() const {
    for (size_t i = 0; i < set_.size(); ++i) {
        const CSnapPoint* p = set_.point(i);
        if (p->inCount > 0 || p->outCount > 0) return true;
    }
    return false;
}

void CSnapList::ResetMarks() {
    for (size_t i = 0; i < set_.size(); ++i) {
        set_.point(i)->inCount = 0;
        set_.point(i)->outCount = 0;
    }
}

bool CSnapList::IsFull(const CSnapPoint& p, int endIndex) {
    const int count = endIndex == 0 ? p.inCount : p.outCount;
    const int max = endIndex == 0 ? p.maxIn : p.maxOut;
    return max != -1 && count >= max;
}

bool CSnapList::Position(const CSnapPoint& p, CPoint& out, COLORREF* colour) const {
    if (colour) *colour = p.useColour ? p.colour : -1;
    if (!owner_) return false;
    const CObTracker* t = owner_->GetTracker();
    if (!t && !groupRect_) return false;
    const bool rotated = !groupRect_ && owner_->IsRotated();
    const CRect r = groupRect_ ? *groupRect_ : rotated ? t->unrotatedRect : t->rect;
    const int64_t L = r.left, T = r.top, R = r.right, B = r.bottom;
    int64_t bx = 0, by = 0;
    switch (p.SafeType()) {
        case CSnapPoint::kTopLeft: bx = L; by = T; break;
        case CSnapPoint::kTopRight: bx = R; by = T; break;
        case CSnapPoint::kBottomRight: bx = R; by = B; break;
        case CSnapPoint::kBottomLeft: bx = L; by = B; break;
        case CSnapPoint::kTop: bx = (L + R) / 2; by = T; break;
        case CSnapPoint::kRight: bx = R; by = (T + B) / 2; break;
        case CSnapPoint::kBottom: bx = (L + R) / 2; by = B; break;
        case CSnapPoint::kLeft: bx = L; by = (T + B) / 2; break;
        default: bx = (L + R) / 2; by = (T + B) / 2; break;
    }
    int64_t x, y;
    if (p.byPixel) {
        x = bx + p.dX;
        y = by + p.dY;
    } else {
        // Percent of the width and height; integer division truncates.
        x = ((R - L) * p.dX + 49) / 100 + bx;
        y = ((B - T) * p.dY + 49) / 100 + by;
    }
    out = CPoint(int32_t(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)), int32_t(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX)));
    if (rotated) out = RotateAbout(out, r.CenterPoint(), t->rotateAngle);
    return true;
}

CPoint CSnapList::Position(const CSnapPoint& p, COLORREF* colour) const {
    CPoint pt;
    Position(p, pt, colour);
    return pt;
}

CRect CSnapList::SnapSquare(CPoint pos, int tolerance) {
    const int before = tolerance / 2;
    CRect sq(pos.x - before, pos.y - before, pos.x - before + tolerance, pos.y - before + tolerance);
    sq.InflateRect(1, 1);
    return sq;
}

int CSnapList::PointAt(CPoint pt, int tolerance) const {
    const size_t n = Count();
    for (size_t i = 0; i < n; ++i) {
        CPoint c;
        if (!Position(*set_.point(i), c)) return -1;
        if (SnapSquare(c, tolerance).PtInRect(pt)) return int(i);
    }
    return -1;
}

CSize CSnapList::GetExtent() const {
    int64_t a = 0, b = 0;
    for (size_t i = 0; i < set_.size(); ++i) {
        const CSnapPoint& p = *set_.point(i);
        switch (p.type) {
            case CSnapPoint::kLeft:
                if (p.dX < 0) a = std::max<int64_t>(a, -int64_t(p.dX));
                break;
            case CSnapPoint::kBottomRight:
            case CSnapPoint::kRight:
                if (p.dX > 0) a = std::max<int64_t>(a, p.dX);
                break;
            case CSnapPoint::kTop:
                if (p.dY < 0) b = std::max<int64_t>(b, -int64_t(p.dY));
                break;
            case CSnapPoint::kBottom:
                if (p.dY > 0) b = std::max<int64_t>(b, p.dY);
                break;
            default: break;
        }
    }
    // Offsets come from files and scripts: keep the margin within range.
    constexpr int64_t kMax = INT16_MAX;
    return CSize(int32_t(std::min(a, kMax) + 10), int32_t(std::min(b, kMax) + 10));
}

bool CSnapList::SetNumberOfPoints(long n) {
    if (n < 0 || n > kMaxPoints) return false;
    set_.RemoveAll();
    set_.nextId = 0;
    for (long i = 0; i < n; ++i) {
        CSnapPoint* p = set_.AddPoint(CSnapPoint::kTopLeft);
        p->byPixel = 0;
    }
    return true;
}

bool CSnapList::SetPointOffset(long index, long dX, long dY) {
    if (index < 0 || size_t(index) >= set_.size()) return false;
    CSnapPoint* p = set_.point(size_t(index));
    p->dX = int32_t(dX);
    p->dY = int32_t(dY);
    return true;
}
