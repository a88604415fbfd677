#include "paint/PntDialogs.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>

#include "paint/PntToolBar.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

// ---------------------------------------------------------------------------
// CPntDlg

CPntDlg::CPntDlg(int templateId, QWidget* parent) : CNSFlexDialog(parent), templateId_(templateId) {
    setSizeGripEnabled(true);
}

std::string CPntDlg::profileSection() const { return "PaintDlg:" + std::to_string(templateId_); }

void CPntDlg::SavePosition() {
    auto& s = vx::SettingsStore::App();
    const QRect r = frameGeometry();
    s.WriteProfileInt(profileSection(), "X", r.x());
    s.WriteProfileInt(profileSection(), "Y", r.y());
    s.WriteProfileInt(profileSection(), "Width", width());
    s.WriteProfileInt(profileSection(), "Height", height());
}

bool CPntDlg::RestorePosition() {
    const auto& s = vx::SettingsStore::App();
    const int x = s.GetProfileInt(profileSection(), "X", -1), y = s.GetProfileInt(profileSection(), "Y", -1);
    const int w = s.GetProfileInt(profileSection(), "Width", -1), h = s.GetProfileInt(profileSection(), "Height", -1);
    if (x < 0 || y < 0 || w <= 0 || h <= 0) return false;
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    // The stored rectangle must end within the work area (and start in it).
    if (!work.isValid() || x + w > work.right() + 1 || y + h > work.bottom() + 1 || x < work.left() ||
        y < work.top())
        return false;
    resize(w, h);
    move(x, y);
    return true;
}

void CPntDlg::showEvent(QShowEvent* e) {
    if (positioned_) {
        QDialog::showEvent(e);
        return;
    }
    positioned_ = true;
    if (RestorePosition()) {
        QDialog::showEvent(e);
        return;
    }
    // Centred on the nearest shown window of its parents (a dialog asked
    // before its editor appears would else be centred on a hidden widget at
    // the screen's corner), or on the screen; always kept on the screen.
    QWidget* over = parentWidget();
    while (over && !over->isVisible()) over = over->parentWidget();
    QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect();
    QRect r = frameGeometry();
    r.moveCenter(over ? over->window()->frameGeometry().center() : work.center());
    if (work.isValid()) {
        r.moveLeft(std::clamp(r.left(), work.left(), std::max(work.left(), work.right() + 1 - r.width())));
        r.moveTop(std::clamp(r.top(), work.top(), std::max(work.top(), work.bottom() + 1 - r.height())));
    }
    move(r.topLeft());
    QDialog::showEvent(e);
}

void CPntDlg::moveEvent(QMoveEvent* e) {
    CNSFlexDialog::moveEvent(e);
    if (isVisible() && positioned_) SavePosition();
}

void CPntDlg::resizeEvent(QResizeEvent* e) {
    CNSFlexDialog::resizeEvent(e);
    if (isVisible() && positioned_) SavePosition();
}

// ---------------------------------------------------------------------------
// "Enter Bitmap Dimensions"

namespace {

struct DepthChoice {
    const char* text;
    int bits;
};
constexpr DepthChoice kDepths[] = {{"Monochrome", 1}, {"16 Colors", 4}, {"256 Colors", 8},
                                   {"High Color", 16}, {"True Color", 24}, {"32 bit", 32}};

}  // namespace

int CPntDimensionsDlg::ChoiceOfDepth(int bitCount) {
    for (int i = 0; i < 6; ++i)
        if (kDepths[i].bits == bitCount) return i;
    return 2;
}

int CPntDimensionsDlg::DepthOfChoice(int choice) { return choice >= 0 && choice < 6 ? kDepths[choice].bits : 8; }

CPntDimensionsDlg::CPntDimensionsDlg(const CPntDimensions& d, QWidget* parent)
    : CPntDlg(kTemplateId, parent), d_(d) {
    setWindowTitle(tr("Enter Bitmap Dimensions"));
    auto* grid = new QGridLayout(this);
    widthLabel_ = new QLabel(tr("&Width:"), this);
    heightLabel_ = new QLabel(tr("&Height:"), this);
    width_ = new QSpinBox(this);
    height_ = new QSpinBox(this);
    for (QSpinBox* b : {width_, height_}) {
        b->setRange(1, vx::kPntMaxSide);
        b->setSuffix(tr(" pixels"));
    }
    width_->setValue(std::clamp(d.width, 1, vx::kPntMaxSide));
    height_->setValue(std::clamp(d.height, 1, vx::kPntMaxSide));
    widthLabel_->setBuddy(width_);
    heightLabel_->setBuddy(height_);
    depth_ = new QComboBox(this);
    for (const auto& c : kDepths) depth_->addItem(tr(c.text));
    depth_->setCurrentIndex(ChoiceOfDepth(d.bitCount));
    crop_ = new QCheckBox(tr("Crop to selection rectangle"), this);
    crop_->setEnabled(d.offerCrop);
    crop_->setChecked(d.offerCrop && d.crop);
    auto* limits = new QLabel(tr("Each side 1 to %1 pixels, at most %2 pixels in all.")
                                  .arg(vx::kPntMaxSide)
                                  .arg(QLocale().toString(qlonglong(vx::kPntMaxPixels))),
                              this);
    limits->setObjectName(QStringLiteral("limits"));
    limits->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    grid->addWidget(widthLabel_, 0, 0);
    grid->addWidget(width_, 0, 1);
    grid->addWidget(heightLabel_, 1, 0);
    grid->addWidget(height_, 1, 1);
    auto* depthLabel = new QLabel(tr("&Colors:"), this);
    depthLabel->setBuddy(depth_);
    grid->addWidget(depthLabel, 2, 0);
    grid->addWidget(depth_, 2, 1);
    grid->addWidget(crop_, 3, 0, 1, 2);
    grid->addWidget(limits, 4, 0, 1, 2);
    grid->addWidget(buttons, 5, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPntDimensionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPntDimensionsDlg::reject);
    auto follow = [this] {
        const bool manual = !crop_->isChecked();
        for (QWidget* w : std::initializer_list<QWidget*>{width_, height_, widthLabel_, heightLabel_})
            w->setEnabled(manual);
    };
    connect(crop_, &QCheckBox::toggled, this, follow);
    follow();
}

void CPntDimensionsDlg::accept() {
    if (!crop_->isChecked() && !vx::PntSizeAllowed(width_->value(), height_->value())) {
        ShowMessage(tr("%1 x %2 pixels is too large: an image may have at most %3 pixels in all.")
                        .arg(width_->value())
                        .arg(height_->value())
                        .arg(QLocale().toString(qlonglong(vx::kPntMaxPixels))));
        return;
    }
    CNSFlexDialog::accept();
}

CPntDimensions CPntDimensionsDlg::result() const {
    CPntDimensions r = d_;
    r.width = width_->value();
    r.height = height_->value();
    r.bitCount = DepthOfChoice(depth_->currentIndex());
    r.crop = crop_->isEnabled() && crop_->isChecked();
    return r;
}

// ---------------------------------------------------------------------------
// The editors

CPntEditDlg::CPntEditDlg(int templateId, const QString& title, QWidget* parent) : CPntDlg(templateId, parent) {
    setWindowTitle(title);
    ctrl_ = new CPntCtrl(this);
    ctrl_->setObjectName(QStringLiteral("MFCPaintCtrl"));
    bar_ = new CPntToolBar(ctrl_, this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    connect(ctrl_, &CPntCtrl::statusText, status_, &QLabel::setText);
    for (auto signal : {&CPntCtrl::imageChanged, &CPntCtrl::colourSampled, &CPntCtrl::modeChanged})
        connect(ctrl_, signal, this, [this] { OnPaintNotify(); });
}

void CPntEditDlg::OnPaintNotify() { bar_->UpdateButtons(); }

CPntIconPreview::CPntIconPreview(CPntCtrl* ctrl, QWidget* parent) : QWidget(parent), ctrl_(ctrl) {
    setObjectName(QStringLiteral("preview"));
    setFixedSize(CPntIconEditDlg::kIconSide + 8, CPntIconEditDlg::kIconSide + 8);
}

void CPntIconPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), vx::ToQColor(vx::GetSysColor(vx::SysColor::ButtonFace)));
    const CDIBSection& img = ctrl_->image();
    if (img.IsNull()) return;
    QImage shown(img.width(), img.height(), QImage::Format_ARGB32);
    img.RenderInto(shown, img.bounds(), ctrl_->transparent() ? ctrl_->transparencyColor() : -1);
    const QRect area((width() - img.width()) / 2, (height() - img.height()) / 2, img.width(), img.height());
    p.drawImage(area.topLeft(), shown);
    p.setPen(Qt::black);
    p.drawRect(area.adjusted(-2, -2, 1, 1));
}

CPntIconEditDlg::CPntIconEditDlg(QWidget* parent) : CPntEditDlg(kTemplateId, tr("Icon Editor"), parent) {
    ctrl_->SetMagnification(700);
    // A 32 x 32 icon fits exactly: the pixels, the doubled margins and the frame.
    const int side = kIconSide * 7 + 2 * 2 * 5 + 2 * ctrl_->frameWidth() + 2;
    ctrl_->setFixedSize(side, side);
    ctrl_->SelectTool(CPntCtrl::kToolPen);
    ctrl_->SetGrid(true, 600);
    ctrl_->SetCentered(true);
    preview_ = new CPntIconPreview(ctrl_, this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* top = new QVBoxLayout(this);
    top->addWidget(bar_);
    top->addWidget(bar_->optionsBar());
    auto* row = new QHBoxLayout;
    row->addWidget(ctrl_, 1);
    auto* side_ = new QVBoxLayout;
    side_->addWidget(preview_, 0, Qt::AlignHCenter);
    side_->addStretch(1);
    side_->addWidget(buttons);
    row->addLayout(side_);
    top->addLayout(row, 1);
    top->addWidget(status_);
}

bool CPntIconEditDlg::SetIcon(const CDIBSection& color, const CDIBSection& mask) {
    CDIBSection img = color;
    if (!img.IsNull() && img.GetColorCount() == 0 && !img.ChangeFormat(img.width(), img.height(), 1, 8)) return false;
    if (!ctrl_->SetImage(img)) return false;
    if (!mask.IsNull() && ctrl_->ApplyMask(mask)) ctrl_->SetTransparent(true);
    ctrl_->SelectTool(CPntCtrl::kToolPen);
    preview_->update();
    return true;
}

void CPntIconEditDlg::OnPaintNotify() {
    if (preview_) preview_->update();
    CPntEditDlg::OnPaintNotify();
}

CPntBitmapEditDlg::CPntBitmapEditDlg(QWidget* parent) : CPntEditDlg(kTemplateId, tr("Bitmap Editor"), parent) {
    slider_ = new QSlider(Qt::Vertical, this);
    slider_->setObjectName(QStringLiteral("zoom"));
    slider_->setRange(10, 600);
    slider_->setValue(100);
    slider_->setInvertedAppearance(true);
    slider_->setTickPosition(QSlider::TicksRight);
    slider_->setTickInterval(100);
    slider_->setPageStep(100);
    zoomLabel_ = new QLabel(QStringLiteral("100%"), this);
    connect(slider_, &QSlider::actionTriggered, this, &CPntBitmapEditDlg::OnSlider);
    connect(ctrl_, &CPntCtrl::magChanged, this, [this] {
        const QSignalBlocker block(slider_);
        slider_->setValue(std::clamp(ctrl_->zoomPercent(), 10, 600));
        zoomLabel_->setText(QStringLiteral("%1%").arg(ctrl_->zoomPercent()));
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* zoom = new QVBoxLayout;
    zoom->addWidget(new QLabel(QStringLiteral("10%"), this), 0, Qt::AlignHCenter);
    zoom->addWidget(slider_, 1, Qt::AlignHCenter);
    zoom->addWidget(new QLabel(QStringLiteral("600%"), this), 0, Qt::AlignHCenter);
    zoom->addWidget(zoomLabel_, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    row->addWidget(ctrl_, 1);
    row->addLayout(zoom);
    auto* top = new QVBoxLayout(this);
    top->addWidget(bar_);
    top->addWidget(bar_->optionsBar());
    top->addLayout(row, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(buttons);
    top->addLayout(bottom);
    resize(780, 560);
    ctrl_->SelectTool(CPntCtrl::kToolPen);
    ctrl_->SetGrid(true, 600);
    ctrl_->SetTransparent(true);
    ctrl_->SetCentered(true);
}

void CPntBitmapEditDlg::SetImage(const CDIBSection& image) {
    ctrl_->SetImage(image);
    prepared_ = false;
    Prepare();
}

void CPntBitmapEditDlg::SetTransparencyColor(COLORREF c) {
    ctrl_->SetTransparencyColor(c);
    ctrl_->SetTransparent(c != -1);
}

void CPntBitmapEditDlg::Prepare() {
    if (prepared_ || !ctrl_->HasImage()) return;
    prepared_ = true;
    const CDIBSection& img = ctrl_->image();
    ctrl_->SetMagnification(img.width() < 50 || img.height() < 50 ? 600 : 100);
    ctrl_->SelectTool(CPntCtrl::kToolPen);
}

int CPntBitmapEditDlg::exec() {
    if (!ctrl_->HasImage()) {
        if (!ctrl_->NewImage()) {
            setResult(QDialog::Rejected);
            return QDialog::Rejected;
        }
    }
    Prepare();
    return CPntDlg::exec();
}

void CPntBitmapEditDlg::OnSlider(int action) {
    int zoom = slider_->sliderPosition();
    if (action == QAbstractSlider::SliderPageStepAdd || action == QAbstractSlider::SliderPageStepSub) {
        // A page step goes to the next zoom level of the control.
        const bool up = action == QAbstractSlider::SliderPageStepAdd;
        const int step = CPntCtrl::StepZoom(ctrl_->zoomPercent(), up);
        if (step < 0) return;
        zoom = step;
        slider_->setSliderPosition(zoom);
    }
    if (action == QAbstractSlider::SliderNoAction) return;
    ctrl_->SetMagnification(zoom);
}
