#include "support/WidgetTestSupport.h"

#include <QApplication>
#include <QAbstractButton>
#include <QTimer>

namespace vxtest {

void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text) {
    // Polls until the box is up (it appears inside its own event loop).
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (text) *text = box->text();
        if (QAbstractButton* b = box->button(button)) b->click();
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

}  // namespace vxtest
