#include "shapes/1DOb.h"

#include <algorithm>
#include <cmath>

#include "model/Connection.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "platform/DC.h"
#include "platform/IntMath.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(C1DOb, CHyperDrawOb, 0)

namespace P = vx::prop;

const std::array<CHyperDrawOb::Choice, 4> C1DOb::kArrowheadChoices = {
    {{"0 - { ----- } None", 0}, {"1 - { ----> }", 1}, {"2 - { <---- }", 2}, {"3 - { <---> } Both", 3}}};

const std::array<CHyperDrawOb::Choice, 3> C1DOb::kArrowheadStyleChoices = {{{"Fill", 0}, {"Outline", 1}, {"Open", 2}}};

COLORREF C1DOb::GetForeColor() const {
    if (foreColorField() != -1) return foreColorField();
    if (attachColour_ != -1) return attachColour_;
    return vx::GetSysColor(vx::SysColor::ButtonText);
}

int C1DOb::EffectiveArrowhead() const { return (arrowhead_ >= 0 && arrowhead_ <= 3) ? arrowhead_ : 0; }

int C1DOb::EffectiveArrowheadStyle() const {
    return (arrowheadStyle_ >= kArrowFill && arrowheadStyle_ <= kArrowOpen) ? arrowheadStyle_ : kArrowFill;
}

void C1DOb::RefreshAttachColour() {
    CConnection* c = GetConnection();
    attachColour_ = c ? c->AttachedColour() : -1;
}

void C1DOb::ArrowheadCorners(CPoint tail, CPoint tip, int height, CPoint& c1, CPoint& c2) {
    const double px = tip.x, py = tip.y;
    const double len = std::hypot(px - tail.x, py - tail.y);
    double u = 0.0, v = 0.0;
    if (height != -1 && len == 0.0) {
        // No direction: the head points along +x.
        v = std::abs(double(height));
    } else {
        const double g = height == -1 ? 0.2 : double(height) / len;
        const double qx = (1 - g) * px + g * tail.x, qy = (1 - g) * py + g * tail.y;
        const double dx = px - qx, dy = py - qy;
        u = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx);
        v = std::hypot(dx, dy);
    }
    // 2.618 radians is 150 degrees: an equilateral head of side v.
    c1 = CPoint(vx::TruncInt(px + v * std::cos(u - 2.618)), vx::TruncInt(py + v * std::sin(u - 2.618)));
    c2 = CPoint(vx::TruncInt(px + v * std::cos(u + 2.618)), vx::TruncInt(py + v * std::sin(u + 2.618)));
}

void C1DOb::DrawArrowhead(CDC& dc, CPoint tail, CPoint tip, int height, int style) {
    CPoint c1, c2;
    ArrowheadCorners(tail, tip, height, c1, c2);
    const LOGPEN cur = dc.GetCurrentPen().logPen();
    const CPen solid(cur.lopnStyle == PS_NULL ? PS_NULL : PS_SOLID, cur.lopnWidth.x, cur.lopnColor);
    const CPen old = dc.SelectObject(solid);
    if (style == kArrowOpen) {
        dc.MoveTo(tip);
        dc.LineTo(c1);
        dc.MoveTo(tip);
        dc.LineTo(c2);
    } else {
        const CPoint pts[4] = {tip, c1, c2, tip};
        dc.Polygon(pts, 4);
    }
    dc.SelectObject(old);
}

CRect C1DOb::GetInvalidRect(CDC* dc) {
    CRect r = CHyperDrawOb::GetInvalidRect(dc);
    if (arrowhead_ == 0) return r;
    int64_t grow = arrowheadHeight_;
    if (arrowheadHeight_ == -1) {
        // A head a fifth of the line's length.
        const CRect& rect = Rect();
        grow = int64_t(std::hypot(double(rect.Width()), double(rect.Height())) / 5) + 1;
    }
    const CObTracker* t = GetTracker();
    if (t && t->style != 0) grow -= 8;
    grow = std::clamp<int64_t>(grow, 1, INT16_MAX);
    r.InflateRect(int32_t(grow), int32_t(grow));
    return r;
}

void C1DOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperDrawOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<C1DOb>(&other)) {
        arrowhead_ = o->arrowhead_;
        arrowheadHeight_ = o->arrowheadHeight_;
        attachColour_ = o->attachColour_;
        arrowheadStyle_ = o->arrowheadStyle_;
    }
}

void C1DOb::ApplyViewDefaults() {
    if (const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr; d && d->enabled)
        arrowhead_ = d->arrowhead;
    CHyperDrawOb::ApplyViewDefaults();
}

std::unique_ptr<CPropOb> C1DOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kArrowhead: {
            auto item = std::make_unique<CPropCombo>(id, &arrowhead_);
            if (withChoices)
                for (const auto& c : kArrowheadChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        case P::kArrowheadHeight:
            return std::make_unique<CPropInt>(id, &arrowheadHeight_, true, 2, 32);
        case P::kArrowheadStyle: {
            auto item = std::make_unique<CPropCombo>(id, &arrowheadStyle_);
            if (withChoices)
                for (const auto& c : kArrowheadStyleChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        default:
            return CHyperDrawOb::CreateProperty(id, withChoices);
    }
}

void C1DOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperDrawOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kArrowhead, withChoices));
    list.Add(CreateProperty(P::kArrowheadHeight, withChoices));
    list.Add(CreateProperty(P::kArrowheadStyle, withChoices));
}

namespace {

using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

vx::DispMember Field(const char* name, int id, int32_t (C1DOb::*get)() const, void (C1DOb::*set)(int32_t)) {
    return DispProp<C1DOb>(
        name, id, T::Long, [get](C1DOb& o) { return Variant((o.*get)()); },
        [set](C1DOb& o, const Variant& v) {
            (o.*set)(v.ToLong());
            o.Update(1, 0);
        });
}

}  // namespace

const vx::DispatchTable& C1DOb::DispatchTableOf() {
    static const vx::DispatchTable table(&CHyperDrawOb::DispatchTableOf(),
                                         {
                                             Field("Arrowhead", 1329, &C1DOb::arrowhead, &C1DOb::setArrowhead),
                                             Field("ArrowheadHeight", 1330, &C1DOb::arrowheadHeight,
                                                   &C1DOb::setArrowheadHeight),
                                         });
    return table;
}

const vx::DispatchTable& C1DOb::GetDispatchTable() const { return DispatchTableOf(); }

void C1DOb::Dump(CDumpContext& dc) const {
    CHyperDrawOb::Dump(dc);
    dc.Field("Arrowhead", int64_t(arrowhead_));
    dc.Field("ArrowheadHeight", int64_t(arrowheadHeight_));
    dc.Field("AttachColour", int64_t(attachColour_));
    dc.Field("ArrowheadStyle", int64_t(arrowheadStyle_));
}
