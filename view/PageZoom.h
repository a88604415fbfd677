// The arithmetic of page zooming and scrolling: zoom levels and their
// stepping rules, the zoom limit that keeps a page within 32768 device
// pixels, grid snapping of values, scroll sizes, and the new zoom and
// scroll position of a zoom change or a zoom to a rectangle. Pure functions,
// so the rules are tested without a window.
#pragma once

#include <optional>
#include <vector>

#include "platform/Geometry.h"

namespace vx {

// Rounds v to the nearest multiple of g, halves upwards (toward zero for
// small negative values): v = g * ((g / 2 + v) / g) with truncating
// divisions. A step below 1 counts as 1.
void SnapToGridValue(int& v, int g);

// Zoom levels: ascending percentages. With fewer than two levels the
// stepping answers 100.
int NextZoomLevel(const std::vector<int>& levels, int zoom);
int PrevZoomLevel(const std::vector<int>& levels, int zoom);
int MinZoomLevel(const std::vector<int>& levels);
// The highest level, lowered so that the larger page side stays within
// 32768 device pixels, rounded down to 25, 50 or 100. A page without size
// keeps the highest level; the result is never below 1.
int MaxZoomLevel(const std::vector<int>& levels, int pageWidth, int pageHeight);

struct ScrollSizes {
    CSize total;  // device pixels
    CSize page;   // page step
    CSize line;   // line step
};
// Scroll sizes of a page of `page` units at `zoom` in a client area of
// `client` pixels with raw grid spacing `grid`.
ScrollSizes ComputeScrollSizes(CSize page, int zoom, CSize client, CSize grid);

// A zoom change of a scrolling page: the scroll position for the new zoom.
// Without a requested position the page point at the centre of the client
// area stays in place; the result is limited to the page and, at zooms that
// are multiples of 50, snapped to the on-screen grid.
CPoint ScrollForZoom(int oldZoom, int newZoom, CPoint scroll, const std::optional<CPoint>& requested, CSize client,
                     CSize page, CSize grid);

// Zooming to a device rectangle (including the scroll offset): the new
// zoom (a multiple of 5 within [minZoom, maxZoom]) and the scroll position
// that puts the rectangle's corner at the window's top-left corner.
struct ZoomTarget {
    int zoom;
    CPoint scroll;
};
// `factor` <= 0: fit the rectangle into the client area. A rectangle without
// area and no factor leaves the zoom unchanged.
ZoomTarget ZoomForRect(int zoom, CRect rect, CSize client, double factor, int minZoom, int maxZoom);

}  // namespace vx
