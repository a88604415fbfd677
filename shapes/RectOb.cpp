#include "shapes/RectOb.h"

#include <algorithm>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/DC.h"
#include "shapes/HyperDrawOb.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CRectOb, CHyperOb, 0)

namespace P = vx::prop;

const std::array<CRectOb::Choice, 4> CRectOb::kStyleChoices = {
    {{"0 - Normal", 0}, {"1 - 3D", 1}, {"2 - Sunken", 2}, {"3 - Raised", 3}}};
const std::array<CRectOb::Choice, 3> CRectOb::kAlignChoices = {{{"0 - Left", 0}, {"1 - Center", 6}, {"2 - Right", 2}}};

namespace vx::shapes {

void DrawEtchedEdge(CDC& dc, const CRect& rIn) {
    const CRect r = rIn.Normalized();
    if (r.Width() < 2 || r.Height() < 2) return;
    const COLORREF shadow = vx::GetSysColor(vx::SysColor::ButtonShadow);
    const COLORREF light = vx::GetSysColor(vx::SysColor::ButtonHighlight);
    auto edge = [&dc](const CRect& e, COLORREF topLeft, COLORREF bottomRight) {
        dc.FillSolidRect(CRect(e.left, e.top, e.right - 1, e.top + 1), topLeft);
        dc.FillSolidRect(CRect(e.left, e.top, e.left + 1, e.bottom - 1), topLeft);
        dc.FillSolidRect(CRect(e.left, e.bottom - 1, e.right, e.bottom), bottomRight);
        dc.FillSolidRect(CRect(e.right - 1, e.top, e.right, e.bottom), bottomRight);
    };
    edge(r, shadow, light);
    CRect inner = r;
    inner.DeflateRect(1, 1);
    if (inner.Width() >= 2 && inner.Height() >= 2) edge(inner, light, shadow);
}

int BandCount(int count, const CRect& r) {
    const int most = std::max(std::abs(r.Width()), std::abs(r.Height())) / 2 + 1;
    return std::clamp(count, 0, most);
}

}  // namespace vx::shapes

CRectOb::CRectOb() = default;

int CRectOb::EffectiveStyle() const { return (borderStyle_ >= kNormal && borderStyle_ <= kRaised) ? borderStyle_ : kEtched; }

int CRectOb::EffectiveAlignment() const {
    return (alignment_ == kLeft || alignment_ == kCentre || alignment_ == kRight) ? alignment_ : kLeft;
}

int CRectOb::GetEditStyle() const {
    switch (EffectiveAlignment()) {
        case kCentre: return 1;
        case kRight: return 2;
        default: return 0;
    }
}

int CRectOb::GetToolStringId() const { return vx::tool::kFrame; }

void CRectOb::RecalcHandles() {
    if (CObTracker* t = GetTracker()) {
        const int m = int(std::clamp<int64_t>(2 * int64_t(borderWidth_) + 1, 1, INT16_MAX));
        t->minSize = CSize(m, m);
    }
}

void CRectOb::ApplyViewDefaults() {
    if (!GetTracker()) EnsureTracker();
    GetTracker()->rect = CRect(0, 0, 100, 50);
    GetTracker()->unrotatedRect = CRect(0, 0, 100, 50);
    CHyperOb::ApplyViewDefaults();
    RecalcHandles();
}

int CRectOb::HitTest(int x, int y) {
    const int hit = CHyperOb::HitTest(x, y);
    if (hit != vx::kHitInside || !IsTransparent()) return hit;
    CRect inner = Rect().Normalized();
    const int m = std::max(captionHeight_, 10);
    inner.DeflateRect(m, m);
    return inner.PtInRect(CPoint(x, y)) ? -1 : hit;
}

// ---- drawing ----

void CRectOb::DrawShape(CDC& dc) {
    const CRect r = Rect().Normalized();
    const COLORREF fill = GetBackColor();
    dc.SaveDC();
    if (!IsTransparent()) dc.FillSolidRect(r, fill);
    captionHeight_ = borderWidth_ + 1;
    int tw = 0, th = 0;
    if (!text_.empty()) {
        dc.SelectObject(CFont(GetLogFont(true)));
        const CSize ext = dc.GetTextExtent(text_);
        tw = ext.cx;
        th = ext.cy;
        captionHeight_ = th;
    }
    CRect b = r;
    b.top += th * 3 / 8;
    const CRect u = b;
    DrawBorder(dc, b, u);
    if (!text_.empty()) {
        const int left = r.left + 7, right = r.right - 7;
        const int align = EffectiveAlignment();
        int x0 = left;
        if (align == kRight) x0 = right - tw - 4;
        else if (align == kCentre) x0 = left + ((right - left) - tw) / 2 - 2;
        CRect caption(x0 + 2, r.top - 2, x0 + tw + 4, r.top + th - 2);
        CRect clipped;
        if (clipped.IntersectRect(caption, CRect(left + 2, r.top - 2, right, r.top - 2 + th))) {
            setTextRect(0, clipped);
            // Erases the border line behind the text, also on a transparent
            // frame.
            dc.FillSolidRect(clipped, fill);
            dc.SetTextColor(GetForeColor());
            dc.SetBkMode(TRANSPARENT);
            const unsigned fmt = (align == kRight ? DT_RIGHT : align == kCentre ? DT_CENTER : DT_LEFT) | DT_SINGLELINE |
                                 DT_NOPREFIX | DT_NOCLIP;
            dc.DrawText(text_, clipped, fmt);
        }
    }
    dc.RestoreDC(-1);
}

void CRectOb::DrawBorder(CDC& dc, CRect& b, const CRect& u) {
    const int style = EffectiveStyle();
    const bool printing = dc.IsPrinting();
    const COLORREF band = borderColor_ == -1 ? vx::GetSysColor(vx::SysColor::ButtonShadow) : borderColor_;
    const COLORREF light = hiliteColor_ == -1 ? vx::GetSysColor(vx::SysColor::ButtonHighlight) : hiliteColor_;
    const COLORREF fill = GetBackColor();
    const int w = vx::shapes::BandCount(borderWidth_, u);
    if (style == kEtched && !printing) {
        vx::shapes::DrawEtchedEdge(dc, b);
        b.DeflateRect(2, 2);
        return;
    }
    if (style == kEtched) {
        b.right -= 1;
        b.bottom -= 1;
    }
    if (style != kNormal) {
        const int n = style == kEtched ? w - 1 : w;
        for (int i = 0; i < n; ++i) {
            dc.FrameRect(b, band);
            b.DeflateRect(1, 1);
        }
    }
    dc.SaveDC();
    if (style == kNormal) {
        int width = borderWidth_;
        if (width == 1 && CHyperDrawOb::ZoomOf(dc) < 100) width = 0;
        dc.SelectObject(CPen(PS_SOLID, std::clamp(width, 0, 4096), band));
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(b);
    } else if (style == kEtched) {
        dc.FrameRect(CRect(u.left + 1, u.top + 1, u.right, u.bottom), light);
    } else if (style == kSunken) {
        dc.SelectObject(CPen(PS_SOLID, 1, light));
        for (int j = 0; j < w; ++j) {
            dc.MoveTo(u.left + j + 1, u.bottom - j - 1);
            dc.LineTo(u.right - j - 1, u.bottom - j - 1);
            dc.LineTo(u.right - j - 1, u.top + j);
        }
        if (w > 1) {
            const int j = w - 1;
            dc.SelectObject(CPen(PS_SOLID, 1, vx::RGB(0, 0, 0)));
            dc.MoveTo(u.left + j, u.bottom - j - 2);
            dc.LineTo(u.left + j, u.top + j);
            dc.LineTo(u.right - j - 1, u.top + j);
            dc.SelectObject(CPen(PS_SOLID, 1, fill));
            dc.MoveTo(u.left + j + 1, u.bottom - j - 1);
            dc.LineTo(u.right - j - 1, u.bottom - j - 1);
            dc.LineTo(u.right - j - 1, u.top + j);
        }
    } else {
        dc.SelectObject(CPen(PS_SOLID, 1, light));
        for (int k = 0; k < w; ++k) {
            dc.MoveTo(u.left + k, u.bottom - k - 2);
            dc.LineTo(u.left + k, u.top + k);
            dc.LineTo(u.right - k - 1, u.top + k);
        }
        if (w > 1) {
            const int k = w - 1;
            dc.SelectObject(CPen(PS_SOLID, 1, vx::RGB(0, 0, 0)));
            dc.MoveTo(u.left, u.bottom - 1);
            dc.LineTo(u.right - 1, u.bottom - 1);
            dc.LineTo(u.right - 1, u.top - 1);
            dc.SelectObject(CPen(PS_SOLID, 1, fill));
            dc.MoveTo(u.left + k, u.bottom - k - 2);
            dc.LineTo(u.left + k, u.top + k);
            dc.LineTo(u.right - k - 1, u.top + k);
        }
    }
    dc.RestoreDC(-1);
}

// ---- copying, storage, dump ----

void CRectOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CRectOb>(&other)) {
        borderColor_ = o->borderColor_;
        borderWidth_ = o->borderWidth_;
        hiliteColor_ = o->hiliteColor_;
        borderStyle_ = o->borderStyle_;
        text_ = o->text_;
        alignment_ = o->alignment_;
        captionHeight_ = o->captionHeight_;
    }
}

void CRectOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(borderColor_);
        ar.WriteInt32(borderWidth_);
        ar.WriteInt32(borderStyle_);
        ar.WriteString(text_);
        ar.WriteInt32(alignment_);
        ar.WriteInt32(foreColorField());
        font().Serialize(ar);
        ar.WriteInt32(hiliteColor_);
        return;
    }
    const int version = ar.ReadVersion("CRectOb");
    SetBackColor(ar.ReadInt32());
    borderColor_ = ar.ReadInt32();
    borderWidth_ = ar.ReadInt32();
    borderStyle_ = ar.ReadInt32();
    text_ = ar.ReadString();
    alignment_ = ar.ReadInt32();
    SetForeColor(ar.ReadInt32());
    font().Serialize(ar);
    if (version >= 0 || ar.ReadMarker(CArchive::kMarker2)) hiliteColor_ = ar.ReadInt32();
}

void CRectOb::Dump(CDumpContext& dc) const {
    CHyperOb::Dump(dc);
    dc.Field("BorderColor", int64_t(borderColor_));
    dc.Field("BorderWidth", int64_t(borderWidth_));
    dc.Field("HiliteColor", int64_t(hiliteColor_));
    dc.Field("BorderStyle", int64_t(borderStyle_));
    dc.Field("Text", text_);
    dc.Field("Alignment", int64_t(alignment_));
}

// ---- property items ----

namespace {

std::unique_ptr<CPropOb> ColourItem(int id, COLORREF* member) {
    auto item = std::make_unique<CPropCustColor>(id, member, CPropOb::kDialogButton);
    item->dialogTitle = P::kTitleColor;
    item->applyOnChoice = 1;
    return item;
}

template <size_t N>
std::unique_ptr<CPropOb> Choices(int id, int32_t* member, const std::array<CRectOb::Choice, N>& list, bool with) {
    auto item = std::make_unique<CPropCombo>(id, member);
    if (with)
        for (const auto& c : list) item->AddChoice(c.text, c.value);
    return item;
}

}  // namespace

std::unique_ptr<CPropOb> CRectOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kBorderColor: return ColourItem(id, &borderColor_);
        case P::kHiliteColor: return ColourItem(id, &hiliteColor_);
        case P::kShapeBorderStyle: return Choices(id, &borderStyle_, kStyleChoices, withChoices);
        case P::kBorderWidth: {
            const int most = std::max(0, (Rect().Normalized().Width() - 1) / 2);
            return std::make_unique<CPropInt>(id, &borderWidth_, true, 0, most);
        }
        case P::kText: return std::make_unique<CPropStr>(id, &text_, kMaxText);
        case P::kAlignment: return Choices(id, &alignment_, kAlignChoices, withChoices);
        default: return CHyperOb::CreateProperty(id, withChoices);
    }
}

void CRectOb::AddProperties(CPropList& list, bool withChoices) {
    CHyperOb::AddProperties(list, withChoices);
    for (int id : {P::kBorderColor, P::kHiliteColor, P::kShapeBorderStyle, P::kBorderWidth, P::kText, P::kAlignment})
        list.Add(CreateProperty(id, withChoices));
}

// ---- automation ----

namespace {

using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

template <class G, class S>
vx::DispMember Long(const char* name, int id, G get, S set) {
    return DispProp<CRectOb>(
        name, id, T::Long, [get](CRectOb& o) { return Variant(int32_t(get(o))); },
        [set](CRectOb& o, const Variant& v) {
            set(o, v.ToLong());
            o.Update(1, 0);
        });
}

vx::DispMember TextMember(const char* name, int id) {
    return DispProp<CRectOb>(
        name, id, T::String, [](CRectOb& o) { return Variant(o.text()); },
        [](CRectOb& o, const Variant& v) {
            o.SetText(v.ToString());
            o.Update(1, 0);
        });
}

}  // namespace

const vx::DispatchTable& CRectOb::DispatchTableOf() {
    static const vx::DispatchTable table(
        &CHyperOb::DispatchTableOf(),
        {
            Long("HiliteColor", 1329, [](CRectOb& o) { return o.hiliteColor(); },
                 [](CRectOb& o, int32_t v) { o.setHiliteColor(v); }),
            Long("BorderStyle", -504, [](CRectOb& o) { return o.borderStyle(); },
                 [](CRectOb& o, int32_t v) { o.setBorderStyle(v); }),
            TextMember("Text", 1331),
            // The caption colour, which scripts know as the border colour.
            Long("BorderColor", 1332, [](CRectOb& o) { return o.foreColorField(); },
                 [](CRectOb& o, int32_t v) { o.SetForeColor(v); }),
            Long("Alignment", 1333, [](CRectOb& o) { return o.alignment(); },
                 [](CRectOb& o, int32_t v) { o.setAlignment(v); }),
            Long("BorderWidth", 1335, [](CRectOb& o) { return o.borderWidth(); },
                 [](CRectOb& o, int32_t v) { o.setBorderWidth(v); }),
            // Text is the object's value.
            TextMember("Text", vx::DISPID_VALUE),
        });
    return table;
}

const vx::DispatchTable& CRectOb::GetDispatchTable() const { return DispatchTableOf(); }
