#include "shapes/TextMeasure.h"

#include <QGuiApplication>
#include <QImage>

#include "platform/DC.h"

namespace vx::shapes {

QImage& MeasureSurface() {
    static QImage image = [] {
        QImage i(1, 1, QImage::Format_ARGB32);
        i.setDotsPerMeterX(3780);
        i.setDotsPerMeterY(3780);
        return i;
    }();
    return image;
}

bool CanMeasureText() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

unsigned AlignFormat(int align) {
    switch (align) {
        case 0: return DT_LEFT;
        case 2: return DT_RIGHT;
        default: return DT_CENTER;
    }
}

}  // namespace vx::shapes
