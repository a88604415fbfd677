#include "shapes/PolyLineOb.h"

#include <algorithm>
#include <cmath>

#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/HyperPage.h"
#include "platform/DC.h"
#include "platform/IntMath.h"

VX_IMPLEMENT_SERIAL(CBasePolyOb, C1DOb, 0)
VX_IMPLEMENT_SERIAL(CPolyLineOb, CBasePolyOb, 0)

namespace {

// Drawing turns the vertices into page coordinates in place and back;
// modulo 2^32 the way back is exact even for vertices stored far out.
CPoint WrapAdd(CPoint p, CPoint c, int sign) {
    const uint32_t dx = sign > 0 ? uint32_t(c.x) : 0u - uint32_t(c.x);
    const uint32_t dy = sign > 0 ? uint32_t(c.y) : 0u - uint32_t(c.y);
    return CPoint(int32_t(uint32_t(p.x) + dx), int32_t(uint32_t(p.y) + dy));
}

void CheckedWord(int64_t v, const char* field) {
    if (v < 0 || v > 65535)
        throw CArchiveException(std::string(field) + " " + std::to_string(v) +
                                    " is outside the range a design file can store (0 to 65535)",
                                -1);
}

}  // namespace

// ---- vertices ----

CPoint CBasePolyOb::Centre() {
    if (!GetTracker()) EnsureTracker();
    return CentreOf();
}

CPoint CBasePolyOb::CentreOf() const {
    const CObTracker* t = GetTracker();
    if (!t) return CPoint(0, 0);
    const CRect& r = IsRotated() ? t->unrotatedRect : t->rect;
    return CPoint(r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2);
}

CRect CBasePolyOb::BoundsOf(const std::vector<CPoint>& pts) {
    int minX = 999999, minY = 999999, maxX = -999999, maxY = -999999;
    for (const CPoint& p : pts) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    CRect r(minX, minY, maxX, maxY);
    if (maxX == minX) r.right = maxX + 1;
    if (maxY == minY) r.bottom = maxY + 1;
    return r;
}

void CBasePolyOb::RecalcBounds(bool relative) {
    if (outline_.empty()) return;
    if (relative) {
        const CPoint c = Centre();
        for (CPoint& p : outline_) p = p + c;
    }
    SetRect(BoundsOf(outline_));
    if (!IsRotated()) GetTracker()->unrotatedRect = Rect();
    const CPoint c = Centre();
    for (CPoint& p : outline_) p = CPoint(vx::SubSat(p.x, c.x), vx::SubSat(p.y, c.y));
}

bool CBasePolyOb::SetPagePoints(const std::vector<CPoint>& pts) {
    outline_ = pts;
    RecalcBounds(false);
    return true;
}

void CBasePolyOb::FitPointsToRect() {
    if (outline_.empty() || IsRotated()) return;
    const CPoint c = Centre();
    const CRect& rect = Rect();
    const CRect r(rect.left - c.x, rect.top - c.y, rect.right - c.x, rect.bottom - c.y);
    const CRect b = BoundsOf(outline_);
    if (r.Width() == b.Width() && r.Height() == b.Height()) return;
    const double sx = double(r.Width()) / b.Width(), sy = double(r.Height()) / b.Height();
    for (CPoint& p : outline_) p = CPoint(vx::TruncInt(p.x * sx), vx::TruncInt(p.y * sy));
}

CPoint CBasePolyOb::GetPointAt(int index) {
    if (index < 0 || index >= PointCount()) return CPoint(0, 0);
    if (IsRotated()) return GetRotatedPoint(index);
    const CPoint c = Centre();
    return c + outline_[size_t(index)];
}

void CBasePolyOb::SetPointAt(int index, int x, int y) {
    if (IsRotated() || index < 0 || index >= PointCount()) return;
    const CPoint c = Centre();
    outline_[size_t(index)] = CPoint(x - c.x, y - c.y);
}

bool CBasePolyOb::IsClosed() const {
    return outline_.size() > 2 && outline_.front() == outline_.back();
}

bool CBasePolyOb::IsTransparent() const {
    return backColorField() == -1 && hatchStyle_ == kNoHatch;
}

bool CBasePolyOb::CanDeletePoint() const {
    return PointCount() > (IsClosed() ? 3 : 2);
}

int CBasePolyOb::DeletePoint(int index) {
    const int n = PointCount();
    if (index < 0 || index >= n) return 1;
    if (IsClosed()) {
        if (index == n - 1) index = 0;
        if (index == 0) outline_[size_t(n - 1)] = outline_[1];
    }
    outline_.erase(outline_.begin() + index);
    return 1;
}

void CBasePolyOb::ToggleClosed(CPoint point) {
    const int n = PointCount();
    if (n == 0) return;
    if (IsClosed()) {
        int k = -1;
        for (int i = 0; i < n && k < 0; ++i) {
            const CPoint p = GetPointAt(i);
            if (point.x >= p.x - 2 && point.x < p.x + 2 && point.y >= p.y - 2 && point.y < p.y + 2)
                k = i;
        }
        if (k > 0) {
            // Rotate the ring so that vertex k comes first, dropping the old
            // closing vertex, and close it again on the new first vertex.
            std::vector<CPoint> ring;
            ring.reserve(size_t(n));
            for (int i = 0; i < n - 1; ++i) ring.push_back(outline_[size_t((k + i) % (n - 1))]);
            ring.push_back(ring.front());
            outline_ = std::move(ring);
        }
        const CRect& r = Rect();
        const CPoint m((r.left + r.right + 1) / 2, (r.top + r.bottom + 1) / 2);
        const CPoint first = GetPointAt(0);
        SetPointAt(0, (3 * first.x + m.x) / 4, (3 * first.y + m.y) / 4);
    } else {
        if (outline_.size() >= kMaxPoints) return;
        outline_.push_back(outline_.front());
    }
    RecalcBounds(true);
    Update(1, 0);
}

// ---- hit testing ----

int CBasePolyOb::HitBody(int x, int y, int code) {
    if (outline_.empty()) return vx::kHitNone;
    const CPoint c = Centre();
    if (IsClosed() && !IsTransparent())
        return vx::shapes::PointInPolygon(outline_, CPoint(vx::SubSat(x, c.x), vx::SubSat(y, c.y))) ? code : vx::kHitNone;
    const int tol = HitTolerance();
    const CPoint p(vx::SubSat(x, c.x), vx::SubSat(y, c.y));
    for (size_t i = 0; i + 1 < outline_.size(); ++i)
        if (vx::shapes::LineDistance(p, outline_[i], outline_[i + 1]) <= tol) return code;
    return vx::kHitNone;
}

// ---- drawing ----

void CBasePolyOb::DrawShadow(CDC& dc) {
    DrawShadowWith(dc, [&](CSize off) {
        std::vector<CPoint> copy = outline_;
        for (CPoint& p : copy) p = CPoint(p.x + off.cx, p.y + off.cy);
        dc.Polygon(copy.data(), int(copy.size()));
    });
}

void CBasePolyOb::DrawArrowheads(CDC& dc) {
    const int heads = EffectiveArrowhead();
    const int n = PointCount();
    if (heads == 0 || IsClosed() || n < 2) return;
    const int style = EffectiveArrowheadStyle();
    dc.SaveDC();
    if (style == kArrowFill) dc.SelectObject(CBrush(vx::RGB(0, 0, 0)));
    dc.SelectObject(CPen(PS_SOLID, 1, GetForeColor()));
    if (heads & 1) DrawArrowhead(dc, GetPointAt(1), GetPointAt(0), arrowheadHeight_, style);
    if (heads & 2) DrawArrowhead(dc, GetPointAt(n - 2), GetPointAt(n - 1), arrowheadHeight_, style);
    dc.RestoreDC(-1);
}

void CBasePolyOb::DrawFigure(CDC& dc) {
    const COLORREF fill = GetBackColor();
    COLORREF line = GetForeColor();
    const int hatch = hatchStyle_;
    const int width = penWidth_;
    if (width == 0 && hatch == kNoHatch) line = fill;
    if (IsTransparent() && width == 0) return;
    // Shadow and figure in page coordinates; the shadow takes the offset
    // relative to the centre.
    const CPoint c = Centre();
    for (CPoint& p : outline_) p = WrapAdd(p, c, 1);
    DrawShadow(dc);
    dc.SaveDC();
    const bool thin = width == 0 || (width == 1 && ZoomOf(dc) < 100);
    dc.SelectObject(CPen(EffectivePenStyle(), thin ? 0 : DrawWidth(width), line));
    if (!IsClosed() || IsTransparent()) {
        dc.SetBkMode(TRANSPARENT);
        dc.Polyline(outline_.data(), PointCount());
    } else {
        dc.SelectObject(MakeBrush());
        dc.SetBkColor(fill);
        dc.SetPolyFillMode(WINDING);
        dc.Polygon(outline_.data(), PointCount());
    }
    dc.RestoreDC(-1);
    for (CPoint& p : outline_) p = WrapAdd(p, c, -1);
    DrawArrowheads(dc);
}

void CBasePolyOb::DrawShape(CDC& dc) {
    if (IsRotated()) {
        DrawOutline(dc);
        DrawArrowheads(dc);
        return;
    }
    if (outline_.empty()) return;
    DrawFigure(dc);
}

// ---- copying and storage ----

void CBasePolyOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    C1DOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CBasePolyOb>(&other)) outline_ = o->outline_;
}

void CBasePolyOb::Serialize(CArchive& ar) {
    SerializeBase(ar);
    SerializePoly(ar);
}

void CBasePolyOb::SerializePoly(CArchive& ar) {
    if (ar.IsStoring()) {
        // Refuse before writing anything of this part: a wrapped count would
        // make the rest of the file unreadable.
        CheckedWord(int64_t(outline_.size()), "a polyline's vertex count");
        CheckedWord(hatchStyle_, "a HatchStyle");
        CheckedWord(shadowStyle_, "a ShadowStyle");
        ar.WriteVersion(0);
        ar.WriteInt32(penStyle_);
        ar.WriteInt32(penWidth_);
        ar.WriteInt32(backColorField());
        ar.WriteInt32(foreColorField());
        ar.WriteInt32(arrowhead_);
        ar.WriteWordChecked(arrowheadHeight_, "an arrowhead height");
        ar.WriteDword(uint32_t(hatchStyle_) | (uint32_t(shadowStyle_) << 16));
        ar.WriteWord(uint16_t(outline_.size()));
        for (const CPoint& p : outline_) {
            ar.WriteInt32(p.x);
            ar.WriteInt32(p.y);
        }
        return;
    }
    ar.ReadVersion("CBasePolyOb");
    penStyle_ = ar.ReadInt32();
    penWidth_ = ar.ReadInt32();
    SetBackColor(ar.ReadInt32());
    SetForeColor(ar.ReadInt32());
    arrowhead_ = ar.ReadInt32();
    arrowheadHeight_ = ar.ReadWord();
    const uint32_t hs = ar.ReadDword();
    hatchStyle_ = int32_t(hs & 0xFFFF);
    shadowStyle_ = int32_t(hs >> 16);
    outline_ = vx::shapes::ReadPoints(ar, ar.ReadWord(), "polyline vertices");
}

void CBasePolyOb::Dump(CDumpContext& dc) const {
    C1DOb::Dump(dc);
    dc.Field("Points", int64_t(outline_.size()));
}

// ---- CPolyLineOb ----

CPolyLineOb::CPolyLineOb() {
    snaps_.setOwner(this);
}

void CPolyLineOb::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(99);
        SerializeBase(ar);
        SerializePoly(ar);
        return;
    }
    const int version = ar.PeekVersion(ClassName());
    if (version >= 99) ar.ReadVersion(ClassName());
    // An older record starts with the common record's own tag and holds no
    // snap-point set.
    legacyRecord_ = version >= 0 && version <= 98;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{legacyRecord_};
    SerializeBase(ar);
    SerializePoly(ar);
}

void CPolyLineOb::SerializeShapeData(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteDword(kShapeDataMarker);
        return;
    }
    if (ar.ReadDword() == kShapeDataMarker) return;
    // A section of an older release: read and dropped.
    ar.ReadByte();
    const int m = ar.ReadInt16();
    if (m < 0)
        throw CArchiveException("a negative shape-data count " + std::to_string(m),
                                int64_t(ar.Tell()));
    ar.CheckCount(uint64_t(m), 3, "shape-data entries");
    for (int i = 0; i < m; ++i) {
        ar.ReadInt16();
        ar.ReadString();
    }
}

void CPolyLineOb::Update(int recalc, int hint) {
    if (!IsRotated() && rotatedOutline_.empty()) FitPointsToRect();
    CBasePolyOb::Update(recalc, hint);
}

void CPolyLineOb::Refresh(int recalc) {
    FitPointsToRect();
    CBasePolyOb::Update(recalc, 0);
}

int CPolyLineOb::HitTest(int x, int y) {
    const int hit = CBasePolyOb::HitTest(x, y);
    if (hit == vx::kHitInside && !IsRotated()) return HitBody(x, y, vx::kHitInside);
    return hit;
}

void CPolyLineOb::ApplyViewDefaults() {
    if (outline_.empty()) {
        SetRect(CRect(50, 50, 100, 100));
        GetTracker()->unrotatedRect = Rect();
        outline_ = {CPoint(-24, -24), CPoint(25, -24), CPoint(-24, 25), CPoint(-24, -24)};
    }
    snaps_.Rebuild(0);
    CHyperDrawOb::ApplyViewDefaults();
}

bool CPolyLineOb::GetHatchStyle(int& out) const {
    out = hatchStyle_;
    return IsClosed();
}

bool CPolyLineOb::GetShadowStyle(int& out) const {
    out = shadowStyle_;
    return IsClosed() && !IsRotated();
}

CPoint CPolyLineOb::GetRotatedPoint(int index) {
    if (index < 0 || size_t(index) >= rotatedOutline_.size()) return CPoint(0, 0);
    return rotatedOutline_[size_t(index)];
}

void CPolyLineOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CBasePolyOb::CopyFrom(other);
}
