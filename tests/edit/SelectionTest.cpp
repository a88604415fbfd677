// The selection model: its three shapes, the dominant entry, batches that
// report once, and identities that survive a page being rebuilt.
#include <gtest/gtest.h>

#include <memory>

#include "edit/Selection.h"
#include "model/HyperPage.h"

using namespace vx::edit;

namespace {

struct SelectionFixture : ::testing::Test {
    void SetUp() override {
        for (const char* code : {"A", "B", "C", "D"}) Add(code, -1);
        selection.onChanged = [this] { ++reports; };
    }
    CHyperOb* Add(const char* code, int index) {
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(code);
        return page.Insert(std::move(ob), index);
    }
    CObjectRef Ref(int i) const { return RefOf(page, i); }

    CHyperPage page;
    CSelectionModel selection;
    int reports = 0;
};

}  // namespace

TEST_F(SelectionFixture, ShapesAndTheDominantEntry) {
    EXPECT_EQ(selection.shape(), CSelectionModel::Shape::kNone);
    EXPECT_EQ(selection.DominantIndex(), -1);
    selection.SelectSingle(Ref(2));
    EXPECT_EQ(selection.shape(), CSelectionModel::Shape::kSingle);
    EXPECT_EQ(selection.DominantIndex(), 2);
    EXPECT_TRUE(selection.Add(Ref(0)));
    EXPECT_FALSE(selection.Add(Ref(0)));
    EXPECT_EQ(selection.shape(), CSelectionModel::Shape::kMulti);
    EXPECT_EQ(selection.DominantIndex(), 2);  // joining does not take the lead
    EXPECT_TRUE(selection.MakeDominant(Ref(0)));
    EXPECT_EQ(selection.DominantIndex(), 0);
    // The dominant one leaves: the first remaining entry leads.
    EXPECT_TRUE(selection.Remove(Ref(0)));
    EXPECT_EQ(selection.DominantIndex(), 2);
    EXPECT_FALSE(selection.Remove(Ref(3)));
    EXPECT_EQ(reports, 4);
}

TEST_F(SelectionFixture, ABatchReportsOnceAndOnlyWhenTheSignatureChanged) {
    selection.BeginBatch();
    selection.SelectSingle(Ref(1));
    selection.Add(Ref(2));
    selection.Add(Ref(3));
    EXPECT_EQ(reports, 0);
    selection.EndBatch();
    EXPECT_EQ(reports, 1);
    // Changes that end where they began report nothing.
    selection.BeginBatch();
    selection.Remove(Ref(3));
    selection.Add(Ref(3));
    selection.EndBatch();
    EXPECT_EQ(reports, 1);
    // Nested batches report when the outer one closes.
    selection.BeginBatch();
    selection.BeginBatch();
    selection.Clear();
    selection.EndBatch();
    EXPECT_EQ(reports, 1);
    selection.EndBatch();
    EXPECT_EQ(reports, 2);
}

TEST_F(SelectionFixture, EntriesFollowInsertionsAndRemovals) {
    selection.SelectSingle(Ref(1));  // B
    selection.Add(Ref(3));           // D
    Add("E", 0);
    selection.OnInserted(0);
    std::vector<CHyperOb*> obs = selection.Resolve(page);
    ASSERT_EQ(obs.size(), 2u);
    EXPECT_EQ(obs[0]->GetCode(), "B");
    EXPECT_EQ(obs[1]->GetCode(), "D");
    EXPECT_TRUE(selection.Contains(Ref(2)));
    // Removing B takes it out of the selection; D leads.
    const CObjectRef b = Ref(2);
    page.Remove(page.At(2));
    selection.OnRemoved(b.index, b.code);
    obs = selection.Resolve(page);
    ASSERT_EQ(obs.size(), 1u);
    EXPECT_EQ(obs[0]->GetCode(), "D");
    EXPECT_EQ(selection.DominantIndex(), 3);
}

TEST_F(SelectionFixture, SurvivesARebuiltPageAndDropsWhatIsGone) {
    selection.SelectSingle(Ref(0));
    selection.Add(Ref(2));
    // Undo puts new objects with the same Codes in place of all of them,
    // here in another order and without "A".
    page.RemoveAll();
    for (const char* code : {"C", "B", "D"}) Add(code, -1);
    const std::vector<CHyperOb*> obs = selection.Resolve(page);
    ASSERT_EQ(obs.size(), 1u);
    EXPECT_EQ(obs[0], page.At(0));
    EXPECT_EQ(selection.DominantIndex(), 0);
}

TEST_F(SelectionFixture, TwoObjectsWithOneCodeStayApart) {
    page.At(3)->SetCodeRaw("A");  // a damaged design may repeat a Code
    selection.SelectSingle(Ref(3));
    const std::vector<CHyperOb*> obs = selection.Resolve(page);
    ASSERT_EQ(obs.size(), 1u);
    EXPECT_EQ(obs[0], page.At(3));
    EXPECT_FALSE(selection.Contains(Ref(0)));
}
