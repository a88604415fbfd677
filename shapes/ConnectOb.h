// Connectors: polylines whose two ends hang on snap points of other objects
// and whose path the shared router lays out as horizontal and vertical
// segments around the page's objects. CConnectL0 is the routed line,
// CConnectOb (the "Connector" tool) adds a text label at the middle of the
// path.
#pragma once

#include <string>

#include "model/Connection.h"
#include "route/Router.h"
#include "shapes/PolyLineOb.h"

class CSnapPoint;

// The connection record of a connector: end 0 is the first point of the
// path, end 1 the last.
class CConnectorConnection : public CConnection {
  public:
    using CConnection::CConnection;
    using CConnection::GetEnds;
    bool GetEnds(CPoint& end0, CPoint& end1, int direction) const override;
    void SetEnds(CPoint end0, CPoint end1, int handle0 = -1, int handle1 = -1) override;
};

class CConnectL0 : public CBasePolyOb {
    VX_DECLARE_CLASS(CConnectL0)
  public:
    CConnectL0();

    // A connector with more free ends than this is removed by the edit view.
    int32_t freeEndAllowance() const { return freeEndAllowance_; }
    // Set while the connector is being created by a drag: nothing is drawn.
    bool drawingSuppressed() const { return drawingSuppressed_ != 0; }
    void setDrawingSuppressed(bool on) { drawingSuppressed_ = on ? 1 : 0; }

    // Page position of end k (0: the first point, 1: the last).
    CPoint EndAt(int k) const;
    // The snap point end k hangs on; null when the end is free or its
    // target or point is gone.
    const CSnapPoint* SnapPointOf(int k) const;

    // Lays the path out through the router and replaces the point list
    // (first point end 0, last end 1). `snap` gives the grid offset of the
    // inner points (none: 0).
    void Reroute(const CSnapPoint* snap);
    // How the last route was found, and how many routes ran (tests).
    vx::route::RouteKind lastRouteKind() const { return lastRouteKind_; }
    int routeCount() const { return routeCount_; }
    // The usable page rectangle the router works in: the page's scroll
    // extent when it scrolls (or has no window), else the window's client
    // area, less the guideline margins.
    static CRect RoutingArea(const CHyperPage& page);

    virtual int IsRouted() const { return 1; }
    bool IsConnector() const override { return true; }
    std::string GetTypeName() const override { return "Connector"; }
    int GetToolStringId() const override;
    CConnection* GetConnection() override { return &conn_; }
    bool CanEditPoints() const override { return false; }

    void Serialize(CArchive& ar) override;
    void Update(int recalc, int hint) override;
    void Refresh(int recalc) override { Update(recalc, 0); }
    void CopyFrom(const CHyperOb& other) override;
    int HitTest(int x, int y) override;
    void DrawShape(CDC& dc) override;
    void DrawTracker(CDC& dc) override;
    void ApplyViewDefaults() override;
    void RecalcHandles() override;
    bool IntersectsRect(const CRect& r) const override;
    void Dump(CDumpContext& dc) const override;

  protected:
    // The connector's part after the polyline record.
    void SerializeConnector(CArchive& ar);

  private:
    CConnectorConnection conn_{this};
    int32_t freeEndAllowance_ = 2;
    int32_t drawingSuppressed_ = 0;
    // A route is running: the updates it causes do not route again.
    bool routing_ = false;
    vx::route::RouteKind lastRouteKind_ = vx::route::RouteKind::kDirect;
    int routeCount_ = 0;
};

class CConnectOb : public CConnectL0 {
    VX_DECLARE_CLASS(CConnectOb)
  public:
    enum { kLeft = 0, kCentre = 6, kRight = 2 };
    static const std::array<Choice, 3> kAlignChoices;

    CConnectOb() = default;

    const std::string& text() const { return text_; }
    void SetText(const std::string& t) override { text_ = t; }
    bool GetText(std::string& out) const override {
        out = text_;
        return true;
    }
    int32_t alignment() const { return alignment_; }
    void setAlignment(int32_t a) { alignment_ = a; }

    // Where the label sits: the midpoint of the first segment whose
    // cumulative length passes half the path's length.
    CPoint LabelAnchor() const;
    // The label rectangle (empty without text), measured on a 96-dpi
    // surface at zoom 100 so that it is the same at every zoom and on
    // every machine; empty where fonts cannot be measured (headless tools).
    CRect LabelRect() const;

    void Update(int recalc, int hint) override;
    int HitTest(int x, int y) override;
    CRect GetInvalidRect(CDC* dc = nullptr) override;
    // No fill of its own: transparent (also while being dragged).
    COLORREF GetBackColor() const override { return -1; }
    int GetEditStyle() const override;
    void DrawShape(CDC& dc) override;
    void ApplyViewDefaults() override;
    std::unique_ptr<CPropOb> CreateProperty(int propertyId, bool withChoices) override;
    void AddProperties(CPropList& list, bool withChoices) override;
    void CopyFrom(const CHyperOb& other) override;
    void Serialize(CArchive& ar) override;
    void Dump(CDumpContext& dc) const override;

  protected:
    // The label's part after the connector's.
    void SerializeLabel(CArchive& ar);
    // Draws the label (fill with the page colour, text in ForeColor).
    void DrawLabel(CDC& dc);

  private:
    std::string text_;
    int32_t alignment_ = kCentre;
};
