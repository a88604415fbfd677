#include "model/SnapList.h"

#include <algorithm>
#include <cmath>

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

CPoint CSnapList::Position(const CSnapPoint& p, COLORREF* colour) const {
    if (colour) *colour = p.useColour ? p.colour : -1;
    if (!owner_) return {};
    const CObTracker* t = owner_->GetTracker();
    if (!t) return {};
    const bool rotated = owner_->IsRotated();
    const CRect r = rotated ? t->unrotatedRect : t->rect;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    CPoint base;
    switch (p.SafeType()) {
        case CSnapPoint::kTopLeft: base = {L, T}; break;
        case CSnapPoint::kTopRight: base = {R, T}; break;
        case CSnapPoint::kBottomRight: base = {R, B}; break;
        case CSnapPoint::kBottomLeft: base = {L, B}; break;
        case CSnapPoint::kTop: base = {(L + R) / 2, T}; break;
        case CSnapPoint::kRight: base = {R, (T + B) / 2}; break;
        case CSnapPoint::kBottom: base = {(L + R) / 2, B}; break;
        case CSnapPoint::kLeft: base = {L, (T + B) / 2}; break;
        default: base = {(L + R) / 2, (T + B) / 2}; break;
    }
    CPoint pt;
    if (p.byPixel) {
        pt = {base.x + p.dX, base.y + p.dY};
    } else {
        pt.x = int32_t((int64_t(R - L) * p.dX + 49) / 100 + base.x);
        pt.y = int32_t((int64_t(B - T) * p.dY + 49) / 100 + base.y);
    }
    if (rotated) {
        const CPoint c = r.CenterPoint();
        const double a = t->rotateAngle * M_PI / 180.0;
        const double dx = pt.x - c.x, dy = pt.y - c.y;
        pt = CPoint(c.x + int32_t(std::lround(dx * std::cos(a) - dy * std::sin(a))),
                    c.y + int32_t(std::lround(dx * std::sin(a) + dy * std::cos(a))));
    }
    return pt;
}

int CSnapList::PointAt(CPoint pt, int tolerance) const {
    const size_t n = Count();
    for (size_t i = 0; i < n; ++i) {
        const CPoint c = Position(*set_.point(i));
        const int before = tolerance / 2;
        CRect sq(c.x - before, c.y - before, c.x - before + tolerance, c.y - before + tolerance);
        sq.InflateRect(1, 1);
        if (sq.PtInRect(pt)) return int(i);
    }
    return -1;
}

CSize CSnapList::GetExtent() const {
    int a = 0, b = 0;
    for (size_t i = 0; i < set_.size(); ++i) {
        const CSnapPoint& p = *set_.point(i);
        switch (p.type) {
            case CSnapPoint::kLeft:
                if (p.dX < 0) a = std::max(a, -p.dX);
                break;
            case CSnapPoint::kBottomRight:
            case CSnapPoint::kRight:
                if (p.dX > 0) a = std::max(a, p.dX);
                break;
            case CSnapPoint::kTop:
                if (p.dY < 0) b = std::max(b, -p.dY);
                break;
            case CSnapPoint::kBottom:
                if (p.dY > 0) b = std::max(b, p.dY);
                break;
            default: break;
        }
    }
    return CSize(a + 10, b + 10);
}
