#include "uml/PointModelOb.h"

#include <algorithm>
#include <optional>

#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "model/PropItems.h"
#include "model/ViewLink.h"
#include "platform/DC.h"
#include "shapes/HyperDrawOb.h"
#include "shapes/ShapePropIds.h"
#include "shapes/SnapPointAuto.h"

VX_IMPLEMENT_ABSTRACT(CPointModelOb, CHyperOb)

namespace P = vx::prop;

const CPointModelOb::Choice CPointModelOb::kAlignChoices[3] = {
    {"0 - Left", kLeft}, {"1 - Center", kCentre}, {"2 - Right", kRight}};

namespace {

// Floor of half a sum, so that moving both ends moves the half exactly.
int64_t FloorHalf(int64_t a, int64_t b) {
    const int64_t s = a + b;
    return s >= 0 ? s / 2 : -((1 - s) / 2);
}

// One axis of FitPoints: from [b0, b1] onto [r0, r1].
class CAxisFit {
public:
    CAxisFit(int32_t b0, int32_t b1, int32_t r0, int32_t r1) : b0_(b0), r0_(r0), w_(int64_t(b1) - b0), target_(int64_t(r1) - r0) {
        if (w_ != 0 && target_ != 0) return;
        shift_ = FloorHalf(r0, r1) - FloorHalf(b0, b1);
        // A move that would push points out of the 32-bit range (stored
        // points may lie anywhere) puts them all on the target's centre;
        // cutting them off at the range would move them again next time.
        if (int64_t(b0) + shift_ < INT32_MIN || int64_t(b1) + shift_ > INT32_MAX) flatTo_ = FloorHalf(r0, r1);
        moves_ = true;
    }
    int32_t operator()(int32_t v) const {
        if (flatTo_) return int32_t(*flatTo_);
        if (moves_) return int32_t(v + shift_);
        // Nearest unit; the box's edges land exactly on the target's edges,
        // so fitting again to the same rectangle changes nothing.
        return vx::Saturate32(r0_ + ((int64_t(v) - b0_) * target_ + w_ / 2) / w_);
    }

private:
    int64_t b0_, r0_, w_, target_;
    int64_t shift_ = 0;
    bool moves_ = false;
    std::optional<int64_t> flatTo_;
};

// Winding-rule containment in 64-bit arithmetic (stored points may lie
// anywhere in the 32-bit range).
bool InPolygon(const std::vector<CPoint>& pts, CPoint p) {
    if (pts.size() < 3) return false;
    int winding = 0;
    const size_t n = pts.size();
    for (size_t i = 0; i < n; ++i) {
        const CPoint a = pts[i], b = pts[(i + 1) % n];
        const int64_t cross = (int64_t(b.x) - a.x) * (int64_t(p.y) - a.y) - (int64_t(p.x) - a.x) * (int64_t(b.y) - a.y);
        if (a.y <= p.y) {
            if (b.y > p.y && cross > 0) ++winding;
        } else if (b.y <= p.y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

}  // namespace

CPointModelOb::CPointModelOb() {
    snaps_.setOwner(this);
    SetBackColor(vx::RGB(255, 255, 255));
}

// ---- the point model ----

bool CPointModelOb::SetNumberOfPoints(long count) {
    if (count < 0 || count > kMaxPoints) return false;
    pointsComplete_ = false;
    if (size_t(count) != points_.size()) {
        points_.resize(size_t(count), CPoint(0, 0));
        OnPointCountChanged();
    }
    return true;
}

bool CPointModelOb::SetPoint(long index, int32_t x, int32_t y) {
    if (index < 0 || size_t(index) >= points_.size()) return false;
    points_[size_t(index)] = CPoint(x, y);
    if (size_t(index) + 1 == points_.size()) {
        pointsComplete_ = true;
        Update(1, 0);
    }
    return true;
}

void CPointModelOb::SetPoints(std::vector<CPoint> pts) {
    points_ = std::move(pts);
    pointsComplete_ = true;
}

CRect CPointModelOb::PointBounds() const { return vx::shapes::BoundsOf(points_); }

CRect CPointModelOb::BoxOf(size_t a, size_t b) const {
    if (a >= points_.size() || b >= points_.size()) return {};
    return CRect(points_[a].x, points_[a].y, points_[b].x, points_[b].y).Normalized();
}

void CPointModelOb::FitPoints(std::vector<CPoint>& pts, const CRect& from, const CRect& to) {
    const CAxisFit fx(from.left, from.right, to.left, to.right);
    const CAxisFit fy(from.top, from.bottom, to.top, to.bottom);
    for (CPoint& p : pts) {
        p.x = fx(p.x);
        p.y = fy(p.y);
    }
}

void CPointModelOb::RecalcHandles() {
    // A figure a script is still building keeps its points as set.
    if (points_.empty() || !pointsComplete_) return;
    // An inside-out rectangle fits like its normalised self: fitting to the
    // signed sizes would mirror the figure at every update.
    const CRect r = Rect().Normalized();
    const CRect b = PointBounds();
    if (r == b) return;
    FitPoints(points_, b, r);
    OnPointsFitted(b, r);
}

void CPointModelOb::ApplyViewDefaults() {
    if (const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr; d && d->enabled) {
        penWidth_ = d->penWidth;
        penStyle_ = d->penStyle;
    }
    const std::span<const CPoint> model = DefaultPoints();
    SetPoints(std::vector<CPoint>(model.begin(), model.end()));
    if (!GetTracker()) EnsureTracker();
    GetTracker()->rect = PointBounds();
    GetTracker()->unrotatedRect = GetTracker()->rect;
    snaps_.Rebuild(kDefaultSnapMask);
    CHyperOb::ApplyViewDefaults();
}

// ---- hit testing, repaint area ----

int CPointModelOb::HitTest(int x, int y) {
    const int hit = CHyperOb::HitTest(x, y);
    if (groupId() >= 0 || (hit >= 0 && hit < vx::kHitInside) || IsRotated()) return hit;
    // Without a figure the rectangle counts, so the element can still be
    // selected and deleted.
    if (points_.size() < 3 || !pointsComplete_) return hit;
    return InPolygon(points_, CPoint(x, y)) ? vx::kHitInside : vx::kHitNone;
}

CRect CPointModelOb::GetInvalidRect(CDC* dc) {
    CRect r = CHyperOb::GetInvalidRect(dc);
    if (!points_.empty()) {
        CRect b = PointBounds();
        b.right = vx::AddSat(b.right, 1);
        b.bottom = vx::AddSat(b.bottom, 1);
        r.UnionRect(r, b);
    }
    return r;
}

int CPointModelOb::EffectiveAlignment() const {
    return (alignment_ == kLeft || alignment_ == kRight) ? alignment_ : kCentre;
}

int CPointModelOb::GetEditStyle() const {
    switch (alignment_) {
        case kLeft: return kEditLeft;
        case kRight: return kEditRight;
        default: return kEditCentre;
    }
}

COLORREF CPointModelOb::GetTextColor() const {
    if (textColor_ != -1) return textColor_;
    const COLORREF back = GetBackColor();
    const int sum = int(back & 0xFF) + int((back >> 8) & 0xFF) + int((back >> 16) & 0xFF);
    return sum < 383 ? vx::RGB(255, 255, 255) : vx::RGB(0, 0, 0);
}

// ---- drawing ----

void CPointModelOb::WithFigurePen(CDC& dc, const std::function<void()>& figure) {
    const int style = (penStyle_ >= PS_SOLID && penStyle_ <= PS_DASHDOTDOT) ? penStyle_ : PS_SOLID;
    const CPen oldPen = dc.SelectObject(CPen(style, std::clamp(penWidth_, 0, 4096), GetForeColor()));
    if (CanFill() && !IsTransparent()) {
        const COLORREF fill = GetBackColor();
        const CBrush oldBrush = dc.SelectObject(CBrush(fill));
        const COLORREF oldBk = dc.SetBkColor(fill);
        figure();
        dc.SetBkColor(oldBk);
        dc.SelectObject(oldBrush);
    } else {
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        figure();
        dc.SetBkMode(oldMode);
    }
    dc.SelectObject(oldPen);
}

void CPointModelOb::DrawShape(CDC& dc) {
    if (!pointsComplete_ || points_.empty()) return;
    WithFigurePen(dc, [&] { DrawFigure(dc); });
    DrawTexts(dc);
}

void CPointModelOb::DrawPolyline(CDC& dc, size_t a, size_t b) {
    if (b >= points_.size() || a > b) return;
    dc.Polyline(points_.data() + a, int(b - a + 1));
}

void CPointModelOb::DrawLine(CDC& dc, size_t a, size_t b) {
    if (a >= points_.size() || b >= points_.size()) return;
    dc.MoveTo(points_[a]);
    dc.LineTo(points_[b]);
}

CRect CPointModelOb::DrawTextBox(CDC& dc, const std::string& text, const CRect& box) {
    if (text.empty()) return CRect(box.left, box.top, box.right, box.top);
    setTextRect(0, box);
    const LOGFONT lf = GetLogFont(true);
    const CFont oldFont = dc.SelectObject(CFont(lf));
    const COLORREF oldColour = dc.SetTextColor(GetTextColor());
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    CRect block = box;
    const int align = EffectiveAlignment();
    if (lf.lfEscapement == 0) {
        const unsigned fmt = DT_WORDBREAK | DT_NOPREFIX | (align == kRight ? DT_RIGHT : align == kCentre ? DT_CENTER : DT_LEFT);
        CRect measured = box;
        dc.DrawText(text, measured, fmt | DT_CALCRECT);
        if (!block.IntersectRect(measured, box)) block = CRect(box.left, box.top, box.left, box.top);
        const int w = block.Width(), bh = block.Height();
        int x0 = box.left + 1;
        if (align == kCentre) x0 = box.left + box.Width() / 2 + 1 - w / 2;
        else if (align == kRight) x0 = box.right - w;
        const int top = box.top + (box.Height() - bh) / 2;
        block = CRect(x0, top, x0 + w, top + bh);
        if (!block.IsRectEmpty()) dc.DrawText(text, block, fmt);
    } else {
        dc.SaveDC();
        dc.IntersectClipRect(box);
        int x = box.left, y = box.top;
        const CSize extent = dc.GetTextExtent(text);
        const int length = extent.cx, h = extent.cy;
        // Along the text direction a centred or right-aligned text starts so
        // that it ends up centred or at the far edge of the box.
        auto along = [&](int span) {
            if (align == kCentre) return (span - length) / 2;
            if (align == kRight) return span - length - 1;
            return 0;
        };
        if (lf.lfEscapement == 900) {
            x = box.left + (box.Width() - h) / 2 + 1;
            y = box.bottom + 1 - along(box.Height());
        } else if (lf.lfEscapement == -900) {
            x = box.left + (box.Width() + h) / 2 + 1;
            y = box.top + 2 + along(box.Height());
        }
        dc.TextOut(x, y, text);
        dc.RestoreDC(-1);
    }
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectObject(oldFont);
    return block;
}

// ---- copying, storage, dump ----

void CPointModelOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CHyperOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CPointModelOb>(&other)) {
        penWidth_ = o->penWidth_;
        penStyle_ = o->penStyle_;
        text_ = o->text_;
        textColor_ = o->textColor_;
        alignment_ = o->alignment_;
        textMargin_ = o->textMargin_;
        points_ = o->points_;
        pointsComplete_ = o->pointsComplete_;
    }
}

void CPointModelOb::SerializeTexts(CArchive& ar) {
    if (ar.IsStoring()) ar.WriteString(text_);
    else text_ = ar.ReadString();
}

void CPointModelOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(foreColorField());
        int style = 0, width = 0;
        GetPenStyle(style);
        GetPenWidth(width);
        ar.WriteInt32(style);
        ar.WriteInt32(width);
        SerializeTexts(ar);
        ar.WriteInt32(textColor_);
        ar.WriteInt32(alignment_);
        ar.WriteInt32(textMargin_);
        font().Serialize(ar);
        ar.WriteWordChecked(int64_t(points_.size()), "an element's point count");
        for (const CPoint& p : points_) {
            ar.WriteInt32(p.x);
            ar.WriteInt32(p.y);
        }
        return;
    }
    ar.ReadVersion(ClassName());
    SetBackColor(ar.ReadInt32());
    SetForeColor(ar.ReadInt32());
    SetPenStyle(ar.ReadInt32());
    SetPenWidth(ar.ReadInt32());
    SerializeTexts(ar);
    textColor_ = ar.ReadInt32();
    alignment_ = ar.ReadInt32();
    textMargin_ = ar.ReadInt32();
    font().Serialize(ar);
    points_ = vx::shapes::ReadPoints(ar, ar.ReadWord(), "an element's points");
}

void CPointModelOb::Dump(CDumpContext& dc) const {
    CHyperOb::Dump(dc);
    dc.Field("PenWidth", int64_t(penWidth_));
    dc.Field("PenStyle", int64_t(penStyle_));
    dc.Field("Text", text_);
    dc.Field("TextColor", int64_t(textColor_));
    dc.Field("Alignment", int64_t(alignment_));
    dc.Field("TextMargin", int64_t(textMargin_));
    dc.Field("NumberOfPoints", int64_t(points_.size()));
    dc.Field("PointBounds", PointBounds());
}

// ---- property items ----

std::unique_ptr<CPropOb> CPointModelOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kPenWidth: return std::make_unique<CLinePropWidth>(id, &penWidth_, true, 0, 100);
        case P::kPenStyle: {
            auto item = std::make_unique<CLinePropStyle>(id, &penStyle_);
            if (withChoices)
                for (const auto& c : CHyperDrawOb::kPenStyleChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        case P::kText: return std::make_unique<CPropStr>(id, &text_);
        case P::kTextColor: {
            auto item = std::make_unique<CPropCustColor>(id, &textColor_, CPropOb::kDialogButton);
            item->dialogTitle = P::kTitleColor;
            item->applyOnChoice = 1;
            return item;
        }
        case P::kAlignment: {
            auto item = std::make_unique<CPropCombo>(id, &alignment_);
            if (withChoices)
                for (const auto& c : kAlignChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        default: return CHyperOb::CreateProperty(id, withChoices);
    }
}

void CPointModelOb::AddProperties(CPropList& list, bool withChoices) {
    // The base already offers "AnchorSnaps" for the element's own snap points.
    CHyperOb::AddProperties(list, withChoices);
    auto* width = static_cast<CLinePropWidth*>(list.Add(CreateProperty(P::kPenWidth, withChoices)));
    auto* style = static_cast<CLinePropStyle*>(list.Add(CreateProperty(P::kPenStyle, withChoices)));
    if (width && style) LinkPenItems(*width, *style);
    for (int id : {P::kText, P::kTextColor, P::kAlignment}) list.Add(CreateProperty(id, withChoices));
}

// ---- automation ----

namespace {

using vx::DispArgs;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;
using Ob = CPointModelOb;

template <class G, class S>
vx::DispMember Long(const char* name, int id, G get, S set) {
    return DispProp<Ob>(
        name, id, T::Long, [get](Ob& o) { return Variant(int32_t(get(o))); },
        [set](Ob& o, const Variant& v) {
            set(o, v.ToLong());
            o.Update(1, 0);
        });
}

vx::DispMember TextMember(int id) {
    return DispProp<Ob>(
        "Text", id, T::String, [](Ob& o) { return Variant(o.ScriptText()); },
        [](Ob& o, const Variant& v) {
            o.SetScriptText(v.ToString());
            o.Update(1, 0);
        });
}

std::vector<vx::DispMember> Members() {
    std::vector<vx::DispMember> m = {
        DispProp<Ob>("Type", 1329, T::Long, [](Ob&) { return Variant(int32_t(1)); }),
        Long("PenWidth", 1330, [](Ob& o) { return o.penWidth(); }, [](Ob& o, int32_t v) { o.SetPenWidth(v); }),
        Long("PenStyle", 1331, [](Ob& o) { return o.penStyle(); }, [](Ob& o, int32_t v) { o.SetPenStyle(v); }),
        TextMember(1332),
        Long("TextColor", 1333, [](Ob& o) { return o.textColor(); }, [](Ob& o, int32_t v) { o.setTextColor(v); }),
        Long("Alignment", 1334, [](Ob& o) { return o.alignment(); }, [](Ob& o, int32_t v) { o.setAlignment(v); }),
        Long("TextMargin", 1335, [](Ob& o) { return o.textMargin(); }, [](Ob& o, int32_t v) { o.setTextMargin(v); }),
        DispProp<Ob>(
            "NumberOfPoints", 1336, T::Long, [](Ob& o) { return Variant(int32_t(o.points().size())); },
            [](Ob& o, const Variant& v) {
                if (!o.SetNumberOfPoints(v.ToLong()))
                    throw vx::AutomationError("Invalid procedure call or argument: NumberOfPoints");
                o.Update(1, 0);
            }),
        DispMethod<Ob>("SetPoint", 1338, T::Bool, 3,
                       [](Ob& o, DispArgs a) {
                           return Variant(o.SetPoint(a[0].ToLong(), a[1].ToLong(), a[2].ToLong()));
                       }),
        // The text is the element's value.
        TextMember(vx::DISPID_VALUE),
    };
    for (vx::DispMember& s : vx::shapes::SnapPointMembers<Ob>(1337, 1339)) m.push_back(std::move(s));
    return m;
}

}  // namespace

const vx::DispatchTable& CPointModelOb::DispatchTableOf() {
    static const vx::DispatchTable table(&CHyperOb::DispatchTableOf(), Members());
    return table;
}

const vx::DispatchTable& CPointModelOb::GetDispatchTable() const { return DispatchTableOf(); }
