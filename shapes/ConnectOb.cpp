#include "shapes/ConnectOb.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

#include "command/CommandIds.h"
#include "model/AnchorFmt.h"
#include "model/Archive.h"
#include "model/DumpContext.h"
#include "model/GroupInfo.h"
#include "model/HyperPage.h"
#include "model/PropChoice.h"
#include "model/PropItems.h"
#include "model/PropOb.h"
#include "model/SnapList.h"
#include "platform/DC.h"
#include "platform/PainterDC.h"
#include "shapes/ShapePropIds.h"
#include "shapes/TextMeasure.h"

VX_IMPLEMENT_SERIAL(CConnectL0, CBasePolyOb, 0)
VX_IMPLEMENT_SERIAL(CConnectOb, CConnectL0, 0)

namespace P = vx::prop;

using vx::shapes::AlignFormat;
using vx::shapes::CanMeasureText;
using vx::shapes::MeasureSurface;

namespace {

// Cross product sign of (b - a) x (c - a), in 64 bits.
int Orientation(CPoint a, CPoint b, CPoint c) {
    // Differences of 32-bit coordinates need 33 bits, their products 66.
    const __int128 v = __int128(int64_t(b.x) - a.x) * (int64_t(c.y) - a.y) -
                       __int128(int64_t(b.y) - a.y) * (int64_t(c.x) - a.x);
    return (v > 0) - (v < 0);
}

bool OnSegment(CPoint a, CPoint b, CPoint p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

bool SegmentsCross(CPoint a, CPoint b, CPoint c, CPoint d) {
    const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
    const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
    if (o1 != o2 && o3 != o4) return true;
    return (o1 == 0 && OnSegment(a, b, c)) || (o2 == 0 && OnSegment(a, b, d)) ||
           (o3 == 0 && OnSegment(c, d, a)) || (o4 == 0 && OnSegment(c, d, b));
}

// The rectangle holds p, its right and bottom edges included.
bool Holds(const CRect& r, CPoint p) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

}  // namespace

// ---- the connection record ----

bool CConnectorConnection::GetEnds(CPoint& end0, CPoint& end1, int /*direction*/) const {
    const auto* c = DynamicDowncast<CConnectL0>(owner());
    if (!c || c->PointCount() == 0) return false;
    end0 = c->EndAt(0);
    end1 = c->EndAt(1);
    return true;
}

void CConnectorConnection::SetEnds(CPoint end0, CPoint end1, int, int) {
    auto* c = DynamicDowncast<CConnectL0>(owner());
    if (!c || c->PointCount() == 0) return;
    std::vector<CPoint> pts;
    pts.reserve(size_t(c->PointCount()));
    for (int i = 0; i < c->PointCount(); ++i) pts.push_back(c->GetPointAt(i));
    if (pts.size() == 1) pts.push_back(pts.front());
    pts.front() = end0;
    pts.back() = end1;
    c->SetPagePoints(pts);
}

// ---- CConnectL0 ----

CConnectL0::CConnectL0() {
    linkFlag_ = 1;
    EnsureTracker();
}

int CConnectL0::GetToolStringId() const {
    return vx::tool::kConnector;
}

CPoint CConnectL0::EndAt(int k) const {
    if (outline_.empty()) return CPoint(0, 0);
    // Stored vertices may lie anywhere: the sum saturates.
    return CentreOf() + ((k & 1) ? outline_.back() : outline_.front());
}

const CSnapPoint* CConnectL0::SnapPointOf(int k) const {
    const CConnection::End& e = conn_.ends[k & 1];
    if (!e.IsAttached() || !view_) return nullptr;
    CHyperOb* target = view_->FindObjectByCode(e.target);
    CSnapList* list = target ? target->GetSnapList(false) : nullptr;
    return list ? list->set().FindById(e.point) : nullptr;
}

CRect CConnectL0::RoutingArea(const CHyperPage& page) {
    CSize size(650, 800);
    const CHyperViewOb* pob = page.pageObject();
    if (pob) size = CSize(pob->scrollWidth, pob->scrollHeight);
    const bool scrolls = pob && pob->scrollBars != 0;
    if (!scrolls && page.link()) {
        const CSize client = page.link()->ClientSize();
        if (client.cx > 0 && client.cy > 0) size = client;
    }
    const CRect& g = page.guidelines;
    return CRect(std::max(0, g.left), std::max(0, g.top), size.cx - std::max(0, g.right),
                 size.cy - std::max(0, g.bottom));
}

void CConnectL0::Reroute(const CSnapPoint* snap) {
    CHyperPage* page = view_;
    if (!page || outline_.empty() || routing_) return;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(routing_);

    vx::route::SceneKey key;
    key.owner = page;
    key.revision = page->geometryRevision();
    key.grid = CSize(std::max(1, page->gridSpacing.cx), std::max(1, page->gridSpacing.cy));
    key.page = RoutingArea(*page);
    auto& router = vx::route::CRouter::Instance();
    // Runs only when the page's placement changed since the last route:
    // one pass over the page, each group once with its group rectangle.
    router.Prepare(key, [page] {
        std::vector<CRect> rects;
        rects.reserve(page->Count());
        std::unordered_map<int, CRect> groups;
        for (const auto& ob : page->objects())
            if (ob->groupId() >= 0 && ob->groupInfo())
                groups.emplace(ob->groupId(), ob->groupInfo()->rect.Normalized());
        std::unordered_set<int> seen;
        for (const auto& ob : page->objects()) {
            if (ob->IsLine()) continue;
            if (ob->groupId() >= 0) {
                if (auto g = groups.find(ob->groupId()); g != groups.end()) {
                    if (seen.insert(ob->groupId()).second) rects.push_back(g->second);
                    continue;
                }
            }
            rects.push_back(ob->Rect().Normalized());
        }
        return rects;
    });

    const CSnapPoint* p1 = SnapPointOf(1);
    const CSnapPoint* p0 = SnapPointOf(0);
    const vx::route::RouteEnd s{EndAt(1), p1 ? p1->SafeType() : vx::route::kFreeEnd};
    const vx::route::RouteEnd e{EndAt(0), p0 ? p0->SafeType() : vx::route::kFreeEnd};
    const uint32_t both = CHyperPage::kSnapToGrid | CHyperPage::kSnapToCentre;
    const bool toCentre = (page->gridFlags & both) == both;
    vx::route::RouteResult r = router.Route(s, e, snap ? snap->gridOffset : 0, toCentre);
    if (r.points.size() < 2 || r.points.size() > kMaxPoints) return;
    // The ends stay exactly where they hang, whatever the router did.
    r.points.front() = e.at;
    r.points.back() = s.at;
    Invalidate(nullptr);
    SetPagePoints(r.points);
    lastRouteKind_ = r.kind;
    ++routeCount_;
    Invalidate(nullptr);
}

void CConnectL0::Update(int recalc, int hint) {
    if (!GetTracker()) EnsureTracker();
    if (CanResize()) RecalcBounds(true);
    CBasePolyOb::Update(recalc, hint);
    if (routing_ || recalc == 0 || recalc == 2 || !IsRouted() || !view_ || view_->loading ||
        groupId() >= 0)
        return;
    // While the user edits vertices by hand the connector keeps its path.
    if (const CViewLink* link = view_->link(); link && link->IsEditingPoints()) return;
    RefreshAttachColour();
    Reroute(SnapPointOf(conn_.ends[0].IsAttached() ? 0 : 1));
    // The path changed: the handles and repaint area follow, without
    // routing again.
    const bool was = routing_;
    routing_ = true;
    CBasePolyOb::Update(recalc, hint);
    routing_ = was;
}

void CConnectL0::RecalcHandles() {
    CObTracker* t = GetTracker();
    if (!t) return;
    if (!view_ || !view_->loading) {
        RecalcBounds(true);
        if (conn_.Resnap(false)) Invalidate(nullptr);
        conn_.visitedMark = 0;
        t->currentHandle = -1;
    }
    t->resizeRect = t->rect;
}

int CConnectL0::HitTest(int x, int y) {
    const int hit = CBasePolyOb::HitTest(x, y);
    if (hit != vx::kHitInside && hit != vx::kHitNone && CanResize()) return hit;
    // The path decides, also just outside a rectangle one unit high or wide.
    return HitBody(x, y, vx::kHitInside);
}

bool CConnectL0::IntersectsRect(const CRect& rIn) const {
    if (outline_.empty()) return CBasePolyOb::IntersectsRect(rIn);
    CRect r = rIn.Normalized();
    r.InflateRect(1, 1);
    const CPoint c = CentreOf();
    std::vector<CPoint> pts;
    pts.reserve(outline_.size());
    for (const CPoint& p : outline_) pts.emplace_back(vx::AddSat(c.x, p.x), vx::AddSat(c.y, p.y));
    for (const CPoint& p : pts)
        if (Holds(r, p)) return true;
    const CPoint corners[4] = {r.TopLeft(), CPoint(r.right, r.top), r.BottomRight(),
                               CPoint(r.left, r.bottom)};
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        for (int k = 0; k < 4; ++k)
            if (SegmentsCross(pts[i], pts[i + 1], corners[k], corners[(k + 1) % 4])) return true;
    return false;
}

void CConnectL0::DrawShape(CDC& dc) {
    if (drawingSuppressed_) return;
    CBasePolyOb::DrawShape(dc);
}

void CConnectL0::DrawTracker(CDC& dc) {
    const CObTracker* t = GetTracker();
    if (!t || outline_.empty()) return;
    // One square marker on each end, a fixed number of pixels at any zoom.
    const int zoom = view_ && view_->link() ? std::max(1, view_->link()->Zoom()) : 100;
    const int size = std::max(1, t->handleSize * 100 / zoom);
    const bool dominant = (t->style & 0x80) == 0;
    for (int k = 0; k < 2; ++k) {
        const CPoint p = EndAt(k);
        const CRect m(vx::SubSat(p.x, size / 2), vx::SubSat(p.y, size / 2),
                      vx::AddSat(p.x, size - size / 2), vx::AddSat(p.y, size - size / 2));
        dc.FillSolidRect(m, dominant ? vx::RGB(0, 0, 0) : vx::RGB(255, 255, 255));
        dc.FrameRect(m, vx::RGB(0, 0, 0));
    }
}

void CConnectL0::ApplyViewDefaults() {
    SetRect(CRect(50, 50, 100, 100));
    GetTracker()->unrotatedRect = Rect();
    if (outline_.empty()) outline_ = {CPoint(25, 25), CPoint(-25, -25)};
    C1DOb::ApplyViewDefaults();
}

void CConnectL0::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CBasePolyOb::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CConnectL0>(&other)) {
        freeEndAllowance_ = o->freeEndAllowance_;
        drawingSuppressed_ = o->drawingSuppressed_;
    }
}

void CConnectL0::Serialize(CArchive& ar) {
    SerializeBase(ar);
    SerializePoly(ar);
    SerializeConnector(ar);
}

void CConnectL0::SerializeConnector(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteInt32(attachColour_);
        return;
    }
    if (ar.ReadVersion("CConnectL0") >= 0) attachColour_ = ar.ReadInt32();
}

void CConnectL0::Dump(CDumpContext& dc) const {
    CBasePolyOb::Dump(dc);
    dc.Field("ends", CRect(EndAt(0).x, EndAt(0).y, EndAt(1).x, EndAt(1).y));
}

// ---- CConnectOb ----

const std::array<CHyperDrawOb::Choice, 3> CConnectOb::kAlignChoices = {
    {{"0 - Left", kLeft}, {"1 - Center", kCentre}, {"2 - Right", kRight}}};

CPoint CConnectOb::LabelAnchor() const {
    if (outline_.empty()) return CentreOf();
    const CPoint c = CentreOf();
    const size_t n = outline_.size();
    if (n == 1) return CPoint(vx::AddSat(c.x, outline_[0].x), vx::AddSat(c.y, outline_[0].y));
    int64_t total = 0;
    for (size_t i = 0; i + 1 < n; ++i)
        total += int64_t(std::hypot(double(outline_[i + 1].x) - outline_[i].x,
                                    double(outline_[i + 1].y) - outline_[i].y));
    int64_t sum = 0;
    size_t seg = n - 2;
    for (size_t i = 0; i + 1 < n; ++i) {
        sum += int64_t(std::hypot(double(outline_[i + 1].x) - outline_[i].x,
                                  double(outline_[i + 1].y) - outline_[i].y));
        if (2 * sum > total) {
            seg = i;
            break;
        }
    }
    const int64_t mx = (int64_t(outline_[seg].x) + outline_[seg + 1].x) / 2;
    const int64_t my = (int64_t(outline_[seg].y) + outline_[seg + 1].y) / 2;
    return CPoint(vx::AddSat(c.x, mx), vx::AddSat(c.y, my));
}

CRect CConnectOb::LabelRect() const {
    if (text_.empty() || !CanMeasureText()) return CRect();
    CPainterDC dc(&MeasureSurface());
    LOGFONT lf = GetLogFont(true);
    lf.lfEscapement = lf.lfOrientation = 0;
    dc.SaveDC();
    dc.SelectObject(CFont(lf));
    const CObTracker* t = GetTracker();
    CRect r(0, 0, std::max(1, t ? t->rect.Width() : 1), 0);
    dc.DrawText(text_, r, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT | AlignFormat(alignment_));
    dc.RestoreDC(-1);
    const CPoint p = LabelAnchor();
    const int w = r.Width(), h = r.Height();
    return CRect(vx::SubSat(p.x, w / 2), vx::SubSat(p.y, h / 2), vx::AddSat(p.x, w - w / 2),
                 vx::AddSat(p.y, h - h / 2));
}

void CConnectOb::Update(int recalc, int hint) {
    const CRect before = LabelRect();
    CConnectL0::Update(recalc, hint);
    if (!view_) return;
    // The label may lie outside the path's rectangle.
    if (!before.IsRectEmpty()) view_->Invalidate(before);
    const CRect after = LabelRect();
    if (!after.IsRectEmpty()) view_->Invalidate(after);
}

int CConnectOb::HitTest(int x, int y) {
    const int hit = CConnectL0::HitTest(x, y);
    if (hit != vx::kHitNone) return hit;
    const CRect label = LabelRect();
    return (!label.IsRectEmpty() && label.PtInRect(CPoint(x, y))) ? vx::kHitInside : vx::kHitNone;
}

CRect CConnectOb::GetInvalidRect(CDC* dc) {
    CRect r = CConnectL0::GetInvalidRect(dc);
    const CRect label = LabelRect();
    if (!label.IsRectEmpty()) r.UnionRect(r, label);
    return r;
}

int CConnectOb::GetEditStyle() const {
    switch (alignment_) {
        case kLeft:
            return 0;
        case kRight:
            return 2;
        default:
            return 1;
    }
}

void CConnectOb::DrawLabel(CDC& dc) {
    const CRect r = LabelRect();
    if (r.IsRectEmpty()) return;
    setTextRect(0, r);
    LOGFONT lf = GetLogFont(true);
    lf.lfEscapement = lf.lfOrientation = 0;
    dc.SaveDC();
    dc.FillSolidRect(r, GetPageColor());
    dc.SelectObject(CFont(lf));
    dc.SetTextColor(GetForeColor());
    dc.SetBkMode(TRANSPARENT);
    CRect t = r;
    dc.DrawText(text_, t, DT_WORDBREAK | DT_NOPREFIX | AlignFormat(alignment_));
    dc.RestoreDC(-1);
}

void CConnectOb::DrawShape(CDC& dc) {
    if (drawingSuppressed()) return;
    CConnectL0::DrawShape(dc);
    // The label is drawn at the page's scale at every zoom (no off-screen
    // copy below 100 percent).
    if (!text_.empty()) DrawLabel(dc);
}

void CConnectOb::ApplyViewDefaults() {
    CConnectL0::ApplyViewDefaults();
    if (const CDrawDefaults* d = view_ && view_->link() ? view_->link()->DrawDefaults() : nullptr;
        d && d->enabled)
        alignment_ = d->textAlignment;
}

std::unique_ptr<CPropOb> CConnectOb::CreateProperty(int id, bool withChoices) {
    switch (id) {
        case P::kText:
            return std::make_unique<CPropStr>(id, &text_);
        case P::kAlignment: {
            auto item = std::make_unique<CPropCombo>(id, &alignment_);
            if (withChoices)
                for (const auto& c : kAlignChoices) item->AddChoice(c.text, c.value);
            return item;
        }
        default:
            return CConnectL0::CreateProperty(id, withChoices);
    }
}

void CConnectOb::AddProperties(CPropList& list, bool withChoices) {
    CConnectL0::AddProperties(list, withChoices);
    list.Add(CreateProperty(P::kText, withChoices));
    list.Add(CreateProperty(P::kAlignment, withChoices));
}

void CConnectOb::CopyFrom(const CHyperOb& other) {
    if (this == &other) return;
    CConnectL0::CopyFrom(other);
    if (const auto* o = DynamicDowncast<CConnectOb>(&other)) {
        text_ = o->text_;
        alignment_ = o->alignment_;
    }
}

void CConnectOb::Serialize(CArchive& ar) {
    CConnectL0::Serialize(ar);
    SerializeLabel(ar);
}

void CConnectOb::SerializeLabel(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteVersion(0);
        ar.WriteString(text_);
        ar.WriteInt32(alignment_);
        font().Serialize(ar);
        ar.WriteInt32(foreColorField());
        return;
    }
    if (ar.ReadVersion("CConnectOb") < 0) return;
    text_ = ar.ReadString();
    alignment_ = ar.ReadInt32();
    font().Serialize(ar);
    SetForeColor(ar.ReadInt32());
}

void CConnectOb::Dump(CDumpContext& dc) const {
    CConnectL0::Dump(dc);
    dc.Field("Text", text_);
    dc.Field("Alignment", int64_t(alignment_));
}
