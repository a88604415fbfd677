#include "dialogs/DefinitionDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "platform/QtConv.h"

CDefinitionDlg::CDefinitionDlg(std::string& text, int kind, QWidget* parent)
    : CNSFlexDialog(parent), text_(text), edit_(new QPlainTextEdit(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("Definition"));
    setWindowTitle(TitleFor(kind));
    edit_->setObjectName(QStringLiteral("edit%1").arg(kEditId));
    // One definition a line: lines are not wrapped, and Tab moves on.
    edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit_->setTabChangesFocus(true);
    edit_->setPlainText(vx::ToQString(text));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(360, 240);
}

QString CDefinitionDlg::TitleFor(int kind) {
    switch (kind) {
        case kAttributes: return QStringLiteral("Attribute Definitions");
        case kOperations: return QStringLiteral("Operation Definitions");
        default: return QStringLiteral("Description");
    }
}

void CDefinitionDlg::accept() {
    text_ = vx::FromQString(edit_->toPlainText());
    CNSFlexDialog::accept();
}
