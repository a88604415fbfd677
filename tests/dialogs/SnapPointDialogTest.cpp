// The list dialog rules driven through the "Enter Snap Points" dialog's
// widgets, and the filtered edit field.
#include <gtest/gtest.h>

#include <iterator>

#include <QSignalSpy>
#include <QTest>

#include "dialogs/FilterEdit.h"
#include "dialogs/SnapPointDialog.h"
#include "support/WidgetTestSupport.h"

namespace {

std::vector<int> Ids(const CAnchorFmt& set) {
    std::vector<int> ids;
    for (size_t i = 0; i < set.size(); ++i) ids.push_back(set.point(i)->id);
    return ids;
}

std::vector<int> LineIds(const CSnapPointDialog& d) {
    std::vector<int> ids;
    for (int row = 0; row < d.list()->count(); ++row) ids.push_back(static_cast<CSnapPoint*>(d.ItemAt(row))->id);
    return ids;
}

// A set of `n` points with ids 0..n-1 of successive types.
void Fill(CAnchorFmt& set, int n) {
    for (int i = 0; i < n; ++i) set.AddPoint(i % CSnapPoint::kTypeCount);
}

}  // namespace

TEST(SnapPointDialog, AddHandsOutIdsThatAreNeverReused) {
    CAnchorFmt set;
    set.nextId = 5;
    CSnapPointDialog d(set);
    EXPECT_EQ(d.currentIndex(), -1);
    EXPECT_FALSE(d.typeBox()->isEnabled());  // no current point: fields off
    EXPECT_EQ(d.maxInEdit()->text(), "99");

    for (int i = 0; i < 3; ++i) QTest::mouseClick(d.addButton(), Qt::LeftButton);
    EXPECT_EQ(LineIds(d), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(d.currentIndex(), 2);  // the added line is selected
    EXPECT_TRUE(d.typeBox()->isEnabled());

    d.list()->setCurrentRow(1);
    QTest::mouseClick(d.deleteButton(), Qt::LeftButton);
    QTest::mouseClick(d.addButton(), Qt::LeftButton);
    EXPECT_EQ(LineIds(d), (std::vector<int>{5, 7, 8}));
    EXPECT_EQ(d.list()->item(2)->text(), "8\ttopLeft");

    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(Ids(set), (std::vector<int>{5, 7, 8}));
    EXPECT_EQ(set.nextId, 9);
    EXPECT_TRUE(vxtest::AskedTexts().isEmpty());
}

TEST(SnapPointDialog, DeleteSelectsTheLineAtTheSameIndexOrTheNewLast) {
    CAnchorFmt set;
    Fill(set, 3);
    {
        CSnapPointDialog d(set);
        EXPECT_EQ(d.currentIndex(), 0);  // the first line is current on opening
        d.list()->setCurrentRow(2);
        d.OnDelete();
        EXPECT_EQ(LineIds(d), (std::vector<int>{0, 1}));
        EXPECT_EQ(d.currentIndex(), 1);
        d.list()->setCurrentRow(0);
        d.OnDelete();
        EXPECT_EQ(LineIds(d), (std::vector<int>{1}));
        EXPECT_EQ(d.currentIndex(), 0);
        // Deleting the only line leaves nothing selected.
        d.OnDelete();
        EXPECT_EQ(d.list()->count(), 0);
        EXPECT_EQ(d.currentIndex(), -1);
        EXPECT_FALSE(d.deleteButton()->isEnabled());
        EXPECT_FALSE(d.upButton()->isEnabled());
        EXPECT_FALSE(d.downButton()->isEnabled());
        EXPECT_FALSE(d.dXEdit()->isEnabled());
        d.OnDelete();  // nothing selected: nothing happens
        d.reject();
    }
    EXPECT_EQ(Ids(set), (std::vector<int>{0, 1, 2}));  // cancelled
}

TEST(SnapPointDialog, UpOnTheFirstAndDownOnTheLastChangeNothing) {
    CAnchorFmt set;
    Fill(set, 3);
    CSnapPointDialog d(set);
    EXPECT_FALSE(d.upButton()->isEnabled());
    EXPECT_TRUE(d.downButton()->isEnabled());
    d.OnUp();
    EXPECT_EQ(LineIds(d), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(d.currentIndex(), 0);

    d.OnDown();
    EXPECT_EQ(LineIds(d), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(d.currentIndex(), 1);
    d.list()->setCurrentRow(2);
    EXPECT_FALSE(d.downButton()->isEnabled());
    d.OnDown();
    EXPECT_EQ(LineIds(d), (std::vector<int>{1, 0, 2}));
    d.OnUp();
    EXPECT_EQ(LineIds(d), (std::vector<int>{1, 2, 0}));
    d.accept();
    EXPECT_EQ(Ids(set), (std::vector<int>{1, 2, 0}));  // OK keeps the shown order
}

TEST(SnapPointDialog, CancelLeavesTheSetAndItsNextIdAsTheyWere) {
    CAnchorFmt set;
    Fill(set, 2);
    set.limit = 1;
    set.point(0)->dX = 3;
    const int nextId = set.nextId;
    {
        CSnapPointDialog d(set);
        d.dXEdit()->setText("-7");
        QTest::mouseClick(d.addButton(), Qt::LeftButton);  // stores dX -7 into the working point
        d.list()->setCurrentRow(1);
        d.OnDelete();
        EXPECT_EQ(static_cast<CSnapPoint*>(d.ItemAt(0))->dX, -7);
        QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        EXPECT_EQ(d.result(), QDialog::Rejected);
    }
    EXPECT_EQ(Ids(set), (std::vector<int>{0, 1}));
    EXPECT_EQ(set.nextId, nextId);
    EXPECT_EQ(set.limit, 1);
    EXPECT_EQ(set.point(0)->dX, 3);
}

TEST(SnapPointDialog, FieldsAreWrittenBackOnlyWhenEveryOneIsValid) {
    CAnchorFmt set;
    Fill(set, 2);
    set.point(0)->inCount = 4;
    CSnapPointDialog d(set);
    d.typeBox()->setCurrentIndex(CSnapPoint::kMiddle);
    d.dXEdit()->setText("12");
    d.dYEdit()->setText("-3");
    d.tipEdit()->setText("Port");
    d.maxOutEdit()->setText("1001");  // out of range (-1 to 1000)

    vxtest::AnswerNext(QMessageBox::Ok);
    d.list()->setCurrentRow(1);
    ASSERT_EQ(vxtest::AskedTexts().size(), 1);
    EXPECT_EQ(vxtest::AskedTexts()[0], "Please enter an integer between -1 and 1000.");
    EXPECT_EQ(d.currentIndex(), 0);  // the current line stays
    EXPECT_EQ(d.list()->currentRow(), 0);
    EXPECT_EQ(static_cast<CSnapPoint*>(d.ItemAt(0))->dX, 0);  // nothing written

    d.maxOutEdit()->setText("-");
    vxtest::AnswerNext(QMessageBox::Ok);
    d.accept();
    ASSERT_EQ(vxtest::AskedTexts().size(), 2);
    EXPECT_EQ(vxtest::AskedTexts()[1], "This is not a valid number.");
    EXPECT_NE(d.result(), QDialog::Accepted);  // stays open

    d.maxOutEdit()->setText("5");
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const CSnapPoint& p = *set.point(0);
    EXPECT_EQ(p.type, CSnapPoint::kMiddle);
    EXPECT_EQ(p.dX, 12);
    EXPECT_EQ(p.dY, -3);
    EXPECT_EQ(p.maxOut, 5);
    EXPECT_EQ(p.tip, "Port");
    EXPECT_EQ(p.inCount, 4);  // counts are not fields of the dialog
}

TEST(SnapPointDialog, UntickingUseColourClearsGridOffsetAndColour) {
    CAnchorFmt set;
    Fill(set, 1);
    set.point(0)->useColour = 1;
    set.point(0)->gridOffset = 6;
    set.point(0)->colour = vx::kStandardColors[2];
    CSnapPointDialog d(set);
    EXPECT_EQ(d.gridOffsetEdit()->text(), "6");
    EXPECT_EQ(d.colourBox()->currentData().toInt(), int(vx::kStandardColors[2]));
    // The first choice stands for no colour, then the standard colours.
    EXPECT_EQ(d.colourBox()->itemData(0).toInt(), -1);
    EXPECT_EQ(d.colourBox()->count(), int(std::size(vx::kStandardColors)) + 1);

    QTest::mouseClick(d.useColourBox(), Qt::LeftButton);
    EXPECT_FALSE(d.useColourBox()->isChecked());
    EXPECT_EQ(d.gridOffsetEdit()->text(), "0");
    EXPECT_EQ(d.colourBox()->currentIndex(), 0);
    // The click stored at once.
    const auto* p = static_cast<CSnapPoint*>(d.ItemAt(0));
    EXPECT_EQ(p->useColour, 0);
    EXPECT_EQ(p->gridOffset, 0);
    EXPECT_EQ(p->colour, vx::kAutoColor);
    EXPECT_EQ(set.point(0)->gridOffset, 6);  // the set waits for OK
}

TEST(SnapPointDialog, TypeNamesAndOutOfRangeTypes) {
    EXPECT_EQ(CSnapPointDialog::TypeName(0), "topLeft");
    EXPECT_EQ(CSnapPointDialog::TypeName(8), "middle");
    CAnchorFmt set;
    Fill(set, 1);
    set.point(0)->type = 42;  // a damaged type shows as topLeft
    CSnapPointDialog d(set);
    EXPECT_EQ(d.list()->item(0)->text(), "0\ttopLeft");
    EXPECT_EQ(d.typeBox()->currentIndex(), 0);
}

TEST(SnapPointDialog, DoubleClickOnTheEmptyListAdds) {
    CAnchorFmt set;
    CSnapPointDialog d(set);
    QTest::mouseDClick(d.list()->viewport(), Qt::LeftButton);
    EXPECT_EQ(d.list()->count(), 1);
    EXPECT_EQ(d.currentIndex(), 0);
}

TEST(FilterEdit, RefusesCharactersOutsideItsModeAndBeyondItsLimit) {
    CFilterEdit dX(CSnapPointDialog::kNumberSetup);
    EXPECT_EQ(CSnapPointDialog::kNumberSetup, 65);
    QTest::keyClicks(&dX, "12a");
    EXPECT_EQ(dX.text(), "12");
    EXPECT_EQ(dX.refusedCount(), 1);
    QTest::keyClicks(&dX, "-345");  // the fifth character is over the limit
    EXPECT_EQ(dX.text(), "12-3");
    QTest::keyClick(&dX, Qt::Key_Backspace);
    EXPECT_EQ(dX.text(), "12-");

    CFilterEdit binary(CFilterEdit::kBinary);
    QTest::keyClicks(&binary, "10201x1");
    EXPECT_EQ(binary.text(), "10011");
    CFilterEdit path(CFilterEdit::kPathChars);
    QTest::keyClicks(&path, "C:\\a b~$.9/");
    EXPECT_EQ(path.text(), "C:\\ab~$.9");
    CFilterEdit none(0);
    QTest::keyClicks(&none, "a1");
    EXPECT_EQ(none.text(), "");
}

TEST(FilterEdit, ModesAcceptTheirCharacters) {
    struct Case {
        int mode;
        const char* accepted;
        const char* refused;
    };
    const Case cases[] = {
        {CFilterEdit::kSignedDigits, "-0123456789", ".aZ "},
        {CFilterEdit::kDigits, "0123456789", "-.a"},
        {CFilterEdit::kSignedReal, "-.09", "a+e"},
        {CFilterEdit::kReal, ".09", "-a"},
        {CFilterEdit::kLetters, "azAZ", "0-_ "},
        {CFilterEdit::kPathChars, "aZ:\\~$.0", "/ -"},
        {CFilterEdit::kPrintable, "a -~\xC3\xA9", "\t\n"},
        {CFilterEdit::kBinary, "01", "2a"},
    };
    for (const Case& c : cases) {
        for (QChar ch : QString::fromUtf8(c.accepted)) EXPECT_TRUE(CFilterEdit::Accepts(c.mode, ch)) << c.mode << " " << int(ch.unicode());
        for (QChar ch : QString::fromUtf8(c.refused)) EXPECT_FALSE(CFilterEdit::Accepts(c.mode, ch)) << c.mode << " " << int(ch.unicode());
    }
}

TEST(FilterEdit, TabIsNeverTyped) {
    CFilterEdit field(CFilterEdit::kPrintable);
    std::vector<bool> tabs;
    field.onTab = [&](bool shift) { tabs.push_back(shift); };
    QTest::keyClick(&field, Qt::Key_Tab);
    QTest::keyClick(&field, Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(&field, Qt::Key_Tab, Qt::ControlModifier);  // dropped silently
    EXPECT_EQ(tabs, (std::vector<bool>{false, true}));
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(field.refusedCount(), 0);
}

TEST(SnapPointDialog, TypingOnTheListChoosesTheType) {
    CAnchorFmt set;
    Fill(set, 1);
    CSnapPointDialog d(set);
    QTest::keyClick(d.list(), Qt::Key_M, Qt::NoModifier);
    EXPECT_EQ(d.typeBox()->currentIndex(), CSnapPoint::kMiddle);
    // Choosing a type stores at once.
    EXPECT_EQ(static_cast<CSnapPoint*>(d.ItemAt(0))->type, CSnapPoint::kMiddle);
    EXPECT_EQ(d.list()->item(0)->text(), "0\tmiddle");
}
