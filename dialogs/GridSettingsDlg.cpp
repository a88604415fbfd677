#include "dialogs/GridSettingsDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/HyperPage.h"
#include "model/ListEditors.h"

namespace {

constexpr uint32_t kEditedFlags = CHyperPage::kShowGrid | CHyperPage::kSnapToGrid | CHyperPage::kSnapToCentre;

QSpinBox* NumberBox(int lower, int upper, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setRange(lower, upper);
    box->setValue(std::clamp(value, lower, upper));
    return box;
}

}  // namespace

CGridSettingsDlg::Values CGridSettingsDlg::FromPage(const CHyperPage& page) {
    return Values{page.gridFlags, page.gridSpacing, page.guidelines};
}

void CGridSettingsDlg::ToPage(const Values& v, CHyperPage& page) {
    page.gridFlags = (page.gridFlags & ~kEditedFlags) | (v.flags & kEditedFlags);
    page.gridSpacing = v.spacing;
    page.guidelines = v.guides;
}

CGridSettingsDlg::CGridSettingsDlg(const Values& v, QWidget* parent) : CNSFlexDialog(parent), values_(v) {
    setWindowTitle(tr("Grid Settings"));
    showGrid_ = new QCheckBox(tr("Show &Grid"), this);
    snapToGrid_ = new QCheckBox(tr("&Snap to Grid"), this);
    snapToCentre_ = new QCheckBox(tr("Snap to &Center"), this);
    showGrid_->setChecked(v.flags & CHyperPage::kShowGrid);
    snapToGrid_->setChecked(v.flags & CHyperPage::kSnapToGrid);
    snapToCentre_->setChecked(v.flags & CHyperPage::kSnapToCentre);
    // Centre snapping only means something while snapping to the grid.
    snapToCentre_->setEnabled(snapToGrid_->isChecked());
    connect(snapToGrid_, &QCheckBox::toggled, snapToCentre_, &QWidget::setEnabled);

    width_ = NumberBox(2, 1000, v.spacing.cx, this);
    height_ = NumberBox(2, 1000, v.spacing.cy, this);
    auto* spacing = new QFormLayout;
    spacing->addRow(tr("&Width:"), width_);
    spacing->addRow(tr("&Height:"), height_);

    auto* guideGroup = new QGroupBox(tr("Guidelines (0 = OFF)"), this);
    auto* guideForm = new QFormLayout(guideGroup);
    const int insets[4] = {v.guides.left, v.guides.top, v.guides.right, v.guides.bottom};
    const QString labels[4] = {tr("&Left:"), tr("&Top:"), tr("&Right:"), tr("&Bottom:")};
    for (int i = 0; i < 4; ++i) {
        guides_[size_t(i)] = NumberBox(0, 1000, insets[i], guideGroup);
        guideForm->addRow(labels[i], guides_[size_t(i)]);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGridSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* checks = new QVBoxLayout;
    for (QCheckBox* b : {showGrid_, snapToGrid_, snapToCentre_}) checks->addWidget(b);
    checks->addLayout(spacing);
    auto* top = new QHBoxLayout;
    top->addLayout(checks);
    top->addWidget(guideGroup);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

void CGridSettingsDlg::accept() {
    if (width_->value() % 2 != 0 || height_->value() % 2 != 0) {
        ShowMessage(tr("Grid spacing must be even"));
        (width_->value() % 2 != 0 ? width_ : height_)->setFocus();
        return;
    }
    values_.flags = (showGrid_->isChecked() ? CHyperPage::kShowGrid : 0) |
                    (snapToGrid_->isChecked() ? CHyperPage::kSnapToGrid : 0) |
                    (snapToCentre_->isChecked() ? CHyperPage::kSnapToCentre : 0);
    values_.spacing = CSize(width_->value(), height_->value());
    values_.guides = CRect(guides_[0]->value(), guides_[1]->value(), guides_[2]->value(), guides_[3]->value());
    QDialog::accept();
}

void InstallGridSettingsDialog() {
    CListEditors::Get().editGrid = [](CHyperPage& page) {
        CGridSettingsDlg dialog(CGridSettingsDlg::FromPage(page), QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted) return false;
        CGridSettingsDlg::ToPage(dialog.values(), page);
        return true;
    };
}
