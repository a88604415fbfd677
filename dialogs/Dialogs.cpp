#include "dialogs/Dialogs.h"

#include <QApplication>

#include "dialogs/BitmapDialog.h"
#include "dialogs/GridSettingsDlg.h"
#include "dialogs/LayersSheet.h"
#include "dialogs/SnapPointDialog.h"
#include "model/ListEditors.h"

void InstallListDialogs() {
    auto& editors = CListEditors::Get();
    editors.editLayers = [](CLayerFmt& layers, CHyperPage* page) {
        CLayersSheet sheet(layers, page, QApplication::activeWindow());
        return sheet.exec() == QDialog::Accepted;
    };
    editors.editAnchors = [](CAnchorFmt& set) {
        CSnapPointDialog dialog(set, QApplication::activeWindow());
        return dialog.exec() == QDialog::Accepted;
    };
    InstallBitmapDialog();
    InstallGridSettingsDialog();
}
