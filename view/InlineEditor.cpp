#include "view/InlineEditor.h"

#include <QKeyEvent>

#include "model/HyperPage.h"

CInlineEditor::CInlineEditor(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    hide();
}

void CInlineEditor::Open(CHyperPage& page, CHyperOb& ob, const QRect& deviceRect, const QFont& font,
                         Qt::Alignment align, const QString& text) {
    page_ = &page;
    ref_ = vx::edit::RefOf(page, page.IndexOf(&ob));
    original_ = text;
    setFont(font);
    setAlignment(align | Qt::AlignVCenter);
    setText(text);
    setGeometry(deviceRect);
    open_ = true;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    end(false);
}

CHyperOb* CInlineEditor::object() const {
    if (!open_ || !page_) return nullptr;
    vx::edit::CSelectionModel resolver;
    return resolver.ResolveOne(*page_, ref_);
}

void CInlineEditor::Cancel() {
    open_ = false;
    hide();
}

void CInlineEditor::RequestClose(bool commit) {
    if (!open_ || closing_) return;
    closing_ = true;
    if (onClose) onClose(commit);
    closing_ = false;
    Cancel();
}

void CInlineEditor::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        RequestClose(true);
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        RequestClose(false);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void CInlineEditor::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    RequestClose(true);
}
