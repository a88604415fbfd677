#include "support/PaintWidgetTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace vxtest {

TestPntCtrl::TestPntCtrl() {
    resize(400, 300);
    connect(this, &CPntCtrl::imageChanged, [this] { ++imageChanges; });
    connect(this, &CPntCtrl::magChanged, [this] { ++zoomChanges; });
    connect(this, &CPntCtrl::colourSampled, [this] { ++samples; });
    connect(this, &CPntCtrl::modeChanged, [this] { ++modeChanges; });
}

bool TestPntCtrl::AskDimensions(CPntDimensions& d) {
    lastAsked = d;
    if (!answer) return false;
    d = *answer;
    return true;
}

QPoint PixelCentre(const CPntCtrl& ctrl, CPoint p) {
    const QPoint a = ctrl.ImageToClient(p), b = ctrl.ImageToClient({p.x + 1, p.y + 1});
    return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2};
}

namespace {

Qt::MouseButtons held;

void Send(CPntCtrl& ctrl, QEvent::Type type, CPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    const QPointF at = PixelCentre(ctrl, p);
    const QPointF global = ctrl.viewport()->mapToGlobal(at);
    QMouseEvent e(type, at, global, button, held, mods);
    QApplication::sendEvent(ctrl.viewport(), &e);
}

}  // namespace

void Press(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button) {
    held |= button;
    Send(ctrl, QEvent::MouseButtonPress, p, button, mods);
}

void MoveTo(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods) {
    Send(ctrl, QEvent::MouseMove, p, Qt::NoButton, mods);
}

void Release(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods, Qt::MouseButton button) {
    held &= ~Qt::MouseButtons(button);
    Send(ctrl, QEvent::MouseButtonRelease, p, button, mods);
}

void Drag(CPntCtrl& ctrl, CPoint from, CPoint to, int steps, Qt::KeyboardModifiers mods) {
    Press(ctrl, from, mods);
    for (int i = 1; i <= steps; ++i)
        MoveTo(ctrl, {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, mods);
    Release(ctrl, to, mods);
}

void Click(CPntCtrl& ctrl, CPoint p, Qt::KeyboardModifiers mods) {
    Press(ctrl, p, mods);
    Release(ctrl, p, mods);
}

void Key(CPntCtrl& ctrl, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(&ctrl, &e);
}

void WhenModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

}  // namespace vxtest
