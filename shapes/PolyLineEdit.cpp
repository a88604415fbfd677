// Vertex editing of polylines: the handles of edit-points mode, what a
// press grabs and how a dragged vertex is put back (merging vertices that
// came together), the rotation made permanent before editing, the
// automation members and the property items that depend on the vertices.
#include <algorithm>

#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/DC.h"
#include "shapes/PolyLineOb.h"
#include "shapes/ShapePropIds.h"

namespace P = vx::prop;

// ---- handles and hit testing ----

CRect CBasePolyOb::GetPointHandleRect(int index) {
    const CPoint p = GetPointAt(index);
    return CRect(p.x - 2, p.y - 2, p.x + 2, p.y + 2);
}

int CBasePolyOb::FindPointHandle(int x, int y) {
    const int n = PointCount();
    for (int i = 0; i < n; ++i) {
        const CRect r = GetPointHandleRect(i);
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
        if (!CanResize() && (i == 0 || i == n - 1)) return -2;
        return i;
    }
    return -1;
}

int CBasePolyOb::HitSegment(int x, int y) {
    const int zoom = view_ && view_->link() ? std::max(1, view_->link()->Zoom()) : 100;
    const int tol = 500 / zoom;
    const CPoint p(x, y);
    for (int i = 0; i + 1 < PointCount(); ++i)
        if (vx::shapes::LineDistance(p, GetPointAt(i), GetPointAt(i + 1)) <= tol) return i;
    return -1;
}

CPointEditing::Cursor CBasePolyOb::HitPoint(int x, int y, bool control) {
    const int k = FindPointHandle(x, y);
    if (k == -2) return Cursor::kNone;
    if (k >= 0) return control && CanDeletePoint() ? Cursor::kDeleteVertex : Cursor::kMoveVertex;
    return HitSegment(x, y) >= 0 ? Cursor::kInsertVertex : Cursor::kNone;
}

// ---- editing ----

CPointEditing::Press CBasePolyOb::GrabPoint(CPoint page, bool control, Grab& out) {
    const int n = PointCount();
    if (n < 2) return Press::kNothing;
    out = Grab{};
    const int k = FindPointHandle(page.x, page.y);
    if (k == -2) return Press::kNothing;
    if (k == -1) {
        const int s = HitSegment(page.x, page.y);
        // The record holds at most kMaxPoints vertices: no more are added.
        if (s < 0 || size_t(n) >= kMaxPoints) return Press::kNothing;
        out.index = s;
        out.inserting = true;
        out.start = page;
        out.prev = GetPointAt(s);
        out.next = GetPointAt((s + 1) % n);
        return Press::kDrag;
    }
    const bool closed = IsClosed();
    out.index = k;
    out.start = GetPointAt(k);
    out.prev = GetPointAt(k > 0 ? k - 1 : (closed ? n - 2 : n - 1));
    out.next = GetPointAt((k + 1) % n);
    out.prevSegment = closed || k > 0;
    out.nextSegment = closed || k < n - 1;
    if (control && CanDeletePoint()) {
        DeletePoint(k);
        RecalcBounds(true);
        Update(1, 0);
        return Press::kChanged;
    }
    return Press::kDrag;
}

bool CBasePolyOb::ReleasePoint(const Grab& grab, CPoint to) {
    const int n = PointCount();
    if (grab.index < 0 || grab.index >= n) return false;
    const bool moved = to != grab.start;
    if (moved) {
        if (grab.inserting) {
            const CPoint c = Centre();
            outline_.insert(outline_.begin() + grab.index + 1, CPoint(to.x - c.x, to.y - c.y));
        } else {
            // The closing vertex follows the first one.
            if (grab.index == 0 && IsClosed()) SetPointAt(n - 1, to.x, to.y);
            SetPointAt(grab.index, to.x, to.y);
        }
    }
    // Vertices that were already together count as an edit once merged.
    const bool merged = MergePoints(grab.inserting, grab.index);
    if (!moved && !merged) return false;
    RecalcBounds(true);
    Update(1, 0);
    return true;
}

bool CBasePolyOb::MergePoints(bool inserting, int a) {
    const int n = PointCount();
    if (n < 2) return false;
    const bool closed = IsClosed();
    // An end brought onto the other end closes the polyline exactly (two
    // vertices cannot form a contour).
    if (!inserting && !closed && n > 2) {
        CPoint& last = outline_.back();
        const CPoint& first = outline_.front();
        if (IsNear(last.x, last.y, first.x, first.y)) {
            last = first;
            return true;
        }
    }
    for (int d = -2; d <= 2; ++d) {
        const int j = ((a + d) % n + n) % n;
        if (closed && j == n - 1) continue;
        const CPoint& p = outline_[size_t(j)];
        const CPoint& q = outline_[size_t((j + 1) % n)];
        if (!IsNear(p.x, p.y, q.x, q.y)) continue;
        if (!CanDeletePoint()) return false;
        DeletePoint(j);
        return true;
    }
    return false;
}

// ---- drawing ----

void CBasePolyOb::DrawPointHandles(CDC& dc) {
    const int n = PointCount();
    const int f = CanResize() ? 0 : 1;
    std::vector<CPoint> centres;
    for (int i = f; i < n - f; ++i) centres.push_back(GetPointAt(i));
    if (centres.empty()) return;
    dc.LPtoDP(centres.data(), int(centres.size()));
    // One unit per pixel: the squares keep their size at every zoom.
    dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(0, 0);
    dc.SelectObject(CPen(PS_SOLID, 1, vx::GetSysColor(vx::SysColor::Window)));
    dc.SelectObject(CBrush(vx::GetSysColor(vx::SysColor::ButtonText)));
    for (const CPoint& c : centres) dc.Rectangle(c.x - 3, c.y - 3, c.x + 3, c.y + 3);
    dc.RestoreDC(-1);
}

void CBasePolyOb::DrawTracker(CDC& dc) {
    if (view_ && view_->link() && view_->link()->IsEditingPoints() && GetTracker() &&
        GetTracker()->IsSelected()) {
        DrawPointHandles(dc);
        return;
    }
    C1DOb::DrawTracker(dc);
}

bool CPolyLineOb::BakeRotation() {
    if (!IsRotated()) return false;
    if (rotatedOutline_.size() != outline_.size()) RecalcOutline();
    std::vector<CPoint> pts;
    pts.reserve(outline_.size());
    for (int i = 0; i < PointCount(); ++i) pts.push_back(GetRotatedPoint(i));
    SetRotateAngleRaw(0);
    rotatedOutline_.clear();
    SetUnrotatedRect(Rect());
    // The turned vertices become the figure, at their page positions.
    SetPagePoints(pts);
    Update(1, 0);
    return true;
}

// ---- property items ----

std::unique_ptr<CPropOb> CBasePolyOb::CreateProperty(int id, bool withChoices) {
    if (id == P::kBackColor && !IsClosed()) return nullptr;
    return C1DOb::CreateProperty(id, withChoices);
}

std::unique_ptr<CPropOb> CPolyLineOb::CreateProperty(int id, bool withChoices) {
    if (IsClosed() &&
        (id == P::kArrowhead || id == P::kArrowheadHeight || id == P::kArrowheadStyle))
        return nullptr;
    return CBasePolyOb::CreateProperty(id, withChoices);
}

// ---- automation ----

namespace {

using vx::DispArgs;
using vx::DispMethod;
using vx::Variant;
using T = Variant::Type;
using Ob = CBasePolyOb;

std::vector<vx::DispMember> Members() {
    return {
        DispMethod<Ob>("NumberOfPoints", 1345, T::Long, 0,
                       [](Ob& o, DispArgs) { return Variant(int32_t(o.PointCount())); }),
        DispMethod<Ob>("SetPoint", 1346, T::Empty, 3,
                       [](Ob& o, DispArgs a) {
                           const int32_t i = a[0].ToLong();
                           // A rotated polyline takes no vertices (and keeps
                           // the rectangle of its turned figure).
                           if (i < 0 || i >= o.PointCount() || o.IsRotated()) return Variant();
                           o.SetPointAt(i, a[1].ToLong(), a[2].ToLong());
                           o.Invalidate();
                           o.RecalcBounds(true);
                           o.Invalidate();
                           return Variant();
                       }),
        DispMethod<Ob>(
            "GetPointX", 1347, T::Long, 1,
            [](Ob& o, DispArgs a) { return Variant(int32_t(o.GetPointAt(a[0].ToLong()).x)); }),
        DispMethod<Ob>(
            "GetPointY", 1348, T::Long, 1,
            [](Ob& o, DispArgs a) { return Variant(int32_t(o.GetPointAt(a[0].ToLong()).y)); }),
    };
}

}  // namespace

const vx::DispatchTable& CBasePolyOb::DispatchTableOf() {
    static const vx::DispatchTable table(&C1DOb::DispatchTableOf(), Members());
    return table;
}

const vx::DispatchTable& CBasePolyOb::GetDispatchTable() const {
    return DispatchTableOf();
}
