// Drawing of page objects: the common control flow around each shape's own
// figure, handles and rotated outlines.
#include "model/HyperOb.h"
#include "model/GroupInfo.h"
#include "model/HyperPage.h"
#include "model/SnapList.h"
#include "platform/DC.h"

void CHyperOb::Draw(CDC& dc) {
    if (placeholder_) {
        dc.FillSolidRect(Rect(), vx::GetSysColor(vx::SysColor::ButtonText));
        return;
    }
    if (!IsVisible()) return;
    textRects_[0].SetRectEmpty();
    textRects_[1].SetRectEmpty();
    DrawShape(dc);
    for (auto& sub : subObjects_) sub->Draw(dc);
    if ((!view_ || view_->editMode) && tracker_ && tracker_->IsSelected() && !dc.IsPrinting() &&
        (!view_ || !view_->link() || view_->link()->IsActive()))
        DrawTracker(dc);
}

void CHyperOb::DrawPrintClip(CDC& dc, int /*a*/) {
    if (dc.IsPrinting()) dc.IntersectClipRect(GetInvalidRect(&dc));
}

void CHyperOb::DrawTracker(CDC& dc) {
    if (!tracker_) return;
    // Handles are a fixed number of pixels whatever the zoom.
    const int zoom = view_ && view_->link() ? std::max(1, view_->link()->Zoom()) : 100;
    const int handle = std::max(1, tracker_->handleSize * 100 / zoom);
    const bool dominant = (tracker_->style & 0x80) == 0;
    const COLORREF fill = dominant ? vx::RGB(0, 0, 0) : vx::RGB(255, 255, 255);
    for (int code = 0; code < 8; ++code) {
        const CRect h = tracker_->HandleRect(code, handle);
        dc.FillSolidRect(h, fill);
        dc.FrameRect(h, vx::RGB(0, 0, 0));
    }
}

void CHyperOb::DrawOutline(CDC& dc) {
    if (rotatedOutline_.empty()) RecalcOutline();
    dc.Polygon(rotatedOutline_.data(), int(rotatedOutline_.size()));
}

CRect CHyperOb::GetInvalidRect(CDC* /*dc*/) {
    CRect r = Rect().Normalized();
    if (CGroupInfo* g = groupInfo()) r.UnionRect(r, g->rect.Normalized());
    if (CSnapList* list = GetSnapList(false)) {
        const CSize m = list->GetExtent();
        const int grow = std::max(m.cx, m.cy);
        r.InflateRect(grow, grow);
    }
    return r;
}

CRect CHyperOb::GetRect(CDC* dc) const {
    CRect r = tracker_ ? tracker_->rect : CRect(0, 0, 50, 50);
    if (dc && !dc->IsPrinting()) dc->LPtoDP(r);
    return r;
}
