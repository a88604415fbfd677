#include "ShapeTestSupport.h"

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
