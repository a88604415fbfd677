// Synthetic mouse and key input for widget tests of the views: presses,
// drags and clicks on a scroll area's viewport in client pixels.
//
//     vxtest::Drag(*view, {100, 100}, {160, 140});            // left drag
//     vxtest::Click(*view, {50, 50}, Qt::ShiftModifier);      // Shift-click
//     vxtest::Key(*view, Qt::Key_Right, Qt::ControlModifier);
#pragma once

#include <QAbstractScrollArea>
#include <QTest>
#include <initializer_list>

namespace vxtest {

inline void Press(QAbstractScrollArea& view, QPoint p, Qt::KeyboardModifiers mods = {},
                  Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(view.viewport(), button, mods, p);
}

inline void Release(QAbstractScrollArea& view, QPoint p, Qt::KeyboardModifiers mods = {},
                    Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(view.viewport(), button, mods, p);
}

// Moves with the buttons as they are (a drag while one is pressed).
inline void MoveTo(QAbstractScrollArea& view, QPoint p, Qt::KeyboardModifiers mods = {}) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), view.viewport()->mapToGlobal(QPointF(p)), Qt::NoButton,
                  Qt::LeftButton, mods);
    QCoreApplication::sendEvent(view.viewport(), &e);
}

inline void Click(QAbstractScrollArea& view, QPoint p, Qt::KeyboardModifiers mods = {}) {
    Press(view, p, mods);
    Release(view, p, mods);
}

// Press at `from`, move there in `steps` steps, release.
inline void Drag(QAbstractScrollArea& view, QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}, int steps = 4) {
    Press(view, from, mods);
    for (int i = 1; i <= steps; ++i) MoveTo(view, from + (to - from) * i / steps, mods);
    Release(view, to, mods);
}

// Press at the first point, move through the others, release at the last
// (a freehand stroke).
inline void Stroke(QAbstractScrollArea& view, std::initializer_list<QPoint> points, Qt::KeyboardModifiers mods = {}) {
    if (points.size() == 0) return;
    Press(view, *points.begin(), mods);
    for (const QPoint& p : points) MoveTo(view, p, mods);
    Release(view, *(points.end() - 1), mods);
}

inline void DoubleClick(QAbstractScrollArea& view, QPoint p) { QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, p); }

inline void Key(QWidget& w, int key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(&w, Qt::Key(key), mods);
}

}  // namespace vxtest
