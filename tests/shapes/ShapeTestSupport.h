// Helpers of the shape tests: pages with shapes, and canvases for pixel
// checks.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "model/Archive.h"
#include "model/HyperPage.h"
#include "platform/Color.h"
#include "shapes/PolyLineOb.h"

namespace shapetest {

// Puts `ob` on `page` with a Code and a rectangle, optionally with the
// tool's defaults (snap points, sizes) first.
template <class T>
T* Place(CHyperPage& page, const char* code, const CRect& r, bool defaults = true) {
    auto owned = std::make_unique<T>();
    T* ob = owned.get();
    ob->SetCodeRaw(code);
    page.Insert(std::move(owned));
    if (defaults) ob->ApplyViewDefaults();
    ob->SetRect(r);
    ob->Update(1, 0);
    return ob;
}

// Writes an object's record and reads it into a new object of its class;
// the whole record must be read.
template <class T>
std::unique_ptr<T> RoundTrip(T& ob) {
    CArchive out;
    ob.Serialize(out);
    CArchive in(out.Buffer());
    auto back = std::make_unique<T>();
    back->Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    return back;
}

// A white RGB32 image.
QImage Canvas(int w, int h);
// The page's objects drawn back to front on a white canvas at `zoom`.
QImage PaintPage(CHyperPage& page, int w, int h, int zoom = 100);
// The bounding box of the pixels of colour `c` (empty when there are none).
CRect BoundsOf(const QImage& img, COLORREF c);
// The pixel as a colour value (red in the low byte).
COLORREF Px(const QImage& img, int x, int y);
// Pixels of a row, '#' where the colour is `on`, '.' elsewhere.
std::string Row(const QImage& img, int y, int x0, int x1, COLORREF on);
std::string Column(const QImage& img, int x, int y0, int y1, COLORREF on);
int Count(const QImage& img, COLORREF c);

// A polyline through `pts` (page coordinates) on `page`, named Poly<n>.
inline CPolyLineOb* Poly(CHyperPage& page, const std::vector<CPoint>& pts) {
    auto owned = std::make_unique<CPolyLineOb>();
    CPolyLineOb* ob = owned.get();
    ob->SetCodeRaw("Poly" + std::to_string(page.Count() + 1));
    page.Insert(std::move(owned));
    ob->SetPagePoints(pts);
    return ob;
}

// The polyline's vertices in page coordinates.
inline std::vector<CPoint> PagePoints(CPolyLineOb& ob) {
    std::vector<CPoint> out;
    for (int i = 0; i < ob.PointCount(); ++i) out.push_back(ob.GetPointAt(i));
    return out;
}

constexpr COLORREF kWhite = vx::RGB(255, 255, 255);
constexpr COLORREF kBlack = vx::RGB(0, 0, 0);
constexpr COLORREF kRed = vx::RGB(255, 0, 0);
constexpr COLORREF kBlue = vx::RGB(0, 0, 255);
constexpr COLORREF kShadow = vx::GetSysColor(vx::SysColor::ButtonShadow);

}  // namespace shapetest
