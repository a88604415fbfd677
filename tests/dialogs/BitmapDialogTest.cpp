// The "Bitmap Dialog" driven through its widgets: what it shows, the
// transparent colour, Clear, Paste, Load..., Link, the controls that stay
// off, and the creation of a bitmap through it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QApplication>

#include "dialogs/BitmapDialog.h"
#include "platform/Bmp.h"
#include "shapes/BitmapOb.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

namespace {

QImage Picture(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(qRgb(0, 128, 255));
    return img;
}

}  // namespace

TEST(BitmapDialog, ShowsTheValueAndKeepsTheOptionalControlsOff) {
    CImageValue v;
    CBitmapDialog empty(v, {});
    EXPECT_EQ(empty.windowTitle(), "Bitmap Dialog");
    EXPECT_EQ(empty.fileNameLabel()->text(), "N/A");
    EXPECT_FALSE(empty.editButton()->isEnabled());
    EXPECT_FALSE(empty.rleBox()->isEnabled());
    EXPECT_FALSE(empty.linkBox()->isEnabled());
    EXPECT_FALSE(empty.clearButton()->isEnabled());
    EXPECT_EQ(empty.transparentBox()->currentData().toInt(), -1);

    v.SetImage(Picture(4, 3), CImageValue::kFromFile, "/pictures/logo.bmp");
    v.setTransparentColor(0x123456);  // not a standard colour: added to the choice
    CBitmapDialog d(v, {});
    EXPECT_EQ(d.fileNameLabel()->text(), "/pictures/logo.bmp");
    EXPECT_EQ(d.preview()->pixmap().size(), QSize(4, 3));
    EXPECT_EQ(d.transparentBox()->currentData().toInt(), 0x123456);
    EXPECT_TRUE(d.linkBox()->isEnabled());
    EXPECT_FALSE(d.linkBox()->isChecked());
    // Choosing white stores it in the value.
    d.transparentBox()->setCurrentIndex(d.transparentBox()->findData(0xFFFFFF));
    EXPECT_EQ(v.transparentColor(), 0xFFFFFFu);
    d.clearButton()->click();
    EXPECT_EQ(v.kind(), CImageValue::kNone);
    EXPECT_EQ(v.transparentColor(), 0xFFFFFFu);  // Clear keeps the colour
    EXPECT_EQ(d.fileNameLabel()->text(), "N/A");
}

TEST(BitmapDialog, PasteLoadAndLink) {
    const std::string dir = vxtest::TempDir();
    const std::string file = dir + "/pic.bmp";
    vxtest::WriteAll(file, vx::EncodeBmp(Picture(5, 2), 24));
    CImageValue v;
    CBitmapDialog d(v, dir);
    const CBitmapDialog::FileChooser chooser = CBitmapDialog::fileChooser();
    QGuiApplication::clipboard()->setImage(Picture(6, 6));
    d.pasteButton()->click();
    EXPECT_EQ(v.kind(), CImageValue::kPasted);
    EXPECT_EQ(v.image().size(), QSize(6, 6));

    CBitmapDialog::fileChooser() = [&](QWidget*) { return QString::fromStdString(file); };
    d.loadButton()->click();
    EXPECT_EQ(v.kind(), CImageValue::kLinked);
    EXPECT_EQ(v.fileName(), file);
    EXPECT_EQ(v.image().size(), QSize(5, 2));
    EXPECT_TRUE(d.linkBox()->isChecked());
    // Unlinking puts the file's image into the design; linking reads it again.
    d.linkBox()->click();
    EXPECT_EQ(v.kind(), CImageValue::kFromFile);
    EXPECT_FALSE(v.data().empty());
    d.linkBox()->click();
    EXPECT_EQ(v.kind(), CImageValue::kLinked);
    EXPECT_TRUE(v.data().empty());

    // A file that cannot be read is said so, and the link is kept.
    vxtest::AnswerNext(QMessageBox::Ok);
    CBitmapDialog::fileChooser() = [&](QWidget*) { return QString::fromStdString(dir + "/gone.bmp"); };
    d.loadButton()->click();
    EXPECT_TRUE(v.IsMissingLink());
    EXPECT_TRUE(vxtest::LastAskedText().contains("gone.bmp"));
    CBitmapDialog::fileChooser() = chooser;
}

TEST(BitmapDialog, ANewBitmapTakesTheImageOnOkOnly) {
    InstallBitmapDialog();
    for (bool ok : {true, false}) {
        CBitmapOb b;
        QGuiApplication::clipboard()->setImage(Picture(3, 3));
        QTimer::singleShot(0, [ok] {
            auto* d = dynamic_cast<CBitmapDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->pasteButton()->click();
            if (ok) d->accept();
            else d->reject();
        });
        EXPECT_TRUE(b.ConfirmCreation());
        EXPECT_EQ(b.HasImage(), ok);
    }
    CBitmapOb::EditHook() = nullptr;
}

// "&Edit..." hands the picture and the transparent colour to the installed
// bitmap editor; what comes back is the shape's picture, pasted. Cancel in
// the editor changes nothing.
TEST(BitmapDialog, EditHandsThePictureToTheBitmapEditor) {
    auto& editor = CBitmapDialog::imageEditor();
    const auto installed = editor;
    bool ok = false;
    QSize seen;
    editor = [&](QImage& img, COLORREF& transparent, QWidget*) {
        seen = img.size();
        if (!ok) return false;
        img = Picture(5, 3);
        img.setPixel(0, 0, qRgb(255, 0, 0));
        transparent = vx::RGB(255, 0, 0);
        return true;
    };
    CImageValue v;
    v.SetImage(Picture(8, 8), CImageValue::kPasted);
    CBitmapDialog d(v, {});
    ASSERT_TRUE(d.editButton()->isEnabled());
    d.editButton()->click();
    EXPECT_EQ(seen, QSize(8, 8));
    EXPECT_EQ(v.image().size(), QSize(8, 8));  // cancelled
    ok = true;
    d.editButton()->click();
    EXPECT_EQ(v.kind(), CImageValue::kPasted);
    EXPECT_EQ(v.image().size(), QSize(5, 3));
    EXPECT_EQ(v.image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(v.transparentColor(), vx::RGB(255, 0, 0));
    editor = installed;
}
