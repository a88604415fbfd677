// Helpers the sample generators share: shapes placed the way their drawing
// tools make them, and lines whose ends attach to snap points.
#pragma once

#include <memory>

#include "model/HyperPage.h"
#include "shapes/ArcOb.h"
#include "shapes/LineOb.h"

namespace vxsample {

// Places a shape made by its tool (defaults, snap points) at `r`, behind
// the shapes already on the page.
template <class T>
T* Add(CHyperPage& page, const char* code, const CRect& r) {
    auto owned = std::make_unique<T>();
    T* ob = owned.get();
    ob->SetCodeRaw(code);
    page.Insert(std::move(owned));
    ob->ApplyViewDefaults();
    ob->SetRect(r);
    ob->Update(1, 0);
    return ob;
}

// A line from `a` to `b` in front of the shapes; ends on snap points attach
// to them.
inline CLineOb* Connect(CHyperPage& page, const char* code, CPoint a, CPoint b, int heads,
                        COLORREF colour = -1) {
    auto owned = std::make_unique<CLineOb>();
    CLineOb* line = owned.get();
    line->SetCodeRaw(code);
    page.Insert(std::move(owned), 0);
    line->ApplyViewDefaults();
    line->setArrowhead(heads);
    line->setArrowheadHeight(10);
    line->SetForeColor(colour);
    line->SetEndPoints(a.x, a.y, b.x, b.y);
    return line;
}

// An arc (or with SetWedge a pie) around `centre` from `start` to `end`
// degrees.
inline CArcOb* Arc(CHyperPage& page, const char* code, CPoint centre, int rx, int ry, double start,
                   double end) {
    auto owned = std::make_unique<CArcOb>();
    CArcOb* arc = owned.get();
    arc->SetCodeRaw(code);
    page.Insert(std::move(owned));
    arc->ApplyViewDefaults();
    arc->SetArc(centre, rx, ry, start, end);
    return arc;
}

}  // namespace vxsample
