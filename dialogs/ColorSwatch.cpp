#include "dialogs/ColorSwatch.h"

#include <QPainter>
#include <QPixmap>

#include "platform/QtConv.h"

void DrawColorSwatch(QPainter& painter, const QRect& valueRect, COLORREF colour) {
    const QRect r = valueRect.adjusted(2, 2, -2, -2);
    if (r.width() <= 0 || r.height() <= 0) return;
    const QColor text = vx::ToQColor(vx::GetSysColor(vx::SysColor::ButtonText));
    painter.save();
    if (colour == vx::kAutoColor) painter.fillRect(r, QBrush(text, Qt::DiagCrossPattern));
    else painter.fillRect(r, vx::ToQColor(colour));
    painter.setPen(QPen(text, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

QIcon ColorSwatchIcon(COLORREF colour, QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    DrawColorSwatch(p, QRect(QPoint(0, 0), size), colour);
    return QIcon(pm);
}
