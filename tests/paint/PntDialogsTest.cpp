#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>

#include "command/CommandIds.h"
#include "dialogs/BitmapDialog.h"
#include "paint/PntDialogs.h"
#include "paint/PntEditor.h"
#include "paint/PntImageFile.h"
#include "paint/PntTextFmtBar.h"
#include "paint/PntToolBar.h"
#include "platform/Settings.h"
#include "support/PaintTestSupport.h"
#include "support/PaintWidgetTestSupport.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

using vx::RGB;

namespace {

CDIBSection Blank(int w, int h, int bits = 8) {
    CDIBSection img;
    img.CreateImage(w, h, 1, bits);
    return img;
}

}  // namespace

TEST(PntDimensionsDlg, SidesAndTotalAreBoundedAndSaidSo) {
    CPntDimensionsDlg dlg(CPntDimensions{});
    EXPECT_EQ(dlg.windowTitle(), "Enter Bitmap Dimensions");
    EXPECT_EQ(dlg.widthBox()->value(), 32);
    EXPECT_EQ(dlg.depthBox()->currentText(), "256 Colors");
    EXPECT_EQ(dlg.widthBox()->maximum(), vx::kPntMaxSide);
    EXPECT_EQ(dlg.heightBox()->minimum(), 1);
    EXPECT_TRUE(dlg.findChild<QLabel*>("limits")->text().contains("8192"));
    dlg.widthBox()->setValue(99999);
    EXPECT_EQ(dlg.widthBox()->value(), vx::kPntMaxSide) << "a typo cannot go past the side limit";
    dlg.heightBox()->setValue(vx::kPntMaxSide);
    dlg.show();
    vxtest::AnswerNext(QMessageBox::Ok);
    dlg.accept();
    EXPECT_TRUE(vxtest::LastAskedText().contains("too large"));
    EXPECT_TRUE(dlg.isVisible()) << "refused, the dialog stays";
    dlg.heightBox()->setValue(100);
    dlg.depthBox()->setCurrentIndex(4);
    dlg.accept();
    EXPECT_EQ(dlg.result().width, vx::kPntMaxSide);
    EXPECT_EQ(dlg.result().bitCount, 24);
}

TEST(PntDimensionsDlg, DepthChoicesAndCropping) {
    EXPECT_EQ(CPntDimensionsDlg::ChoiceOfDepth(1), 0);
    EXPECT_EQ(CPntDimensionsDlg::ChoiceOfDepth(32), 5);
    EXPECT_EQ(CPntDimensionsDlg::ChoiceOfDepth(12), 2) << "an unknown depth shows as 256 colours";
    EXPECT_EQ(CPntDimensionsDlg::DepthOfChoice(3), 16);
    EXPECT_EQ(CPntDimensionsDlg::DepthOfChoice(9), 8);
    CPntDimensionsDlg plain(CPntDimensions{});
    EXPECT_FALSE(plain.cropBox()->isEnabled());
    CPntDimensions d;
    d.offerCrop = true;
    CPntDimensionsDlg crop(d);
    ASSERT_TRUE(crop.cropBox()->isEnabled());
    crop.cropBox()->setChecked(true);
    EXPECT_FALSE(crop.widthBox()->isEnabled());
    EXPECT_FALSE(crop.heightBox()->isEnabled());
    EXPECT_TRUE(crop.result().crop);
}

TEST(PntDlg, PositionIsRestoredWhenOnTheScreen) {
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    {
        CPntDlg dlg(777);
        dlg.resize(200, 150);
        dlg.show();
        dlg.move(work.left() + 20, work.top() + 30);
        QApplication::processEvents();
    }
    auto& s = vx::SettingsStore::App();
    EXPECT_EQ(s.GetProfileInt("PaintDlg:777", "Width", -1), 200);
    CPntDlg again(777);
    EXPECT_TRUE(again.RestorePosition());
    EXPECT_EQ(again.size(), QSize(200, 150));
    s.WriteProfileInt("PaintDlg:777", "X", -1);
    EXPECT_FALSE(again.RestorePosition()) << "X of -1: centred";
    s.WriteProfileInt("PaintDlg:777", "X", work.right() - 10);
    EXPECT_FALSE(again.RestorePosition()) << "ending beyond the work area";
}

TEST(PntBitmapEditDlg, MagnificationFollowsTheImageAndTheSlider) {
    CPntBitmapEditDlg small;
    small.SetImage(Blank(32, 32));
    EXPECT_EQ(small.paintCtrl()->zoomPercent(), 600);
    EXPECT_EQ(small.zoomSlider()->value(), 600);
    CPntBitmapEditDlg big;
    big.SetImage(Blank(64, 64));
    EXPECT_EQ(big.paintCtrl()->zoomPercent(), 100);
    EXPECT_EQ(big.paintCtrl()->tool(), CPntCtrl::kToolPen);
    EXPECT_TRUE(big.paintCtrl()->transparent());
    big.zoomSlider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(big.paintCtrl()->zoomPercent(), 200) << "a page step goes to the next level";
    big.zoomSlider()->setSliderPosition(350);
    big.zoomSlider()->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(big.paintCtrl()->zoomPercent(), 350);
    big.SetTransparencyColor(RGB(255, 0, 0));
    EXPECT_EQ(big.transparencyColor(), RGB(255, 0, 0));
}

TEST(PntBitmapEditDlg, CancelInTheDimensionsEndsTheEditor) {
    CPntBitmapEditDlg dlg;
    vxtest::WhenModal([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Enter Bitmap Dimensions");
        static_cast<QDialog*>(w)->reject();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_FALSE(dlg.paintCtrl()->HasImage());
}

TEST(PntIconEditDlg, IconsShowAtSevenHundredPercentWithTheGrid) {
    CPntIconEditDlg dlg;
    CDIBSection color = vxtest::ImageFromArt(std::vector<std::string>(32, std::string(32, 'r')), 24);
    CDIBSection mask = Blank(32, 32, 1);
    mask.FillAll(RGB(0, 0, 0));
    mask.SetPixel(0, 0, RGB(255, 255, 255));
    ASSERT_TRUE(dlg.SetIcon(color, mask));
    EXPECT_EQ(dlg.image().bitCount(), 8) << "a true-colour icon gets a colour table";
    EXPECT_EQ(dlg.paintCtrl()->zoomPercent(), 700);
    EXPECT_TRUE(dlg.paintCtrl()->GridVisible());
    const CDIBSection back = dlg.GetMaskImage();
    EXPECT_EQ(back.PixelAt(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(vxtest::CountColor(back, RGB(255, 255, 255)), 1);
    EXPECT_EQ(dlg.image().PixelAt(1, 0), RGB(255, 0, 0));
    dlg.show();
    dlg.preview()->grab();
}

TEST(PntTextFmtBar, StylesTitleAndStoredFont) {
    vxtest::TestPntCtrl ctrl;
    CPntTextFmtBar bar(&ctrl);
    LOGFONT lf;
    lf.lfHeight = -16;
    lf.lfWeight = 400;
    lf.lfFaceName = "Arial";
    bar.SetFont(lf);
    EXPECT_EQ(bar.TitleText(), "Text Tool [Arial, 12pt]");
    bar.boldButton()->click();
    EXPECT_EQ(bar.font().lfWeight, 700);
    EXPECT_EQ(ctrl.textFont().lfWeight, 700);
    bar.boldButton()->click();
    EXPECT_EQ(bar.font().lfWeight, 400);
    bar.ToggleItalic();
    EXPECT_EQ(vx::SettingsStore::App().GetProfileString("Text Tool", "Font"), "-16,0,0,0,400,1,0,0,0,0,0,0,0,Arial");
    const LOGFONT back = CPntTextFmtBar::FontFromText("-16,0,0,0,700,1,1,0,0,0,0,0,0,Times New Roman");
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfFaceName, "Times New Roman");
    EXPECT_EQ(CPntTextFmtBar::FontFromText("garbage").lfWeight, 0);
    // Alignment moves the text to the box of that alignment and is stored.
    bar.SetText("abc");
    bar.SetAlignment(2);
    EXPECT_EQ(bar.text(), "abc");
    EXPECT_EQ(ctrl.textFormat() & 3u, 2u);
    EXPECT_EQ(vx::SettingsStore::App().GetProfileInt("Text Tool", "Alignment", 0), 2);
    bar.SetAlignment(0);
}

TEST(PntToolBar, ButtonsFollowTheControl) {
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(8, 8, 8);
    CPntToolBar bar(&ctrl);
    QApplication::clipboard()->clear();
    bar.RunCommand(vx::pntcmd::kFloodFill);
    EXPECT_EQ(ctrl.tool(), CPntCtrl::kToolFill);
    EXPECT_TRUE(bar.action(vx::pntcmd::kFloodFill)->isChecked());
    EXPECT_FALSE(bar.action(vx::pntcmd::kUndo)->isEnabled());
    EXPECT_FALSE(bar.action(vx::pntcmd::kPaste)->isEnabled());
    EXPECT_TRUE(bar.action(vx::pntcmd::kResize)->isEnabled());
    vxtest::Click(ctrl, {1, 1});
    bar.UpdateButtons();
    EXPECT_TRUE(bar.action(vx::pntcmd::kUndo)->isEnabled());
    bar.RunCommand(vx::pntcmd::kUndo);
    EXPECT_TRUE(bar.action(vx::pntcmd::kRedo)->isEnabled());
    bar.eraserWidthBox()->activated(2);
    EXPECT_EQ(ctrl.eraserWidth(), 8);
    bar.lineWidthBox()->activated(4);
    EXPECT_EQ(ctrl.penWidth(), 5);
    bar.foregroundBox()->activated(5);
    EXPECT_EQ(ctrl.penColor(), RGB(255, 0, 0));
    EXPECT_EQ(ctrl.fillColor(), RGB(255, 0, 0));
    bar.transparencyBox()->activated(0);
    EXPECT_EQ(ctrl.transparencyColor(), -1);
    bar.transparencyBox()->activated(2);
    EXPECT_EQ(ctrl.transparencyColor(), RGB(255, 255, 255));
    bar.RunCommand(vx::pntcmd::kSelectArea);
    EXPECT_TRUE(bar.action(vx::pntcmd::kSelectArea)->isChecked());
    EXPECT_EQ(CPntToolBar::TextOfCommand(vx::pntcmd::kSizeToFit), "Size to fit window");
}

TEST(PntEditor, OpensAFileAndSavesTheEditedImage) {
    const std::string dir = vxtest::TempDir();
    const std::string in = dir + "/in.bmp";
    ASSERT_TRUE(Blank(8, 8, 4).SaveFile(in));
    QString asked;
    vx::pnt::saveNameHook() = [&](QWidget*, const QString& suggested) {
        asked = suggested;
        return QString::fromStdString(dir + "/out.png");
    };
    vxtest::WhenModal([](QWidget* w) {
        auto* dlg = static_cast<CPntBitmapEditDlg*>(w);
        dlg->paintCtrl()->SelectTool(CPntCtrl::kToolPen);
        vxtest::Click(*dlg->paintCtrl(), {3, 3});
        dlg->accept();
    });
    const QString saved = vx::pnt::RunImageEditor(nullptr, QString::fromStdString(in));
    vx::pnt::saveNameHook() = nullptr;
    EXPECT_EQ(asked, QString::fromStdString(in));
    ASSERT_EQ(saved, QString::fromStdString(dir + "/out.png"));
    CDIBSection out;
    ASSERT_TRUE(vx::pnt::LoadImageFile(dir + "/out.png", out));
    EXPECT_EQ(out.PixelAt(3, 3), RGB(0, 0, 0));
    EXPECT_EQ(out.PixelAt(4, 3), RGB(255, 255, 255));
    // A file that is not an image is refused with a message.
    vxtest::WriteText(dir + "/bad.bmp", "BMjunk");
    vxtest::AnswerNext(QMessageBox::Ok);
    EXPECT_TRUE(vx::pnt::RunImageEditor(nullptr, QString::fromStdString(dir + "/bad.bmp")).isEmpty());
    EXPECT_TRUE(vxtest::LastAskedText().contains("Cannot open bad.bmp"));
}

TEST(PntDlg, ADialogOfAHiddenParentIsCentredOnTheScreen) {
    // The dimensions dialog of an editor that is not shown yet.
    vx::SettingsStore::App().Remove("PaintDlg:28103", "X");
    CPntBitmapEditDlg editor;
    CPntDimensionsDlg dlg(CPntDimensions{}, editor.paintCtrl());
    dlg.show();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(work.contains(dlg.frameGeometry().topLeft())) << "was at the screen's corner, partly off it";
    EXPECT_LE(std::abs(dlg.frameGeometry().center().x() - work.center().x()), 2);
}

// The Bitmap Dialog's "&Edit..." runs this editor on the shape's picture:
// a pen dot drawn there comes back in the picture, Cancel brings nothing.
TEST(PntEditor, TheBitmapDialogEditsItsPictureHere) {
    vx::pnt::InstallBitmapDialogEditor();
    auto& editor = CBitmapDialog::imageEditor();
    ASSERT_TRUE(editor);
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    COLORREF transparent = RGB(255, 255, 255);
    vxtest::WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(editor(img, transparent, nullptr));
    vxtest::WhenModal([](QWidget* w) {
        auto* dlg = static_cast<CPntBitmapEditDlg*>(w);
        EXPECT_EQ(dlg->transparencyColor(), RGB(255, 255, 255));
        dlg->paintCtrl()->SelectTool(CPntCtrl::kToolPen);
        vxtest::Click(*dlg->paintCtrl(), {3, 3});
        dlg->accept();
    });
    ASSERT_TRUE(editor(img, transparent, nullptr));
    EXPECT_EQ(img.size(), QSize(8, 8));
    EXPECT_EQ(QColor(img.pixel(3, 3)), QColor(Qt::black));
    EXPECT_EQ(QColor(img.pixel(4, 3)), QColor(Qt::white));
    editor = nullptr;
}
