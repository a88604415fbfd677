// Edit-points mode of the edit view driven by synthetic input (offscreen):
// dragging, inserting and deleting vertices, cancelling, snapping and
// lining up with neighbours, the undo steps, "Open or Close", the commands'
// enabling and check marks, the cursor and the vertex handles.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <memory>

#include "command/CommandIds.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "shapes/PolyLineOb.h"
#include "shapes/ShapeClasses.h"
#include "support/EditViewSetup.h"
#include "support/ViewInput.h"
#include "view/HyperView.h"

using vx::cmd::kEditPoints;
using vx::cmd::kEditUndo;
using vx::cmd::kOpenOrClose;
using vxtest::Checked;
using vxtest::Click;
using vxtest::Drag;
using vxtest::Enabled;

namespace {

const std::vector<CPoint> kZigzag = {{50, 50}, {150, 50}, {150, 150}, {250, 150}};
const std::vector<CPoint> kSquare = {{50, 50}, {150, 50}, {150, 150}, {50, 150}, {50, 50}};

struct EditPointsFixture : ::testing::Test {
    void SetUp() override {
        RegisterShapeClasses();
        view = std::make_unique<CHyperView>();
        vxtest::ShowEditView(*view, doc);
    }
    CHyperPage& page() { return doc.mainPage(); }
    // A polyline placed by the program and selected.
    CPolyLineOb* AddPoly(const std::vector<CPoint>& pts) {
        auto owned = std::make_unique<CPolyLineOb>();
        owned->AttachToView(&page(), nullptr, true);
        owned->SetPagePoints(pts);
        CHyperOb* ob = view->AddObject(std::move(owned), false, true);
        view->SelectObject(ob);
        return static_cast<CPolyLineOb*>(ob);
    }
    // The polyline as the page holds it now (undo rebuilds the objects).
    CPolyLineOb* Poly() {
        for (size_t i = 0; i < page().Count(); ++i)
            if (auto* p = dynamic_cast<CPolyLineOb*>(page().At(i))) return p;
        return nullptr;
    }
    std::vector<CPoint> Points() {
        std::vector<CPoint> out;
        CPolyLineOb* ob = Poly();
        for (int i = 0; ob && i < ob->PointCount(); ++i) out.push_back(ob->GetPointAt(i));
        return out;
    }
    void Command(int id) { view->OnCmdMsg(id, nullptr); }
    void EditPointsOn() {
        Command(kEditPoints);
        ASSERT_TRUE(view->m_bEditPoints);
    }
    void SnapOff() { page().gridFlags &= ~CHyperPage::kSnapToGrid; }

    CMyDoc doc;
    std::unique_ptr<CHyperView> view;
};

}  // namespace

TEST_F(EditPointsFixture, CommandsNeedOneEditableSelection) {
    EXPECT_FALSE(Enabled(*view, kEditPoints));
    EXPECT_FALSE(Enabled(*view, kOpenOrClose));
    CHyperOb* frame = vxtest::AddFrame(*view, CRect(300, 200, 350, 250));
    view->SelectObject(frame);
    EXPECT_FALSE(Enabled(*view, kEditPoints));

    CPolyLineOb* ob = AddPoly(kZigzag);
    EXPECT_TRUE(Enabled(*view, kEditPoints));
    EXPECT_TRUE(Enabled(*view, kOpenOrClose));
    EXPECT_FALSE(Checked(*view, kEditPoints));
    EXPECT_TRUE(Checked(*view, kOpenOrClose));  // open
    EditPointsOn();
    EXPECT_TRUE(Checked(*view, kEditPoints));

    // Two objects selected, or vertex editing forbidden: disabled.
    view->AddToSelection(frame);
    EXPECT_FALSE(Enabled(*view, kEditPoints));
    view->SelectObject(ob);
    ob->setDfltCanEditPoints(false);
    EXPECT_FALSE(Enabled(*view, kOpenOrClose));
    ob->setDfltCanEditPoints(true);

    Command(kEditPoints);
    EXPECT_FALSE(view->m_bEditPoints);
}

TEST_F(EditPointsFixture, DraggingAVertexSnapsAndOneUndoRestores) {
    AddPoly(kZigzag);
    EditPointsOn();
    const size_t steps = view->undoCount();
    Drag(*view, {150, 150}, {203, 177});
    EXPECT_EQ(Points(), (std::vector<CPoint>{{50, 50}, {150, 50}, {200, 180}, {250, 150}}));
    EXPECT_EQ(Poly()->Rect(), CRect(50, 50, 250, 180));
    EXPECT_TRUE(view->m_bEditPoints);  // the mode stays on
    ASSERT_EQ(view->undoCount(), steps + 1);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kEditPoints);
    EXPECT_TRUE(doc.IsModified());

    // Alt held during the drag: no snapping.
    vxtest::Press(*view, {200, 180});
    vxtest::MoveTo(*view, {203, 177}, Qt::AltModifier);
    vxtest::Release(*view, {203, 177}, Qt::AltModifier);
    EXPECT_EQ(Points()[2], CPoint(203, 177));

    Command(kEditUndo);
    EXPECT_EQ(Points(), kZigzag);
}

TEST_F(EditPointsFixture, PressOnASegmentInsertsAVertex) {
    AddPoly(kZigzag);
    EditPointsOn();
    Drag(*view, {100, 51}, {100, 20});
    EXPECT_EQ(Points(),
              (std::vector<CPoint>{{50, 50}, {100, 20}, {150, 50}, {150, 150}, {250, 150}}));
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kEditPoints);
    // A click that does not move inserts nothing and files no step.
    const size_t steps = view->undoCount();
    Click(*view, {200, 150});
    EXPECT_EQ(Poly()->PointCount(), 5);
    EXPECT_EQ(view->undoCount(), steps);
    EXPECT_TRUE(view->m_bEditPoints);
}

TEST_F(EditPointsFixture, ControlClickDeletesAVertex) {
    AddPoly(kZigzag);
    EditPointsOn();
    Click(*view, {150, 50}, Qt::ControlModifier);
    EXPECT_EQ(Points(), (std::vector<CPoint>{{50, 50}, {150, 150}, {250, 150}}));
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kEditPoints);
    Click(*view, {150, 150}, Qt::ControlModifier);
    EXPECT_EQ(Poly()->PointCount(), 2);
    // Two vertices are the least: the press is an ordinary vertex press.
    Click(*view, {250, 150}, Qt::ControlModifier);
    EXPECT_EQ(Poly()->PointCount(), 2);
    Command(kEditUndo);
    EXPECT_EQ(Points(), kZigzag);  // both deletions were one point edit
}

TEST_F(EditPointsFixture, EscapeAndTheRightButtonCancel) {
    AddPoly(kZigzag);
    EditPointsOn();
    const size_t steps = view->undoCount();
    vxtest::Press(*view, {150, 150});
    vxtest::MoveTo(*view, {220, 220});
    EXPECT_TRUE(view->pointDragActive());
    vxtest::Key(*view, Qt::Key_Escape);
    EXPECT_FALSE(view->pointDragActive());
    vxtest::Release(*view, {220, 220});
    EXPECT_EQ(Points(), kZigzag);

    vxtest::Press(*view, {150, 150});
    vxtest::MoveTo(*view, {220, 220});
    vxtest::Press(*view, {220, 220}, {}, Qt::RightButton);
    vxtest::Release(*view, {220, 220});
    EXPECT_EQ(Points(), kZigzag);
    EXPECT_EQ(view->undoCount(), steps);
    EXPECT_TRUE(view->m_bEditPoints);
}

TEST_F(EditPointsFixture, AnUndoDuringTheDragCancelsIt) {
    AddPoly(kZigzag);
    EditPointsOn();
    Drag(*view, {150, 150}, {200, 200});
    ASSERT_EQ(Points()[2], CPoint(200, 200));
    vxtest::Press(*view, {250, 150});
    vxtest::MoveTo(*view, {300, 250});
    // The step restores the page the grab was made on: the drag ends there.
    Command(kEditUndo);
    EXPECT_FALSE(view->pointDragActive());
    vxtest::Release(*view, {300, 250});
    EXPECT_EQ(Points(), kZigzag);
}

TEST_F(EditPointsFixture, WithoutSnappingAVertexLinesUpWithItsNeighbours) {
    SnapOff();
    AddPoly(kZigzag);
    EditPointsOn();
    // 3 pixels beside the previous neighbour's x: the segment turns vertical.
    Drag(*view, {150, 150}, {153, 203});
    EXPECT_EQ(Points()[2], CPoint(150, 203));
    // Both coordinates line up, each with its own neighbour.
    Drag(*view, {150, 203}, {247, 54});
    EXPECT_EQ(Points()[2], CPoint(250, 50));
}

TEST_F(EditPointsFixture, EndsMeetAndNeighboursMerge) {
    SnapOff();
    AddPoly({{50, 50}, {150, 50}, {150, 150}, {60, 150}});
    EditPointsOn();
    Drag(*view, {60, 150}, {53, 47});
    EXPECT_TRUE(Poly()->IsClosed());
    EXPECT_EQ(Points().back(), CPoint(50, 50));
    // A vertex dropped on its neighbour goes.
    Drag(*view, {150, 150}, {151, 52});
    EXPECT_EQ(Poly()->PointCount(), 3);
}

TEST_F(EditPointsFixture, APressOnNothingEndsTheMode) {
    AddPoly(kZigzag);
    CHyperOb* frame = vxtest::AddFrame(*view, CRect(300, 200, 350, 250));
    view->SelectObject(Poly());
    EditPointsOn();
    // The press is then handled as usual: it selects the frame.
    Click(*view, {320, 220});
    EXPECT_FALSE(view->m_bEditPoints);
    EXPECT_EQ(view->GetSingleSelection(), frame);
    EXPECT_EQ(Points(), kZigzag);
}

TEST_F(EditPointsFixture, OpenOrCloseIsOnePointEdit) {
    AddPoly(kSquare);
    EXPECT_FALSE(Checked(*view, kOpenOrClose));
    Command(kOpenOrClose);
    // The first vertex moves a quarter of the way toward the middle.
    EXPECT_EQ(Points().front(), CPoint(62, 62));
    EXPECT_EQ(Poly()->PointCount(), 5);
    EXPECT_FALSE(Poly()->IsClosed());
    EXPECT_TRUE(Checked(*view, kOpenOrClose));
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kEditPoints);
    Command(kOpenOrClose);
    EXPECT_EQ(Poly()->PointCount(), 6);
    EXPECT_TRUE(Poly()->IsClosed());
    Command(kEditUndo);
    EXPECT_EQ(Points(), kSquare);
}

TEST_F(EditPointsFixture, EditPointsMakesARotationPermanent) {
    CPolyLineOb* ob = AddPoly(kZigzag);
    ob->SetProperty("RotateAngle", vx::Variant(90.0));
    ASSERT_TRUE(ob->IsRotated());
    const std::vector<CPoint> turned = Points();
    EditPointsOn();
    EXPECT_FALSE(Poly()->IsRotated());
    EXPECT_EQ(Points(), turned);
    EXPECT_EQ(view->currentUndo()->action(), vx::undo::kEditPoints);
    Command(kEditUndo);
    EXPECT_TRUE(Poly()->IsRotated());
}

TEST_F(EditPointsFixture, CursorAndHandlesSayWhatAPressDoes) {
    AddPoly(kZigzag);
    EditPointsOn();
    vxtest::MoveTo(*view, {150, 50});
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::SizeAllCursor);
    vxtest::MoveTo(*view, {150, 50}, Qt::ControlModifier);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::PointingHandCursor);
    vxtest::MoveTo(*view, {100, 50});
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::CrossCursor);

    // A black square on every vertex; no handle at the rectangle's corner
    // where no vertex is.
    const QImage img = view->viewport()->grab().toImage();
    EXPECT_EQ(img.pixel(150, 150) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(249, 149) & 0xFFFFFF, 0u);
    EXPECT_EQ(img.pixel(50, 148) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(EditPointsFixture, AVertexDraggedToTheEdgeScrollsThePage) {
    SnapOff();
    AddPoly(kZigzag);
    view->SetZoom(200);
    ASSERT_TRUE(view->HasScrollBars());
    view->horizontalScrollBar()->setValue(0);
    view->verticalScrollBar()->setValue(0);
    EditPointsOn();
    // The scroll bars take their room.
    QCoreApplication::sendPostedEvents();
    const CSize client = view->ClientSize();
    // Vertex 1 (150, 50); the edge is to its right.
    CPoint at(150, 50);
    view->PageToClient(at);
    ASSERT_LT(at.x, client.cx - 40);
    QScrollBar* h = view->horizontalScrollBar();
    const int before = h->value();
    vxtest::Press(*view, {at.x, at.y});
    ASSERT_TRUE(view->pointDragActive());
    const QPoint edge(client.cx - 2, at.y);
    vxtest::MoveTo(*view, edge);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h->value() > before; }));
    const int atRelease = h->value();
    vxtest::Release(*view, edge);
    EXPECT_EQ(atRelease, h->value());
    const int scrolled = h->value();
    // The point was adjusted again after the scroll: it lands under the
    // cursor of the scrolled page.
    CPoint expected(edge.x(), edge.y());
    view->ClientToPage(expected);
    EXPECT_GT(scrolled, before);
    EXPECT_EQ(Points()[1].x, expected.x);
}
