// The "Enter Snap Points" dialog: a list dialog on a snap-point set.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "dialogs/FilterEdit.h"
#include "dialogs/ListDialog.h"
#include "model/AnchorFmt.h"

class CSnapPointDialog : public CHyperListDialog {
public:
    // Set-up of the number fields: signed digits, at most 4 characters.
    static constexpr int kNumberSetup = CFilterEdit::kSignedDigits | (4 << 4);

    CSnapPointDialog(CAnchorFmt& set, QWidget* parent = nullptr);

    QComboBox* typeBox() const { return type_; }
    CFilterEdit* dXEdit() const { return dX_; }
    CFilterEdit* dYEdit() const { return dY_; }
    QCheckBox* byPixelBox() const { return byPixel_; }
    CFilterEdit* maxInEdit() const { return maxIn_; }
    CFilterEdit* maxOutEdit() const { return maxOut_; }
    QLineEdit* tipEdit() const { return tip_; }
    QCheckBox* useColourBox() const { return useColour_; }
    CFilterEdit* gridOffsetEdit() const { return dG_; }
    QComboBox* colourBox() const { return colour_; }
    // The name of a snap-point type ("topLeft" ... "middle").
    static QString TypeName(int type);

protected:
    bool Exchange(CListItem* item, bool store) override;
    std::unique_ptr<CListItem> NewItem() override;
    QString LineText(const CListItem& item) const override;
    void TakeFields(CHyperListFmt& edited, const CHyperListFmt& working) override;

    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Reads a number field; shows the message and keeps the focus there when
    // it is not a number or out of range.
    bool ReadNumber(CFilterEdit* field, int lower, int upper, int32_t& out);
    void OnTypeChosen();
    void OnUseColourClicked();
    void SetFieldsEnabled(bool on);

    QComboBox* type_ = nullptr;
    CFilterEdit* dX_ = nullptr;
    CFilterEdit* dY_ = nullptr;
    QCheckBox* byPixel_ = nullptr;
    CFilterEdit* maxIn_ = nullptr;
    CFilterEdit* maxOut_ = nullptr;
    QLineEdit* tip_ = nullptr;
    QCheckBox* useColour_ = nullptr;
    CFilterEdit* dG_ = nullptr;
    QComboBox* colour_ = nullptr;
    bool loading_ = false;
};
