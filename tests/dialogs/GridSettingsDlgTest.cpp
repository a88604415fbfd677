// The "Grid Settings" dialog: what OK stores in the page, odd spacings, and
// the centre-snapping switch that depends on snapping to the grid.
#include <gtest/gtest.h>

#include <QMessageBox>

#include "dialogs/GridSettingsDlg.h"
#include "model/HyperPage.h"
#include "model/ListEditors.h"
#include "support/WidgetTestSupport.h"

TEST(GridSettings, OkStoresFlagsSpacingAndGuidesAndKeepsOtherFlagBits) {
    CHyperPage page;
    page.gridFlags = 0x100 | CHyperPage::kShowGrid;  // a bit the dialog does not edit
    CGridSettingsDlg d(CGridSettingsDlg::FromPage(page));
    EXPECT_TRUE(d.showGridBox()->isChecked());
    EXPECT_FALSE(d.snapToGridBox()->isChecked());
    EXPECT_FALSE(d.snapToCentreBox()->isEnabled());  // only with snapping to the grid
    d.snapToGridBox()->setChecked(true);
    EXPECT_TRUE(d.snapToCentreBox()->isEnabled());
    d.snapToCentreBox()->setChecked(true);
    d.showGridBox()->setChecked(false);
    d.widthBox()->setValue(20);
    d.heightBox()->setValue(16);
    for (int side = 0; side < 4; ++side) d.guideBox(side)->setValue(side * 5);
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    CGridSettingsDlg::ToPage(d.values(), page);
    EXPECT_EQ(page.gridFlags, 0x100u | CHyperPage::kSnapToGrid | CHyperPage::kSnapToCentre);
    EXPECT_EQ(page.gridSpacing, CSize(20, 16));
    EXPECT_EQ(page.guidelines, CRect(0, 5, 10, 15));
}

TEST(GridSettings, AnOddSpacingIsRefusedAndTheDialogStaysOpen) {
    CHyperPage page;
    for (bool oddWidth : {true, false}) {
        CGridSettingsDlg d(CGridSettingsDlg::FromPage(page));
        d.show();
        (oddWidth ? d.widthBox() : d.heightBox())->setValue(15);
        vxtest::AnswerNext(QMessageBox::Ok);
        d.accept();
        EXPECT_EQ(vxtest::LastAskedText(), "Grid spacing must be even");
        EXPECT_TRUE(d.isVisible());
        EXPECT_NE(d.result(), QDialog::Accepted);
        // The page's values are untouched, and an even value then goes through.
        (oddWidth ? d.widthBox() : d.heightBox())->setValue(14);
        d.accept();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    EXPECT_EQ(page.gridSpacing, CSize(10, 10));
}

TEST(GridSettings, SpacingOutsideTheRangeIsClampedIntoIt) {
    CHyperPage page;
    page.gridSpacing = CSize(1, 5000);
    CGridSettingsDlg d(CGridSettingsDlg::FromPage(page));
    EXPECT_EQ(d.widthBox()->value(), 2);
    EXPECT_EQ(d.heightBox()->value(), 1000);
    d.widthBox()->setValue(999999);
    EXPECT_EQ(d.widthBox()->value(), 1000);
}
