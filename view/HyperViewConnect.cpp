// Connectors in the edit view: dragging an end of the selected connector
// onto (or off) a snap point, and drawing a new connector from end to end.
// Both work through the connection record (end 0 is the first point of the
// path, end 1 the last); the connector reroutes itself when it is updated.
#include <algorithm>
#include <cstdlib>

#include "model/Connection.h"
#include "model/HyperPage.h"
#include "model/ObTracker.h"
#include "view/HyperView.h"

using vx::edit::DragKind;
using vx::edit::RefOf;
using vx::edit::TrackParams;

namespace {

// Corner codes of the drag rectangle that carry the two ends.
constexpr int kEnd0Corner = 0;
constexpr int kEnd1Corner = 2;

}  // namespace

int CHyperView::ConnectorEndAt(CHyperOb& ob, CPoint p) const {
    CConnection* conn = ob.IsConnector() ? ob.GetConnection() : nullptr;
    CPoint e[2];
    if (!conn || !conn->GetEnds(e[0], e[1])) return -1;
    // The end markers keep their pixel size at every zoom.
    const int handle = ob.GetTracker() ? ob.GetTracker()->handleSize : 7;
    const int half = std::max(2, handle * 100 / std::max(1, Zoom()) / 2 + 1);
    for (int k = 0; k < 2; ++k)
        if (std::abs(p.x - e[k].x) <= half && std::abs(p.y - e[k].y) <= half) return k;
    return -1;
}

bool CHyperView::ConnectorPress(CPoint p) {
    CHyperOb* ob = GetSingleSelection();
    if (!ob || !ob->IsConnector() || !m_bCanResize || !ob->CanResize()) return false;
    const int k = ConnectorEndAt(*ob, p);
    if (k >= 0) {
        BeginConnectorEndDrag(*ob, k, p);
        return true;
    }
    // The rectangle's handles mean nothing for a routed path: a press on
    // one moves the connector like a press on its path.
    const int h = HitCode(*ob, p);
    if (h >= 0 && h < vx::kHitInside && m_bCanMove) {
        BeginObjectDrag(ob, vx::kHitInside, p, false);
        return true;
    }
    return false;
}

void CHyperView::BeginConnectorEndDrag(CHyperOb& ob, int k, CPoint p) {
    CPoint e0, e1;
    ob.GetConnection()->GetEnds(e0, e1);
    TrackParams params;
    // A straight line from end 0 to end 1 stands in for the path while the
    // end is dragged; it snaps like any line end.
    params.start = CRect(e0.x, e0.y, e1.x, e1.y);
    params.handle = k == 0 ? kEnd0Corner : kEnd1Corner;
    params.minSize = CSize(1, 1);
    params.usable = GetUsableRect(true);
    params.grid = Grid();
    params.alt = lastMods_ & Qt::AltModifier;
    params.isLine = true;
    params.allowsInverting = true;
    target_ = DragTarget{};
    target_.object = RefOf(*page(), page()->IndexOf(&ob));
    target_.connectorEnd = k;
    drag_.Begin(DragKind::kLineEnd, p, params);
}

void CHyperView::FinishConnectorEndDrag() {
    CHyperOb* ob = page() ? selection_.ResolveOne(*page(), target_.object) : nullptr;
    if (!ob || !drag_.Changed()) return;
    CConnection* conn = ob->GetConnection();
    if (!conn) return;
    const CRect r = drag_.rect();
    // "Snap/Unsnap": the end was dragged; the update snaps both ends to the
    // points they now lie on and reroutes the path.
    CEditScope scope(*this, EditKind::kSnap);
    const int k = target_.connectorEnd;
    conn->DetachEnd(k);
    conn->SetEnds(CPoint(r.left, r.top), CPoint(r.right, r.bottom));
    ob->Update(1, 0);
    scope.Changed();
    ReportPosition(ob->Rect());
}

void CHyperView::PlaceNewConnector(CHyperOb& ob, const CRect& band) {
    CConnection* conn = ob.GetConnection();
    if (!conn) return;
    // The press is end 0, the release end 1; the rectangle follows the ends.
    const CPoint e0(band.left, band.top), e1(band.right, band.bottom);
    ob.SetRect(CRect(std::min(e0.x, e1.x), std::min(e0.y, e1.y), std::max(e0.x, e1.x) + 1,
                     std::max(e0.y, e1.y) + 1));
    conn->SetEnds(e0, e1);
}
