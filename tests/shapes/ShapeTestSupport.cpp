#include "ShapeTestSupport.h"

#include <algorithm>

#include "platform/PainterDC.h"

#include <gtest/gtest.h>

#include "shapes/ShapeClasses.h"
#include "uml/UmlClasses.h"

namespace {

// The shape classes are registered before any test runs.
class ShapeEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        RegisterShapeClasses();
        // The samples hold UML elements too.
        RegisterUmlClasses();
    }
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShapeEnvironment);

}  // namespace

namespace shapetest {

QImage Canvas(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

COLORREF Px(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return vx::RGB(qRed(p), qGreen(p), qBlue(p));
}

std::string Row(const QImage& img, int y, int x0, int x1, COLORREF on) {
    std::string s;
    for (int x = x0; x < x1; ++x) s += Px(img, x, y) == on ? '#' : '.';
    return s;
}

std::string Column(const QImage& img, int x, int y0, int y1, COLORREF on) {
    std::string s;
    for (int y = y0; y < y1; ++y) s += Px(img, x, y) == on ? '#' : '.';
    return s;
}

int Count(const QImage& img, COLORREF c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += Px(img, x, y) == c;
    return n;
}

}  // namespace shapetest

namespace shapetest {

QImage PaintPage(CHyperPage& page, int w, int h, int zoom) {
    QImage img = Canvas(w, h);
    CPainterDC dc(&img);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(zoom, zoom);
    for (size_t i = page.Count(); i-- > 0;) page.At(i)->Draw(dc);
    return img;
}

CRect BoundsOf(const QImage& img, COLORREF c) {
    CRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Px(img, x, y) == c) {
                r.left = std::min(r.left, x), r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1), r.bottom = std::max(r.bottom, y + 1);
            }
    return r.left > r.right ? CRect() : r;
}

}  // namespace shapetest
