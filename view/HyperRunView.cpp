#include "view/HyperRunView.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "command/CommandIds.h"
#include "model/Archive.h"
#include "model/HyperFrameOb.h"
#include "model/HyperOb.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/HyperViewOb.h"
#include "model/Object.h"
#include "platform/PainterDC.h"
#include "platform/QtConv.h"
#include "platform/Text.h"
#include "view/PageZoom.h"

namespace {

std::vector<CHyperRunView*>& OpenViewList() {
    static std::vector<CHyperRunView*> views;
    return views;
}

// Gives a member a value for the rest of a scope and the old value back
// when the scope ends, also by an exception.
template <class T>
class CScopedValue {
public:
    CScopedValue(T& member, T value) : member_(member), saved_(std::exchange(member, value)) {}
    ~CScopedValue() { member_ = saved_; }
    CScopedValue(const CScopedValue&) = delete;
    CScopedValue& operator=(const CScopedValue&) = delete;

private:
    T& member_;
    T saved_;
};

// The library's drawing tools: tool id and the class it creates.
struct ToolEntry {
    uint16_t id;
    const char* className;
};
constexpr ToolEntry kLibraryTools[] = {
    {vx::tool::kConnector, "CConnectOb"}, {vx::tool::kLine, "CLineOb"},
    {vx::tool::kPolyline, "CLineOb"},     {vx::tool::kFreehand, "CPolyLineOb"},
    {vx::tool::kBorder, "CBorderOb"},     {vx::tool::kArc, "CArcOb"},
    {vx::tool::kEllipse, "CCircleOb"},    {vx::tool::kFrame, "CRectOb"},
    {vx::tool::kText, "CTextOb"},         {vx::tool::kBitmap, "CBitmapOb"},
    {vx::tool::kHilite, "CHiliteOb"},
};

}  // namespace

CHyperRunView::CHyperRunView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
}

CHyperRunView::~CHyperRunView() {
    Unregister();
    if (page_ && page_->link() == this) page_->setLink(nullptr);
}

const std::vector<CHyperRunView*>& CHyperRunView::OpenViews() { return OpenViewList(); }

void CHyperRunView::Register() {
    auto& all = OpenViewList();
    if (std::find(all.begin(), all.end(), this) == all.end()) all.push_back(this);
}

void CHyperRunView::Unregister() {
    auto& all = OpenViewList();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void CHyperRunView::EnsureCreated() {
    if (created_) return;
    created_ = true;
    if (m_toolMap.empty()) RegisterTools();
}

void CHyperRunView::showEvent(QShowEvent* e) {
    EnsureCreated();
    QAbstractScrollArea::showEvent(e);
}

// ---- document and page ----

void CHyperRunView::SetDocument(CMyDoc* doc) {
    doc_ = doc;
    SetPage(doc ? &doc->mainPage() : nullptr);
}

void CHyperRunView::SetPage(CHyperPage* page) {
    if (page_ && page_->link() == this) page_->setLink(nullptr);
    page_ = page;
    if (!page_) {
        Unregister();
        viewport()->update();
        return;
    }
    page_->setLink(this);
    OnInitialUpdate();
}

bool CHyperRunView::IsEditMode() const { return page_ && page_->editMode; }

void CHyperRunView::SerializePage(CArchive& ar) {
    if (!page_) return;
    m_bSerializing = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_bSerializing};
    page_->Serialize(ar);
    if (!ar.IsStoring()) {
        if (!page_->pageObject()) CreateViewOb();
        page_->setLink(this);
        OnInitialUpdate();
    }
}

void CHyperRunView::OnInitialUpdate() {
    EnsureCreated();
    if (!page_) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    viewport()->update();
    SetScrollSizes(CSize(), CSize(), CSize());
    if (m_nZoom > MaxZoomLevel()) m_nZoom = MaxZoomLevel();
    if (HasScrollBars()) SetPageSize(GetViewOb()->scrollWidth, GetViewOb()->scrollHeight);
    else SetScrollSizes(ClientSize(), CSize(), CSize());
    Register();
    for (size_t i = 0; i < page_->Count(); ++i) page_->At(i)->SaveBounds();
    QGuiApplication::restoreOverrideCursor();
}

// ---- page object and page rectangle ----

CHyperViewOb* CHyperRunView::GetViewOb() const { return page_ ? page_->pageObject() : nullptr; }

CHyperViewOb* CHyperRunView::CreateViewOb() {
    if (!page_) return nullptr;
    page_->SetPageObject(CHyperPage::NewPageObject());
    return page_->pageObject();
}

bool CHyperRunView::HasScrollBars() const { return GetViewOb() && GetViewOb()->scrollBars != 0; }

CRect CHyperRunView::GetGuides() const { return page_ ? page_->guidelines : CRect(10, 10, 10, 10); }

CRect CHyperRunView::GetUsableRect(bool pageExtent) const {
    CRect r;
    if (pageExtent && HasScrollBars()) {
        r = CRect(0, 0, GetViewOb()->scrollWidth, GetViewOb()->scrollHeight);
    } else {
        const CSize c = ClientSize();
        r = CRect(0, 0, c.cx, c.cy);
        ClientToPage(r);
    }
    const CRect g = GetGuides();
    return CRect(r.left + g.left, r.top + g.top, r.right - g.right, r.bottom - g.bottom);
}

int CHyperRunView::GetGridWidth() const { return page_ ? page_->gridSpacing.cx : 10; }
int CHyperRunView::GetGridHeight() const { return page_ ? page_->gridSpacing.cy : 10; }
int CHyperRunView::GetDrawGridWidth() const { return IsShowGrid() ? GetGridWidth() : 1; }
int CHyperRunView::GetDrawGridHeight() const { return IsShowGrid() ? GetGridHeight() : 1; }
int CHyperRunView::GetSnapGridWidth() const { return IsSnapToGrid() ? GetGridWidth() : 1; }
int CHyperRunView::GetSnapGridHeight() const { return IsSnapToGrid() ? GetGridHeight() : 1; }
bool CHyperRunView::IsShowGrid() const { return page_ && (page_->gridFlags & CHyperPage::kShowGrid); }
bool CHyperRunView::IsSnapToGrid() const { return page_ && (page_->gridFlags & CHyperPage::kSnapToGrid); }

bool CHyperRunView::IsSnapToCenter() const {
    return page_ && (page_->gridFlags & CHyperPage::kSnapToGrid) && (page_->gridFlags & CHyperPage::kSnapToCentre);
}

const COLORREF* CHyperRunView::GetCustomColorTable() const { return page_ ? page_->customColors.data() : nullptr; }

// ---- tools ----

void CHyperRunView::RegisterTool(uint16_t toolId, const CClassInfo* objectClass) {
    if (objectClass) m_toolMap[toolId] = objectClass;
}

void CHyperRunView::RegisterTools() {
    const CClassRegistry& registry = CClassRegistry::Instance();
    for (const ToolEntry& t : kLibraryTools)
        if (const CClassInfo* info = registry.Find(t.className)) RegisterTool(t.id, info);
}

const CClassInfo* CHyperRunView::GetToolClass(uint16_t toolId) const {
    const auto it = m_toolMap.find(toolId);
    return it == m_toolMap.end() ? nullptr : it->second;
}

// ---- coordinates ----

CPoint CHyperRunView::GetScrollPosition() const {
    return CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

CSize CHyperRunView::ClientSize() const { return CSize(viewport()->width(), viewport()->height()); }

CPaintContext CHyperRunView::PaintContext() const {
    CPaintContext ctx;
    ctx.zoom = m_nZoom;
    ctx.scroll = GetScrollPosition();
    ctx.client = ClientSize();
    return ctx;
}

void CHyperRunView::OnPrepareDC(CDC& dc) const {
    if (!page_) return;
    const CPagePainter painter(*page_);
    if (dc.IsPrinting()) painter.PreparePrintDC(dc, std::nullopt);
    else painter.PrepareScreenDC(dc, PaintContext());
}

void CHyperRunView::ClientToPage(CPoint& p) const {
    if (!HasScrollBars()) return;
    CDC dc;
    OnPrepareDC(dc);
    dc.DPtoLP(p);
}

void CHyperRunView::ClientToPage(CRect& r) const {
    if (!HasScrollBars()) return;
    CDC dc;
    OnPrepareDC(dc);
    dc.DPtoLP(r);
}

void CHyperRunView::PageToClient(CPoint& p) const {
    if (!HasScrollBars()) return;
    CDC dc;
    OnPrepareDC(dc);
    dc.LPtoDP(p);
}

void CHyperRunView::PageToClient(CRect& r) const {
    if (!HasScrollBars()) return;
    CDC dc;
    OnPrepareDC(dc);
    dc.LPtoDP(r);
}

// ---- zoom ----

int CHyperRunView::NextZoomLevel(int zoom) const { return vx::NextZoomLevel(m_zoomLevels, zoom); }
int CHyperRunView::PrevZoomLevel(int zoom) const { return vx::PrevZoomLevel(m_zoomLevels, zoom); }
int CHyperRunView::MinZoomLevel() const { return vx::MinZoomLevel(m_zoomLevels); }

int CHyperRunView::MaxZoomLevel() const {
    const CHyperViewOb* ob = GetViewOb();
    return vx::MaxZoomLevel(m_zoomLevels, ob ? ob->scrollWidth : 0, ob ? ob->scrollHeight : 0);
}

void CHyperRunView::SnapToGridValue(int& v, int g) { vx::SnapToGridValue(v, g); }

void CHyperRunView::SetPageSize(int width, int height) {
    const vx::ScrollSizes s =
        vx::ComputeScrollSizes(CSize(width, height), m_nZoom, ClientSize(), CSize(GetGridWidth(), GetGridHeight()));
    if (IsEditMode() || HasScrollBars()) SetScrollSizes(s.total, s.page, s.line);
}

void CHyperRunView::SetScrollSizes(CSize total, CSize pageStep, CSize lineStep) {
    const CSize client = ClientSize();
    const bool scrolls = HasScrollBars();
    setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, total.cx - client.cx));
    v->setRange(0, std::max(0, total.cy - client.cy));
    h->setPageStep(std::max(1, pageStep.cx));
    v->setPageStep(std::max(1, pageStep.cy));
    h->setSingleStep(std::max(1, lineStep.cx));
    v->setSingleStep(std::max(1, lineStep.cy));
}

void CHyperRunView::ScrollToPosition(CPoint pos) {
    horizontalScrollBar()->setValue(pos.x);
    verticalScrollBar()->setValue(pos.y);
}

int CHyperRunView::SetZoom(int, const CPoint*) { return m_nZoom; }

int CHyperRunView::ZoomToRect(const CRect&, double) { return m_nZoom; }

int CHyperRunView::DoSetZoom(int zoom, const CPoint* scrollPos) {
    CHyperViewOb* ob = GetViewOb();
    if (!ob) return m_nZoom;
    const int lo = MinZoomLevel(), hi = MaxZoomLevel();
    if (zoom < lo) return lo;
    if (zoom > hi) return hi;
    if (!HasScrollBars() && zoom != 100) {
        OnBeforePropertyChange();
        ob->scrollBars = 1;
        ob->Update(0, 0);
    }
    const CSize client = ClientSize();
    if (HasScrollBars()) {
        const CPoint pos = vx::ScrollForZoom(m_nZoom, zoom, GetScrollPosition(),
                                             scrollPos ? std::optional<CPoint>(*scrollPos) : std::nullopt, client,
                                             CSize(ob->scrollWidth, ob->scrollHeight), CSize(GetGridWidth(), GetGridHeight()));
        m_nZoom = zoom;
        SetPageSize(ob->scrollWidth, ob->scrollHeight);
        ScrollToPosition(pos);
    } else {
        m_nZoom = 100;
        ScrollToPosition(CPoint());
        SetPageSize(client.cx, client.cy);
    }
    emit zoomChanged(m_nZoom);
    viewport()->update();
    return m_nZoom;
}

int CHyperRunView::DoZoomToRect(const CRect& r, double factor) {
    const vx::ZoomTarget t = vx::ZoomForRect(m_nZoom, r, ClientSize(), factor, MinZoomLevel(), MaxZoomLevel());
    return DoSetZoom(t.zoom, &t.scroll);
}

// ---- painting ----

void CHyperRunView::OnEraseBkgnd(CDC& dc) {
    if (page_) CPagePainter(*page_).EraseBackground(dc);
}

void CHyperRunView::DrawGrid(CDC& dc) {
    if (page_) CPagePainter(*page_).DrawGrid(dc, PaintContext());
}

void CHyperRunView::OnDraw(CDC& dc) {
    CHyperViewOb* ob = GetViewOb();
    if (!ob) return;
    const bool printing = dc.IsPrinting();
    {
        // A page prints on white at zoom 100; both come back when the pass
        // ends, also when an object's drawing throws.
        const CPrintColourScope white(printing ? ob : nullptr);
        const CScopedValue zoom(m_nZoom, printing ? 100 : m_nZoom);
        CRect clip;
        dc.GetClipBox(clip);
        if (!printing) PageToClient(clip);
        DrawView(dc, clip);
    }
    if (printing) {
        CRgn area;
        area.CreateRectRgn(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.SelectClipRgn(&area);
    }
}

void CHyperRunView::DrawView(CDC&, const CRect&) {}

void CHyperRunView::DrawObjects(CDC& dc, const CRect& clip, bool showSnapPoints) {
    if (!page_) return;
    const CPagePainter painter(*page_);
    CPaintContext ctx = PaintContext();
    ctx.showSnapPoints = showSnapPoints;
    const bool active = m_bActive;
    std::vector<CHyperOb*> drawn;
    {
        // Objects leave their handles to the pass below.
        const CScopedValue inactive(m_bActive, false);
        drawn = painter.DrawObjects(dc, clip, ctx);
    }
    if (active && IsEditMode() && !dc.IsPrinting())
        for (CHyperOb* ob : drawn)
            if (ob->GetTracker() && ob->GetTracker()->IsSelected()) ob->DrawTracker(dc);
}

void CHyperRunView::RedrawObjectsFrom(CDC& dc, const CRect& r, int start) {
    if (!page_ || page_->Count() == 0 || r.IsRectEmpty()) return;
    std::vector<CHyperOb*> list;
    for (size_t i = size_t(std::max(0, start)); i < page_->Count(); ++i) {
        CHyperOb* ob = page_->At(i);
        if (ob->IsVisible() && ob->GetInvalidRect(&dc).Normalized().Intersects(r)) list.push_back(ob);
    }
    DrawObjectList(dc, r, list);
}

bool CHyperRunView::DrawObjectList(CDC& dc, const CRect& r, const std::vector<CHyperOb*>& list) {
    if (r.IsRectEmpty() || list.empty()) return false;
    for (size_t i = list.size(); i-- > 0;) list[i]->Draw(dc);
    return true;
}

void CHyperRunView::paintEvent(QPaintEvent* e) {
    QPainter painter(viewport());
    CPainterDC dc(&painter);
    const QRect u = e->rect();
    dc.IntersectClipRect(u.left(), u.top(), u.right() + 1, u.bottom() + 1);
    dc.SaveDC();
    OnEraseBkgnd(dc);
    dc.RestoreDC(-1);
    OnPrepareDC(dc);
    OnDraw(dc);
}

void CHyperRunView::OnUpdate(const CRect* hint) {
    if (hint) viewport()->update(vx::ToQRect(hint->Normalized()));
    else viewport()->update();
}

void CHyperRunView::OnActivateView(bool active) {
    const bool changed = m_bActive != active;
    m_bActive = active;
    if (changed && IsEditMode()) viewport()->update();
}

void CHyperRunView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    if (!page_) return;
    if (HasScrollBars()) SetPageSize(GetViewOb()->scrollWidth, GetViewOb()->scrollHeight);
    else SetScrollSizes(CSize(std::max(0, ClientSize().cx), std::max(0, ClientSize().cy)), CSize(), CSize());
}

void CHyperRunView::scrollContentsBy(int, int) { viewport()->update(); }

// ---- object queries ----

int CHyperRunView::GetObjectsInRect(std::vector<CHyperOb*>& out, const CRect& r, bool invalidRects) const {
    if (page_)
        for (size_t i = 0; i < page_->Count(); ++i) {
            CHyperOb* ob = page_->At(i);
            CRect obr = (invalidRects ? ob->GetInvalidRect(nullptr) : ob->GetRect(nullptr)).Normalized();
            if (obr.IsRectEmpty()) obr.InflateRect(1, 1);
            if (obr.Intersects(r.Normalized())) out.push_back(ob);
        }
    return int(out.size());
}

int CHyperRunView::GetGroupMembers(int groupId, std::vector<CHyperOb*>& out) const {
    if (page_)
        for (size_t i = 0; i < page_->Count(); ++i)
            if (page_->At(i)->groupId() == groupId) out.push_back(page_->At(i));
    return int(out.size());
}

int CHyperRunView::GetGroupedObjects(const std::vector<CHyperOb*>& source, std::vector<CHyperOb*>& out) const {
    for (CHyperOb* ob : source)
        if (ob && ob->groupId() >= 0) out.push_back(ob);
    return int(out.size());
}

int CHyperRunView::GetObjectsWithSnapPoints(std::vector<CHyperOb*>& out) const {
    if (page_)
        for (size_t i = page_->Count(); i-- > 0;)
            if (page_->At(i)->GetSnapList(false)) out.push_back(page_->At(i));
    return int(out.size());
}

int CHyperRunView::IndexOfObject(const std::vector<CHyperOb*>& list, const CHyperOb* ob) const {
    const auto it = std::find(list.begin(), list.end(), ob);
    return it == list.end() ? -1 : int(it - list.begin());
}

CHyperBaseOb* CHyperRunView::FindObjectByCode(std::string_view code, const CClassInfo* objectClass) const {
    if (!page_) return nullptr;
    auto fits = [&](const CHyperBaseOb* ob) { return !objectClass || ob->IsKindOf(*objectClass); };
    if (!page_->editMode)
        if (CHyperOb* ob = page_->FindObjectByCode(code); ob && fits(ob)) return ob;
    if (CHyperOb* ob = page_->FindObjectByCodeNoCase(code, objectClass)) return ob;
    if (CHyperViewOb* vo = page_->pageObject(); vo && vx::EqualsNoCaseUtf8(vo->GetCode(), code) && fits(vo)) return vo;
    if (doc_)
        if (CHyperFrameOb* fo = doc_->frameObject(); fo && vx::EqualsNoCaseUtf8(fo->GetCode(), code) && fits(fo))
            return fo;
    return nullptr;
}

// ---- input ----

void CHyperRunView::OnPageMouseEvent(int, int, bool, bool, bool, bool) {}

bool CHyperRunView::IsAltOnly() const {
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    return (m & Qt::AltModifier) && !(m & Qt::ShiftModifier);
}

void CHyperRunView::ShowContextMenu(QMenu* menu, CPoint clientPoint) {
    if (menu) menu->exec(viewport()->mapToGlobal(QPoint(clientPoint.x, clientPoint.y)));
}

// ---- CViewLink ----

void CHyperRunView::InvalidatePageRect(const CRect& r) {
    CRect d = r.Normalized();
    PageToClient(d);
    d.NormalizeRect();
    d.InflateRect(2, 2);  // rounding of the zoom
    viewport()->update(vx::ToQRect(d));
}

void CHyperRunView::InvalidateAll() { viewport()->update(); }

void CHyperRunView::ReportPosition(const CRect& r) { emit positionReported(r.left, r.top, r.Width(), r.Height()); }

void CHyperRunView::RequestOpen(const std::string& path) { emit openRequested(vx::ToQString(path)); }

void CHyperRunView::OnPageSettingsChanged(bool recalc, int) {
    CHyperViewOb* ob = GetViewOb();
    if (!recalc || !ob) return;
    if (!HasScrollBars()) {
        m_nZoom = 100;
        ScrollToPosition(CPoint());
        SetScrollSizes(ClientSize(), CSize(), CSize());
        return;
    }
    m_nZoom = std::min(m_nZoom, MaxZoomLevel());
    SetPageSize(ob->scrollWidth, ob->scrollHeight);
    emit zoomChanged(m_nZoom);
}
