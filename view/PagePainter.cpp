#include "view/PagePainter.h"

#include <vector>

#include <algorithm>
#include <cmath>

#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/SnapList.h"
#include "platform/PainterDC.h"

namespace {

int Zoomed(int v, int zoom) { return int(int64_t(v) * zoom / 100); }

}  // namespace

CPrintColourScope::CPrintColourScope(CHyperViewOb* ob) : ob_(ob) {
    if (ob_) saved_ = std::exchange(ob_->color, vx::RGB(255, 255, 255));
}

CPrintColourScope::~CPrintColourScope() {
    if (ob_) ob_->color = saved_;
}

bool CPagePainter::Scrolls() const { return page_.pageObject() && page_.pageObject()->scrollBars != 0; }

CSize CPagePainter::PageSize() const {
    const CHyperViewOb* ob = page_.pageObject();
    return ob ? CSize(ob->scrollWidth, ob->scrollHeight) : CSize();
}

void CPagePainter::PrepareScreenDC(CDC& dc, const CPaintContext& ctx) const {
    dc.SetMapMode(MM_ANISOTROPIC);
    const bool scrolls = Scrolls();
    const int zoom = scrolls ? std::max(1, ctx.zoom) : 100;
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(zoom, zoom);
    dc.SetWindowOrg(0, 0);
    dc.SetViewportOrg(scrolls ? CPoint(-ctx.scroll.x, -ctx.scroll.y) : CPoint());
}

double CPagePainter::PrintScale(const std::optional<double>& jobScale) const {
    if (jobScale && std::isfinite(*jobScale) && *jobScale > 0) return *jobScale;
    return page_.pageObject() ? page_.pageObject()->EffectivePrintScale() : 1.0;
}

void CPagePainter::PreparePrintDC(CDC& dc, const std::optional<double>& jobScale) const {
    const double scale = PrintScale(jobScale);
    const int px = dc.GetDeviceCaps(LOGPIXELSX), py = dc.GetDeviceCaps(LOGPIXELSY);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(kScreenDpi, kScreenDpi);
    const int vx = std::max(1, int(std::floor(px * scale + 0.5)));
    const int vy = std::max(1, int(std::floor(py * scale + 0.5)));
    dc.SetViewportExt(vx, vy);
}

void CPagePainter::EraseBackground(CDC& dc) const {
    const CHyperViewOb* ob = page_.pageObject();
    if (!ob) return;
    CRect box;
    dc.GetClipBox(box);
    const CBrush old = dc.SelectObject(CBrush(ob->GetColor()));
    dc.PatBlt(box.left, box.top, box.Width(), box.Height(), PATCOPY);
    dc.SelectObject(old);
}

void CPagePainter::DrawGrid(CDC& dc, const CPaintContext& ctx) const {
    if (!page_.editMode || !page_.pageObject()) return;
    const bool show = (page_.gridFlags & CHyperPage::kShowGrid) != 0;
    const int gw = show ? page_.gridSpacing.cx : 1;
    const int gh = show ? page_.gridSpacing.cy : 1;
    if (gw <= 1 || gh <= 1) return;

    const bool scrolls = Scrolls();
    const int zoom = scrolls ? std::max(1, ctx.zoom) : 100;
    CSize pageSize = ctx.client;
    CPoint oldOrg;
    if (scrolls) {
        pageSize = PageSize();
        oldOrg = dc.OffsetViewportOrg(-ctx.scroll.x, -ctx.scroll.y);
    } else {
        oldOrg = dc.GetViewportOrg();
    }
    CRect clip;
    dc.GetClipBox(clip);

    // Grid dots: the clipping box in page units, grown by a grid step and
    // started on grid lines.
    if (Zoomed(gw, zoom) > 4 && Zoomed(gh, zoom) > 4) {
        CRect box(int(int64_t(clip.left) * 100 / zoom), int(int64_t(clip.top) * 100 / zoom),
                  int(int64_t(clip.right) * 100 / zoom), int(int64_t(clip.bottom) * 100 / zoom));
        box.InflateRect(gw, gh);
        box.left -= box.left % gw;
        box.top -= box.top % gh;
        const int oldRop = dc.SetROP2(R2_NOT);
        const int64_t sx = int64_t(box.left) * zoom, sy = int64_t(box.top) * zoom;
        const int64_t stepX = int64_t(gw) * zoom, stepY = int64_t(gh) * zoom;
        std::vector<CPoint> dots;
        for (int64_t y = sy; y <= int64_t(box.bottom) * zoom; y += stepY)
            for (int64_t x = sx; x <= int64_t(box.right) * zoom; x += stepX) dots.emplace_back(int(x / 100), int(y / 100));
        dc.SetPixels(dots, 0);
        dc.SetROP2(oldRop);
    }

    const int oldBk = dc.SetBkMode(TRANSPARENT);
    const CRect& g = page_.guidelines;
    const CRect inner(Zoomed(g.left, zoom), Zoomed(g.top, zoom), Zoomed(pageSize.cx - g.right, zoom),
                      Zoomed(pageSize.cy - g.bottom, zoom));
    // Guidelines (blue) from the page's top and left to the visible area's edge.
    CPen old = dc.SelectObject(CPen(PS_DOT, 1, kGuideColor));
    if (g.top > 0) dc.MoveTo(0, inner.top), dc.LineTo(clip.right, inner.top);
    if (g.bottom > 0) dc.MoveTo(0, inner.bottom), dc.LineTo(clip.right, inner.bottom);
    if (g.left > 0) dc.MoveTo(inner.left, 0), dc.LineTo(inner.left, clip.bottom);
    if (g.right > 0) dc.MoveTo(inner.right, 0), dc.LineTo(inner.right, clip.bottom);
    // The page's right and bottom edges (red).
    if (scrolls) {
        dc.SelectObject(CPen(PS_DOT, 1, kEdgeColor));
        const int right = Zoomed(pageSize.cx, zoom), bottom = Zoomed(pageSize.cy, zoom);
        dc.MoveTo(right, clip.top);
        dc.LineTo(right, clip.bottom);
        dc.MoveTo(clip.left, bottom);
        dc.LineTo(clip.right, bottom);
    }
    dc.SelectObject(old);
    dc.SetBkMode(oldBk);
    dc.SetViewportOrg(oldOrg);
}

std::vector<CHyperOb*> CPagePainter::DrawObjects(CDC& dc, const CRect& clip, const CPaintContext& ctx) const {
    std::vector<CHyperOb*> drawn;
    const bool printing = dc.IsPrinting();
    for (size_t i = page_.Count(); i-- > 0;) {
        CHyperOb* ob = page_.At(i);
        if (!ob->IsVisible()) continue;
        CRect r = ob->GetInvalidRect(&dc);
        dc.LPtoDP(r);
        r.NormalizeRect();
        r.InflateRect(1, 1);
        const bool inBand = !ctx.printBand || r.Intersects(*ctx.printBand);
        if (!(printing ? inBand : r.Intersects(clip))) {
            drawn.push_back(ob);
            continue;
        }
        ob->Draw(dc);
        // The repaint area holds the snap points too (GetInvalidRect).
        if (ctx.zoom >= 50 && ctx.showSnapPoints && !printing && ob->GetSnapList(false)) DrawSnapPoints(dc, *ob);
        drawn.push_back(ob);
    }
    return drawn;
}

void CPagePainter::DrawSnapPoints(CDC& dc, CHyperOb& ob) const {
    CSnapList* list = ob.GetSnapList(false);
    if (!list || list->IsEmpty()) return;
    dc.SaveDC();
    // Squares are screen pixels whatever the zoom: draw in device units.
    std::vector<std::pair<CPoint, COLORREF>> points;
    for (size_t i = 0; i < list->Count(); ++i) {
        const CSnapPoint* sp = list->set().point(i);
        if (!sp) continue;
        COLORREF colour = -1;
        CPoint p = list->Position(*sp, &colour);
        dc.LPtoDP(p);
        points.emplace_back(p, colour);
    }
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    dc.SetROP2(R2_COPYPEN);
    dc.SetBkMode(TRANSPARENT);
    for (const auto& [p, colour] : points) {
        const COLORREF c = colour != -1 ? colour : vx::RGB(0, 0, 255);
        dc.SelectObject(CPen(PS_SOLID, 0, c));
        dc.SelectObject(CBrush(vx::GetSysColor(vx::SysColor::Window)));
        dc.Rectangle(p.x - 2, p.y - 2, p.x + 3, p.y + 3);
        dc.MoveTo(p.x - 2, p.y);
        dc.LineTo(p.x + 3, p.y);
        dc.MoveTo(p.x, p.y - 2);
        dc.LineTo(p.x, p.y + 3);
    }
    dc.RestoreDC(-1);
}

void CPagePainter::PrintObjects(CDC& dc, const std::optional<CRect>& band) const {
    const CPrintColourScope white(page_.pageObject());
    CPaintContext ctx;
    ctx.showSnapPoints = false;
    ctx.printBand = band;
    CRect clip;
    dc.GetClipBox(clip);
    DrawObjects(dc, clip, ctx);
}

CSize CPagePainter::PrintExtent() const {
    CSize size = PageSize();
    if (Scrolls() && size.cx > 0 && size.cy > 0) return size;
    CRect all;
    for (size_t i = 0; i < page_.Count(); ++i) all.UnionRect(all, page_.At(i)->GetInvalidRect(nullptr).Normalized());
    return CSize(std::max(1, all.right), std::max(1, all.bottom));
}

void CPagePainter::RenderAsPrinted(QPaintDevice* device, const std::optional<double>& jobScale) const {
    CPainterDC dc(device);
    dc.SetPrinting(true);
    dc.FillSolidRect(CRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES)), vx::RGB(255, 255, 255));
    PreparePrintDC(dc, jobScale);
    PrintObjects(dc);
}

void CPagePainter::RenderBandAsPrinted(QPaintDevice* device, int top, const std::optional<double>& jobScale) const {
    CPainterDC dc(device);
    dc.SetPrinting(true);
    CRect band(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.FillSolidRect(band, vx::RGB(255, 255, 255));
    PreparePrintDC(dc, jobScale);
    dc.SetViewportOrg(0, -top);
    // Hatch and pattern brushes line up with the page, not with the band.
    dc.painter()->setBrushOrigin(0, -top);
    // A few pixels of slack for strokes that reach past their rectangle.
    band.InflateRect(4, 4);
    PrintObjects(dc, band);
}
