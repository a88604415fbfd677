// Conversions between the platform layer's plain types and Qt's.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "platform/Color.h"
#include "platform/Geometry.h"
#include "platform/LogFont.h"

namespace vx {

inline QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
inline COLORREF FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

inline QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline std::string FromQString(const QString& s) { return s.toStdString(); }

inline QPoint ToQPoint(CPoint p) { return QPoint(p.x, p.y); }
// Qt rectangles are inclusive of their right and bottom pixel; ours are not.
inline QRect ToQRect(const CRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }
inline CRect FromQRect(const QRect& r) { return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1); }

// A Qt font matching `lf`; heights are taken as pixels (negative heights are
// character heights, positive ones cell heights and are shrunk to the
// character height by the usual internal-leading ratio).
QFont ToQFont(const LOGFONT& lf);
// The record describing `font` (pixel height as a negative lfHeight).
LOGFONT FromQFont(const QFont& font);

}  // namespace vx
