#include "shapes/HyperDrawOb.h"

#include <algorithm>
#include <cmath>

#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/ObTracker.h"
#include "model/PropChoice.h"
#include "model/SnapList.h"
#include "platform/DC.h"
#include "platform/IntMath.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CHyperDrawOb, CHyperOb, 0)

namespace P = vx::prop;

const std::array<CHyperDrawOb::Choice, 5> CHyperDrawOb::kPenStyleChoices = {{
    {"0 - Solid", 0}, {"1 - Dash", 1}, {"2 - Dot", 2}, {"3 - Dash-Dot", 3}, {"4 - Dash-Dot-Dot", 4}}};

const std::array<CHyperDrawOb::Choice, 7> CHyperDrawOb::kHatchChoices = {{{"0 - None", 99},
                                                                         {"1 - Horizontal (----)", 0},
                                                                         {"2 - Vertical (| | | |)", 1},
                                                                         {"3 - Diagonal (\\\\\\\\)", 2},
                                                                         {"4 - DiagRev  (////)", 3},
                                                                         {"5 - Cross (++++)", 4},
                                                                         {"6 - DiagCross (xxxx)", 5}}};

const std::array<CHyperDrawOb::Choice, 5> CHyperDrawOb::kShadowChoices = {
    {{"0 - None", 0}, {"1 - Top/Left", 1}, {"2 - Bottom/Right", 2}, {"3 - Bottom/Left", 3}, {"4 - Top/Right", 4}}};

// ---- attributes ----

bool CHyperDrawOb::GetPenWidth(int& out) const {
    out = penWidth_;
    return true;
}
bool CHyperDrawOb::GetPenStyle(int& out) const {
    out = penStyle_;
    return true;
}
bool CHyperDrawOb::GetHatchStyle(int& out) const {
    out = hatchStyle_;
    return true;
}
bool CHyperDrawOb::GetShadowStyle(int& out) const {
    out = shadowStyle_;
    return true;
}

int CHyperDrawOb::EffectivePenStyle() const {
    int s = 0;
    if (!GetPenStyle(s)) return PS_SOLID;
    return (s >= PS_SOLID && s <= PS_DASHDOTDOT) ? s : PS_SOLID;
}

int CHyperDrawOb::EffectiveHatch() const {
    int h = kNoHatch;
    if (!GetHatchStyle(h)) return kNoHatch;
    return (h >= HS_HORIZONTAL && h <= HS_DIAGCROSS) ? h : kNoHatch;
}

bool CHyperDrawOb::IsTransparent() const { return backColorField() == -1 && EffectiveHatch() == kNoHatch; }

CSize CHyperDrawOb::ShadowOffset(int style) {
    constexpr int d = kShadowDistance;
    switch (style) {
        case 0: return CSize(0, 0);
        case 1: return CSize(-d, -d);
        case 3: return CSize(-d, d);
        case 4: return CSize(d, -d);
        default: return CSize(d, d);
    }
}

int CHyperDrawOb::ZoomOf(const CDC& dc) {
    const double z = std::fabs(dc.ScaleX()) * 100.0;
    return std::isfinite(z) ? int(std::lround(std::min(z, 1e6))) : 100;
}

int CHyperDrawOb::HitTolerance() const {
    const int zoom = view_ && view_->link() ? std::max(1, view_->link()->Zoom()) : 100;
    return std::max(1, 500 / zoom);
}

CPen CHyperDrawOb::MakePen(const CDC& dc) const {
    int width = 0;
    GetPenWidth(width);
    if (width == 0) return CPen(PS_NULL, 0, 0);
    if (width == 1 && ZoomOf(dc) < 100) width = 0;
    return CPen(EffectivePenStyle(), DrawWidth(width), GetForeColor());
}

CBrush CHyperDrawOb::MakeBrush() const {
    const int hatch = EffectiveHatch();
    if (hatch == kNoHatch) return CBrush(GetBackColor());
    return CBrush(hatch, GetForeColor());
}

// ---- rotation ----

void CHyperDrawOb::RecalcHandles() {
    CObTracker* t = GetTracker();
    if (!t) return;
    if (IsRotated()) {
        UpdateOutline();
        if (!rotatedOutline_.empty()) t->rect = vx::shapes::BoundsOf(rotatedOutline_);
    } else if (!rotatedOutline_.empty()) {
        // Turned back upright: the unrotated rectangle is the rectangle.
        rotatedOutline_.clear();
        t->rect = t->unrotatedRect;
    }
}

int CHyperDrawOb::HitTest(int x, int y) {
    const int hit = CHyperOb::HitTest(x, y);
    if (hit != vx::kHitInside || !IsRotated() || rotatedOutline_.empty()) return hit;
    const CPoint p(x, y);
    if (!vx::shapes::PointInPolygon(rotatedOutline_, p)) return vx::kHitNone;
    if (!IsTransparent()) return vx::kHitInside;
    // A hollow shape is hit near its outline only.
    const int tol = std::max(HitTolerance(), 10);
    for (size_t i = 0; i + 1 < rotatedOutline_.size(); ++i)
        if (vx::shapes::DistanceToSegment(p, rotatedOutline_[i], rotatedOutline_[i + 1]) <= tol) return vx::kHitInside;
    return vx::kHitNone;
}

void CHyperDrawOb::DrawOutline(CDC& dc) {
    if (rotatedOutline_.empty()) UpdateOutline();
    if (rotatedOutline_.empty()) return;
    int width = 0;
    GetPenWidth(width);
    // Width 0: one pixel in the fill colour, so the outline merges with the
    // fill.
    const CPen pen = width == 0 ? CPen(EffectivePenStyle(), 0, GetBackColor())
                                : CPen(EffectivePenStyle(), DrawWidth(width), GetForeColor());
    dc.SaveDC();
    dc.SelectObject(pen);
    dc.SelectObject(MakeBrush());
    if (IsTransparent()) {
        dc.SetBkMode(TRANSPARENT);
        dc.Polyline(rotatedOutline_.data(), int(rotatedOutline_.size()));
    } else {
        dc.SetBkColor(GetBackColor());
        dc.Polygon(rotatedOutline_.data(), int(rotatedOutline_.size()));
    }
    dc.RestoreDC(-1);
}

CRect CHyperDrawOb::GetInvalidRect(CDC* dc) {
    CRect r = CHyperOb::GetInvalidRect(dc);
    int style = 0;
    if (GetShadowStyle(style) && style != 0) r.InflateRect(kShadowDistance, kShadowDistance);
    return r;
}

// ---- copying and defaults ----

void CHyperDrawOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CHyperDrawOb>(&other)) {
        penWidth_ = o->penWidth_;
        penStyle_ = o->penStyle_;
        hatchStyle_ = o->hatchStyle_;
        shadowStyle_ = o->shadowStyle_;
    }
}

void CHyperDrawOb::ApplyViewDefaults() {
    if (const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr; d && d->enabled) {
        penWidth_ = d->penWidth;
        penStyle_ = d->penStyle;
        hatchStyle_ = d->hatchStyle;
        shadowStyle_ = d->shadowStyle;
    }
    CHyperOb::ApplyViewDefaults();
}

// ---- property items ----

namespace {

template <size_t N>
std::unique_ptr<CPropCombo> ChoiceItem(int id, int32_t* member, const std::array<CHyperDrawOb::Choice, N>& choices,
                                       bool withChoices) {
    auto item = std::make_unique<CPropCombo>(id, member);
    if (withChoices)
        for (const auto& c : choices) item->AddChoice(c.text, c.value);
    return item;
}

}  // namespace

std::unique_ptr<CPropOb> CHyperDrawOb::CreateProperty(int id, bool withChoices) {
    int dummy = 0;
    switch (id) {
        case P::kPenWidth:
            if (!GetPenWidth(dummy)) return nullptr;
            return std::make_unique<CLinePropWidth>(id, &penWidth_, true, 0, 100);
        case P::kPenStyle: {
            if (!GetPenStyle(dummy)) return nullptr;
            auto item = std::make_unique<CLinePropStyle>(id, &penStyle_);
            if (withChoices)
                for (const auto& c : kPenStyleChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        case P::kHatchStyle:
            if (!GetHatchStyle(dummy)) return nullptr;
            return ChoiceItem(id, &hatchStyle_, kHatchChoices, withChoices);
        case P::kShadowStyle:
            if (!GetShadowStyle(dummy)) return nullptr;
            return ChoiceItem(id, &shadowStyle_, kShadowChoices, withChoices);
        default:
            return CHyperOb::CreateProperty(id, withChoices);
    }
}

void CHyperDrawOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperOb::AddProperties(list, withChoices);
    auto* width = static_cast<CLinePropWidth*>(list.Add(CreateProperty(P::kPenWidth, withChoices)));
    auto* style = static_cast<CLinePropStyle*>(list.Add(CreateProperty(P::kPenStyle, withChoices)));
    if (width && style) LinkPenItems(*width, *style);
    list.Add(CreateProperty(P::kHatchStyle, withChoices));
    list.Add(CreateProperty(P::kShadowStyle, withChoices));
}

// ---- automation ----

namespace {

using vx::DispArgs;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

vx::DispMember Attribute(const char* name, int id, bool (CHyperOb::*get)(int&) const, void (CHyperOb::*set)(int)) {
    return DispProp<CHyperDrawOb>(
        name, id, T::Long,
        [get](CHyperDrawOb& o) {
            int v = 0;
            (o.*get)(v);
            return Variant(int32_t(v));
        },
        [set](CHyperDrawOb& o, const Variant& v) {
            (o.*set)(v.ToLong());
            o.Update(1, 0);
        });
}

}  // namespace

const vx::DispatchTable& CHyperDrawOb::DispatchTableOf() {
    static const vx::DispatchTable table(
        &CHyperOb::DispatchTableOf(),
        {
            Attribute("PenStyle", -504, &CHyperOb::GetPenStyle, &CHyperOb::SetPenStyle),
            Attribute("HatchStyle", 1313, &CHyperOb::GetHatchStyle, &CHyperOb::SetHatchStyle),
            Attribute("ShadowStyle", 1314, &CHyperOb::GetShadowStyle, &CHyperOb::SetShadowStyle),
            DispMethod<CHyperDrawOb>("RunClick", 1315, T::Empty, 0, [](CHyperDrawOb&, DispArgs) { return Variant(); }),
            Attribute("PenWidth", -505, &CHyperOb::GetPenWidth, &CHyperOb::SetPenWidth),
        });
    return table;
}

const vx::DispatchTable& CHyperDrawOb::GetDispatchTable() const { return DispatchTableOf(); }

void CHyperDrawOb::Dump(CDumpContext& dc) const {
    CHyperOb::Dump(dc);
    dc.Field("PenWidth", int64_t(penWidth_));
    dc.Field("PenStyle", int64_t(penStyle_));
    dc.Field("HatchStyle", int64_t(hatchStyle_));
    dc.Field("ShadowStyle", int64_t(shadowStyle_));
}

// ---- geometry helpers ----

namespace vx::shapes {

bool PointInPolygon(const std::vector<CPoint>& pts, CPoint p) {
    if (pts.size() < 3) return false;
    // Winding number: crossings of a ray to the right, signed by direction.
    int winding = 0;
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const CPoint a = pts[i], b = pts[(i + 1) % n];
        const int64_t cross = int64_t(b.x - a.x) * (p.y - a.y) - int64_t(p.x - a.x) * (b.y - a.y);
        if (a.y <= p.y) {
            if (b.y > p.y && cross > 0) ++winding;
        } else if (b.y <= p.y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

double DistanceToSegment(CPoint p, CPoint a, CPoint b) {
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

int LineDistance(CPoint p, CPoint a, CPoint b) {
    const double ax = a.x, ay = a.y, bx = b.x, by = b.y, px = p.x, py = p.y;
    double fx, fy;
    if (a.x == b.x) {
        fx = ax;
        fy = py;
    } else if (a.y == b.y) {
        fx = px;
        fy = ay;
    } else {
        const double dx = bx - ax, dy = by - ay;
        const double s = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
        fx = ax + s * dx;
        fy = ay + s * dy;
    }
    fx = std::clamp(fx, std::min(ax, bx), std::max(ax, bx));
    fy = std::clamp(fy, std::min(ay, by), std::max(ay, by));
    return vx::TruncInt(std::hypot(px - fx, py - fy));
}

std::vector<CPoint> ReadPoints(CArchive& ar, uint16_t count, const char* what) {
    ar.CheckCount(count, 8, what);
    std::vector<CPoint> pts(count);
    for (CPoint& p : pts) {
        p.x = ar.ReadInt32();
        p.y = ar.ReadInt32();
    }
    return pts;
}

CRect BoundsOf(const std::vector<CPoint>& pts) {
    if (pts.empty()) return {};
    CRect r(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
    for (const CPoint& q : pts) {
        r.left = std::min(r.left, q.x);
        r.top = std::min(r.top, q.y);
        r.right = std::max(r.right, q.x);
        r.bottom = std::max(r.bottom, q.y);
    }
    return r;
}

}  // namespace vx::shapes

void CHyperDrawOb::SetPenMinSize() {
    if (CObTracker* t = GetTracker()) {
        const int m = int(std::clamp<int64_t>(2 * int64_t(penWidth_) + 1, 1, INT16_MAX));
        t->minSize = CSize(m, m);
    }
}

void CHyperDrawOb::ApplyBoxDefaults(CSnapList& snaps, unsigned mask) {
    if (!GetTracker()) EnsureTracker();
    GetTracker()->rect = CRect(0, 0, 80, 80);
    GetTracker()->unrotatedRect = CRect(0, 0, 80, 80);
    snaps.Rebuild(mask);
    CHyperDrawOb::ApplyViewDefaults();
    RecalcHandles();
}
