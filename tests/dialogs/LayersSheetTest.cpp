// The "Layers Sheet" driven through its widgets: naming of new layers, the
// rules of the first layer, deleting a used layer and what Cancel leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "dialogs/Dialogs.h"
#include "dialogs/LayersSheet.h"
#include "model/AnchorFmt.h"
#include "model/HyperPage.h"
#include "model/ListEditors.h"
#include "support/WidgetTestSupport.h"

namespace {

CHyperOb* Add(CHyperPage& page, int layerId) {
    auto ob = std::make_unique<CHyperOb>();
    ob->setLayerId(layerId);
    return page.Insert(std::move(ob));
}

QStringList Names(const CLayersSheet& sheet) {
    QStringList names;
    for (int row = 0; row < sheet.list()->count(); ++row) names << sheet.list()->item(row)->text();
    return names;
}

QStringList Names(const CLayerFmt& layers) {
    QStringList names;
    for (size_t i = 0; i < layers.size(); ++i) names << QString::fromStdString(layers.layer(i)->name);
    return names;
}

}  // namespace

TEST(LayersSheet, NewLayersAreNumberedByIdsThatOnlyGrow) {
    CHyperPage page;
    CLayersSheet sheet(*page.layers(), &page);
    EXPECT_EQ(sheet.currentIndex(), 0);
    EXPECT_EQ(sheet.insertionLabel()->text(), "Default");
    QTest::mouseClick(sheet.addButton(), Qt::LeftButton);
    QTest::mouseClick(sheet.addButton(), Qt::LeftButton);
    EXPECT_EQ(Names(sheet), (QStringList{"Default", "Layer1", "Layer2"}));
    sheet.list()->setCurrentRow(1);
    QTest::mouseClick(sheet.deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(vxtest::AskedTexts().isEmpty());  // an empty layer goes without asking
    QTest::mouseClick(sheet.addButton(), Qt::LeftButton);
    EXPECT_EQ(Names(sheet), (QStringList{"Default", "Layer2", "Layer3"}));
    EXPECT_EQ(sheet.currentIndex(), 2);

    QTest::mouseClick(sheet.okButton(), Qt::LeftButton);
    EXPECT_EQ(Names(*page.layers()), (QStringList{"Default", "Layer2", "Layer3"}));
    EXPECT_EQ(page.layers()->nextId, 4);
    // The selected line became the insertion layer.
    EXPECT_EQ(page.layers()->GetInsertionLayerId(), 3);
}

TEST(LayersSheet, TheFirstLayerCanBeNeitherRenamedDeletedNorMoved) {
    CHyperPage page;
    page.layers()->AddLayer("A");
    page.layers()->AddLayer("B");
    CLayersSheet sheet(*page.layers(), &page);
    sheet.list()->setCurrentRow(0);
    EXPECT_FALSE(sheet.nameEdit()->isEnabled());
    EXPECT_FALSE(sheet.deleteButton()->isEnabled());
    EXPECT_FALSE(sheet.upButton()->isEnabled());
    EXPECT_FALSE(sheet.downButton()->isEnabled());
    EXPECT_TRUE(sheet.selectButton()->isEnabled());
    sheet.OnDelete();
    sheet.OnDown();
    EXPECT_EQ(Names(sheet), (QStringList{"Default", "A", "B"}));

    sheet.list()->setCurrentRow(1);
    EXPECT_TRUE(sheet.nameEdit()->isEnabled());
    EXPECT_FALSE(sheet.upButton()->isEnabled());  // cannot move above the first layer
    EXPECT_TRUE(sheet.downButton()->isEnabled());
    sheet.nameEdit()->setText("Notes");
    sheet.OnDown();
    EXPECT_EQ(Names(sheet), (QStringList{"Default", "B", "Notes"}));
    sheet.list()->setCurrentRow(2);
    EXPECT_TRUE(sheet.upButton()->isEnabled());

    // Locking the layer disables "Select".
    QTest::mouseClick(sheet.lockBox(), Qt::LeftButton);
    EXPECT_FALSE(sheet.selectButton()->isEnabled());
    sheet.accept();
    EXPECT_EQ(Names(*page.layers()), (QStringList{"Default", "B", "Notes"}));
    EXPECT_TRUE(page.layers()->layer(2)->locked);
}

TEST(LayersSheet, DeletingAUsedLayerAsksAndMovesItsObjectsAtOnce) {
    CHyperPage page;
    page.layers()->AddLayer("Layer1");
    page.layers()->AddLayer("Layer2");
    CHyperOb* a = Add(page, 2);
    CHyperOb* b = Add(page, 0);
    {
        CLayersSheet sheet(*page.layers(), &page);
        sheet.list()->setCurrentRow(2);
        vxtest::AnswerNext(QMessageBox::Cancel);
        sheet.OnDelete();
        ASSERT_EQ(vxtest::AskedTexts().size(), 1);
        EXPECT_EQ(vxtest::AskedTexts()[0], "Delete layer \"Layer2\" and reassign its objects to layer \"Layer1\"?");
        EXPECT_EQ(sheet.list()->count(), 3);  // Cancel stops
        EXPECT_EQ(a->layerId(), 2);

        vxtest::AnswerNext(QMessageBox::Ok);
        sheet.OnDelete();
        EXPECT_EQ(Names(sheet), (QStringList{"Default", "Layer1"}));
        EXPECT_EQ(a->layerId(), 1);
        EXPECT_EQ(b->layerId(), 0);
        sheet.reject();
    }
    // The list is as it was, but the objects stay on the layer above.
    EXPECT_EQ(Names(*page.layers()), (QStringList{"Default", "Layer1", "Layer2"}));
    EXPECT_EQ(a->layerId(), 1);
}

TEST(LayersSheet, DoubleClickTogglesOneLineOrEveryLayer) {
    CHyperPage page;
    page.layers()->AddLayer("A");
    CLayersSheet sheet(*page.layers(), &page);
    sheet.ToggleLineVisible(1);
    sheet.ToggleLineLocked(0);
    EXPECT_TRUE(sheet.lockBox()->isChecked());  // line 0 is the current one
    sheet.ToggleAllVisible();
    sheet.accept();
    const CLayerFmt& l = *page.layers();
    EXPECT_FALSE(l.layer(0)->visible);
    EXPECT_FALSE(l.layer(1)->visible);
    EXPECT_TRUE(l.layer(0)->locked);
    EXPECT_FALSE(l.layer(1)->locked);
}

TEST(LayersSheet, SelectAsksTheViewForTheLayersObjects) {
    CHyperPage page;
    page.layers()->AddLayer("A");
    CLayersSheet sheet(*page.layers(), &page);
    int selected = -1;
    sheet.selectLayer = [&](int id) { selected = id; };
    sheet.list()->setCurrentRow(1);
    QTest::mouseClick(sheet.selectButton(), Qt::LeftButton);
    EXPECT_EQ(selected, 1);
}

TEST(ListDialogs, InstalledAsTheModelsListEditors) {
    CListEditors& editors = CListEditors::Get();
    const CListEditors saved = editors;
    InstallListDialogs();
    ASSERT_TRUE(editors.editLayers);
    ASSERT_TRUE(editors.editAnchors);
    // Close whichever dialog opens with Cancel.
    QTimer::singleShot(0, [] {
        if (QWidget* w = QApplication::activeModalWidget()) static_cast<QDialog*>(w)->reject();
    });
    CAnchorFmt set;
    EXPECT_FALSE(editors.editAnchors(set));
    editors = saved;
}
