// Helpers the sample generators share: shapes placed the way their drawing
// tools make them, and lines whose ends attach to snap points.
#pragma once

#include <memory>

#include "model/HyperPage.h"
#include "model/Connection.h"
#include "shapes/ArcOb.h"
#include "shapes/ConnectOb.h"
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

// A routed connector of class T (a connector or an association) from the
// snap point at `a` to the one at `b`, in front of the shapes.
template <class T>
T* Join(CHyperPage& page, const char* code, CPoint a, CPoint b, const char* label = "") {
    auto owned = std::make_unique<T>();
    T* c = owned.get();
    c->SetCodeRaw(code);
    page.Insert(std::move(owned), 0);
    c->ApplyViewDefaults();
    c->SetPagePoints({a, b});
    c->GetConnection()->SnapEnd(0, a, false);
    c->GetConnection()->SnapEnd(1, b, false);
    c->SetText(label);
    c->Update(1, 0);
    return c;
}

// Lays every connector's path out again once all shapes are in place.
inline void RouteAll(CHyperPage& page) {
    for (const auto& ob : page.objects())
        if (ob->IsConnector()) ob->Update(1, 0);
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
