#include "dialogs/BitmapDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Color.h"
#include "platform/QtConv.h"
#include "platform/StringTable.h"
#include "shapes/BitmapOb.h"

namespace {

constexpr int kPreviewWidth = 200;
constexpr int kPreviewHeight = 150;

QString ColourName(COLORREF c) {
    return QStringLiteral("(%1, %2, %3)").arg(vx::GetRValue(c)).arg(vx::GetGValue(c)).arg(vx::GetBValue(c));
}

}  // namespace

CBitmapDialog::FileChooser& CBitmapDialog::fileChooser() {
    static FileChooser chooser = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Load Bitmap"), QString(),
                                            QStringLiteral("Images (*.bmp *.png *.jpg *.gif);;All Files (*)"));
    };
    return chooser;
}

CBitmapDialog::CBitmapDialog(CImageValue& value, const std::string& folder, QWidget* parent)
    : CNSFlexDialog(parent), value_(value), folder_(folder) {
    setWindowTitle(QStringLiteral("Bitmap Dialog"));
    preview_ = new QLabel(this);
    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    fileName_ = new QLabel(this);
    transparent_ = new QComboBox(this);
    transparent_->addItem(QString::fromStdString(vx::LoadStringOr(26625, "(None)")), int(-1));
    for (COLORREF c : vx::kStandardColors) transparent_->addItem(ColourName(c), int(c));
    copy_ = new QPushButton(QStringLiteral("&Copy"), this);
    paste_ = new QPushButton(QStringLiteral("&Paste"), this);
    load_ = new QPushButton(QStringLiteral("&Load..."), this);
    clear_ = new QPushButton(QStringLiteral("Clea&r"), this);
    edit_ = new QPushButton(QStringLiteral("&Edit..."), this);
    edit_->setEnabled(bool(imageEditor()));
    link_ = new QCheckBox(QStringLiteral("&Link:"), this);
    rle_ = new QCheckBox(QStringLiteral("RLE:"), this);
    rle_->setEnabled(false);  // no compressor is installed

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("File Name:"), this), 0, 0);
    grid->addWidget(fileName_, 0, 1);
    auto* transparentLabel = new QLabel(QStringLiteral("&Transparent:"), this);
    transparentLabel->setBuddy(transparent_);
    grid->addWidget(transparentLabel, 1, 0);
    grid->addWidget(transparent_, 1, 1);
    grid->addWidget(link_, 2, 0);
    grid->addWidget(rle_, 2, 1);
    auto* side = new QVBoxLayout;
    for (QPushButton* b : {copy_, paste_, load_, clear_, edit_}) side->addWidget(b);
    side->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(preview_);
    top->addLayout(side);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copy_, &QPushButton::clicked, this, [this] { Copy(); });
    connect(paste_, &QPushButton::clicked, this, [this] { Paste(); });
    connect(load_, &QPushButton::clicked, this, [this] { Load(); });
    connect(edit_, &QPushButton::clicked, this, [this] { Edit(); });
    connect(clear_, &QPushButton::clicked, this, [this] { Clear(); });
    connect(link_, &QCheckBox::toggled, this, [this](bool on) {
        if (!refreshing_) SetLinked(on);
    });
    connect(transparent_, &QComboBox::currentIndexChanged, this, [this] {
        if (!refreshing_) TakeTransparent();
    });
    Refresh();
}

void CBitmapDialog::Refresh() {
    refreshing_ = true;
    const QImage& img = value_.image();
    if (img.isNull()) {
        preview_->setPixmap(QPixmap());
        preview_->setText(value_.IsMissingLink() ? QStringLiteral("(missing file)") : QString());
    } else {
        QImage shown = img;
        if (shown.width() > kPreviewWidth || shown.height() > kPreviewHeight)
            shown = shown.scaled(kPreviewWidth, kPreviewHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        preview_->setPixmap(QPixmap::fromImage(shown));
    }
    fileName_->setText(value_.fileName().empty() ? QString::fromStdString(vx::LoadStringOr(26624, "N/A"))
                                                 : vx::ToQString(value_.fileName()));
    int at = transparent_->findData(int(value_.transparentColor()));
    if (at < 0) {
        transparent_->addItem(ColourName(value_.transparentColor()), int(value_.transparentColor()));
        at = transparent_->count() - 1;
    }
    transparent_->setCurrentIndex(at);
    const bool fileImage = value_.kind() == CImageValue::kLinked || value_.kind() == CImageValue::kFromFile;
    link_->setEnabled(fileImage && !value_.fileName().empty());
    link_->setChecked(value_.kind() == CImageValue::kLinked);
    copy_->setEnabled(!img.isNull());
    clear_->setEnabled(value_.kind() != CImageValue::kNone);
    refreshing_ = false;
}

void CBitmapDialog::TakeTransparent() { value_.setTransparentColor(COLORREF(transparent_->currentData().toInt())); }

void CBitmapDialog::Copy() {
    if (value_.HasImage()) QGuiApplication::clipboard()->setImage(value_.image());
}

void CBitmapDialog::Paste() {
    const QImage img = QGuiApplication::clipboard()->image();
    if (img.isNull()) return;
    const COLORREF keep = value_.transparentColor();
    value_.SetImage(img, CImageValue::kPasted);
    value_.setTransparentColor(keep);
    Refresh();
}

CBitmapDialog::ImageEditor& CBitmapDialog::imageEditor() {
    static ImageEditor editor;
    return editor;
}

void CBitmapDialog::Edit() {
    if (!imageEditor()) return;
    QImage img = value_.HasImage() ? value_.image() : QImage();
    COLORREF transparent = value_.transparentColor();
    if (!imageEditor()(img, transparent, this) || img.isNull()) return;
    value_.SetImage(img, CImageValue::kPasted);
    value_.setTransparentColor(transparent);
    Refresh();
}

void CBitmapDialog::Load() {
    const QString file = fileChooser()(this);
    if (file.isEmpty()) return;
    const COLORREF keep = value_.transparentColor();
    if (!value_.Link(file.toStdString(), folder_))
        ShowMessage(QStringLiteral("%1 cannot be read: %2").arg(file, vx::ToQString(value_.problem())));
    value_.setTransparentColor(keep);
    Refresh();
}

void CBitmapDialog::Clear() {
    value_.Clear();
    Refresh();
}

void CBitmapDialog::SetLinked(bool linked) {
    const COLORREF keep = value_.transparentColor();
    if (linked && value_.kind() == CImageValue::kFromFile) {
        value_.Link(value_.fileName(), folder_);
    } else if (!linked && value_.kind() == CImageValue::kLinked && value_.HasImage()) {
        // The file's image goes into the design.
        const QImage img = value_.image();
        value_.SetImage(img, CImageValue::kFromFile, value_.fileName());
    }
    value_.setTransparentColor(keep);
    Refresh();
}

void InstallBitmapDialog() {
    CBitmapOb::EditHook() = [](CImageValue& value, CHyperOb& ob) {
        const auto* bitmap = dynamic_cast<const CBitmapOb*>(&ob);
        CBitmapDialog dialog(value, bitmap ? bitmap->LinkFolder() : std::string(), QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
}
