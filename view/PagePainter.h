// Painting a page on a device context, shared by the page views and the
// headless export: the mapping of OnPrepareDC (screen and printer), the
// background, the grid and guideline layer, the objects back to front with
// their snap points, and printing a whole page "as printed".
#pragma once

#include <optional>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

class CDC;
class CHyperOb;
class CHyperPage;
class CHyperViewOb;
class QPaintDevice;

// What a paint pass knows of the window that shows the page.
struct CPaintContext {
    int zoom = 100;
    CPoint scroll;       // device scroll position
    CSize client;        // client area in pixels
    bool showSnapPoints = true;
    // The print scale a print job carries, when it carries one.
    std::optional<double> jobScale;
    // When printing one band of a page (device units): objects whose repaint
    // rectangle misses it are left out.
    std::optional<CRect> printBand;
};

// Objects take the page colour as their automatic background: while a page
// prints, its colour is white. The colour is given back when the scope
// ends, also when drawing throws. A null page object is left alone.
class CPrintColourScope {
public:
    explicit CPrintColourScope(CHyperViewOb* ob);
    ~CPrintColourScope();
    CPrintColourScope(const CPrintColourScope&) = delete;
    CPrintColourScope& operator=(const CPrintColourScope&) = delete;

private:
    CHyperViewOb* ob_;
    COLORREF saved_ = 0;
};

class CPagePainter {
public:
    // Page units are screen pixels at this resolution and zoom 100.
    static constexpr int kScreenDpi = 96;
    // Guideline and page-edge colours (blue and red).
    static constexpr int kGuideColor = 0xFF0000;
    static constexpr int kEdgeColor = 0x0000FF;

    explicit CPagePainter(CHyperPage& page) : page_(page) {}

    // The page scrolls (it has a size of its own and scroll bars).
    bool Scrolls() const;
    CSize PageSize() const;

    // Screen mapping: anisotropic, window extent 100, viewport extent zoom,
    // scrolled by the scroll position when the page scrolls.
    void PrepareScreenDC(CDC& dc, const CPaintContext& ctx) const;
    // Printer mapping: a page unit is a screen pixel at the print scale
    // (the job's, else the page object's usable PrintScale).
    void PreparePrintDC(CDC& dc, const std::optional<double>& jobScale) const;
    // The scale a page prints at: the job's when usable, else PrintScale;
    // 0, negative or non-finite values print at 1.0.
    double PrintScale(const std::optional<double>& jobScale) const;

    // Fills the clipping box of `dc` (device units) with the page colour.
    void EraseBackground(CDC& dc) const;
    // The grid dots (inverted), guidelines and page edges; `dc` in device
    // units. Only in edit mode and when both drawing spacings exceed 1.
    void DrawGrid(CDC& dc, const CPaintContext& ctx) const;
    // Draws the visible objects from the back-most to the front-most whose
    // repaint rectangle meets `clip` (device units; every object when
    // printing), each followed by its snap points at zooms of 50 or more.
    // Returns the objects drawn, back to front.
    std::vector<CHyperOb*> DrawObjects(CDC& dc, const CRect& clip, const CPaintContext& ctx) const;
    // The snap-point squares of one object (5 x 5 screen pixels each).
    void DrawSnapPoints(CDC& dc, CHyperOb& ob) const;

    // Prints the page on `dc` (already prepared for printing): background
    // white, no handles, every visible object (of `band` only, when given).
    void PrintObjects(CDC& dc, const std::optional<CRect>& band = std::nullopt) const;
    // Renders the page "as printed" into `device`: white paper, printer
    // mapping at the print scale, no handles.
    void RenderAsPrinted(QPaintDevice* device, const std::optional<double>& jobScale = std::nullopt) const;
    // Renders the rows of the printed page from device row `top` down into
    // `device` (as tall as the band), so that a large page can be drawn band
    // by band; only the objects that reach into the band are drawn.
    void RenderBandAsPrinted(QPaintDevice* device, int top, const std::optional<double>& jobScale = std::nullopt) const;
    // Extent of the printed page in page units: the page size, or for a
    // page without size the objects' extent.
    CSize PrintExtent() const;

private:
    CHyperPage& page_;
};
