// The colour swatch of colour rows and colour choices: the colour in a
// frame, or a diagonal-cross hatch for "automatic" (-1).
#pragma once

#include <QIcon>
#include <QRect>

#include "platform/Color.h"

class QPainter;

// Draws `colour` into `valueRect` shrunk by 2 on every side, framed in the
// button-text colour.
void DrawColorSwatch(QPainter& painter, const QRect& valueRect, COLORREF colour);

// An icon of the swatch, for list entries.
QIcon ColorSwatchIcon(COLORREF colour, QSize size = QSize(24, 14));
