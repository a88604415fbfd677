#include "app/AboutDlg.h"

#include <QFile>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextEdit>

#include "platform/RtfReader.h"

namespace {

// Largest about document read; the rest is left out.
constexpr qint64 kMaxDocument = 4 << 20;

}  // namespace

CAboutDlg::CAboutDlg(const QString& documentPath, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Vexelwork"));
    setSizeGripEnabled(true);
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("1000"));
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ok_->setGeometry(0, 6, 75, 24);
    text_->move(2, 36);
    // A missing or unreadable document leaves the text empty.
    QFile f(documentPath);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.read(kMaxDocument);
        vx::ReadRtf(std::string_view(bytes.constData(), size_t(bytes.size())), *text_->document());
    }
    resize(480, 360);
}

void CAboutDlg::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    const QSize client = e->size();
    // OK keeps its top, 3 pixels from the right edge; the text fills the rest.
    ok_->move(client.width() - 3 - ok_->width(), ok_->y());
    const int top = text_->y();
    text_->setGeometry(2, top, std::max(0, client.width() - 5), std::max(0, client.height() - top - 3));
}
