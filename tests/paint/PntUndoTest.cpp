#include <gtest/gtest.h>

#include "paint/PntDraw.h"
#include "paint/PntUndo.h"
#include "support/PaintTestSupport.h"

namespace {

// An image whose top-left pixel tells which step it is (n = 0..5: its
// red value is n * 40).
CDIBSection Step(int n) {
    CDIBSection img;
    img.CreateImage(4, 4, 1, 24);
    img.SetPixel(0, 0, vx::RGB(n * 40, 0, 0));
    return img;
}
int StepOf(const CDIBSection& img) { return vx::GetRValue(img.PixelAt(0, 0)) / 40; }

}  // namespace

TEST(PntUndo, UndoAndRedoWalkTheSnapshots) {
    CPntUndoHistory h;
    CDIBSection img = Step(0);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.Undo(img));
    for (int n = 1; n <= 3; ++n) {
        h.Save(img);
        img = Step(n);
    }
    ASSERT_TRUE(h.Undo(img));
    EXPECT_EQ(StepOf(img), 2);
    EXPECT_TRUE(h.CanRedo());
    ASSERT_TRUE(h.Undo(img));
    EXPECT_EQ(StepOf(img), 1);
    ASSERT_TRUE(h.Redo(img));
    ASSERT_TRUE(h.Redo(img));
    EXPECT_EQ(StepOf(img), 3) << "redo comes back to the image before the first undo";
    EXPECT_FALSE(h.CanRedo());
    EXPECT_FALSE(h.Redo(img));
}

TEST(PntUndo, TheSixthSnapshotDropsTheOldest) {
    CPntUndoHistory h;
    CDIBSection img = Step(0);
    for (int n = 1; n <= 6; ++n) {
        h.Save(img);
        img = Step(n % 6);
    }
    EXPECT_EQ(h.count(), 5);
    int undos = 0;
    while (h.Undo(img)) ++undos;
    EXPECT_EQ(undos, 5);
    EXPECT_EQ(StepOf(img), 1) << "step 0 was dropped";
    EXPECT_FALSE(h.CanUndo());
}

TEST(PntUndo, ANewChangeAfterUndoDropsTheRedoBranch) {
    CPntUndoHistory h;
    CDIBSection img = Step(0);
    h.Save(img);
    img = Step(1);
    h.Save(img);
    img = Step(2);
    h.Undo(img);
    h.Undo(img);
    EXPECT_EQ(StepOf(img), 0);
    h.Save(img);
    img = Step(5);
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.count(), 1);
    ASSERT_TRUE(h.Undo(img));
    EXPECT_EQ(StepOf(img), 0);
    ASSERT_TRUE(h.Redo(img));
    EXPECT_EQ(StepOf(img), 5);
}

TEST(PntUndo, TheByteBudgetDropsTheOldestFirst) {
    const size_t one = Step(0).byteSize();
    CPntUndoHistory h(100, one * 3);
    CDIBSection img = Step(0);
    for (int n = 1; n <= 5; ++n) {
        h.Save(img);
        img = Step(n);
    }
    EXPECT_EQ(h.count(), 3);
    EXPECT_LE(h.bytes(), one * 3);
    int undos = 0;
    while (h.Undo(img)) ++undos;
    // Steps 2 to 4 were kept; the copy of step 5 that redo returns to
    // counts against the budget as well and pushed out step 2.
    EXPECT_EQ(undos, 2);
    EXPECT_EQ(StepOf(img), 3);
    EXPECT_LE(h.bytes(), one * 3);
    // A snapshot larger than the whole budget is not kept at all.
    CPntUndoHistory tiny(5, one - 1);
    tiny.Save(img);
    EXPECT_EQ(tiny.count(), 0);
    EXPECT_FALSE(tiny.CanUndo());
}

TEST(PntUndo, ToolStepsUndoAndRedo) {
    // Each tool's change is filed and comes back as it was.
    CPntUndoHistory h;
    CDIBSection img = vxtest::ImageFromArt({".....", ".....", "....."});
    const auto start = vxtest::ArtOf(img);
    h.Save(img);
    vx::pnt::Line(img, {0, 0}, {4, 0}, 1, vx::RGB(0, 0, 0));
    const auto afterLine = vxtest::ArtOf(img);
    h.Save(img);
    vx::pnt::FloodFill(img, {0, 2}, vx::RGB(255, 0, 0));
    const auto afterFill = vxtest::ArtOf(img);
    h.Save(img);
    vx::pnt::Ellipse(img, CRect(0, 0, 5, 3), 1, vx::RGB(0, 0, 255), true);
    h.Undo(img);
    EXPECT_EQ(vxtest::ArtOf(img), afterFill);
    h.Undo(img);
    EXPECT_EQ(vxtest::ArtOf(img), afterLine);
    h.Undo(img);
    EXPECT_EQ(vxtest::ArtOf(img), start);
    h.Redo(img);
    h.Redo(img);
    EXPECT_EQ(vxtest::ArtOf(img), afterFill);
}
