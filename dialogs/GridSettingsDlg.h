// The "Grid Settings" dialog: whether the grid shows and snaps, the grid
// spacing and the four guidelines of a page.
#pragma once

#include <QCheckBox>
#include <QSpinBox>
#include <array>
#include <cstdint>

#include "dialogs/NSFlexDialog.h"
#include "platform/Geometry.h"

class CHyperPage;

class CGridSettingsDlg : public CNSFlexDialog {
public:
    // The values the dialog edits, as the page stores them.
    struct Values {
        uint32_t flags = 0;   // CHyperPage::kShowGrid | kSnapToGrid | kSnapToCentre
        CSize spacing{10, 10};
        CRect guides{10, 10, 10, 10};  // insets; 0 = no guideline on that side
    };

    static Values FromPage(const CHyperPage& page);
    // Stores `v` in `page`; bits of the flag word the dialog does not edit stay.
    static void ToPage(const Values& v, CHyperPage& page);

    explicit CGridSettingsDlg(const Values& v, QWidget* parent = nullptr);

    // The values after OK.
    const Values& values() const { return values_; }

    QCheckBox* showGridBox() const { return showGrid_; }
    QCheckBox* snapToGridBox() const { return snapToGrid_; }
    QCheckBox* snapToCentreBox() const { return snapToCentre_; }
    QSpinBox* widthBox() const { return width_; }
    QSpinBox* heightBox() const { return height_; }
    // Left, top, right, bottom.
    QSpinBox* guideBox(int side) const { return guides_[size_t(side)]; }

    void accept() override;

private:
    Values values_;
    QCheckBox* showGrid_ = nullptr;
    QCheckBox* snapToGrid_ = nullptr;
    QCheckBox* snapToCentre_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    std::array<QSpinBox*, 4> guides_{};
};

// Installs the dialog as the page's grid editor (CListEditors::editGrid).
void InstallGridSettingsDialog();
