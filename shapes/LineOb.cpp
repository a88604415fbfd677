#include "shapes/LineOb.h"

#include <cmath>
#include <cstdlib>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "model/PropIds.h"
#include "model/PropItems.h"
#include "platform/DC.h"
#include "platform/IntMath.h"
#include "shapes/ShapePropIds.h"

VX_IMPLEMENT_SERIAL(CLineOb, C1DOb, 0)

namespace P = vx::prop;

// ---- the line's connection record ----

void CLineConnection::CodePoints(int code, const CRect& r, CPoint& start, CPoint& end) {
    const int midX = r.left + (r.right - r.left) / 2, midY = r.top + (r.bottom - r.top) / 2;
    switch (code) {
        case kDiagUp: start = {r.right, r.top}; end = {r.left, r.bottom}; break;
        case kHorizontal: start = {r.left, midY}; end = {r.right, midY}; break;
        case kVertical: start = {midX, r.top}; end = {midX, r.bottom}; break;
        default: start = {r.left, r.top}; end = {r.right, r.bottom}; break;
    }
}

void CLineConnection::CodeHandles(int code, int& startHandle, int& endHandle) {
    switch (code) {
        case kDiagUp: startHandle = 1; endHandle = 3; break;
        case kHorizontal: startHandle = 7; endHandle = 5; break;
        case kVertical: startHandle = 4; endHandle = 6; break;
        default: startHandle = 0; endHandle = 2; break;
    }
}

bool CLineConnection::GetEnds(CPoint& end0, CPoint& end1, int direction) const {
    const CObTracker* t = owner() ? owner()->GetTracker() : nullptr;
    if (!t) return false;
    CPoint start, end;
    CodePoints(resizeCode, t->rect, start, end);
    // End 1 is the first end (X1, Y1), end 0 the second (X2, Y2).
    const CPoint first = direction ? start : end, second = direction ? end : start;
    end0 = second;
    end1 = first;
    return true;
}

void CLineConnection::SetEnds(CPoint end0, CPoint end1, int, int) {
    if (!owner()) return;
    CRect r(end1.x, end1.y, end0.x, end0.y);
    resizeCode = kDiagDown;
    directionFlag = 1;
    DeriveFromRect(r, false);
    owner()->SetRect(r);
}

void CLineConnection::DeriveFromRect(CRect& r, bool oddHandle) {
    const int64_t w = int64_t(r.right) - r.left, h = int64_t(r.bottom) - r.top;
    const bool flat = std::llabs(h) <= 1, thin = std::llabs(w) <= 1;
    int code = resizeCode;
    bool toggle = false;
    if (!flat && code != kHorizontal && h < 0) toggle = true;
    else if (!flat && code == kHorizontal && ((oddHandle && h > 0) || (!oddHandle && h < 0))) toggle = true;
    else if (flat && (((code == kHorizontal || code == kDiagDown) && w < 0) || (code == kDiagUp && w > 0))) toggle = true;
    if (toggle) directionFlag = directionFlag ? 0 : 1;

    if (flat || thin) {
        r.NormalizeRect();
        if (r.Height() <= 1) {
            code = kHorizontal;
            r.bottom = r.top + 1;
        } else {
            code = kVertical;
            r.right = r.left + 1;
        }
    } else {
        if (code == kHorizontal || code == kVertical) {
            code = (w * h >= 1) ? kDiagDown : kDiagUp;
            if (oddHandle) code = code == kDiagDown ? kDiagUp : kDiagDown;
        } else if (code == kDiagDown || code == kDiagUp) {
            if (w < 0) code = code == kDiagDown ? kDiagUp : kDiagDown;
            if (h < 0) code = code == kDiagDown ? kDiagUp : kDiagDown;
        }
        r.NormalizeRect();
    }
    resizeCode = code;
}

// ---- the line ----

CLineOb::CLineOb() {
    shapeFlag_ = 1;
    EnsureTracker();
}

void CLineOb::EnsureTracker() {
    CHyperOb::EnsureTracker();
    GetTracker()->minSize = CSize(1, 1);
}

CPoint CLineOb::FirstEnd() const {
    CPoint e0, e1;
    conn_.GetEnds(e0, e1);
    return e1;
}

CPoint CLineOb::SecondEnd() const {
    CPoint e0, e1;
    conn_.GetEnds(e0, e1);
    return e0;
}

void CLineOb::SetEndPoints(int x1, int y1, int x2, int y2) {
    SetRect(CRect(x1, y1, x2, y2));
    conn_.resizeCode = CLineConnection::kDiagDown;
    conn_.directionFlag = 1;
    Update(1, 0);
}

void CLineOb::SetEndCoordinate(int which, int value) {
    CPoint first = FirstEnd(), second = SecondEnd();
    switch (which) {
        case 0: first.x = value; break;
        case 1: first.y = value; break;
        case 2: second.x = value; break;
        case 3: second.y = value; break;
        default: return;
    }
    SetEndPoints(first.x, first.y, second.x, second.y);
}

bool CLineOb::PageHasSelection() const {
    if (!view_) return false;
    for (const auto& ob : view_->objects())
        if (const CObTracker* t = ob->GetTracker(); t && t->IsSelected()) return true;
    return false;
}

void CLineOb::Update(int recalc, int hint) {
    // Without heads the direction does not show: the first end becomes the
    // start point of the diagonal again.
    if ((arrowhead_ == 0 || arrowhead_ == 3) && !PageHasSelection()) conn_.directionFlag = 1;
    C1DOb::Update(recalc, hint);
    RefreshAttachColour();
}

void CLineOb::RecalcHandles() {
    CObTracker* t = GetTracker();
    if (!t) return;
    if (!view_ || !view_->loading) {
        const bool odd = t->currentHandle >= 0 && (t->currentHandle & 1) != 0;
        CRect r = t->rect;
        conn_.DeriveFromRect(r, odd);
        t->rect = r;
        t->unrotatedRect = r;
        // Ends that lie on snap points attach to them (SetEnds derives again
        // when they moved).
        conn_.Resnap(false);
    }
    t->resizeRect = t->rect;
    // The angle is the slope, from the end with the smaller x.
    CPoint a = FirstEnd(), b = SecondEnd();
    if (b.x < a.x) std::swap(a, b);
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    t->rotateAngle = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx) * 180.0 / M_PI;
}

void CLineOb::SetRotateAngleRaw(double angle) {
    CObTracker* t = GetTracker();
    if (!t || !std::isfinite(angle)) return;
    const double delta = angle - t->rotateAngle;
    const CPoint e1 = FirstEnd(), e2 = SecondEnd();
    const CPoint c((e1.x + 1 + e2.x) / 2, (e1.y + 1 + e2.y) / 2);
    const CPoint oldCentre = t->rect.CenterPoint();
    conn_.SetEnds(RotateAbout(e2, c, delta), RotateAbout(e1, c, delta));
    t->rotateAngle = angle;
    const CPoint newCentre = t->rect.CenterPoint();
    if (newCentre != oldCentre) Move(oldCentre.x - newCentre.x, oldCentre.y - newCentre.y);
}

void CLineOb::BuildOutline() {
    const CPoint c = Rect().CenterPoint();
    outline_ = {FirstEnd() - c, SecondEnd() - c};
}

int CLineOb::HitTest(int x, int y) {
    if (groupId() >= 0) return CHyperOb::HitTest(x, y);
    CObTracker* tr = GetTracker();
    const int tol = HitTolerance();
    const CRect r = tr->rect.Normalized();
    if (r.Width() < tol || r.Height() < tol) {
        // Nearly horizontal or vertical: the rectangle grown by the tolerance.
        const CRect saved = tr->rect;
        if (tr->style == 0) tr->rect.InflateRect(tol, tol);
        const int hit = CHyperOb::HitTest(x, y);
        tr->rect = saved;
        return hit;
    }
    const int hit = CHyperOb::HitTest(x, y);
    if (hit == vx::kHitNone) return vx::kHitNone;
    const int code = conn_.resizeCode;
    if (code != CLineConnection::kDiagDown && code != CLineConnection::kDiagUp) return hit;
    return vx::shapes::LineDistance(CPoint(x, y), FirstEnd(), SecondEnd()) > tol ? -1 : hit;
}

void CLineOb::DrawShape(CDC& dc) {
    CPoint first = FirstEnd(), second = SecondEnd();
    if (conn_.resizeCode == CLineConnection::kDiagUp) {
        first.y -= 1;
        second.y -= 1;
    }
    dc.SaveDC();
    dc.SelectObject(MakePen(dc));
    dc.SetBkMode(TRANSPARENT);
    // Always stroke from left to right so that dash patterns do not depend
    // on the direction the line was drawn in.
    if (first.x < second.x) {
        dc.MoveTo(first);
        dc.LineTo(second);
    } else {
        dc.MoveTo(second);
        dc.LineTo(first);
    }
    const int heads = EffectiveArrowhead();
    if (heads != 0) {
        const int style = EffectiveArrowheadStyle();
        if (style == kArrowFill) dc.SelectObject(CBrush(vx::RGB(0, 0, 0)));
        else if (style == kArrowOutline) dc.SelectObject(CBrush(GetPageColor()));
        if (heads & kHeadAtSecond) DrawArrowhead(dc, first, second, arrowheadHeight_, style);
        if (heads & kHeadAtFirst) DrawArrowhead(dc, second, first, arrowheadHeight_, style);
    }
    dc.RestoreDC(-1);
}

void CLineOb::ApplyViewDefaults() {
    GetTracker()->rect = CRect(0, 0, 20, 20);
    GetTracker()->unrotatedRect = CRect(0, 0, 20, 20);
    C1DOb::ApplyViewDefaults();
    GetTracker()->minSize = CSize(1, 1);
    conn_.directionFlag = 1;
    if (view_ && view_->link() && view_->link()->CurrentTool() == vx::tool::kPolyline) {
        arrowhead_ = 0;
        penWidth_ = 1;
    }
}

int CLineOb::GetToolStringId() const { return vx::tool::kLine; }

void CLineOb::CopyFrom(const CHyperOb& other) { C1DOb::CopyFrom(other); }

std::unique_ptr<CPropOb> CLineOb::CreateProperty(int id, bool withChoices) {
    if (id == P::kRotateAngle) return std::make_unique<CPropAngleDbl>(id, &GetTracker()->rotateAngle, view_);
    return C1DOb::CreateProperty(id, withChoices);
}

// ---- storage ----

void CLineOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    if (ar.IsStoring()) {
        ar.WriteVersion(3);
        ar.WriteInt32(penStyle_);
        ar.WriteInt32(penWidth_);
        ar.WriteInt32(foreColorField());
        ar.WriteInt32(arrowhead_);
        ar.WriteInt16Checked(arrowheadHeight_, "an arrowhead height");
        ar.WriteInt32(attachColour_);
        ar.WriteInt32(arrowheadStyle_);
        return;
    }
    const int version = ar.ReadVersion("CLineOb");
    penStyle_ = ar.ReadInt32();
    penWidth_ = ar.ReadInt32();
    SetForeColor(ar.ReadInt32());
    if (version <= 0) conn_.resizeCode = ar.ReadInt32();
    if (version >= 1) {
        arrowhead_ = ar.ReadInt32();
        arrowheadHeight_ = ar.ReadInt16();
    }
    if (version >= 2) attachColour_ = ar.ReadInt32();
    if (version >= 3) arrowheadStyle_ = ar.ReadInt32();
}

void CLineOb::Dump(CDumpContext& dc) const {
    CHyperOb::Dump(dc);
    dc.Field("PenStyle", int64_t(penStyle_));
    dc.Field("PenWidth", int64_t(penWidth_));
    dc.Field("Arrowhead", int64_t(arrowhead_));
    dc.Field("ArrowheadHeight", int64_t(arrowheadHeight_));
    dc.Field("AttachColour", int64_t(attachColour_));
    dc.Field("ArrowheadStyle", int64_t(arrowheadStyle_));
    const CPoint a = FirstEnd(), b = SecondEnd();
    dc.Field("ends", CRect(a.x, a.y, b.x, b.y));
}

// ---- automation ----

namespace {

using vx::DispArgs;
using vx::DispMethod;
using vx::DispProp;
using vx::Variant;
using T = Variant::Type;

vx::DispMember EndCoordinate(const char* name, int id, int which) {
    return DispProp<CLineOb>(
        name, id, T::Long,
        [which](CLineOb& o) {
            const CPoint p = which < 2 ? o.FirstEnd() : o.SecondEnd();
            return Variant(int32_t((which & 1) ? p.y : p.x));
        },
        [which](CLineOb& o, const Variant& v) { o.SetEndCoordinate(which, v.ToLong()); });
}

}  // namespace

const vx::DispatchTable& CLineOb::DispatchTableOf() {
    static const vx::DispatchTable table(
        &C1DOb::DispatchTableOf(),
        {
            EndCoordinate("X1", 1345, 0),
            EndCoordinate("Y1", 1346, 1),
            EndCoordinate("X2", 1347, 2),
            EndCoordinate("Y2", 1348, 3),
            DispMethod<CLineOb>("SetEndPoints", 1349, T::Empty, 4,
                                [](CLineOb& o, DispArgs a) {
                                    o.SetEndPoints(a[0].ToLong(), a[1].ToLong(), a[2].ToLong(), a[3].ToLong());
                                    return Variant();
                                }),
        });
    return table;
}

const vx::DispatchTable& CLineOb::GetDispatchTable() const { return DispatchTableOf(); }
