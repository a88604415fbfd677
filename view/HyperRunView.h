// The page view: a scrolling window that shows one page of a design
// document. It maps page units to the screen (zoom, scrolling, printing
// scale), paints the page, answers the object queries of the editing code
// and keeps the tool map.
//
// The view classes form one line, each adding a layer of behaviour:
//   CHyperRunView  (view/HyperRunView.h)  showing a page      <- this class
//   CHyperView     (view/HyperView.h)     editing a page
//   CFreeHandView -> CHyperFmtViewL0 -> CHyperFmtView -> CHyperOleView
//   -> CCatView -> CMyView                (arrive with their features)
//
// The page's objects, page object and settings live in the model's
// CHyperPage, owned by the document; the view shows the page and is its
// CViewLink (the page asks it to repaint and for the zoom).
#pragma once

#include <QAbstractScrollArea>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command/CmdTarget.h"
#include "model/ViewLink.h"
#include "platform/Color.h"
#include "platform/Geometry.h"
#include "view/PagePainter.h"

class CArchive;
class CDC;
class CHyperBaseOb;
class CHyperOb;
class CHyperPage;
class CHyperViewOb;
class CMyDoc;
class QMenu;
struct CClassInfo;

// A command target: the document window offers every command to its view
// first, so view classes fill their command maps with the commands they take.
class CHyperRunView : public QAbstractScrollArea, public CViewLink, public CCmdTarget {
    Q_OBJECT
public:
    explicit CHyperRunView(QWidget* parent = nullptr);
    ~CHyperRunView() override;

    // ---- document and page ----
    // Shows the document's main page (null: nothing).
    void SetDocument(CMyDoc* doc);
    CMyDoc* GetDocument() const { return doc_; }
    // Shows a page of its own (no document).
    void SetPage(CHyperPage* page);
    CHyperPage* page() const { return page_; }
    bool IsEditMode() const;
    // The page record through the view: m_bSerializing is set while it
    // runs; after a load the view shows the new contents.
    void SerializePage(CArchive& ar);
    bool IsSerializing() const { return m_bSerializing; }
    // After the page was (re)loaded: scroll sizes, the list of open views,
    // the code map and the objects' remembered rectangles.
    virtual void OnInitialUpdate();
    // Every page view whose window is open, in the order they opened.
    static const std::vector<CHyperRunView*>& OpenViews();

    // ---- page object and page rectangle ----
    virtual CHyperViewOb* GetViewOb() const;
    // Gives the page a new default page object.
    virtual CHyperViewOb* CreateViewOb();
    virtual bool HasScrollBars() const;
    CRect GetGuides() const;
    // The page extent (pageExtent and a scrolling page) or the client area
    // in page units, moved inwards by the guideline insets.
    CRect GetUsableRect(bool pageExtent) const;
    int GetGridWidth() const;
    int GetGridHeight() const;
    virtual int GetDrawGridWidth() const;
    virtual int GetDrawGridHeight() const;
    virtual int GetSnapGridWidth() const;
    virtual int GetSnapGridHeight() const;
    bool IsShowGrid() const;
    bool IsSnapToGrid() const;
    bool IsSnapToCenter() const;
    const COLORREF* GetCustomColorTable() const;

    // ---- tools ----
    virtual void RegisterTool(uint16_t toolId, const CClassInfo* objectClass);
    // The library's drawing tools; classes not yet registered in the class
    // registry are left out.
    virtual void RegisterTools();
    // The class a tool creates, or null.
    const CClassInfo* GetToolClass(uint16_t toolId) const;
    const std::map<uint16_t, const CClassInfo*>& toolMap() const { return m_toolMap; }

    // ---- coordinates (no change when the page does not scroll) ----
    void ClientToPage(CPoint& p) const;
    void ClientToPage(CRect& r) const;
    void PageToClient(CPoint& p) const;
    void PageToClient(CRect& r) const;
    CPoint GetScrollPosition() const;
    CSize ClientSize() const;
    // Prepares a device context for drawing the page (screen or printer).
    virtual void OnPrepareDC(CDC& dc) const;

    // ---- zoom ----
    int Zoom() const override { return m_nZoom; }
    const std::vector<int>& zoomLevels() const { return m_zoomLevels; }
    void SetZoomLevels(std::vector<int> levels) { m_zoomLevels = std::move(levels); }
    virtual int NextZoomLevel(int zoom) const;
    virtual int PrevZoomLevel(int zoom) const;
    virtual int MinZoomLevel() const;
    virtual int MaxZoomLevel() const;
    // Scroll sizes for a page of that size at the current zoom.
    virtual void SetPageSize(int width, int height);
    // Performed by the edit view; the page view keeps its zoom. Returns the
    // zoom in force.
    virtual int SetZoom(int zoom, const CPoint* scrollPos = nullptr);
    virtual int ZoomToRect(const CRect& r, double factor = 0);
    static void SnapToGridValue(int& v, int g);

    // ---- painting ----
    virtual void DrawView(CDC& dc, const CRect& clip);
    virtual void DrawGrid(CDC& dc);
    virtual void RedrawObjectsFrom(CDC& dc, const CRect& r, int start);
    virtual bool DrawObjectList(CDC& dc, const CRect& r, const std::vector<CHyperOb*>& list);
    // Repaints a device rectangle (null: the whole client area).
    void OnUpdate(const CRect* hint);
    bool IsActive() const override { return m_bActive; }
    virtual void OnActivateView(bool active);

    // ---- object queries (each appends and returns the new size) ----
    virtual int GetObjectsInRect(std::vector<CHyperOb*>& out, const CRect& r, bool invalidRects) const;
    virtual int GetGroupMembers(int groupId, std::vector<CHyperOb*>& out) const;
    virtual int GetGroupedObjects(const std::vector<CHyperOb*>& source, std::vector<CHyperOb*>& out) const;
    virtual int GetObjectsWithSnapPoints(std::vector<CHyperOb*>& out) const;
    virtual int IndexOfObject(const std::vector<CHyperOb*>& list, const CHyperOb* ob) const;
    // By Code, ignoring case; outside edit mode an object with exactly that
    // Code answers first. After the objects the page object and the window
    // object count. The page's code index serves as the code map.
    virtual CHyperBaseOb* FindObjectByCode(std::string_view code, const CClassInfo* objectClass = nullptr) const;

    // ---- input hooks ----
    virtual void OnPageMouseEvent(int x, int y, bool dblClick, bool right, bool shift, bool control);
    virtual bool IsAltOnly() const;
    // Shows `menu` as a popup at a client point.
    virtual void ShowContextMenu(QMenu* menu, CPoint clientPoint);

    // ---- CViewLink ----
    void InvalidatePageRect(const CRect& r) override;
    void InvalidateAll() override;
    void ReportPosition(const CRect& r) override;
    void OnPageSettingsChanged(bool recalc, int hint) override;
    bool HasWindow() const override { return true; }
    void RequestOpen(const std::string& path) override;

signals:
    void positionReported(int left, int top, int width, int height);
    void openRequested(const QString& path);
    // The zoom or the page origin of the client area changed (rulers).
    void zoomChanged(int zoom);

protected:
    // ---- the edit view's behaviour, performed by CHyperView ----
    // Zoom change with scrolling; the fixed-size page turns into a
    // scrolling page first when the zoom is not 100.
    int DoSetZoom(int zoom, const CPoint* scrollPos);
    int DoZoomToRect(const CRect& r, double factor);
    // Paints the objects back to front, then the handles of the drawn
    // objects when active, editing and not printing. Snap points are
    // drawn only when `showSnapPoints`.
    void DrawObjects(CDC& dc, const CRect& clip, bool showSnapPoints = true);
    // Called before a page property changes on the view's own account
    // (the undo step "Property" is filed here once undo exists).
    virtual void OnBeforePropertyChange() {}

    // ---- framework ----
    virtual void OnEraseBkgnd(CDC& dc);
    virtual void OnDraw(CDC& dc);
    CPaintContext PaintContext() const;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* e) override;
    void ScrollToPosition(CPoint pos);
    // Scroll bars for the total size and steps in device pixels.
    void SetScrollSizes(CSize total, CSize pageStep, CSize lineStep);

    bool m_bActive = true;
    bool m_bSerializing = false;
    int m_nZoom = 100;
    std::vector<int> m_zoomLevels;
    std::map<uint16_t, const CClassInfo*> m_toolMap;

private:
    void EnsureCreated();
    void Register();
    void Unregister();

    CMyDoc* doc_ = nullptr;
    CHyperPage* page_ = nullptr;
    bool created_ = false;
};
