// The edit view: the page view in edit mode. So far it paints the way
// editing needs (grid layer, objects with their handles) and takes the zoom
// commands; selection, tools and editing commands arrive with their
// features.
#pragma once

#include "view/HyperRunView.h"

class CHyperView : public CHyperRunView {
    Q_OBJECT
public:
    // The zoom levels offered when editing, in percent.
    static constexpr int kZoomLevels[] = {50, 100, 150, 200, 300, 400};

    explicit CHyperView(QWidget* parent = nullptr);

    int SetZoom(int zoom, const CPoint* scrollPos = nullptr) override { return DoSetZoom(zoom, scrollPos); }
    int ZoomToRect(const CRect& r, double factor = 0) override { return DoZoomToRect(r, factor); }
    void DrawView(CDC& dc, const CRect& clip) override { DrawObjects(dc, clip); }

protected:
    // Background, then the grid and guideline layer.
    void OnEraseBkgnd(CDC& dc) override;
};
