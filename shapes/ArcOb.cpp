#include "shapes/ArcOb.h"

#include <algorithm>
#include <cmath>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/DC.h"
#include "platform/IntMath.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CArcOb, CHyperDrawOb, 0)

namespace P = vx::prop;

namespace {

// Radii and centres come from files and scripts: keep them where sums of
// them cannot overflow.
constexpr int32_t kMaxRadius = 0xFFFF;

int32_t ClampRadius(int64_t r) { return int32_t(std::min<int64_t>(std::llabs(r), kMaxRadius)); }
int32_t ClampCoord(int64_t v) { return int32_t(std::clamp<int64_t>(v, -0x7FFFFF, 0x7FFFFF)); }

// Whole degrees, counter-clockwise on the screen, in [0, 360).
int CcwDegrees(double angle) {
    const int v = vx::FloorInt(angle + 0.5);
    if (v > 0) return 360 - v;
    return -v;
}

// The 360 points of the whole ellipse, one per degree counter-clockwise from
// (rx, 0): a quarter and its three mirror images.
std::vector<CPoint> EllipseTable(int rx, int ry) {
    CPoint q[91];
    for (int j = 0; j <= 90; ++j) {
        const double t = j * M_PI / 180.0;
        q[j] = CPoint(vx::TruncInt(rx * std::cos(t)), vx::TruncInt(-ry * std::sin(t)));
    }
    std::vector<CPoint> table(360);
    for (int j = 0; j <= 90; ++j) table[size_t(j)] = q[j];
    for (int j = 1; j <= 90; ++j) table[size_t(90 + j)] = CPoint(-q[90 - j].x, q[90 - j].y);
    for (int j = 1; j <= 90; ++j) table[size_t(180 + j)] = CPoint(-q[j].x, -q[j].y);
    for (int j = 1; j < 90; ++j) table[size_t(270 + j)] = CPoint(q[90 - j].x, -q[90 - j].y);
    return table;
}

size_t Nearest(const std::vector<CPoint>& table, CPoint p) {
    size_t best = 0;
    int64_t bestD = INT64_MAX;
    for (size_t i = 0; i < table.size(); ++i) {
        const int64_t dx = int64_t(table[i].x) - p.x, dy = int64_t(table[i].y) - p.y;
        const int64_t d = dx * dx + dy * dy;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

}  // namespace

CArcOb::CArcOb() { shapeFlag_ = 1; }

int CArcOb::GetToolStringId() const { return vx::tool::kArc; }

// ---- geometry ----

double CArcOb::NormalizeAngle(double a) {
    if (!std::isfinite(a)) return 0.0;
    if (a >= 360.0 || a <= -360.0) a = std::fmod(a, 360.0);
    if (a > 180.0) a -= 360.0;
    if (a <= -180.0) a += 360.0;
    return a;
}

CPoint CArcOb::PointAt(double t, int rx, int ry) {
    if (t == 0.0) return {rx, 0};
    if (t == 180.0 || t == -180.0) return {-rx, 0};
    if (t == 90.0) return {0, ry};
    if (t == -90.0) return {0, -ry};
    const double tn = std::tan(t * M_PI / 180.0);
    const double a = double(rx), b = double(ry);
    const double den = b * b + tn * tn * a * a;
    const double xr = den > 0 ? std::sqrt(a * a * b * b / den) : 0.0;
    int x = vx::FloorInt(xr + 0.5);
    int y = vx::FloorInt(tn * x + 0.5);
    if ((t > 90.0 && t <= 180.0) || (t >= -180.0 && t < -90.0)) {
        x = -x;
        y = -y;
    }
    return {x, y};
}

std::vector<CPoint> CArcOb::ArcPoints() const {
    const int s = CcwDegrees(startAngle_);
    int e = CcwDegrees(endAngle_);
    if (e < s) e += 360;
    std::vector<CPoint> pts;
    if (rx_ == ry_) {
        auto circle = [this](double deg) {
            const double t = deg * M_PI / 180.0;
            return CPoint(vx::TruncInt(rx_ * std::cos(-t)), vx::TruncInt(rx_ * std::sin(-t)));
        };
        if (s == e) {
            for (int i = 0; i < 360; ++i) pts.push_back(circle(i));
        } else {
            const int n = e - s + 1;
            for (int i = 0; i < n; ++i) pts.push_back(circle(s + double(i) * n / (n - 1)));
        }
    } else {
        const std::vector<CPoint> table = EllipseTable(rx_, ry_);
        if (s == e) {
            pts = table;
        } else {
            const size_t si = Nearest(table, PointAt(startAngle_, rx_, ry_));
            const size_t ei = Nearest(table, PointAt(endAngle_, rx_, ry_));
            for (size_t i = si;; i = (i + 1) % table.size()) {
                pts.push_back(table[i]);
                if (i == ei) break;
            }
        }
    }
    if (wedge_ && !pts.empty()) {
        const CPoint first = pts.front();
        pts.push_back(CPoint(0, 0));
        pts.push_back(first);
    }
    return pts;
}

CRect CArcOb::ComputeBox() const {
    int64_t l = 0, t = 0, r = 0, b = 0;
    auto either = [this](double v) { return startAngle_ == v || endAngle_ == v; };
    if (either(0.0)) r = rx_;
    if (either(-90.0)) t = -ry_;
    if (either(180.0)) l = -rx_;
    if (either(90.0)) b = ry_;
    std::vector<CPoint> pts = ArcPoints();
    if (wedge_ && pts.size() >= 2) pts.resize(pts.size() - 2);
    if (pts.size() > 20) pts = std::vector<CPoint>(pts.begin() + 5, pts.end() - 5);
    const CRect bb = vx::shapes::BoundsOf(pts);
    // Quarter boxes of the ellipse the arc touches.
    l = std::min<int64_t>(l, bb.left < 0 ? -rx_ : 0);
    r = std::max<int64_t>(r, bb.right > 0 ? rx_ : 0);
    t = std::min<int64_t>(t, bb.top < 0 ? -ry_ : 0);
    b = std::max<int64_t>(b, bb.bottom >= 2 ? ry_ : 0);
    if (l == 0 && t == 0 && r == 0 && b == 0) l = t = -1, r = b = 1;
    return CRect(ClampCoord(l + cx_), ClampCoord(t + cy_), ClampCoord(r + cx_), ClampCoord(b + cy_));
}

void CArcOb::BuildOutline() {
    // Relative to the centre of the object rectangle.
    const CRect& u = GetTracker()->unrotatedRect;
    const CPoint d(cx_ - (u.left + u.right) / 2, cy_ - (u.top + u.bottom) / 2);
    outline_ = ArcPoints();
    for (CPoint& p : outline_) p = p + d;
}

void CArcOb::InitQuarter(const CRect& t) {
    rx_ = ClampRadius(int64_t(t.right) - t.left);
    ry_ = ClampRadius(int64_t(t.bottom) - t.top);
    cx_ = t.left;
    cy_ = t.bottom;
    const bool right = t.right >= t.left, down = t.bottom >= t.top;
    if (right && down) startAngle_ = 0.0, endAngle_ = -90.0;
    else if (!right && down) startAngle_ = -90.0, endAngle_ = 180.0;
    else if (right) startAngle_ = 90.0, endAngle_ = 0.0;
    else startAngle_ = 180.0, endAngle_ = 90.0;
    anglesInit_ = 1;
}

void CArcOb::MirrorHorizontally() {
    auto m = [](double a) { return a >= 0 ? 180.0 - a : -180.0 - a; };
    const double s = m(startAngle_), e = m(endAngle_);
    startAngle_ = e;
    endAngle_ = s;
}

void CArcOb::MirrorVertically() {
    const double s = -startAngle_, e = -endAngle_;
    startAngle_ = e;
    endAngle_ = s;
}

void CArcOb::Fit(const CRect& t) {
    const CRect old = lastRect_;
    double sx = old.Width() != 0 ? double(t.Width()) / old.Width() : 1.0;
    double sy = old.Height() != 0 ? double(t.Height()) / old.Height() : 1.0;
    if (wedge_ != lastWedge_) sx = sy = 1.0;
    if (sx == 1.0 && sy == 1.0) {
        // Only moved.
        cx_ = ClampCoord(int64_t(cx_) + t.left - old.left);
        cy_ = ClampCoord(int64_t(cy_) + t.top - old.top);
        return;
    }
    const CRect n = t.Normalized();
    const bool flipH = t.right < t.left, flipV = t.bottom < t.top;
    if ((int64_t(old.Width()) == 2 * int64_t(rx_) && sx != 1.0) || (int64_t(old.Height()) == 2 * int64_t(ry_) && sy != 1.0)) {
        // A half or whole ellipse is fitted into the new rectangle.
        if (n.Width() == 0 || n.Height() == 0) return;
        if (flipH) MirrorHorizontally();
        if (flipV) MirrorVertically();
        if (cx_ == old.left || cx_ == old.right) {
            rx_ = ClampRadius(n.Width());
            ry_ = ClampRadius(n.Height() / 2);
            cy_ = n.top + ry_;
            cx_ = cx_ == old.left ? t.left : t.right;
        } else if (cy_ == old.top || cy_ == old.bottom) {
            ry_ = ClampRadius(n.Height());
            rx_ = ClampRadius(n.Width() / 2);
            cx_ = n.left + rx_;
            cy_ = cy_ == old.top ? t.top : t.bottom;
        } else {
            rx_ = ClampRadius(n.Width() / 2);
            ry_ = ClampRadius(n.Height() / 2);
            cx_ = n.CenterPoint().x;
            cy_ = n.CenterPoint().y;
        }
        return;
    }
    // Scaling.
    const int64_t nrx = vx::FloorInt(rx_ * sx + 0.5), nry = vx::FloorInt(ry_ * sy + 0.5);
    // Along each axis the centre stays on the side of the rectangle it was
    // on when that side moves; a negative scale mirrors the arc first.
    const auto scaleAxis = [](double scale, int64_t newRadius, int32_t& centre, int32_t& radius, int oldLo,
                              int oldHi, int newLo, int newHi, auto mirror) {
        if (scale == 1.0) return;
        const bool onLo = centre == oldLo, onHi = centre == oldHi;
        const bool loMoves = newLo != oldLo, hiMoves = newHi != oldHi;
        if (scale < 0) {
            mirror();
            const int64_t across = std::llabs(newRadius) + std::llabs(int64_t(radius));
            if (onLo && loMoves) centre = ClampCoord(centre + across);
            else if (onHi && hiMoves) centre = ClampCoord(centre - across);
        } else if (onLo && loMoves) {
            centre = newLo;
        } else if (onHi && hiMoves) {
            centre = newHi;
        }
        if (newRadius != 0) radius = ClampRadius(newRadius);
    };
    scaleAxis(sx, nrx, cx_, rx_, old.left, old.right, t.left, t.right, [this] { MirrorHorizontally(); });
    scaleAxis(sy, nry, cy_, ry_, old.top, old.bottom, t.top, t.bottom, [this] { MirrorVertically(); });
}

void CArcOb::RecalcHandles() {
    CObTracker* tr = GetTracker();
    if (!tr) return;
    if (IsRotated()) {
        CHyperDrawOb::RecalcHandles();
        return;
    }
    if (!rotatedOutline_.empty()) {
        // Turned back upright.
        rotatedOutline_.clear();
        tr->rect = tr->unrotatedRect;
    }
    const CRect t = tr->rect;
    if (!anglesInit_) InitQuarter(t);
    else Fit(t);
    startAngle_ = NormalizeAngle(startAngle_);
    endAngle_ = NormalizeAngle(endAngle_);
    if (t.right < t.left || t.bottom < t.top || startAngle_ != lastStart_ || endAngle_ != lastEnd_ ||
        wedge_ != lastWedge_)
        DiscardOutline();
    const CRect box = ComputeBox();
    tr->rect = box;
    tr->unrotatedRect = box;
    lastRect_ = box;
    lastStart_ = startAngle_;
    lastEnd_ = endAngle_;
    lastWedge_ = wedge_;
}

void CArcOb::SetWedge(bool w) {
    if ((wedge_ != 0) == w) return;
    wedge_ = w ? 1 : 0;
    Update(1, 0);
}

void CArcOb::SetStartAngle(double a) {
    if (a == startAngle_) return;
    startAngle_ = a;
    Update(1, 0);
}

void CArcOb::SetEndAngle(double a) {
    if (a == endAngle_) return;
    endAngle_ = a;
    Update(1, 0);
}

void CArcOb::SetArc(CPoint centre, int rx, int ry, double start, double end) {
    cx_ = ClampCoord(centre.x);
    cy_ = ClampCoord(centre.y);
    rx_ = ClampRadius(rx);
    ry_ = ClampRadius(ry);
    startAngle_ = start;
    endAngle_ = end;
    anglesInit_ = 1;
    // The next fit starts from the rectangle this geometry fills.
    startAngle_ = NormalizeAngle(startAngle_);
    endAngle_ = NormalizeAngle(endAngle_);
    const CRect box = ComputeBox();
    if (CObTracker* t = GetTracker()) {
        t->rect = box;
        t->unrotatedRect = box;
    }
    lastRect_ = box;
    lastStart_ = startAngle_;
    lastEnd_ = endAngle_;
    lastWedge_ = wedge_;
    DiscardOutline();
    Update(1, 0);
}

void CArcOb::ApplyViewDefaults() {
    if (!GetTracker()) EnsureTracker();
    GetTracker()->rect = CRect(0, 0, 40, 40);
    GetTracker()->unrotatedRect = CRect(0, 0, 40, 40);
    anglesInit_ = 0;
    CHyperDrawOb::ApplyViewDefaults();
    RecalcHandles();
}

// ---- hit testing and drawing ----

int CArcOb::HitTest(int x, int y) {
    if (IsRotated()) return CHyperDrawOb::HitTest(x, y);
    const int hit = CHyperOb::HitTest(x, y);
    if (hit != vx::kHitInside || IsTransparent()) return hit;
    std::vector<CPoint> pts = ArcPoints();
    const CPoint p(x - cx_, y - cy_);
    return vx::shapes::PointInPolygon(pts, p) ? hit : vx::kHitNone;
}

void CArcOb::DrawShape(CDC& dc) {
    if (IsRotated()) {
        DrawOutline(dc);
        return;
    }
    dc.SaveDC();
    dc.SelectObject(MakePen(dc));
    const bool transparent = IsTransparent();
    if (transparent) {
        dc.SelectStockObject(NULL_BRUSH);
        dc.SetBkMode(TRANSPARENT);
    } else {
        dc.SelectObject(CBrush(GetBackColor()));
        dc.SetBkColor(GetBackColor());
    }
    if (rx_ == 0 || ry_ == 0) {
        // No area: the arc is a line along its ellipse's axis, or a point.
        std::vector<CPoint> pts = ArcPoints();
        for (CPoint& p : pts) p = p + CPoint(cx_, cy_);
        const CRect bb = vx::shapes::BoundsOf(pts);
        if (bb.left == bb.right && bb.top == bb.bottom) {
            int w = 0;
            if (GetPenWidth(w) && w != 0) dc.SetPixel(bb.left, bb.top, GetForeColor());
        } else {
            dc.MoveTo(bb.left, bb.top);
            dc.LineTo(bb.right, bb.bottom);
            dc.LineTo(bb.right + (bb.left == bb.right ? 0 : 1), bb.bottom + (bb.left == bb.right ? 1 : 0));
        }
        dc.RestoreDC(-1);
        return;
    }
    const CRect box = CRect(cx_ - rx_, cy_ - ry_, cx_ + rx_, cy_ + ry_).Normalized();
    const CPoint c(cx_, cy_);
    const CPoint start = c + PointAt(startAngle_, rx_, ry_), end = c + PointAt(endAngle_, rx_, ry_);
    if (wedge_) dc.Pie(box, start, end);
    else if (transparent) dc.Arc(box, start, end);
    else dc.Chord(box, start, end);
    dc.RestoreDC(-1);
}

// ---- copying, storage, dump ----

void CArcOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperDrawOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CArcOb>(&other)) {
        wedge_ = o->wedge_;
        startAngle_ = o->startAngle_;
        endAngle_ = o->endAngle_;
        lastStart_ = o->lastStart_;
        lastEnd_ = o->lastEnd_;
        lastWedge_ = o->lastWedge_;
        anglesInit_ = o->anglesInit_;
        lastRect_ = o->lastRect_;
        rx_ = o->rx_;
        ry_ = o->ry_;
        cx_ = o->cx_;
        cy_ = o->cy_;
    }
}

void CArcOb::AttachToView(CHyperPage* view, const CRect* rect, bool applyDefaults) {
    // A turned arc's unrotated rectangle is the box of its arc, empty for a
    // flat one. The base replaces an empty one by the rectangle, which moves
    // the centre stored relative to it at the next save.
    const CRect kept = GetTracker() ? GetTracker()->unrotatedRect : CRect();
    CHyperDrawOb::AttachToView(view, rect, applyDefaults);
    if (!rect && !applyDefaults && IsRotated()) GetTracker()->unrotatedRect = kept;
}

void CArcOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    CObTracker* tr = GetTracker();
    // The centre is stored relative to the (unrotated) rectangle, so moving
    // the object moves the arc.
    const CRect& u = tr->rotateAngle != 0.0 ? tr->unrotatedRect : tr->rect;
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(foreColorField());
        ar.WriteInt32(penWidth_);
        ar.WriteInt32(penStyle_);
        ar.WriteByte(wedge_ ? 1 : 0);
        ar.WriteDouble(startAngle_);
        ar.WriteDouble(endAngle_);
        ar.WriteInt32(rx_);
        ar.WriteInt32(ry_);
        ar.WriteInt32(cx_ - u.left);
        ar.WriteInt32(cy_ - u.top);
        return;
    }
    const int version = ar.ReadVersion("CArcOb");
    SetBackColor(ar.ReadInt32());
    SetForeColor(ar.ReadInt32());
    penWidth_ = ar.ReadInt32();
    penStyle_ = ar.ReadInt32();
    if (version >= 1) {
        wedge_ = ar.ReadByte() != 0 ? 1 : 0;
        startAngle_ = NormalizeAngle(ar.ReadDouble());
        endAngle_ = NormalizeAngle(ar.ReadDouble());
        rx_ = ClampRadius(ar.ReadInt32());
        ry_ = ClampRadius(ar.ReadInt32());
        cx_ = ClampCoord(int64_t(ar.ReadInt32()) + u.left);
        cy_ = ClampCoord(int64_t(ar.ReadInt32()) + u.top);
    } else {
        // Older records: a quarter ellipse filling the rectangle.
        const int quadrant = ar.ReadInt16();
        rx_ = ClampRadius(u.Width());
        ry_ = ClampRadius(u.Height());
        wedge_ = 0;
        switch (quadrant) {
            case 1: cx_ = u.right, cy_ = u.bottom, startAngle_ = -90.0, endAngle_ = 180.0; break;
            case 2: cx_ = u.left, cy_ = u.top, startAngle_ = 90.0, endAngle_ = 0.0; break;
            case 3: cx_ = u.right, cy_ = u.top, startAngle_ = 180.0, endAngle_ = 90.0; break;
            default: cx_ = u.left, cy_ = u.bottom, startAngle_ = 0.0, endAngle_ = -90.0; break;
        }
    }
    anglesInit_ = 1;
    const CRect box = ComputeBox();
    if (tr->rotateAngle != 0.0) {
        tr->unrotatedRect = box;
    } else {
        tr->rect = box;
        tr->unrotatedRect = box;
    }
    lastRect_ = box;
    lastStart_ = startAngle_;
    lastEnd_ = endAngle_;
    lastWedge_ = wedge_;
    DiscardOutline();
}

void CArcOb::Dump(CDumpContext& dc) const {
    CHyperDrawOb::Dump(dc);
    dc.Field("Wedge", int64_t(wedge_));
    dc.Field("StartAngle", startAngle_);
    dc.Field("EndAngle", endAngle_);
    dc.Field("radiusX", int64_t(rx_));
    dc.Field("radiusY", int64_t(ry_));
    dc.Field("centreX", int64_t(cx_));
    dc.Field("centreY", int64_t(cy_));
}

// ---- property items ----

std::unique_ptr<CPropOb> CArcOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kBackColor: return std::make_unique<CPropColor>(id, backColorMember());
        case P::kIsWedge: {
            auto item = std::make_unique<CPropCombo>(id, &wedge_);
            if (withChoices) {
                item->AddChoice("0 - No", 0);
                item->AddChoice("1 - Yes", 1);
            }
            return item;
        }
        case P::kAngle1: return std::make_unique<CPropDbl>(id, &startAngle_);
        case P::kAngle2: return std::make_unique<CPropDbl>(id, &endAngle_);
        default: return CHyperDrawOb::CreateProperty(id, withChoices);
    }
}

void CArcOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperDrawOb::AddProperties(list, withChoices);
    for (int id : {P::kIsWedge, P::kAngle1, P::kAngle2}) list.Add(CreateProperty(id, withChoices));
}

// ---- automation ----

const vx::DispatchTable& CArcOb::DispatchTableOf() {
    using vx::Variant;
    using T = Variant::Type;
    static const vx::DispatchTable table(
        &CHyperDrawOb::DispatchTableOf(),
        {
            vx::DispProp<CArcOb>(
                "Wedge", 1329, T::Long, [](CArcOb& o) { return Variant(int32_t(o.wedge() ? 1 : 0)); },
                [](CArcOb& o, const Variant& v) { o.SetWedge(v.ToLong() != 0); }),
            vx::DispProp<CArcOb>(
                "StartAngle", 1330, T::Double, [](CArcOb& o) { return Variant(o.startAngle()); },
                [](CArcOb& o, const Variant& v) { o.SetStartAngle(v.ToDouble()); }),
            vx::DispProp<CArcOb>(
                "EndAngle", 1331, T::Double, [](CArcOb& o) { return Variant(o.endAngle()); },
                [](CArcOb& o, const Variant& v) { o.SetEndAngle(v.ToDouble()); }),
        });
    return table;
}

const vx::DispatchTable& CArcOb::GetDispatchTable() const { return DispatchTableOf(); }
