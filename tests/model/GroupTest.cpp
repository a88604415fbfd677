// Groups: Group, Ungroup and Regroup on a page, the enabling rules, the
// group record's automation and its stored form.
#include <gtest/gtest.h>

#include "SnapTestOb.h"
#include "model/Connection.h"
#include "model/GroupOps.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"

using vx::Variant;

namespace {

template <class T = CHyperOb>
T* Add(CHyperPage& page, const char* code, CRect r) {
    auto ob = std::make_unique<T>();
    ob->SetCodeRaw(code);
    T* raw = ob.get();
    page.Insert(std::move(ob));
    raw->SetRect(r);
    return raw;
}

}  // namespace

TEST(Group, NewGroupTakesTheNextNumberAndTheUnionRectangle) {
    CHyperPage page;
    CHyperOb* old = Add(page, "Old", CRect(0, 0, 5, 5));
    old->setGroupId(4);
    page.highestGroupId = 4;
    CHyperOb* a = Add(page, "A", CRect(10, 10, 20, 20));
    CHyperOb* b = Add(page, "B", CRect(50, 5, 60, 30));
    CGroupState state;
    ASSERT_TRUE(CGroupOps::CanGroup(page, {a, b}));
    EXPECT_EQ(CGroupOps::Group(page, {a, b}, state, false), 5);
    EXPECT_EQ(a->groupId(), 5);
    EXPECT_EQ(b->groupId(), 5);
    ASSERT_NE(a->groupInfo(), nullptr);
    EXPECT_EQ(b->groupInfo(), nullptr);
    EXPECT_EQ(b->FindGroupInfo(), a->groupInfo());
    EXPECT_EQ(a->groupInfo()->rect, CRect(10, 5, 60, 30));
    EXPECT_EQ(a->groupInfo()->groupId, 5);
    EXPECT_EQ(page.highestGroupId, 5);
    // The whole group selected: Group is off, Ungroup on.
    EXPECT_FALSE(CGroupOps::CanGroup(page, {a, b}));
    EXPECT_TRUE(CGroupOps::CanUngroup(page, {a, b}));
    EXPECT_FALSE(CGroupOps::CanUngroup(page, {a, old}));
}

TEST(Group, NumbersAreNotReusedAndPastedNumbersAreAvoided) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(0, 0, 10, 10));
    CHyperOb* pasted = Add(page, "P", CRect(0, 0, 10, 10));
    pasted->setGroupId(7);  // came in with a number of its own
    CGroupState state;
    EXPECT_EQ(CGroupOps::Group(page, {a, b}, state, false), 8);
    CGroupOps::Ungroup(page, {a, b}, state);
    pasted->setGroupId(-1);
    EXPECT_EQ(CGroupOps::Group(page, {a, b}, state, false), 9);
}

TEST(Group, AnObjectMovesBetweenGroups) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 30, 10));
    CHyperOb* c = Add(page, "C", CRect(40, 0, 50, 10));
    CGroupState state;
    const int first = CGroupOps::Group(page, {a, b}, state, false);
    EXPECT_TRUE(CGroupOps::CanGroup(page, {b, c}));
    const int second = CGroupOps::Group(page, {b, c}, state, false);
    EXPECT_EQ(page.GetGroupMembers(first), std::vector<CHyperOb*>{a});
    EXPECT_EQ(page.GetGroupMembers(second), (std::vector<CHyperOb*>{b, c}));
    EXPECT_EQ(b->groupInfo()->rect, CRect(20, 0, 50, 10));
    EXPECT_EQ(a->groupInfo()->groupId, first);
}

TEST(Group, UngroupThenRegroupKeepsCodeAndSymbolWithANewNumber) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 30, 10));
    CGroupState state;
    const int id = CGroupOps::Group(page, {a, b}, state, false);
    a->groupInfo()->code = "Pair";
    a->groupInfo()->dfltCanDelete = false;
    CGroupOps::Ungroup(page, {a, b}, state);
    EXPECT_EQ(a->groupId(), -1);
    EXPECT_EQ(a->groupInfo(), nullptr);
    ASSERT_NE(state.savedGroup, nullptr);
    EXPECT_EQ(state.lastUngrouped, (std::vector<CHyperOb*>{a, b}));
    EXPECT_TRUE(CGroupOps::CanRegroup(page, state));
    const auto selection = CGroupOps::Regroup(page, state);
    EXPECT_EQ(selection, (std::vector<CHyperOb*>{a, b}));
    ASSERT_NE(a->groupInfo(), nullptr);
    EXPECT_EQ(a->groupInfo()->code, "Pair");
    EXPECT_FALSE(a->groupInfo()->dfltCanDelete);
    EXPECT_GT(a->groupId(), id);
    EXPECT_EQ(a->groupInfo()->groupId, a->groupId());
    EXPECT_FALSE(CGroupOps::CanRegroup(page, state));
    EXPECT_EQ(state.savedGroup, nullptr);
}

TEST(Group, RegroupSkipsObjectsThatLeftThePage) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 30, 10));
    CHyperOb* c = Add(page, "C", CRect(40, 0, 50, 10));
    CGroupState state;
    CGroupOps::Group(page, {a, b, c}, state, false);
    CGroupOps::Ungroup(page, {a, b, c}, state);
    page.Remove(b);  // deleted by the user; the page no longer has it
    const auto selection = CGroupOps::Regroup(page, state);
    EXPECT_EQ(selection, (std::vector<CHyperOb*>{a, c}));
    EXPECT_EQ(c->groupId(), a->groupId());
}

TEST(Group, SymbolGroupsBlockGroupAndUngroup) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 30, 10));
    CHyperOb* c = Add(page, "C", CRect(40, 0, 50, 10));
    CGroupState state;
    CGroupOps::Group(page, {a, b}, state, false);
    a->groupInfo()->SetProperty("Symbol", Variant(1));
    EXPECT_FALSE(CGroupOps::CanUngroup(page, {a, b}));
    EXPECT_FALSE(CGroupOps::CanGroup(page, {b, c}));  // a member without the record
    EXPECT_FALSE(CGroupOps::CanGroup(page, {a, c}));
    EXPECT_TRUE(CGroupOps::CanGroup(page, {c}));
}

TEST(Group, ConnectorsAndEmptySelectionsAreNotGrouped) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    auto* conn = Add<CSnapTestOb>(page, "Conn", CRect(0, 0, 10, 10));
    conn->connector = true;
    EXPECT_FALSE(CGroupOps::CanGroup(page, {a, conn}));
    EXPECT_FALSE(CGroupOps::CanGroup(page, {}));
    EXPECT_FALSE(CGroupOps::CanUngroup(page, {}));
    page.editMode = false;
    EXPECT_FALSE(CGroupOps::CanGroup(page, {a}));
}

TEST(Group, OwnSnapPointsDecideTheGroupsSnapPoints) {
    CHyperPage page;
    auto* a = Add<CSnapTestOb>(page, "A", CRect(0, 0, 10, 10));
    auto* b = Add<CSnapTestOb>(page, "B", CRect(20, 0, 30, 10));
    a->snaps.set().Rebuild(240);
    CGroupState state;
    CGroupOps::Group(page, {a, b}, state, false);
    EXPECT_EQ(a->groupInfo()->hasSnapPoints, 0);  // members keep their own
    EXPECT_EQ(a->snaps.set().size(), 4u);
    CGroupOps::Ungroup(page, {a, b}, state);
    state.savedGroup.reset();
    CGroupOps::Group(page, {a, b}, state, true);  // keep: the group's points replace them
    EXPECT_EQ(a->groupInfo()->hasSnapPoints, 1);
    EXPECT_TRUE(a->snaps.set().empty());
    // A grouped object uses its group's list.
    EXPECT_EQ(b->GetSnapList(false), a->groupInfo()->GetSnapList());
    EXPECT_EQ(b->GetSnapList(true), &b->snaps);
}

TEST(Group, JoiningLinesReplacesGrouping) {
    struct Joiner : CGroupJoiner {
        bool TryJoin(CHyperPage&, std::vector<CHyperOb*>& sel) override {
            sel.resize(1);
            return true;
        }
    } joiner;
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(0, 0, 10, 10));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 30, 10));
    CGroupState state;
    std::vector<CHyperOb*> sel{a, b};
    EXPECT_FALSE(CGroupOps::GroupCommand(page, sel, state, false, &joiner));
    EXPECT_EQ(a->groupId(), -1);
    sel = {a, b};
    EXPECT_TRUE(CGroupOps::GroupCommand(page, sel, state, true, &joiner));  // Ctrl: always a group
    EXPECT_GE(a->groupId(), 0);
}

TEST(GroupInfo, AutomationReadsAndWritesTheMembers) {
    CHyperPage page;
    auto* a = Add<CSnapTestOb>(page, "A", CRect(0, 0, 10, 10));
    auto* b = Add<CSnapTestOb>(page, "B", CRect(20, 0, 30, 10));
    CGroupState state;
    CGroupOps::Group(page, {a, b}, state, false);
    CGroupInfo& g = *a->groupInfo();
    a->SetBackColor(vx::RGB(255, 0, 0));
    EXPECT_EQ(g.GetProperty("BackColor").ToLong(), -1);  // members differ
    g.SetProperty("BackColor", Variant(int32_t(vx::RGB(0, 0, 255))));
    EXPECT_EQ(b->backColorField(), vx::RGB(0, 0, 255));
    EXPECT_EQ(g.GetProperty(-501).ToLong(), vx::RGB(0, 0, 255));
    EXPECT_EQ(g.Invoke("GetNumSubObjects").ToLong(), 2);
    EXPECT_EQ(g.Invoke("GetSubObject", std::vector<Variant>{Variant(1)}).ToObject(), b);
    EXPECT_EQ(g.Invoke("GetSubObject", std::vector<Variant>{Variant(2)}).ToObject(), nullptr);
    EXPECT_EQ(g.Invoke("GetSubObject", std::vector<Variant>{Variant(-1)}).ToObject(), nullptr);
    g.Invoke("Move", std::vector<Variant>{Variant(5), Variant(1)});
    EXPECT_EQ(a->Rect(), CRect(5, 1, 15, 11));
    EXPECT_EQ(b->Rect(), CRect(25, 1, 35, 11));
    EXPECT_EQ(g.rect, CRect(5, 1, 35, 11));  // follows the master
    b->hasText = true;
    g.SetProperty("Text", Variant("hi"));
    EXPECT_EQ(a->text, "hi");
    EXPECT_EQ(g.GetProperty("Text").ToString(), "hi");
    g.SetProperty("LayerID", Variant(3));
    EXPECT_EQ(b->layerId(), 3);
    EXPECT_EQ(g.GetProperty("LayerID").ToLong(), 3);
    g.SetProperty("Enable", Variant(0));
    EXPECT_EQ(g.GetProperty("Enable").ToLong(), 0);
    EXPECT_FALSE(b->IsEnabled());
    EXPECT_THROW(g.SetProperty("GroupID", Variant(1)), vx::AutomationError);
    // A record whose group has no members.
    CGroupInfo lone;
    EXPECT_EQ(lone.GetProperty("LayerID").ToLong(), -1);
    EXPECT_EQ(lone.GetProperty("Visible").ToLong(), 0);
    EXPECT_EQ(lone.GetProperty("BackColor").ToLong(), -1);
}

TEST(GroupInfo, GroupWithSnapPointsRoundTripsThroughTheDesignFile) {
    CSnapTestOb::Register();
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    auto* a = Add<CSnapTestOb>(page, "A", CRect(0, 0, 10, 10));
    auto* b = Add<CSnapTestOb>(page, "B", CRect(20, 0, 30, 10));
    CGroupState state;
    CGroupOps::Group(page, {a, b}, state, true);
    b->snaps.set().Rebuild(496);
    b->snaps.set().point(4)->tip = "centre";
    CGroupInfo& g = *a->groupInfo();
    g.code = "G";
    g.symbol = 1;
    g.snapList.set().nextId = 3;
    g.snapList.set().AddPoint(CSnapPoint::kMiddle)->maxIn = 1;
    const auto bytes = doc.SaveToBytes();
    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    CHyperPage& p = back.mainPage();
    ASSERT_EQ(p.Count(), 2u);
    auto* ra = DynamicDowncast<CSnapTestOb>(p.At(0));
    ASSERT_NE(ra, nullptr);
    ASSERT_NE(ra->groupInfo(), nullptr);
    EXPECT_EQ(ra->groupInfo()->code, "G");
    EXPECT_EQ(ra->groupInfo()->symbol, 1);
    EXPECT_EQ(ra->groupInfo()->snapList.set().nextId, 4);
    EXPECT_EQ(ra->groupInfo()->snapList.set().point(0)->maxIn, 1);
    EXPECT_EQ(p.highestGroupId, ra->groupId());
    auto* rb = DynamicDowncast<CSnapTestOb>(p.At(1));
    ASSERT_NE(rb, nullptr);
    ASSERT_EQ(rb->snaps.set().size(), 5u);
    EXPECT_EQ(rb->snaps.set().point(4)->tip, "centre");
    EXPECT_EQ(back.SaveToBytes(), bytes);
}
