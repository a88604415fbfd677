#include "shapes/CircleOb.h"

#include <algorithm>
#include <cmath>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/HyperPage.h"
#include "platform/DC.h"
#include "platform/IntMath.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CCircleOb, CHyperDrawOb, 0)

CCircleOb::CCircleOb() {
    snaps_.setOwner(this);
    innerMargin_ = penWidth_ + 1;
}

bool CCircleOb::IsCircle() const {
    const CObTracker* t = GetTracker();
    if (!t) return true;
    const CRect& r = t->rotateAngle != 0.0 ? t->unrotatedRect : t->rect;
    return std::abs(r.Width()) == std::abs(r.Height());
}

bool CCircleOb::CanRotate() const { return dfltCanRot() && (!IsCircle() || groupId() >= 0); }

bool CCircleOb::GetShadowStyle(int& out) const {
    const CObTracker* t = GetTracker();
    if (t && t->rotateAngle != 0.0) return false;
    out = shadowStyle_;
    return true;
}

int CCircleOb::GetToolStringId() const { return vx::tool::kEllipse; }

void CCircleOb::Update(int recalc, int hint) {
    CObTracker* t = GetTracker();
    // A circle looks the same at every angle: it keeps none, also in a group.
    if (t && t->rotateAngle != 0.0 && IsCircle()) t->rotateAngle = 0.0;
    CHyperDrawOb::Update(recalc, hint);
}

void CCircleOb::RecalcHandles() {
    SetPenMinSize();
    CHyperDrawOb::RecalcHandles();
}

void CCircleOb::ApplyViewDefaults() { ApplyBoxDefaults(snaps_, kDefaultSnapMask); }

void CCircleOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperDrawOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CCircleOb>(&other)) innerMargin_ = o->innerMargin_;
}

int CCircleOb::HitTest(int x, int y) {
    if (IsRotated()) return CHyperDrawOb::HitTest(x, y);
    const int hit = CHyperOb::HitTest(x, y);
    if (hit != vx::kHitInside) return hit;
    const CRect r = Rect().Normalized();
    const double a = r.Width() / 2.0, b = r.Height() / 2.0;
    if (a <= 0 || b <= 0) return hit;
    const double dx = (x - (r.left + a)) / a, dy = (y - (r.top + b)) / b;
    return dx * dx + dy * dy <= 1.0 ? hit : vx::kHitNone;
}

void CCircleOb::DrawShape(CDC& dc) {
    if (IsRotated()) {
        DrawOutline(dc);
        return;
    }
    const CRect r = Rect().Normalized();
    dc.SaveDC();
    if (r.Width() == 0 || r.Height() == 0) {
        // Degenerate: a line (or a point) with the outline pen.
        dc.SelectObject(MakePen(dc));
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.right + (r.Width() == 0 ? 0 : 1), r.bottom + (r.Width() == 0 ? 1 : 0));
        dc.RestoreDC(-1);
        return;
    }
    DrawShadowWith(dc, [&](CSize d) {
        CRect s = r;
        s.OffsetRect(d.cx, d.cy);
        dc.Ellipse(s);
    });
    dc.SelectObject(MakePen(dc));
    dc.SelectObject(MakeBrush());
    if (IsTransparent()) {
        dc.SetBkMode(TRANSPARENT);
        const CPoint p(r.left, (r.top + r.bottom + 1) / 2);
        dc.Arc(r, p, p);
    } else {
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(GetBackColor());
        dc.Ellipse(r);
    }
    dc.RestoreDC(-1);
}

std::vector<CPoint> CCircleOb::EllipseOutline(int ai, int bi) {
    std::vector<CPoint> pts(kOutlinePoints);
    const int n = kOutlinePoints - 1;
    const double a = ai, b = bi;
    if (ai == bi || ai <= 0 || bi <= 0) {
        // A circle, or an ellipse without area (its points on a line).
        for (int i = 0; i <= n; ++i) {
            const double t = i * 2 * M_PI / n;
            pts[size_t(i)] = CPoint(vx::TruncInt(a * std::cos(-t)), vx::TruncInt(b * std::sin(-t)));
        }
        return pts;
    }
    // Points about the left focus at steps inversely proportional to the
    // distance from it, which spaces them about evenly along the curve.
    const double A = std::max(a, b);
    const double c = std::sqrt(std::fabs(a * a - b * b));
    const double e = c / A;
    const double p = A / e - c;
    auto r = [&](double t) { return p * e / (1 - e * std::cos(t)); };
    std::vector<double> w(size_t(n) + 2, 0.0);
    double sum = 0;
    for (int i = 1; i <= n; ++i) {
        w[size_t(i)] = 1.0 / r(i * 2 * M_PI / n);
        sum += w[size_t(i)];
    }
    double t = 0;
    for (int j = 0; j <= n; ++j) {
        const double rt = r(t);
        pts[size_t(j)] = CPoint(vx::TruncInt(rt * std::cos(-t) - c), vx::TruncInt(rt * std::sin(-t)));
        t += w[size_t(j) + 1] * 2 * M_PI / sum;
    }
    pts[size_t(n)].y += 1;
    if (a < b)
        for (CPoint& q : pts) std::swap(q.x, q.y);
    return pts;
}

void CCircleOb::BuildOutline() {
    const CRect& u = GetTracker()->unrotatedRect;
    outline_ = EllipseOutline(std::abs(u.Width()) / 2, std::abs(u.Height()) / 2);
}

void CCircleOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(foreColorField());
        ar.WriteInt32(penWidth_);
        ar.WriteInt32(penStyle_);
        ar.WriteWordChecked(hatchStyle_, "an ellipse's hatch style");
        ar.WriteWordChecked(shadowStyle_, "an ellipse's shadow style");
        return;
    }
    ar.ReadVersion("CCircleOb");
    SetBackColor(ar.ReadInt32());
    SetForeColor(ar.ReadInt32());
    penWidth_ = ar.ReadInt32();
    penStyle_ = ar.ReadInt32();
    hatchStyle_ = ar.ReadWord();
    shadowStyle_ = ar.ReadWord();
}
