#include "shapes/BorderOb.h"

#include <algorithm>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/DC.h"
#include "shapes/RectOb.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CBorderOb, CHyperDrawOb, 0)

namespace P = vx::prop;

const std::array<CHyperDrawOb::Choice, 4> CBorderOb::kStyleChoices = {
    {{"0 - Normal", 0}, {"1 - 3D", 1}, {"2 - Sunken", 2}, {"3 - Raised", 4}}};

CBorderOb::CBorderOb() {
    snaps_.setOwner(this);
    innerMargin_ = penWidth_ + 1;
}

bool CBorderOb::GetShadowStyle(int& out) const {
    const CObTracker* t = GetTracker();
    if (t && t->rotateAngle != 0.0) return false;
    out = shadowStyle_;
    return true;
}

int CBorderOb::EffectiveStyle() const {
    // A bit set: the 3-D bit wins over sunken, sunken over raised; without
    // any of them the border is normal.
    if (borderStyle_ & kEtched) return kEtched;
    if (borderStyle_ & kSunken) return kSunken;
    if (borderStyle_ & kRaised) return kRaised;
    return kNormal;
}

int CBorderOb::GetToolStringId() const { return vx::tool::kBorder; }

void CBorderOb::RecalcHandles() {
    SetPenMinSize();
    CHyperDrawOb::RecalcHandles();
}

void CBorderOb::ApplyViewDefaults() { ApplyBoxDefaults(snaps_, kDefaultSnapMask); }

int CBorderOb::HitTest(int x, int y) {
    if (IsRotated()) return CHyperDrawOb::HitTest(x, y);
    const int hit = CHyperOb::HitTest(x, y);
    if (hit != vx::kHitInside || !IsTransparent() || groupId() >= 0) return hit;
    CRect inner = Rect().Normalized();
    const int m = std::max(innerMargin_, 10);
    inner.DeflateRect(m, m);
    return inner.PtInRect(CPoint(x, y)) ? -1 : hit;
}

// ---- drawing ----

void CBorderOb::DrawShape(CDC& dc) {
    if (IsRotated()) {
        // Neither 3-D styles nor shadows while rotated.
        if (penWidth_ != 0 && !IsHidden()) DrawOutline(dc);
        return;
    }
    CRect r = Rect().Normalized();
    const CRect u = r;
    dc.SaveDC();
    if (!IsHidden()) {
        DrawBorder(dc, r, u);
        DrawShadow(dc, u);
    }
    if (!IsTransparent() && !IsHidden()) {
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(GetBackColor());
        dc.FillRect(r, MakeBrush());
    }
    if (penWidth_ != 0 && !IsHidden() && EffectiveStyle() == kNormal) {
        int width = penWidth_;
        if (width == 1 && ZoomOf(dc) < 100) width = 0;
        dc.SelectObject(CPen(PS_SOLID, DrawWidth(width), GetForeColor()));
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(r);
    }
    dc.RestoreDC(-1);
}

void CBorderOb::DrawBorder(CDC& dc, CRect& r, const CRect& u) {
    const int style = EffectiveStyle();
    if (style == kNormal) return;
    const bool printing = dc.IsPrinting();
    const COLORREF band = GetForeColor();
    const COLORREF light = hiliteColor_ == -1 ? vx::GetSysColor(vx::SysColor::ButtonFace) : hiliteColor_;
    const int w = vx::shapes::BandCount(penWidth_, u);
    if (style == kEtched && !printing) {
        vx::shapes::DrawEtchedEdge(dc, r);
        r.DeflateRect(2, 2);
        return;
    }
    if (style == kEtched) {
        r.right -= 1;
        r.bottom -= 1;
    }
    const int n = style == kEtched ? w - 1 : w;
    for (int i = 0; i < n; ++i) {
        dc.FrameRect(r, band);
        r.DeflateRect(1, 1);
    }
    if (style == kEtched) {
        dc.FrameRect(CRect(u.left + 1, u.top + 1, u.right, u.bottom), light);
        r.DeflateRect(1, 1);
        return;
    }
    dc.SaveDC();
    dc.SelectObject(CPen(PS_SOLID, 1, light));
    CRect v = u;
    for (int i = 0; i < w; ++i) {
        if (style == kSunken) {
            dc.MoveTo(v.left + 1, v.bottom - 1);
            dc.LineTo(v.right - 1, v.bottom - 1);
            dc.LineTo(v.right - 1, v.top);
        } else {
            dc.MoveTo(v.left, v.bottom - 1);
            dc.LineTo(v.left, v.top);
            dc.LineTo(v.right, v.top);
        }
        v.DeflateRect(1, 1);
    }
    dc.RestoreDC(-1);
}

void CBorderOb::DrawShadow(CDC& dc, const CRect& r) {
    int style = 0;
    if (!GetShadowStyle(style) || style == 0) return;
    const int d = kShadowDistance;
    const int L = r.left, T = r.top, R = r.right, B = r.bottom;
    CRect a, b;
    switch (style) {
        case 1: a = CRect(L - d, T - d, R - d, T); b = CRect(L - d, T - d, L, B - d); break;
        case 3: a = CRect(L - d, B, R - d, B + d); b = CRect(L - d, T + d, L, B + d); break;
        case 4: a = CRect(L + d, T - d, R + d, T); b = CRect(R, T - d, R + d, B - d); break;
        default: a = CRect(L + d, B, R + d, B + d); b = CRect(R, T + d, R + d, B + d); break;
    }
    const COLORREF c = vx::GetSysColor(vx::SysColor::ButtonShadow);
    dc.FillSolidRect(a.Normalized(), c);
    dc.FillSolidRect(b.Normalized(), c);
}

// ---- copying, storage, dump ----

void CBorderOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperDrawOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CBorderOb>(&other)) {
        hiliteColor_ = o->hiliteColor_;
        borderStyle_ = o->borderStyle_;
        innerMargin_ = o->innerMargin_;
    }
}

void CBorderOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(foreColorField());
        ar.WriteInt32(penWidth_);
        ar.WriteInt32(penStyle_);
        ar.WriteWordChecked(hatchStyle_, "a border's hatch style");
        ar.WriteWordChecked(shadowStyle_, "a border's shadow style");
        ar.WriteInt32(borderStyle_);
        ar.WriteInt32(hiliteColor_);
        return;
    }
    // Records before version 1 hold no border fields; the stream stays
    // where their tag would begin.
    if (ar.PeekVersion("CBorderOb") < 1) return;
    ar.ReadVersion("CBorderOb");
    SetBackColor(ar.ReadInt32());
    SetForeColor(ar.ReadInt32());
    penWidth_ = ar.ReadInt32();
    penStyle_ = ar.ReadInt32();
    hatchStyle_ = ar.ReadWord();
    shadowStyle_ = ar.ReadWord();
    borderStyle_ = ar.ReadInt32();
    hiliteColor_ = ar.ReadInt32();
}

void CBorderOb::Dump(CDumpContext& dc) const {
    CHyperDrawOb::Dump(dc);
    dc.Field("HiliteColor", int64_t(hiliteColor_));
    dc.Field("BorderStyle", int64_t(borderStyle_));
}

// ---- property items ----

std::unique_ptr<CPropOb> CBorderOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kHiliteColor: {
            auto item = std::make_unique<CPropCustColor>(id, &hiliteColor_, CPropOb::kDialogButton);
            item->dialogTitle = P::kTitleColor;
            item->applyOnChoice = 1;
            return item;
        }
        case P::kShapeBorderStyle: {
            auto item = std::make_unique<CPropCombo>(id, &borderStyle_);
            if (withChoices)
                for (const auto& c : kStyleChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        default: return CHyperDrawOb::CreateProperty(id, withChoices);
    }
}

void CBorderOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperDrawOb::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kHiliteColor, withChoices));
    list.Add(CreateProperty(P::kShapeBorderStyle, withChoices));
}

// ---- automation ----

const vx::DispatchTable& CBorderOb::DispatchTableOf() {
    using vx::Variant;
    static const vx::DispatchTable table(
        &CHyperDrawOb::DispatchTableOf(),
        {
            vx::DispProp<CBorderOb>(
                "HiliteColor", 1320, Variant::Type::Long, [](CBorderOb& o) { return Variant(o.hiliteColor()); },
                [](CBorderOb& o, const Variant& v) {
                    o.setHiliteColor(v.ToLong());
                    o.Update(1, 0);
                }),
            vx::DispProp<CBorderOb>(
                "BorderStyle", -504, Variant::Type::Long, [](CBorderOb& o) { return Variant(o.borderStyle()); },
                [](CBorderOb& o, const Variant& v) {
                    o.setBorderStyle(v.ToLong());
                    o.Update(1, 0);
                }),
        });
    return table;
}

const vx::DispatchTable& CBorderOb::GetDispatchTable() const { return DispatchTableOf(); }
