#include "paint/PntEditor.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "dialogs/BitmapDialog.h"
#include "paint/PntDialogs.h"

namespace vx::pnt {

SaveNameHook& saveNameHook() {
    static SaveNameHook hook;
    return hook;
}

namespace {

QString AskSaveName(QWidget* parent, const QString& suggested) {
    if (saveNameHook()) return saveNameHook()(parent, suggested);
    return QFileDialog::getSaveFileName(parent, QObject::tr("Save Image As"), suggested,
                                        QObject::tr("PNG image (*.png);;Bitmap file (*.bmp)"));
}

}  // namespace

QString RunImageEditor(QWidget* parent, const QString& path) {
    CPntBitmapEditDlg dlg(parent);
    if (!path.isEmpty()) {
        QString error;
        if (!dlg.paintCtrl()->LoadFile(path, &error)) {
            QMessageBox::warning(parent, QObject::tr("Bitmap Editor"),
                                 QObject::tr("Cannot open %1: %2").arg(QFileInfo(path).fileName(), error));
            return {};
        }
        dlg.SetImage(dlg.paintCtrl()->image());
    }
    if (dlg.exec() != QDialog::Accepted) return {};
    QString suggested = path.isEmpty() ? QStringLiteral("untitled.png") : path;
    for (;;) {
        const QString target = AskSaveName(parent, suggested);
        if (target.isEmpty()) return {};
        QString error;
        if (dlg.paintCtrl()->SaveFile(target, &error)) return target;
        QMessageBox::warning(parent, QObject::tr("Bitmap Editor"),
                             QObject::tr("Cannot save %1: %2").arg(QFileInfo(target).fileName(), error));
        suggested = target;
    }
}

void InstallBitmapDialogEditor() {
    CBitmapDialog::imageEditor() = [](QImage& image, COLORREF& transparent, QWidget* parent) {
        CPntBitmapEditDlg dialog(parent);
        if (!image.isNull()) {
            CDIBSection dib;
            if (!dib.FromQImage(image, 24)) {
                QMessageBox::warning(parent, QObject::tr("Bitmap Dialog"),
                                     QObject::tr("The picture is too large for the bitmap editor (%1 x %2 pixels).")
                                         .arg(image.width())
                                         .arg(image.height()));
                return false;
            }
            dialog.SetImage(dib);
        }
        dialog.SetTransparencyColor(transparent);
        if (dialog.exec() != QDialog::Accepted) return false;
        image = dialog.image().ToQImage();
        transparent = dialog.transparencyColor();
        return true;
    };
}

}  // namespace vx::pnt
