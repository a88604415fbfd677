// Stored lists: the list record, copies and comparisons, snap-point sets,
// layers and local variables.
#include <gtest/gtest.h>

#include "model/AnchorFmt.h"
#include "model/Archive.h"
#include "model/LayerFmt.h"
#include "model/LongObject.h"
#include "support/TestSupport.h"

using vxtest::Bytes;

namespace {

template <class L>
std::vector<uint8_t> Store(L& list) {
    CArchive out;
    list.Serialize(out);
    return out.Buffer();
}

}  // namespace

TEST(ListFmt, EmptyListIsTwoZeroBytes) {
    CLocalFmt locals;
    EXPECT_EQ(Store(locals), (std::vector<uint8_t>{0, 0}));
    CArchive in(std::vector<uint8_t>{0, 0});
    locals.Serialize(in);
    EXPECT_TRUE(locals.empty());
}

TEST(ListFmt, CountLargerThanTheDataIsAnError) {
    const auto bytes = Bytes().w(3).dw(1).dw(2).s("a").s("b").b(0).d;
    CArchive in(bytes);
    CLocalFmt locals;
    EXPECT_THROW(locals.Serialize(in), CArchiveException);
}

TEST(ListFmt, LocalVariablesRoundTripAndCompareInOrder) {
    const auto bytes = Bytes().w(2).dw(1).dw(2).s("a").s("b").b(255).dw(3).dw(4).s("").s("d").b(0).d;
    CArchive in(bytes);
    CLocalFmt a;
    a.Serialize(in);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a.item<CLocalVar>(0)->flag, 255);
    EXPECT_EQ(Store(a), bytes);
    CLocalFmt b;
    b.CopyFrom(a);
    EXPECT_TRUE(a.IsEqual(b));
    auto first = b.Remove(0);
    b.Append(std::move(first));
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(ListFmt, SnapPointSetRecord) {
    CAnchorFmt set;
    set.nextId = 5;
    set.AddPoint(CSnapPoint::kRight)->tip = "east";
    CSnapPoint* p = set.AddPoint(CSnapPoint::kMiddle);
    p->useColour = 1;
    p->colour = vx::RGB(255, 0, 0);
    EXPECT_EQ(set.point(0)->id, 5);
    EXPECT_EQ(set.point(1)->id, 6);
    EXPECT_EQ(set.nextId, 7);
    const auto bytes = Store(set);
    CArchive in(bytes);
    CAnchorFmt back;
    back.Serialize(in);
    EXPECT_TRUE(back.IsEqual(set));
    EXPECT_EQ(back.nextId, 7);
    EXPECT_EQ(back.limit, -1);
    EXPECT_EQ(Store(back), bytes);
}

TEST(ListFmt, OldSnapPointRecordsAndGuardedValues) {
    // An untagged set (no limit) with one untagged point of a bad type.
    const auto bytes = Bytes().w(1).w(1).w(42).dw(10).dw(uint32_t(-5)).dw(0).w(0).d;
    CArchive in(bytes);
    CAnchorFmt set;
    set.Serialize(in);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set.point(0)->type, 42);  // kept as stored
    EXPECT_EQ(set.point(0)->SafeType(), CSnapPoint::kTopLeft);
    EXPECT_EQ(set.point(0)->maxIn, 99);
    EXPECT_EQ(set.limit, -1);
    set.limit = 10;
    EXPECT_EQ(set.CountedPoints(), 1u);
    set.limit = 0;
    EXPECT_EQ(set.CountedPoints(), 1u);
}

TEST(ListFmt, LayerQueries) {
    CLayerFmt layers;
    layers.AddDefaultLayer();
    CLayer* b = layers.AddLayer("B");
    EXPECT_EQ(layers.layer(0)->name, "Default");
    EXPECT_EQ(b->id, 1);
    EXPECT_EQ(layers.FindLayer(-1), layers.layer(0));
    layers.insertionIndex = 1;
    EXPECT_EQ(layers.FindLayer(-1), b);
    EXPECT_EQ(layers.GetInsertionLayerId(), 1);
    layers.insertionIndex = 9;  // out of range: the first layer
    EXPECT_EQ(layers.GetInsertionLayerId(), 0);
    EXPECT_EQ(layers.IndexOfLayer(1), 1);
    EXPECT_EQ(layers.IndexOfLayer(7), -1);
    EXPECT_FALSE(layers.IsLayerVisible(7));
    layers.onlyCurrentEditable = 1;
    EXPECT_TRUE(layers.IsLayerLocked(1));
    EXPECT_FALSE(layers.IsLayerLocked(0));
    // The stored out-of-range index is written back as it was.
    CLayerFmt back;
    const auto bytes = Store(layers);
    CArchive in(bytes);
    back.Serialize(in);
    EXPECT_EQ(back.insertionIndex, 9);
    EXPECT_TRUE(back.IsEqual(layers));
}

TEST(ListFmt, SnapPointSetCountBeyondTheDataIsDamage) {
    // Tagged set claiming 500 points with one point's worth of bytes.
    const auto bytes = Bytes().tag(0).w(1).w(0xFFFF).w(500).tag(2).w(4).dw(0).dw(0).dw(1).w(0).d;
    CArchive in(bytes);
    CAnchorFmt set;
    EXPECT_THROW(set.Serialize(in), CArchiveException);
}

TEST(ListFmt, ACountBeyondTheDataSaysWhichList) {
    const auto fails = [](CHyperListFmt& list, const std::vector<uint8_t>& bytes) {
        CArchive in(bytes);
        try {
            list.Serialize(in);
        } catch (const CArchiveException& e) {
            return e.reason();
        }
        return std::string();
    };
    CAnchorFmt set;
    EXPECT_NE(fails(set, Bytes().tag(0).w(1).w(0).w(500).dw(0).d).find("snap-point list: a count of 500"),
              std::string::npos);
    CLayerFmt layers;
    EXPECT_NE(fails(layers, Bytes().tag(1).w(0).w(1).b(0).w(70).dw(0).d).find("layer list: a count of 70"),
              std::string::npos);
    CLocalFmt locals;
    EXPECT_NE(fails(locals, Bytes().w(3).dw(1).d).find("local variables"), std::string::npos);
    CChoiceFmt choices;
    EXPECT_NE(fails(choices, Bytes().w(9).dw(1).d).find("choices"), std::string::npos);
}

TEST(ListFmt, ChoiceListRecordAndCopies) {
    const auto bytes = Bytes().w(2).s("one").b(1).s("two").b(200).d;
    CArchive in(bytes);
    CChoiceFmt choices;
    choices.Serialize(in);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices.item<CChoice>(1)->value, 200);
    EXPECT_EQ(Store(choices), bytes);
    // A stored list is refilled, not appended to.
    CArchive again(bytes);
    choices.Serialize(again);
    EXPECT_EQ(choices.size(), 2u);
}

TEST(ListFmt, SnapSetCopiesTakeNextIdAndLimit) {
    CAnchorFmt a;
    a.nextId = 9;
    a.limit = 2;
    a.Rebuild(240);
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a.point(0)->type, CSnapPoint::kTop);
    EXPECT_EQ(a.point(3)->id, 12);
    CAnchorFmt b;
    b.CopyFrom(a);
    EXPECT_EQ(b.nextId, 13);
    EXPECT_EQ(b.limit, 2);
    EXPECT_TRUE(b.IsEqual(a));
    EXPECT_EQ(b.CountedPoints(), 2u);
    b.point(1)->tip = "x";
    EXPECT_FALSE(b.IsEqual(a));
}

TEST(LongObject, ValueGoesThroughTheTarget) {
    CLongObject o;
    EXPECT_EQ(o.GetProperty("Value").ToLong(), 0);
    o.SetProperty("Value", vx::Variant(5));  // no target: ignored
    int32_t held = 7;
    o.target = &held;
    EXPECT_EQ(o.GetProperty(vx::DISPID_VALUE).ToLong(), 7);
    o.SetProperty(1282, vx::Variant(11));
    EXPECT_EQ(held, 11);
    o.SetProperty("Default", vx::Variant(3));
    EXPECT_EQ(o.defaultValue, 3);
    EXPECT_EQ(held, 11);
    auto made = CClassRegistry::Instance().Create("CLongObject");
    EXPECT_NE(DynamicDowncast<CLongObject>(made.get()), nullptr);
}
