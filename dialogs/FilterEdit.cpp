#include "dialogs/FilterEdit.h"

#include <QApplication>
#include <QKeyEvent>

CFilterEdit::CFilterEdit(int setup, QWidget* parent) : QLineEdit(parent) { SetSetup(setup); }

void CFilterEdit::SetSetup(int setup) {
    mode_ = setup & 0xF;
    const int limit = (setup >> 4) & 0xFF;
    setMaxLength(limit > 0 ? limit : 32767);
}

bool CFilterEdit::Accepts(int mode, QChar c) {
    const ushort u = c.unicode();
    const bool digit = u >= '0' && u <= '9';
    const bool letter = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z');
    switch (mode) {
        case kSignedDigits: return digit || u == '-';
        case kDigits: return digit;
        case kSignedReal: return digit || u == '-' || u == '.';
        case kReal: return digit || u == '.';
        case kLetters: return letter;
        case kPathChars: return letter || digit || u == ':' || u == '\\' || u == '~' || u == '$' || u == '.';
        case kPrintable: return !c.isNull() && c.category() != QChar::Other_Control;
        case kBinary: return u == '0' || u == '1';
        default: return false;
    }
}

bool CFilterEdit::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) {
            // Tab is never typed: with Ctrl it is dropped, otherwise the
            // field moves on.
            if (!(k->modifiers() & Qt::ControlModifier)) {
                const bool shift = (k->modifiers() & Qt::ShiftModifier) || k->key() == Qt::Key_Backtab;
                if (onTab) onTab(shift);
                else focusNextPrevChild(!shift);
            }
            return true;
        }
    }
    return QLineEdit::event(e);
}

void CFilterEdit::keyPressEvent(QKeyEvent* e) {
    const QString text = e->text();
    // Keys that type nothing (movement, shortcuts) and backspace and Enter
    // go on as usual; typed characters must pass the mode.
    const bool typing = text.size() == 1 && !text[0].isNull() && text[0].category() != QChar::Other_Control &&
                        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typing && !Accepts(mode_, text[0])) {
        ++refused_;
        QApplication::beep();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
