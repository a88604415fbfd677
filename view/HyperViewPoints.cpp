// The edit view's edit-points mode: the "Edit Points" and "Open or Close"
// commands, presses that grab a vertex or a segment of the selected
// polyline, the vertex drag (event driven, with its band drawn over the
// page) and the cursor that says what a press would do.
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <cstdlib>

#include "command/CommandIds.h"
#include "model/HyperPage.h"
#include "view/HyperView.h"

using vx::edit::RefOf;

void CHyperView::InitPointCommands() {
    using namespace vx::cmd;
    commands_.On(
        kEditPoints, [this] { ToggleEditPoints(); },
        [this](CCmdUI& ui) {
            ui.Enable(IsEditMode() && PointEditingSelection());
            ui.SetCheck(m_bEditPoints);
        });
    commands_.On(
        kOpenOrClose, [this] { OpenOrCloseSelection(); },
        [this](CCmdUI& ui) {
            ui.Enable(IsEditMode() && PointEditingSelection());
            const CHyperOb* ob = PointEditingSelection() ? GetSingleSelection() : nullptr;
            ui.SetCheck(ob && !ob->IsClosed());
        });
}

CPointEditing* CHyperView::PointEditingSelection() {
    CHyperOb* ob = page() ? GetSingleSelection() : nullptr;
    if (!ob || !ob->CanEditPoints()) return nullptr;
    return dynamic_cast<CPointEditing*>(ob);
}

void CHyperView::ToggleEditPoints() {
    if (pointDrag_.active) FinishPointDrag(true);
    m_bEditPoints = !m_bEditPoints;
    if (m_bEditPoints)
        if (CHyperOb* ob = GetSingleSelection(); ob && ob->IsRotated())
            if (CPointEditing* pe = dynamic_cast<CPointEditing*>(ob)) {
                // Vertices of a turned figure cannot be set: the turn
                // becomes part of the figure.
                CEditScope scope(*this, EditKind::kEditPoints);
                if (pe->BakeRotation()) scope.Changed();
            }
    viewport()->update();
}

void CHyperView::OpenOrCloseSelection() {
    CPointEditing* pe = PointEditingSelection();
    if (!pe) return;
    CHyperOb* ob = GetSingleSelection();
    CEditScope scope(*this, EditKind::kEditPoints);
    const bool wasClosed = ob->IsClosed();
    pe->ToggleClosed(CPoint(-1, 1));
    if (ob->IsClosed() != wasClosed) scope.Changed();
    viewport()->update();
}

// ---- the press ----

bool CHyperView::EditPointsPress(CPoint client, bool control) {
    CHyperOb* ob = GetSingleSelection();
    if (!ob) return false;
    CPointEditing* pe = PointEditingSelection();
    CPointEditing::Grab grab;
    CPointEditing::Press press = CPointEditing::Press::kNothing;
    if (pe) {
        CEditScope scope(*this, EditKind::kEditPoints);
        press = pe->GrabPoint(ToPage(client), control, grab);
        if (press == CPointEditing::Press::kChanged) scope.Changed();
    }
    if (press == CPointEditing::Press::kNothing) {
        // Nothing of the object was hit: the mode ends.
        m_bEditPoints = false;
        viewport()->update();
        return false;
    }
    viewport()->update();
    if (press == CPointEditing::Press::kChanged) return true;
    pointDrag_ = PointDrag{};
    pointDrag_.active = true;
    pointDrag_.object = RefOf(*page(), page()->IndexOf(ob));
    pointDrag_.grab = grab;
    pointDrag_.point = grab.start;
    PageToClient(pointDrag_.point);
    lastClient_ = client;
    autoScroll_.Reset();
    autoScrollTimer_.start(vx::edit::CAutoScroll::PeriodMs(GetGridWidth(), Zoom()));
    return true;
}

// ---- the drag ----

CPoint CHyperView::AdjustDraggedPoint(CPoint q) const {
    const CSize client = ClientSize();
    if (client.cx > 0 && client.cy > 0) {
        q.x = std::clamp(q.x, 0, client.cx - 1);
        q.y = std::clamp(q.y, 0, client.cy - 1);
    }
    const int gx = GetSnapGridWidth(), gy = GetSnapGridHeight();
    if (gx < 2 || gy < 2) {
        // Without snapping the point lines up with a neighbour close by
        // (both count, also where the band has no segment to one).
        CPoint prev = pointDrag_.grab.prev, next = pointDrag_.grab.next;
        PageToClient(prev);
        PageToClient(next);
        if (std::abs(q.x - prev.x) < 5)
            q.x = prev.x;
        else if (std::abs(q.x - next.x) < 5)
            q.x = next.x;
        if (std::abs(q.y - prev.y) < 5)
            q.y = prev.y;
        else if (std::abs(q.y - next.y) < 5)
            q.y = next.y;
    } else if (!(lastMods_ & Qt::AltModifier)) {
        CPoint p = ToPage(q);
        p.x = vx::edit::SnapValue(p.x, gx);
        p.y = vx::edit::SnapValue(p.y, gy);
        PageToClient(p);
        q = p;
    }
    return q;
}

void CHyperView::UpdatePointDrag(CPoint client, bool redraw) {
    lastClient_ = client;
    const CPoint q = AdjustDraggedPoint(client);
    if (q == pointDrag_.point && !redraw) return;
    pointDrag_.point = q;
    pointDrag_.moved = true;
    viewport()->update();
}

void CHyperView::PointDragTick() {
    // The band's neighbours are kept in page units and follow the
    // scrolling; the point is adjusted again at the cursor.
    const CPoint dir = autoScroll_.Tick(lastClient_, ClientSize());
    if ((dir.x == 0 && dir.y == 0) || !HasScrollBars()) return;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const int hx = h->value(), vy = v->value();
    if (dir.x) h->setValue(hx + dir.x * h->singleStep());
    if (dir.y) v->setValue(vy + dir.y * v->singleStep());
    if (h->value() != hx || v->value() != vy) UpdatePointDrag(lastClient_, true);
}

void CHyperView::FinishPointDrag(bool cancelled) {
    autoScrollTimer_.stop();
    if (!pointDrag_.active) return;
    PointDrag drag = std::move(pointDrag_);
    pointDrag_ = PointDrag{};
    viewport()->update();
    // A cancelled drag leaves the object as it was.
    if (cancelled || !page()) return;
    CHyperOb* ob = selection_.ResolveOne(*page(), drag.object);
    CPointEditing* pe = ob ? dynamic_cast<CPointEditing*>(ob) : nullptr;
    if (!pe) return;
    // Released without ever moving: the point stays where it started (a
    // round trip through client pixels could shift it at some zooms).
    const CPoint to = drag.moved ? ToPage(drag.point) : drag.grab.start;
    CEditScope scope(*this, EditKind::kEditPoints);
    if (pe->ReleasePoint(drag.grab, to)) {
        scope.Changed();
        ReportPosition(ob->Rect());
    }
}

void CHyperView::PaintPointBand() {
    const CPointEditing::Grab& g = pointDrag_.grab;
    CPoint prev = g.prev, next = g.next;
    PageToClient(prev);
    PageToClient(next);
    const CPoint p = pointDrag_.point;
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, 2));
    if (g.prevSegment) painter.drawLine(prev.x, prev.y, p.x, p.y);
    if (g.nextSegment) painter.drawLine(p.x, p.y, next.x, next.y);
}

// ---- the cursor ----

bool CHyperView::SetEditPointsCursor(CPoint page, bool control) {
    CPointEditing* pe = PointEditingSelection();
    if (!pe) return false;
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (pe->HitPoint(page.x, page.y, control)) {
        case CPointEditing::Cursor::kNone:
            return false;
        case CPointEditing::Cursor::kDeleteVertex:
            shape = Qt::PointingHandCursor;
            break;
        case CPointEditing::Cursor::kInsertVertex:
            shape = Qt::CrossCursor;
            break;
        case CPointEditing::Cursor::kMoveVertex:
            shape = Qt::SizeAllCursor;
            break;
    }
    viewport()->setCursor(shape);
    return true;
}
