// A document window's tools: the tool commands pick the tool the view draws
// with, the "Tools" menu lists them with "Select" first, locked insertion
// layers disable the drawing tools, and the Layers Sheet's
// Select and OK act on the window's view, its changes one undo step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "app/MyFrame.h"
#include "app/MyView.h"
#include "command/CommandIds.h"
#include "dialogs/LayersSheet.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/LayerFmt.h"
#include "shapes/PolyLineOb.h"
#include "shapes/RectOb.h"
#include "shapes/ShapeClasses.h"

namespace {

struct FrameToolsFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        frame = std::make_unique<CMyFrame>(std::make_unique<CMyDoc>());
        frame->resize(500, 400);
        frame->show();
    }
    bool Enabled(int id) {
        CCmdUI ui(id);
        return frame->OnCmdMsg(id, &ui) && ui.enabled;
    }
    bool Checked(int id) {
        CCmdUI ui(id);
        frame->OnCmdMsg(id, &ui);
        return ui.checked;
    }
    std::unique_ptr<CMyFrame> frame;
};

}  // namespace

TEST_F(FrameToolsFixture, ToolCommandsPickTheViewsToolAndTheMenuListsThem) {
    EXPECT_EQ(frame->GetTool(), vx::tool::kSelect);
    EXPECT_TRUE(Checked(vx::tool::kSelect));
    ASSERT_TRUE(frame->OnCmdMsg(vx::tool::kFrame, nullptr));
    EXPECT_EQ(frame->GetTool(), vx::tool::kFrame);
    EXPECT_EQ(frame->GetView()->CurrentTool(), vx::tool::kFrame);
    EXPECT_TRUE(Checked(vx::tool::kFrame));
    EXPECT_FALSE(frame->SetTool(12345));  // no tool of this window
    const auto entries = frame->ToolMenuEntries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries.front().first, vx::tool::kSelect);
    bool hasFrame = false;
    for (const auto& [id, name] : entries)
        if (id == vx::tool::kFrame) hasFrame = name == QStringLiteral("Frame");
    EXPECT_TRUE(hasFrame);
}

TEST_F(FrameToolsFixture, ALockedInsertionLayerDisablesTheDrawingTools) {
    EXPECT_TRUE(Enabled(vx::tool::kFrame));
    CLayerFmt* layers = frame->GetDocument()->mainPage().layers();
    if (layers->empty()) layers->AddDefaultLayer();
    layers->layer(size_t(layers->SafeInsertionIndex()))->locked = 1;
    EXPECT_FALSE(Enabled(vx::tool::kFrame));
    EXPECT_TRUE(Enabled(vx::tool::kSelect));
}

TEST_F(FrameToolsFixture, TheLayersSheetSelectsInTheViewAndOkReturnsToSelect) {
    CHyperPage& page = frame->GetDocument()->mainPage();
    CLayerFmt* layers = page.layers();
    if (layers->empty()) layers->AddDefaultLayer();
    CLayer* second = layers->AddLayer("Second");
    auto ob = std::make_unique<CRectOb>();
    ob->AttachToView(&page, nullptr, true);
    ob->SetRect(CRect(20, 20, 80, 60));
    CHyperOb* added = frame->GetView()->AddObject(std::move(ob), false, true);
    ASSERT_NE(added, nullptr);
    added->setLayerId(second->id);
    frame->SetTool(vx::tool::kFrame);
    CLayersSheet sheet(*layers, &page, frame.get());
    frame->ConfigureLayersSheet(sheet);
    ASSERT_TRUE(sheet.selectLayer);
    sheet.selectLayer(second->id);
    EXPECT_EQ(frame->GetView()->GetSingleSelection(), added);
    ASSERT_TRUE(sheet.onApplied);
    sheet.onApplied();
    EXPECT_EQ(frame->GetTool(), vx::tool::kSelect);
}

TEST_F(FrameToolsFixture, ALayerChangeFromTheSheetIsOneUndoStep) {
    CLayerFmt* layers = frame->GetDocument()->mainPage().layers();
    if (layers->empty()) layers->AddDefaultLayer();
    ASSERT_EQ(layers->layer(0)->locked, 0);
    CMyView* view = frame->GetView();
    ASSERT_EQ(view->undoCount(), 0u);
    // The sheet is modal: lock the first layer and press OK once it is up.
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        auto* sheet = dynamic_cast<CLayersSheet*>(QApplication::activeModalWidget());
        if (!sheet) return;
        sheet->ToggleLineLocked(0);
        sheet->accept();
        answered = true;
    });
    frame->OnCmdMsg(vx::cmd::kLayersSheet, nullptr);
    ASSERT_TRUE(answered);
    layers = frame->GetDocument()->mainPage().layers();
    EXPECT_NE(layers->layer(0)->locked, 0);
    ASSERT_EQ(view->undoCount(), 1u);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kProperty);
    view->Undo();
    EXPECT_EQ(frame->GetDocument()->mainPage().layers()->layer(0)->locked, 0);
}

TEST_F(FrameToolsFixture, EditPointsCommandsReachTheViewsSelectedPolyline) {
    EXPECT_FALSE(Enabled(vx::cmd::kEditPoints));
    EXPECT_FALSE(Enabled(vx::cmd::kOpenOrClose));
    CMyView* view = frame->GetView();
    auto owned = std::make_unique<CPolyLineOb>();
    owned->AttachToView(view->page(), nullptr, true);
    owned->SetPagePoints({{20, 20}, {120, 20}, {120, 120}});
    CHyperOb* ob = view->AddObject(std::move(owned), true, true);
    ASSERT_NE(ob, nullptr);
    view->SelectObject(ob);
    EXPECT_TRUE(Enabled(vx::cmd::kEditPoints));
    EXPECT_TRUE(Checked(vx::cmd::kOpenOrClose));  // open
    ASSERT_TRUE(frame->OnCmdMsg(vx::cmd::kEditPoints, nullptr));
    EXPECT_TRUE(view->m_bEditPoints);
    EXPECT_TRUE(Checked(vx::cmd::kEditPoints));
    ASSERT_TRUE(frame->OnCmdMsg(vx::cmd::kOpenOrClose, nullptr));
    EXPECT_TRUE(ob->IsClosed());
    EXPECT_FALSE(Checked(vx::cmd::kOpenOrClose));
}
