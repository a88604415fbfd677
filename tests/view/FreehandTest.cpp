// Freehand drawing in the edit view, driven by synthetic mouse and key
// events (offscreen): a stroke becomes one thinned polyline and one undo
// step, Escape and too short strokes make nothing, the "Freehand" command's
// mode draws whatever the tool, and strokes stay inside the page.
#include <gtest/gtest.h>

#include <QImage>

#include "command/CmdTarget.h"
#include "command/CommandIds.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "shapes/PolyLineOb.h"
#include "shapes/ShapeClasses.h"
#include "support/EditViewSetup.h"
#include "support/ViewInput.h"
#include "view/FreeHandView.h"

using vxtest::Key;
using vxtest::Stroke;

namespace {

struct FreehandFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        vxtest::ShowEditView(view, doc);
    }
    CHyperPage& page() { return doc.mainPage(); }
    CPolyLineOb* OnlyPolyline() {
        if (page().Count() != 1) return nullptr;
        return DynamicDowncast<CPolyLineOb>(page().At(0));
    }
    std::vector<CPoint> Vertices(CPolyLineOb& ob) {
        std::vector<CPoint> out;
        for (int i = 0; i < ob.PointCount(); ++i) out.push_back(ob.GetPointAt(i));
        return out;
    }
    bool Checked(int id) {
        CCmdUI ui(id);
        view.OnCmdMsg(id, &ui);
        return ui.checked;
    }

    CMyDoc doc;  // before the view
    CFreeHandView view;
};

using Pts = std::vector<CPoint>;

}  // namespace

TEST_F(FreehandFixture, AStrokeBecomesOneThinnedPolylineAndOneUndoStep) {
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    // An L drawn in small steps: only its corner stays between the ends.
    Stroke(view,
           {{50, 40}, {60, 40}, {70, 40}, {80, 40}, {120, 40}, {120, 60}, {120, 80}, {120, 100}});
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{50, 40}, {120, 40}, {120, 100}}));
    EXPECT_EQ(ob->Rect(), CRect(50, 40, 120, 100));
    EXPECT_FALSE(ob->IsClosed());
    EXPECT_EQ(view.GetSingleSelection(), ob);
    EXPECT_TRUE(view.tools().IsSelectTool());
    EXPECT_FALSE(view.IsDrawingStroke());
    ASSERT_EQ(view.undoCount(), 1u);
    EXPECT_EQ(view.currentUndo()->action(), vx::undo::kInsert);

    view.Undo();
    EXPECT_EQ(page().Count(), 0u);
}

TEST_F(FreehandFixture, AStrokeEndingNearItsStartCloses) {
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    Stroke(view, {{100, 100}, {200, 100}, {200, 200}, {100, 200}, {103, 108}});
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_TRUE(ob->IsClosed());
    EXPECT_EQ(Vertices(*ob),
              (Pts{{100, 100}, {200, 100}, {200, 200}, {100, 200}, {103, 108}, {100, 100}}));
}

TEST_F(FreehandFixture, EscapeCancelsAndOtherKeysEndTheStroke) {
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    vxtest::Press(view, {50, 50});
    vxtest::MoveTo(view, {100, 50});
    vxtest::MoveTo(view, {100, 120});
    EXPECT_TRUE(view.IsDrawingStroke());
    EXPECT_EQ(view.stroke().size(), 3u);
    // The stroke is drawn as a connected line while it runs.
    const QImage shown = view.viewport()->grab().toImage();
    EXPECT_NE(shown.pixelColor(75, 50), QColor(Qt::white));
    EXPECT_NE(shown.pixelColor(100, 85), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(75, 85), QColor(Qt::white));
    Key(view, Qt::Key_Escape);
    EXPECT_FALSE(view.IsDrawingStroke());
    vxtest::Release(view, {100, 120});
    EXPECT_EQ(page().Count(), 0u);
    EXPECT_EQ(view.undoCount(), 0u);
    EXPECT_TRUE(view.tools().IsSelectTool());

    // Any other key ends the stroke with the points drawn so far.
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    vxtest::Press(view, {50, 50});
    vxtest::MoveTo(view, {100, 50});
    Key(view, Qt::Key_A);
    vxtest::Release(view, {200, 200});
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{50, 50}, {100, 50}}));

    // A click is no stroke.
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    vxtest::Click(view, {300, 200});
    EXPECT_EQ(page().Count(), 1u);
}

TEST_F(FreehandFixture, TheFreehandCommandDrawsWhateverTheToolUntilAStrokeIsMade) {
    EXPECT_TRUE(vxtest::Enabled(view, vx::cmd::kFreehandMode));
    EXPECT_FALSE(Checked(vx::cmd::kFreehandMode));
    ASSERT_TRUE(view.OnCmdMsg(vx::cmd::kFreehandMode, nullptr));
    EXPECT_TRUE(view.freehandMode());
    EXPECT_TRUE(Checked(vx::cmd::kFreehandMode));
    ASSERT_TRUE(view.tools().IsSelectTool());
    Stroke(view, {{40, 40}, {140, 40}});
    ASSERT_NE(OnlyPolyline(), nullptr);
    EXPECT_FALSE(view.freehandMode());
    EXPECT_FALSE(Checked(vx::cmd::kFreehandMode));
    // With the mode off the Select tool selects again: a band, no stroke.
    Stroke(view, {{200, 150}, {300, 250}});
    EXPECT_EQ(page().Count(), 1u);

    page().editMode = false;
    EXPECT_FALSE(vxtest::Enabled(view, vx::cmd::kFreehandMode));
}

TEST_F(FreehandFixture, StrokesStayInsideThePage) {
    ASSERT_TRUE(view.tools().SetTool(vx::tool::kFreehand));
    // The usable area is the page (400 x 300) inside its guidelines (10
    // on every side): the cursor leaves it.
    ASSERT_EQ(view.GetUsableRect(true), CRect(10, 10, 390, 290));
    Stroke(view, {{300, 100}, {450, 100}, {450, 350}});
    CPolyLineOb* ob = OnlyPolyline();
    ASSERT_NE(ob, nullptr);
    EXPECT_EQ(Vertices(*ob), (Pts{{300, 100}, {389, 100}, {389, 289}}));
}
