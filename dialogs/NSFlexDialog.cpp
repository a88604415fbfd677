#include "dialogs/NSFlexDialog.h"

#include <QMessageBox>
#include <QShowEvent>

CNSFlexDialog::CNSFlexDialog(QWidget* parent) : QDialog(parent) {}

CNSFlexDialog::MessageHook& CNSFlexDialog::messageHook() {
    static MessageHook hook;
    return hook;
}

CNSFlexDialog::QuestionHook& CNSFlexDialog::questionHook() {
    static QuestionHook hook;
    return hook;
}

void CNSFlexDialog::ShowMessage(const QString& text) {
    if (messageHook()) messageHook()(this, text);
    else QMessageBox::warning(this, windowTitle(), text);
}

bool CNSFlexDialog::AskOkCancel(const QString& text) {
    if (questionHook()) return questionHook()(this, text);
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

void CNSFlexDialog::showEvent(QShowEvent* e) {
    if (QWidget* p = parentWidget()) {
        QRect r = frameGeometry();
        r.moveCenter(p->frameGeometry().center());
        move(r.topLeft());
    }
    QDialog::showEvent(e);
}
