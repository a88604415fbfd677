#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>

#include "command/CommandIds.h"
#include "paint/PntTextFmtBar.h"
#include "support/PaintTestSupport.h"
#include "support/PaintWidgetTestSupport.h"
#include "support/TestSupport.h"
#include "support/WidgetTestSupport.h"

using vx::RGB;
using vxtest::ArtOf;
using Art = std::vector<std::string>;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class PntCtrlTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ctrl.NewImage(12, 8, 24);
        ctrl.SetMagnification(GetParam());
        ctrl.show();
    }
    vxtest::TestPntCtrl ctrl;
};

INSTANTIATE_TEST_SUITE_P(Zooms, PntCtrlTest, ::testing::Values(100, 300, 600),
                         [](const auto& info) { return "At" + std::to_string(info.param); });

}  // namespace

TEST_P(PntCtrlTest, PixelCentresMapBackToTheirPixel) {
    for (CPoint p : {CPoint(0, 0), CPoint(5, 3), CPoint(11, 7)})
        EXPECT_EQ(ctrl.ClientToImage(vxtest::PixelCentre(ctrl, p)), p);
    EXPECT_EQ(ctrl.ImageToClient({0, 0}), ctrl.viewMargin());
}

TEST_P(PntCtrlTest, PenStrokeUndoAndRedo) {
    ctrl.SelectTool(CPntCtrl::kToolPen);
    const int before = ctrl.imageChanges;
    vxtest::Drag(ctrl, {1, 1}, {6, 1});
    EXPECT_EQ(ArtOf(ctrl.image())[1], ".######.....");
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 6);
    EXPECT_GT(ctrl.imageChanges, before);
    EXPECT_TRUE(ctrl.IsModified());
    ASSERT_TRUE(ctrl.CanUndo());
    ctrl.Undo();
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0);
    ctrl.Redo();
    EXPECT_EQ(ArtOf(ctrl.image())[1], ".######.....");
}

TEST_P(PntCtrlTest, ShapesSpanBothPointsAndUndo) {
    struct Case {
        int tool;
        Art art;
    };
    const Case cases[] = {
        {CPntCtrl::kToolRect, {"............", "............", "...####.....", "...#..#.....", "...####.....",
                               "............", "............", "............"}},
        {CPntCtrl::kToolFilledRect, {"............", "............", "...####.....", "...####.....", "...####.....",
                                     "............", "............", "............"}},
    };
    for (const Case& c : cases) {
        ctrl.SelectTool(c.tool);
        // Dragged from the bottom-left to the top-right corner.
        vxtest::Drag(ctrl, {3, 4}, {6, 2});
        EXPECT_EQ(ArtOf(ctrl.image()), c.art) << c.tool;
        ctrl.Undo();
        EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0) << c.tool;
    }
    ctrl.SelectTool(CPntCtrl::kToolLine);
    vxtest::Drag(ctrl, {3, 4}, {6, 2});
    EXPECT_EQ(ctrl.image().PixelAt(3, 4), kBlack);
    EXPECT_EQ(ctrl.image().PixelAt(6, 2), kBlack) << "the end pixel is set too";
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 4);
    ctrl.Undo();
    for (int tool : {CPntCtrl::kToolEllipse, CPntCtrl::kToolRoundRect, CPntCtrl::kToolFilledEllipse,
                     CPntCtrl::kToolFilledRoundRect}) {
        ctrl.SelectTool(tool);
        vxtest::Drag(ctrl, {10, 7}, {1, 0});
        EXPECT_EQ(ctrl.image().PixelAt(5, 0), kBlack) << tool;
        const bool ellipse = tool == CPntCtrl::kToolEllipse || tool == CPntCtrl::kToolFilledEllipse;
        if (ellipse) {
            EXPECT_EQ(ctrl.image().PixelAt(1, 0), kWhite) << tool << ": corners are round";
        }
        EXPECT_EQ(ctrl.image().PixelAt(5, 3) == kBlack, tool >= CPntCtrl::kToolFilledRect) << tool;
        ctrl.Undo();
    }
    // A press and release on one point with pen width 1: one pixel.
    ctrl.SelectTool(CPntCtrl::kToolRect);
    vxtest::Click(ctrl, {4, 4});
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 1);
}

TEST_P(PntCtrlTest, TheShapePreviewFollowsTheMouseAndEscapeTakesItBack) {
    ctrl.SelectTool(CPntCtrl::kToolFilledRect);
    vxtest::Press(ctrl, {1, 1});
    vxtest::MoveTo(ctrl, {8, 6});
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 48);
    vxtest::MoveTo(ctrl, {2, 2});
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 4) << "the preview is redrawn from the backup";
    vxtest::Key(ctrl, Qt::Key_Escape);
    vxtest::Release(ctrl, {2, 2});
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0);
    EXPECT_FALSE(ctrl.CanUndo());
}

TEST_P(PntCtrlTest, FloodFillEraserAndSampler) {
    ctrl.SetImage(vxtest::ImageFromArt({"....#.......", "....#.......", "#####.......", "............",
                                        "............", "............", "............", "............"},
                                       8));
    ctrl.SetMagnification(GetParam());
    ctrl.SetFillColor(kRed);
    ctrl.SelectTool(CPntCtrl::kToolFill);
    vxtest::Click(ctrl, {0, 0});
    EXPECT_EQ(ArtOf(ctrl.image())[0], "rrrr#.......");
    EXPECT_EQ(ArtOf(ctrl.image())[3], "............") << "the wall holds";
    // The eraser paints white, or the transparency colour when there is one.
    ctrl.SelectTool(CPntCtrl::kToolEraser);
    ctrl.SetEraserWidth(1);
    vxtest::Drag(ctrl, {0, 2}, {3, 2});
    EXPECT_EQ(ArtOf(ctrl.image())[2], "....#.......");
    ctrl.SetTransparencyColor(RGB(0, 0, 255));
    vxtest::Drag(ctrl, {0, 5}, {2, 5});
    EXPECT_EQ(ArtOf(ctrl.image())[5], "bbb.........");
    // The sampler sets both colours and returns to the eraser.
    ctrl.SelectTool(CPntCtrl::kToolSampler);
    vxtest::Click(ctrl, {4, 0});
    EXPECT_EQ(ctrl.penColor(), kBlack);
    EXPECT_EQ(ctrl.fillColor(), kBlack);
    EXPECT_EQ(ctrl.samples, 1);
    EXPECT_EQ(ctrl.tool(), CPntCtrl::kToolEraser);
}

TEST_P(PntCtrlTest, AirbrushWithAFixedSeedSpraysTheSame) {
    vxtest::TestPntCtrl other;
    other.NewImage(12, 8, 24);
    other.SetMagnification(GetParam());
    for (CPntCtrl* c : {static_cast<CPntCtrl*>(&ctrl), static_cast<CPntCtrl*>(&other)}) {
        c->SetRandomSeed(99);
        c->SetPenColor(kRed);
        c->SelectTool(CPntCtrl::kToolAirbrush);
        vxtest::Press(*c, {6, 4});
        vxtest::MoveTo(*c, {6, 4});
        vxtest::MoveTo(*c, {5, 4});
    }
    EXPECT_GT(vxtest::CountColor(ctrl.image(), kRed), 0);
    EXPECT_EQ(ctrl.image(), other.image());
    // Escape during the spray removes it.
    vxtest::Key(ctrl, Qt::Key_Escape);
    vxtest::Release(ctrl, {5, 4});
    vxtest::Release(other, {5, 4});
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), 0);
    EXPECT_GT(vxtest::CountColor(other.image(), kRed), 0);
}

TEST_P(PntCtrlTest, EscapeWithoutADragUndoes) {
    ctrl.SelectTool(CPntCtrl::kToolPen);
    vxtest::Click(ctrl, {2, 2});
    vxtest::Key(ctrl, Qt::Key_Escape);
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0);
    vxtest::Key(ctrl, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 1);
    vxtest::Key(ctrl, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0);
}

TEST_P(PntCtrlTest, SelectionMovesCutOrCopy) {
    ctrl.SetImage(vxtest::ImageFromArt({"rr..........", "rr..........", "............", "............",
                                        "............", "............", "............", "............"}));
    ctrl.SetMagnification(GetParam());
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    vxtest::Drag(ctrl, {0, 0}, {1, 1});
    EXPECT_EQ(ctrl.selectionRect(), CRect(0, 0, 2, 2));
    // A move leaves white behind; with Control held the pixels are copied.
    vxtest::Drag(ctrl, {0, 0}, {4, 0});
    EXPECT_EQ(ArtOf(ctrl.image())[0], "....rr......");
    EXPECT_TRUE(ctrl.floatingSelection());
    vxtest::Drag(ctrl, {4, 0}, {8, 2});
    EXPECT_EQ(ArtOf(ctrl.image())[0], "............") << "a second move takes the floating pixels along";
    EXPECT_EQ(ArtOf(ctrl.image())[2], "........rr..");
    ctrl.Undo();
    EXPECT_EQ(ArtOf(ctrl.image())[0], "rr..........");
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    vxtest::Drag(ctrl, {0, 0}, {1, 1});
    vxtest::Drag(ctrl, {0, 0}, {4, 4}, 4, Qt::ControlModifier);
    EXPECT_EQ(ArtOf(ctrl.image())[0], "rr..........");
    EXPECT_EQ(ArtOf(ctrl.image())[4], "....rr......");
    // Delete clears the selection.
    vxtest::Key(ctrl, Qt::Key_Delete);
    EXPECT_EQ(ArtOf(ctrl.image())[4], "............");
    EXPECT_EQ(ctrl.selectionRect(), ctrl.image().bounds());
}

TEST_P(PntCtrlTest, MagnifierStepsAndStops) {
    ctrl.SelectTool(CPntCtrl::kToolMagnify);
    const int start = ctrl.zoomPercent();
    vxtest::Click(ctrl, {1, 1});
    const int up = CPntCtrl::StepZoom(start, true) > 0 ? CPntCtrl::StepZoom(start, true) : start;
    EXPECT_EQ(ctrl.zoomPercent(), up) << "600 is the top";
    vxtest::Click(ctrl, {1, 1}, Qt::AltModifier);
    const int down = CPntCtrl::StepZoom(up, false);
    EXPECT_EQ(ctrl.zoomPercent(), down);
    vxtest::Press(ctrl, {1, 1}, Qt::NoModifier, Qt::RightButton);
    vxtest::Release(ctrl, {1, 1}, Qt::NoModifier, Qt::RightButton);
    EXPECT_EQ(ctrl.zoomPercent(), CPntCtrl::StepZoom(down, false));
    EXPECT_GE(ctrl.zoomChanges, 2);
}

TEST(PntCtrlView, ZoomStepsAndTheGrid) {
    EXPECT_EQ(CPntCtrl::StepZoom(100, true), 200);
    EXPECT_EQ(CPntCtrl::StepZoom(100, false), 50);
    EXPECT_EQ(CPntCtrl::StepZoom(600, true), -1);
    EXPECT_EQ(CPntCtrl::StepZoom(10, false), -1);
    EXPECT_EQ(CPntCtrl::StepZoom(250, true), 300);
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(300, 200, 8);
    ctrl.SetGrid(true, 600);
    ctrl.SetMagnification(600);
    EXPECT_TRUE(ctrl.GridVisible());
    ctrl.SetMagnification(500);
    EXPECT_FALSE(ctrl.GridVisible());
    // A magnified image larger than the window scrolls; the mapping follows.
    ctrl.show();
    ctrl.SetMagnification(300);
    ASSERT_GT(ctrl.horizontalScrollBar()->maximum(), 0);
    ctrl.horizontalScrollBar()->setValue(90);
    EXPECT_EQ(ctrl.ClientToImage(vxtest::PixelCentre(ctrl, {100, 10})), CPoint(100, 10));
    EXPECT_EQ(ctrl.ImageToClient({30, 0}).x(), 30 * 3 + 5 - 90);
    // Size to fit shows the whole image.
    ctrl.SizeToFit();
    EXPECT_LE(ctrl.image().width() * ctrl.magnification(), ctrl.viewport()->width() + 20);
    ctrl.grab();  // paints at the fitted magnification
}

TEST(PntCtrlView, UndoKeepsFiveSnapshots) {
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(10, 2, 24);
    ctrl.SelectTool(CPntCtrl::kToolPen);
    for (int i = 0; i < 6; ++i) vxtest::Click(ctrl, {i, 0});
    int undos = 0;
    while (ctrl.Undo()) ++undos;
    EXPECT_EQ(undos, 5);
    EXPECT_EQ(ArtOf(ctrl.image())[0], "#.........") << "the first dot's snapshot was dropped";
    // Undo followed by a new drawing drops the redo branch.
    vxtest::Click(ctrl, {9, 1});
    EXPECT_FALSE(ctrl.CanRedo());
}

TEST(PntCtrlView, ToolSelectionNotifiesAndShowsTheSelection) {
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(4, 4, 8);
    const int modes = ctrl.modeChanges;
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    EXPECT_TRUE(ctrl.selectionShown());
    ctrl.SelectTool(CPntCtrl::kToolPen);
    EXPECT_FALSE(ctrl.selectionShown()) << "the saved value comes back";
    EXPECT_EQ(ctrl.modeChanges, modes + 2);
    EXPECT_EQ(ctrl.previousTool(), CPntCtrl::kToolSelect);
    EXPECT_EQ(CPntCtrl::GetToolDescription(CPntCtrl::kToolFill), "Fills an area.");
    // The commands answer the routing chain.
    CCmdUI undo(vx::cmd::kEditUndo);
    ASSERT_TRUE(ctrl.OnCmdMsg(vx::cmd::kEditUndo, &undo));
    EXPECT_FALSE(undo.enabled);
    vxtest::Click(ctrl, {1, 1});
    CCmdUI again(vx::cmd::kEditUndo);
    ctrl.OnCmdMsg(vx::cmd::kEditUndo, &again);
    EXPECT_TRUE(again.enabled);
    EXPECT_TRUE(ctrl.OnCmdMsg(vx::cmd::kEditUndo, nullptr));
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kBlack), 0);
}

TEST(PntCtrlClipboard, CopyAndPasteInsideTheControl) {
    vxtest::TestPntCtrl ctrl;
    ctrl.SetImage(vxtest::ImageFromArt({"r#..", "#r..", "....", "...."}));
    ctrl.show();
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    vxtest::Drag(ctrl, {0, 0}, {1, 1});
    ctrl.Copy();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(2, 2));
    EXPECT_TRUE(ctrl.CanPaste());
    ctrl.SetSelectionRect(CRect(2, 2, 4, 4));
    ASSERT_TRUE(ctrl.Paste());
    EXPECT_EQ(ArtOf(ctrl.image()), (Art{"r#..", "#r..", "..r#", "..#r"}));
    EXPECT_TRUE(ctrl.floatingSelection());
    ctrl.Undo();
    EXPECT_EQ(ArtOf(ctrl.image())[2], "....");
    // Cut clears what it copied.
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    vxtest::Drag(ctrl, {0, 0}, {0, 1});
    ctrl.Cut();
    EXPECT_EQ(ArtOf(ctrl.image())[0], ".#..");
}

TEST(PntCtrlClipboard, ALargerImageAsksToCrop) {
    QImage big(64, 64, QImage::Format_RGB32);
    big.fill(qRgb(255, 0, 0));
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(80, 80, 24);
    ctrl.SelectTool(CPntCtrl::kToolSelect);
    QApplication::clipboard()->setImage(big);
    ctrl.SetSelectionRect(CRect(4, 4, 20, 20));
    vxtest::AnswerNext(QMessageBox::Yes);
    ASSERT_TRUE(ctrl.Paste());
    EXPECT_EQ(vxtest::LastAskedText(), CPntCtrl::CropPrompt());
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), 16 * 16);
    ctrl.Undo();
    ctrl.SetSelectionRect(CRect(4, 4, 20, 20));
    vxtest::AnswerNext(QMessageBox::No);
    ASSERT_TRUE(ctrl.Paste());
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), 64 * 64);
    ctrl.Undo();
    ctrl.SetSelectionRect(CRect(4, 4, 20, 20));
    vxtest::AnswerNext(QMessageBox::Cancel);
    EXPECT_FALSE(ctrl.Paste());
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), 0);
}

TEST(PntCtrlClipboard, DamagedImagesFromOtherProgramsAreNotPasted) {
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(8, 8, 24);
    auto* data = new QMimeData;
    data->setData("image/bmp", QByteArray("BM\x10\0\0\0\0\0\0\0\x36\0\0\0", 14));
    QApplication::clipboard()->setMimeData(data);
    EXPECT_FALSE(ctrl.Paste());
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kWhite), 64);
    EXPECT_FALSE(ctrl.CanUndo()) << "no snapshot for a refused paste";
}

TEST(PntCtrlEditing, ResizeAsksAndCropsToTheSelection) {
    vxtest::TestPntCtrl ctrl;
    ctrl.SetImage(vxtest::ImageFromArt({"....", ".r#.", ".#r.", "...."}, 8));
    EXPECT_FALSE(ctrl.ResizeImage()) << "no answer: Cancel";
    EXPECT_EQ(ctrl.lastAsked.width, 4);
    EXPECT_EQ(ctrl.lastAsked.bitCount, 8);
    EXPECT_FALSE(ctrl.lastAsked.offerCrop);
    ctrl.SetSelectionRect(CRect(1, 1, 3, 3));
    ctrl.answer = CPntDimensions{0, 0, 24, true, true};
    ASSERT_TRUE(ctrl.ResizeImage());
    EXPECT_TRUE(ctrl.lastAsked.offerCrop);
    EXPECT_EQ(ArtOf(ctrl.image()), (Art{"r#", "#r"}));
    EXPECT_EQ(ctrl.image().bitCount(), 24);
    ctrl.answer = CPntDimensions{3, 1, 1, false, false};
    ASSERT_TRUE(ctrl.ResizeImage());
    EXPECT_EQ(ArtOf(ctrl.image()), (Art{"##."}));
    ctrl.Undo();
    EXPECT_EQ(ArtOf(ctrl.image()), (Art{"r#", "#r"}));
    // A new image replaces everything.
    ctrl.answer = CPntDimensions{5, 6, 4, false, false};
    ASSERT_TRUE(ctrl.NewImage());
    EXPECT_EQ(ctrl.image().width(), 5);
    EXPECT_FALSE(ctrl.CanUndo());
    EXPECT_FALSE(ctrl.IsModified());
}

TEST(PntCtrlEditing, MasksGiveAndTakeTheTransparencyColour) {
    vxtest::TestPntCtrl ctrl;
    ctrl.SetImage(vxtest::ImageFromArt({"#r", "g."}, 8));
    CDIBSection mask = vxtest::ImageFromArt({"..", "#."}, 1);  // white = transparent
    mask.SetPixel(0, 0, kBlack);
    mask.SetPixel(0, 1, kWhite);
    mask.SetPixel(1, 0, kBlack);
    mask.SetPixel(1, 1, kBlack);
    ASSERT_TRUE(ctrl.ApplyMask(mask));
    // Light grey (the last named colour) is not used by the opaque pixels.
    EXPECT_EQ(ctrl.transparencyColor(), RGB(192, 192, 192));
    EXPECT_EQ(ctrl.image().PixelAt(0, 1), RGB(192, 192, 192));
    ctrl.SetTransparent(true);
    const CDIBSection back = ctrl.GetMaskImage();
    EXPECT_EQ(ArtOf(back), (Art{"##", ".#"}));
    ctrl.SetTransparent(false);
    EXPECT_EQ(vxtest::CountColor(ctrl.GetMaskImage(), kBlack), 4);
    // A two-colour image gets a table with room first, so the transparency
    // colour is not merely near white and white pixels stay opaque.
    ctrl.SetImage(vxtest::ImageFromArt({"#.", ".."}, 1));
    ASSERT_TRUE(ctrl.ApplyMask(mask));
    EXPECT_EQ(ctrl.image().bitCount(), 4);
    ctrl.SetTransparent(true);
    EXPECT_EQ(vxtest::CountColor(ctrl.GetMaskImage(), kWhite), 1) << "only the masked pixel is transparent";
    EXPECT_EQ(ArtOf(ctrl.image())[0], "#.");
    // An image without a colour table cannot take a mask.
    ctrl.SetImage(vxtest::ImageFromArt({"#r", "g."}, 24));
    EXPECT_FALSE(ctrl.ApplyMask(mask));
}

TEST(PntCtrlEditing, TextIsPlacedAndRedrawnInOneStep) {
    vxtest::TestPntCtrl ctrl;
    ctrl.NewImage(60, 30, 24);
    ctrl.show();
    ctrl.SetPenColor(kRed);
    ctrl.SelectTool(CPntCtrl::kToolText);
    ASSERT_NE(ctrl.textBar(), nullptr);
    EXPECT_TRUE(ctrl.textBar()->isVisible());
    vxtest::Drag(ctrl, {2, 2}, {57, 27});
    EXPECT_TRUE(ctrl.textPlaced());
    ctrl.textBar()->edit()->setPlainText(QStringLiteral("Hi"));
    const int one = vxtest::CountColor(ctrl.image(), kRed);
    EXPECT_GT(one, 5);
    ctrl.SetToolText(QStringLiteral("Hi Hi"));
    EXPECT_GT(vxtest::CountColor(ctrl.image(), kRed), one);
    ctrl.SetToolText(QStringLiteral("Hi"));
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), one) << "the old text was taken back";
    ctrl.Undo();
    EXPECT_EQ(vxtest::CountColor(ctrl.image(), kRed), 0) << "one undo removes the text";
    ctrl.SelectTool(CPntCtrl::kToolPen);
    EXPECT_FALSE(ctrl.textBar()->isVisible());
}

TEST(PntCtrlEditing, PrintsToAPrinter) {
    vxtest::TestPntCtrl ctrl;
    EXPECT_FALSE(ctrl.PrintImage()) << "no image";
    ctrl.NewImage(20, 20, 24);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string file = vxtest::TempDir() + "/print.pdf";
    printer.setOutputFileName(QString::fromStdString(file));
    EXPECT_TRUE(ctrl.PrintTo(printer));
    EXPECT_GT(vxtest::ReadAll(file).size(), 100u);
}
