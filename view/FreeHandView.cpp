#include "view/FreeHandView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "command/CommandIds.h"
#include "edit/Stroke.h"
#include "edit/Tracking.h"
#include "model/HyperPage.h"

namespace {

CPoint ClientPoint(const QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    return CPoint(p.x(), p.y());
}

}  // namespace

CFreeHandView::CFreeHandView(QWidget* parent) : CHyperView(parent) {
    commands_.On(
        vx::cmd::kFreehandMode, [this] { SetFreehandMode(!freehandMode_); },
        [this](CCmdUI& ui) {
            ui.Enable(IsEditMode());
            ui.SetCheck(IsEditMode() && freehandMode_);
        });
    // Picking another tool ends a chain with what was drawn.
    connect(this, &CHyperView::toolChanged, this, [this](int tool) {
        if (m_nCreating > 0 && tool != partsTool_) FinishParts();
    });
}

CFreeHandView::~CFreeHandView() {
    DropParts();
}

void CFreeHandView::OnInitialUpdate() {
    // A new page: what was being drawn belonged to the old one.
    stroking_ = false;
    stroke_.clear();
    DropParts();
    CHyperView::OnInitialUpdate();
}

void CFreeHandView::SetFreehandMode(bool on) {
    freehandMode_ = on;
    viewport()->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
}

// ---- input ----

bool CFreeHandView::StartsStroke() const {
    return IsEditMode() && page() && (freehandMode_ || CurrentTool() == vx::tool::kFreehand);
}

void CFreeHandView::mousePressEvent(QMouseEvent* e) {
    const CPoint client = ClientPoint(e);
    if (stroking_) {
        // The right button ends the stroke at its position.
        if (e->button() == Qt::RightButton) {
            AppendStrokePoint(client);
            EndStroke(false);
        }
        e->accept();
        return;
    }
    if (m_nCreating > 0) {
        // Parts are made on release; the right button drops the chain.
        if (e->button() == Qt::RightButton) {
            CancelParts();
            tools().ReturnToSelect();
        }
        e->accept();
        return;
    }
    const bool plain = !(e->modifiers() & Qt::AltModifier);
    if (e->button() == Qt::LeftButton && plain && StartsStroke()) {
        BeginStroke(client);
        e->accept();
        return;
    }
    if (e->button() == Qt::LeftButton && plain && IsEditMode() && page() &&
        IsMultiPartTool(CurrentTool())) {
        BeginParts(client, CurrentTool());
        e->accept();
        return;
    }
    CHyperView::mousePressEvent(e);
}

void CFreeHandView::mouseMoveEvent(QMouseEvent* e) {
    if (stroking_) {
        AppendStrokePoint(ClientPoint(e));
        return;
    }
    if (m_nCreating > 0) {
        const CPoint p = PartPoint(ClientPoint(e));
        if (p != partCursor_) {
            partCursor_ = p;
            viewport()->update();
        }
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    CHyperView::mouseMoveEvent(e);
    if (freehandMode_ && IsEditMode()) viewport()->setCursor(Qt::CrossCursor);
}

void CFreeHandView::mouseReleaseEvent(QMouseEvent* e) {
    if (stroking_ && e->button() == Qt::LeftButton) {
        AppendStrokePoint(ClientPoint(e));
        EndStroke(false);
        e->accept();
        return;
    }
    if (m_nCreating > 0) {
        if (e->button() == Qt::LeftButton) AddPart(ClientPoint(e));
        e->accept();
        return;
    }
    CHyperView::mouseReleaseEvent(e);
}

void CFreeHandView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (stroking_) {
        e->accept();
        return;
    }
    if (m_nCreating > 0) {
        if (e->button() == Qt::LeftButton) {
            AddPart(ClientPoint(e));
            FinishParts();
        } else {
            CancelParts();
            tools().ReturnToSelect();
        }
        e->accept();
        return;
    }
    CHyperView::mouseDoubleClickEvent(e);
}

void CFreeHandView::keyPressEvent(QKeyEvent* e) {
    if (stroking_) {
        EndStroke(e->key() == Qt::Key_Escape);
        return;
    }
    if (m_nCreating > 0) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            FinishParts();
        } else if (e->key() == Qt::Key_Escape) {
            CancelParts();
            tools().ReturnToSelect();
        }
        return;
    }
    CHyperView::keyPressEvent(e);
}

// ---- freehand strokes ----

CPoint CFreeHandView::LimitToUsable(CPoint client) const {
    CRect u = GetUsableRect(true);
    PageToClient(u);
    u.NormalizeRect();
    if (u.IsRectEmpty()) return client;
    client.x = std::clamp(client.x, u.left, std::max(u.left, u.right - 1));
    client.y = std::clamp(client.y, u.top, std::max(u.top, u.bottom - 1));
    return client;
}

void CFreeHandView::BeginStroke(CPoint client) {
    setFocus(Qt::MouseFocusReason);
    CloseInlineEditor(true);
    stroking_ = true;
    stroke_.clear();
    stroke_.push_back(LimitToUsable(client));
    viewport()->setCursor(Qt::CrossCursor);
    viewport()->update();
}

void CFreeHandView::AppendStrokePoint(CPoint client) {
    const CPoint p = LimitToUsable(client);
    if (!stroke_.empty() && stroke_.back() == p) return;
    // A polyline holds so many vertices: the stroke's end then moves.
    if (stroke_.size() >= vx::edit::kMaxStrokePoints)
        stroke_.back() = p;
    else
        stroke_.push_back(p);
    viewport()->update();
}

void CFreeHandView::EndStroke(bool cancelled) {
    stroking_ = false;
    const std::vector<CPoint> stroke = std::move(stroke_);
    stroke_.clear();
    viewport()->update();
    const std::vector<CPoint> kept =
        cancelled ? std::vector<CPoint>{} : vx::edit::FinishStroke(stroke, m_closingDistance);
    if (kept.size() >= 2 && page()) {
        BeginSelectionBatch();
        if (std::unique_ptr<CHyperOb> ob = CombineSelection({})) {
            ob->AttachToView(page(), nullptr, true);
            CRect bounds(stroke.front().x, stroke.front().y, stroke.front().x, stroke.front().y);
            for (const CPoint& p : stroke) {
                bounds.left = std::min(bounds.left, p.x), bounds.top = std::min(bounds.top, p.y);
                bounds.right = std::max(bounds.right, p.x),
                bounds.bottom = std::max(bounds.bottom, p.y);
            }
            ClientToPage(bounds);
            ob->SetRect(bounds);
            std::vector<CPoint> pts;
            pts.reserve(kept.size());
            for (CPoint p : kept) {
                ClientToPage(p);
                pts.push_back(p);
            }
            // The rectangle becomes the bounds of the kept points.
            if (ob->SetPagePoints(pts)) AddObject(std::move(ob), true, false);
        }
        SelectionChanged();
        EndSelectionBatch();
        freehandMode_ = false;
    }
    viewport()->setCursor(freehandMode_ ? Qt::CrossCursor : Qt::ArrowCursor);
    tools().ReturnToSelect();
}

// ---- multi-part creation ----

CPoint CFreeHandView::PartPoint(CPoint client) const {
    CPoint p = LimitToUsable(client);
    ClientToPage(p);
    if (IsSnapToGrid()) {
        p.x = vx::edit::SnapValue(p.x, GetSnapGridWidth());
        p.y = vx::edit::SnapValue(p.y, GetSnapGridHeight());
    }
    return p;
}

void CFreeHandView::BeginParts(CPoint client, int tool) {
    setFocus(Qt::MouseFocusReason);
    CloseInlineEditor(true);
    DeselectAll(false);
    DropParts();
    m_nCreating = 1;
    partsTool_ = tool;
    m_ptCreateAnchor = PartPoint(client);
    partCursor_ = m_ptCreateAnchor;
    viewport()->update();
}

void CFreeHandView::AddPart(CPoint client) {
    if (m_nCreating <= 0 || !page()) return;
    const CPoint end = PartPoint(client);
    std::unique_ptr<CHyperOb> part = CreateObjectForTool(partsTool_);
    if (!part) return;
    part->AttachToView(page(), nullptr, true);
    // Off the page until the chain ends: a part's end must not snap onto a
    // snap point (it would leave the next part's start and the chain, and
    // raise the point's count for a line that is never added).
    part->SetView(nullptr);
    const CSize min = part->GetTracker() ? part->GetTracker()->minSize : CSize(1, 1);
    // From the anchor to the end; a line takes the corners as its ends.
    part->SetRect(CRect(m_ptCreateAnchor.x, m_ptCreateAnchor.y, end.x, end.y));
    const CRect n = part->Rect().Normalized();
    // A part counts only when it is clearly larger than the smallest object.
    if (n.Width() <= min.cx + 4 && n.Height() <= min.cy + 4) return;
    if (!part->ConfirmCreation()) return;
    part->Update(1, 0);
    parts_.push_back(std::move(part));
    m_nCreating = int(parts_.size()) + 1;
    m_ptCreateAnchor = end;
    partCursor_ = end;
    viewport()->update();
}

void CFreeHandView::DropParts() {
    for (auto& part : parts_) part->DisconnectAll();
    parts_.clear();
    m_nCreating = 0;
}

void CFreeHandView::CancelParts() {
    if (m_nCreating <= 0) return;
    DropParts();
    viewport()->update();
}

void CFreeHandView::FinishParts() {
    if (m_nCreating <= 0) return;
    std::vector<std::unique_ptr<CHyperOb>> parts = std::move(parts_);
    parts_.clear();
    m_nCreating = 0;
    if (!parts.empty() && page()) {
        std::vector<CHyperOb*> list;
        for (auto& part : parts) list.push_back(part.get());
        BeginSelectionBatch();
        if (std::unique_ptr<CHyperOb> joined = CombineSelection(list)) {
            joined->AttachToView(page(), nullptr, true);
            joined->OnPointsReplaced(list);
            for (auto& part : parts) part->DisconnectAll();
            AddObject(std::move(joined), true, false);
        } else {
            // Not merged: the parts stay as they are, one step.
            CEditScope scope(*this, EditKind::kInsert);
            scope.Changed();
            DeselectAll(false);
            for (auto& part : parts) AddObject(std::move(part), false, false);
        }
        SelectionChanged();
        EndSelectionBatch();
    }
    viewport()->update();
    tools().ReturnToSelect();
}

// ---- painting ----

void CFreeHandView::DrawView(CDC& dc, const CRect& clip) {
    CHyperView::DrawView(dc, clip);
    // The parts of a chain being drawn, over the page's objects.
    for (auto& part : parts_) part->Draw(dc);
}

void CFreeHandView::paintEvent(QPaintEvent* e) {
    CHyperView::paintEvent(e);
    if (stroke_.empty() && m_nCreating <= 0) return;
    QPainter painter(viewport());
    painter.setPen(QPen(Qt::black, 1));
    if (!stroke_.empty()) {
        QPolygon line;
        for (const CPoint& p : stroke_) line << QPoint(p.x, p.y);
        painter.drawPolyline(line);
    }
    if (m_nCreating > 0 && partCursor_ != m_ptCreateAnchor) {
        // The part the next release would add.
        CPoint a = m_ptCreateAnchor, b = partCursor_;
        PageToClient(a);
        PageToClient(b);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawLine(a.x, a.y, b.x, b.y);
    }
}
