#include "shapes/TextOb.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "model/ViewLink.h"
#include "platform/Fonts.h"
#include "platform/IntMath.h"
#include "platform/PainterDC.h"
#include "shapes/ShapePropIds.h"
#include "shapes/TextMeasure.h"

VX_IMPLEMENT_SERIAL(CTextOb, CBorderOb, 0)

namespace P = vx::prop;

const std::array<CHyperDrawOb::Choice, 3> CTextOb::kAlignChoices = {
    {{"0 - Left", kLeft}, {"1 - Center", kCentre}, {"2 - Right", kRight}}};
const std::array<CHyperDrawOb::Choice, 3> CTextOb::kOrientationChoices = {
    {{"0 - Horizontal", kHorizontal},
     {"1 - Vertical Up", kVerticalUp},
     {"2 - Vertical Down", kVerticalDown}}};
const std::array<CHyperDrawOb::Choice, 5> CTextOb::kTextStyleChoices = {{{"0 - Normal", 0},
                                                                         {"1 - 3D", 1},
                                                                         {"2 - Sunken", 2},
                                                                         {"3 - Raised", 4},
                                                                         {"4 - Disable", kHidden}}};

using vx::shapes::AlignFormat;
using vx::shapes::CanMeasureText;
using vx::shapes::MeasureSurface;

CTextOb::CTextOb() {
    penWidth_ = 0;
    innerMargin_ = penWidth_ + 1;
}

void CTextOb::setOrientation(int32_t e) {
    font().logFont().lfEscapement = e;
}

int CTextOb::EffectiveAlignment() const {
    return (alignment_ == kLeft || alignment_ == kRight || alignment_ == kCentre) ? alignment_
                                                                                  : kCentre;
}

int CTextOb::GetEditStyle() const {
    switch (EffectiveAlignment()) {
        case kLeft:
            return 0;
        case kRight:
            return 2;
        default:
            return 1;
    }
}

int CTextOb::GetToolStringId() const {
    return vx::tool::kText;
}

int CTextOb::HitTest(int x, int y) {
    return CHyperDrawOb::HitTest(x, y);
}

bool CTextOb::CanRotate() const {
    return text_.find_first_of("\r\n") == std::string::npos && scalable_ != 0 && dfltCanRot();
}

LOGFONT CTextOb::GetLogFont(bool resolved) const {
    LOGFONT own = font().logFont();
    if (!resolved) return own;
    // A record holding only an escapement is still automatic.
    const int32_t escapement = own.lfEscapement;
    own.lfEscapement = 0;
    own.lfOrientation = 0;
    LOGFONT lf = ResolveFont(own);
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    return lf;
}

CRect CTextOb::TextBox() const {
    CRect b = GetTracker() ? GetTracker()->rect.Normalized() : CRect(0, 0, 100, 20);
    const int m = int(std::clamp<int64_t>(int64_t(penWidth_) + 1, 0, INT16_MAX));
    b.DeflateRect(m, m);
    return b;
}

int CTextOb::MeasureTextHeight(CDC& dc, int width) const {
    LOGFONT lf = GetLogFont(true);
    lf.lfEscapement = lf.lfOrientation = 0;
    dc.SaveDC();
    dc.SelectObject(CFont(lf));
    CRect r(0, 0, std::max(1, width), 0);
    const int h = dc.DrawText(
        text_, r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT | AlignFormat(EffectiveAlignment()));
    dc.RestoreDC(-1);
    return h;
}

void CTextOb::Update(int /*recalc*/, int hint) {
    if (!GetTracker()) EnsureTracker();
    if (!text_.empty() && groupId() < 0 && !IsRotated() && CanMeasureText()) {
        CPainterDC dc(&MeasureSurface());
        const CRect box = TextBox();
        const int pw = int(std::clamp<int64_t>(int64_t(penWidth_) + 1, 0, INT16_MAX));
        const int64_t bottom = int64_t(box.top) + MeasureTextHeight(dc, box.Width()) + pw;
        CRect r = Rect();
        // The block grows; it never shrinks.
        if (r.bottom < bottom) {
            r.bottom = vx::Saturate32(bottom);
            SetRect(r);
        }
    }
    CBorderOb::Update(1, hint);
}

// ---- drawing ----

void CTextOb::DrawShape(CDC& dc) {
    CBorderOb::DrawShape(dc);
    const CRect b = TextBox();
    setTextRect(1, b);
    if (text_.empty()) return;

    LOGFONT lf = GetLogFont(true);
    scalable_ = vx::IsScalableFont(lf) ? 1 : 0;
    if (scalable_ && IsRotated()) {
        // The escapement turns counterclockwise, the rotation clockwise.
        lf.lfEscapement = lf.lfOrientation = vx::TruncInt(RotateAngle() * -10.0);
    }
    dc.SaveDC();
    dc.SetTextColor(GetForeColor());
    dc.SetBkMode(TRANSPARENT);
    if (lf.lfEscapement == 0) {
        dc.SelectObject(CFont(lf));
        const int align = EffectiveAlignment();
        const unsigned fmt = DT_WORDBREAK | DT_NOPREFIX | AlignFormat(align);
        CRect t = b;
        dc.DrawText(text_, t, fmt | DT_CALCRECT);
        CRect m;
        if (!m.IntersectRect(t, b)) m = CRect(b.left, b.top, b.left, b.top);
        m.OffsetRect(0, (b.Height() - m.Height()) / 2);
        const int free = b.Width() - m.Width();
        if (align == kRight)
            m.OffsetRect(free, 0);
        else if (align == kCentre)
            m.OffsetRect(free / 2, 0);
        setTextRect(0, m);
        dc.DrawText(text_, m, fmt);
    } else {
        DrawOneLine(dc, lf);
    }
    dc.RestoreDC(-1);
    // The font's escapement stays what it was; only the drawing font turned.
}

void CTextOb::DrawOneLine(CDC& dc, LOGFONT lf) {
    // Measured upright, drawn turned.
    LOGFONT upright = lf;
    upright.lfEscapement = upright.lfOrientation = 0;
    dc.SelectObject(CFont(upright));
    std::string line = text_;
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    const CSize ext = dc.GetTextExtent(line);
    const CRect u = GetTracker()->unrotatedRect.Normalized();
    const double cx = u.left + u.Width() / 2.0, cy = u.top + u.Height() / 2.0;
    // The run goes along the block's width when it turns with the block,
    // along its height when written vertically in an upright block.
    const bool vertical = !IsRotated() && std::abs(lf.lfEscapement) == kVerticalUp;
    const double room = vertical ? u.Height() : u.Width();
    const double w = std::min<double>(ext.cx, room);
    double lx = -w / 2;
    const int align = EffectiveAlignment();
    if (align == kLeft)
        lx = -room / 2;
    else if (align == kRight)
        lx = room / 2 - w;
    const double ly = -ext.cy / 2.0;
    // The reference point (the top-left corner of the text cell) in the
    // text's own frame, turned clockwise on the page by -escapement / 10.
    const double phi = -lf.lfEscapement / 10.0 * M_PI / 180.0;
    const double c = std::cos(phi), s = std::sin(phi);
    auto turn = [&](double x, double y) {
        return CPoint(vx::FloorInt(cx + x * c - y * s + 0.5),
                      vx::FloorInt(cy + x * s + y * c + 0.5));
    };
    const CPoint p = turn(lx, ly);
    const CPoint corners[4] = {p, turn(lx + ext.cx, ly), turn(lx + ext.cx, ly + ext.cy),
                               turn(lx, ly + ext.cy)};
    CRect box(corners[0].x, corners[0].y, corners[0].x, corners[0].y);
    for (const CPoint& q : corners) {
        box.left = std::min(box.left, q.x), box.top = std::min(box.top, q.y);
        box.right = std::max(box.right, q.x), box.bottom = std::max(box.bottom, q.y);
    }
    setTextRect(0, box);
    dc.SelectObject(CFont(lf));
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(p.x, p.y, line);
}

void CTextOb::ApplyViewDefaults() {
    if (!GetTracker()) EnsureTracker();
    const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr;
    if (d && d->enabled) {
        alignment_ = d->textAlignment;
        // The view's pen width does not apply: a new text block has no
        // border line.
        penWidth_ = 0;
        penStyle_ = d->penStyle;
        hatchStyle_ = d->hatchStyle;
        shadowStyle_ = d->shadowStyle;
    }
    snaps_.Rebuild(kDefaultSnapMask);
    GetTracker()->rect = CRect(0, 0, 100, 20);
    GetTracker()->unrotatedRect = CRect(0, 0, 100, 20);
    CHyperOb::ApplyViewDefaults();
    RecalcHandles();
}

// ---- copying, storage, dump ----

void CTextOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CBorderOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CTextOb>(&other)) {
        text_ = o->text_;
        alignment_ = o->alignment_;
        scalable_ = o->scalable_;
    }
}

void CTextOb::Serialize(CArchive& ar) {
    CBorderOb::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(1);
        ar.WriteString(text_);
        ar.WriteInt32(alignment_);
        font().Serialize(ar);
        ar.WriteInt32(font().logFont().lfEscapement);
        return;
    }
    const int version = ar.ReadVersion("CTextOb");
    text_ = ar.ReadString();
    alignment_ = ar.ReadInt32();
    if (version <= 0) {
        // Older records keep their own copy of the colours.
        SetForeColor(ar.ReadInt32());
        SetBackColor(ar.ReadInt32());
    }
    font().Serialize(ar);
    const int32_t escapement = ar.ReadInt32();
    font().logFont().lfEscapement = escapement;
    font().logFont().lfOrientation = escapement;
}

void CTextOb::Dump(CDumpContext& dc) const {
    CBorderOb::Dump(dc);
    dc.Field("Text", text_);
    dc.Field("Alignment", int64_t(alignment_));
    dc.Field("Orientation", int64_t(orientation()));
}

// ---- property items ----

namespace {

template <size_t N>
std::unique_ptr<CPropOb> Choices(int id, int32_t* member,
                                 const std::array<CHyperDrawOb::Choice, N>& list, bool with) {
    auto item = std::make_unique<CPropCombo>(id, member);
    if (with)
        for (const auto& c : list) item->AddChoice(c.text, c.value);
    return item;
}

}  // namespace

std::unique_ptr<CPropOb> CTextOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kText:
            return std::make_unique<CPropStr>(id, &text_);
        case P::kAlignment:
            return Choices(id, &alignment_, kAlignChoices, withChoices);
        case P::kShapeBorderStyle:
            return Choices(id, &borderStyle_, kTextStyleChoices, withChoices);
        case P::kOrientation:
            return Choices(id, &font().logFont().lfEscapement, kOrientationChoices, withChoices);
        default:
            return CBorderOb::CreateProperty(id, withChoices);
    }
}

void CTextOb::AddProperties(CPropList& list, bool withChoices) {
    CBorderOb::AddProperties(list, withChoices);
    // Without border and fill a transparent block has no fill colour to set.
    if (IsHidden() && backColorField() == -1) list.Remove(P::kBackColor);
    list.Add(CreateProperty(P::kText, withChoices));
    list.Add(CreateProperty(P::kAlignment, withChoices));
}

// ---- automation ----

const vx::DispatchTable& CTextOb::DispatchTableOf() {
    using vx::Variant;
    auto text = [](const char* name, int id) {
        return vx::DispProp<CTextOb>(
            name, id, Variant::Type::String, [](CTextOb& o) { return Variant(o.text()); },
            [](CTextOb& o, const Variant& v) {
                o.SetText(v.ToString());
                o.Update(1, 0);
            });
    };
    static const vx::DispatchTable table(
        &CBorderOb::DispatchTableOf(), {
                                           text("Text", 1329),
                                           vx::DispProp<CTextOb>(
                                               "Alignment", 1330, Variant::Type::Long,
                                               [](CTextOb& o) { return Variant(o.alignment()); },
                                               [](CTextOb& o, const Variant& v) {
                                                   o.setAlignment(v.ToLong());
                                                   o.Update(1, 0);
                                               }),
                                           vx::DispProp<CTextOb>(
                                               "Orientation", 1331, Variant::Type::Long,
                                               [](CTextOb& o) { return Variant(o.orientation()); },
                                               [](CTextOb& o, const Variant& v) {
                                                   o.setOrientation(v.ToLong());
                                                   o.Update(1, 0);
                                               }),
                                           // Text is the object's value.
                                           text("Text", vx::DISPID_VALUE),
                                       });
    return table;
}

const vx::DispatchTable& CTextOb::GetDispatchTable() const {
    return DispatchTableOf();
}
