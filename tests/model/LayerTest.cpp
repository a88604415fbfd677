// Layers: the page's list, the object side (visibility, locking, names) and
// the page object's Layer property.
#include <gtest/gtest.h>

#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/ListEditors.h"
#include "model/Archive.h"
#include "support/FakeViewLink.h"
#include "support/TestSupport.h"

using vx::Variant;

namespace {

CHyperOb* Add(CHyperPage& page, const char* code, int layerId) {
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw(code);
    ob->setLayerId(layerId);
    return page.Insert(std::move(ob));
}

}  // namespace

TEST(Layers, NewPageHasTheDefaultLayer) {
    CHyperPage page;
    CLayerFmt& layers = *page.layers();
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers.layer(0)->name, "Default");
    EXPECT_EQ(layers.layer(0)->id, 0);
    EXPECT_TRUE(layers.IsLayerVisible(0));
    EXPECT_FALSE(layers.IsLayerLocked(0));
    EXPECT_EQ(layers.GetInsertionLayerId(), 0);
    EXPECT_EQ(layers.nextId, 1);
}

TEST(Layers, HiddenLayerObjectsAreNeitherVisibleNorSelectable) {
    CHyperPage page;
    CLayer* notes = page.layers()->AddLayer("Notes");
    CHyperOb* a = Add(page, "A", 0);
    CHyperOb* b = Add(page, "B", notes->id);
    EXPECT_TRUE(b->IsVisible());
    EXPECT_FALSE(b->IsLocked());
    EXPECT_EQ(b->LayerName(), "Notes");
    EXPECT_EQ(b->GetProperty("LayerName").ToString(), "Notes");
    notes->visible = 0;
    EXPECT_FALSE(b->IsVisible());
    EXPECT_TRUE(b->IsLocked());  // hidden objects cannot be edited
    EXPECT_EQ(page.IndexOf(b), 1);  // the order stays
    EXPECT_TRUE(a->IsVisible());
    notes->visible = 1;
    notes->locked = 1;
    EXPECT_TRUE(b->IsVisible());
    EXPECT_TRUE(b->IsLocked());
    // A layer id the page does not know: not drawn, no name.
    CHyperOb* lost = Add(page, "Lost", 42);
    EXPECT_FALSE(lost->IsVisible());
    EXPECT_EQ(lost->LayerName(), "");
}

TEST(Layers, OnlyTheCurrentLayerIsEditable) {
    CHyperPage page;
    CLayerFmt& layers = *page.layers();
    CLayer* second = layers.AddLayer("Second");
    CHyperOb* a = Add(page, "A", 0);
    CHyperOb* b = Add(page, "B", second->id);
    layers.onlyCurrentEditable = 1;
    EXPECT_FALSE(a->IsLocked());
    EXPECT_TRUE(b->IsLocked());  // unlocked layer, but not the current one
    EXPECT_TRUE(layers.IsItemLocked(*second));
    layers.insertionIndex = 1;
    EXPECT_TRUE(a->IsLocked());
    EXPECT_FALSE(b->IsLocked());
    // A stored index outside the list means the first layer.
    layers.insertionIndex = 7;
    EXPECT_FALSE(a->IsLocked());
    EXPECT_EQ(layers.FindLayer(-1), layers.layer(0));
}

TEST(Layers, PageObjectLayerPropertyByName) {
    vxtest::FakeViewLink link;
    link.hasWindow = true;
    CHyperPage page;
    page.setLink(&link);
    page.layers()->AddLayer("Notes");
    Add(page, "A", 1);
    Add(page, "B", 0);
    CHyperViewOb& po = *page.pageObject();
    const std::vector<Variant> notes{Variant("Notes")};
    EXPECT_TRUE(po.GetProperty("Layer", notes).ToBool());
    po.SetProperty("Layer", Variant(0), notes);
    EXPECT_FALSE(po.GetProperty("Layer", notes).ToBool());
    EXPECT_EQ(link.repaints.size(), 1u);  // only the object of that layer
    const std::vector<Variant> dflt{Variant("Default")};
    po.SetProperty("Layer", Variant(0x8000), dflt);  // hide without repainting
    EXPECT_FALSE(po.GetProperty("Layer", dflt).ToBool());
    EXPECT_EQ(link.repaints.size(), 1u);
    const std::vector<Variant> none{Variant("None")};
    EXPECT_FALSE(po.GetProperty("Layer", none).ToBool());
    po.SetProperty("Layer", Variant(1), none);
}

TEST(Layers, DeletingALayerMovesItsObjects) {
    CHyperPage page;
    page.layers()->AddLayer("Layer1");
    Add(page, "A", 1);
    Add(page, "B", 1);
    Add(page, "C", 0);
    EXPECT_EQ(page.CountLayerObjects(1), 2);
    page.MoveLayerObjects(1, 0);
    EXPECT_EQ(page.CountLayerObjects(1), 0);
    EXPECT_EQ(page.CountLayerObjects(0), 3);
}

TEST(Layers, EditLayersRunsTheInstalledSheet) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    auto& hook = CListEditors::Get().editLayers;
    const auto saved = hook;
    hook = nullptr;
    EXPECT_FALSE(page.layers()->EditLayers(&page));  // nothing to run it
    bool answer = false;
    hook = [&](CLayerFmt& l, CHyperPage*) {
        l.AddLayer("Added");
        return answer;
    };
    EXPECT_FALSE(page.layers()->EditLayers(&page));
    EXPECT_TRUE(link.pageSettingsChanges.empty());
    answer = true;
    EXPECT_TRUE(page.layers()->EditLayers(&page));
    ASSERT_EQ(link.pageSettingsChanges.size(), 1u);
    EXPECT_TRUE(link.pageSettingsChanges[0].recalc);
    hook = saved;
}

TEST(Layers, SeveralLayersRoundTripThroughTheDesignFile) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    CLayerFmt& layers = *page.layers();
    layers.AddLayer("Back")->locked = 1;
    layers.AddLayer("Front")->visible = 0;
    layers.Remove(1);
    layers.insertionIndex = 1;
    layers.onlyCurrentEditable = 1;
    Add(page, "A", 2);
    const auto bytes = doc.SaveToBytes();
    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    const CLayerFmt& l = *back.mainPage().layers();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l.layer(1)->name, "Front");
    EXPECT_EQ(l.layer(1)->id, 2);
    EXPECT_EQ(l.nextId, 3);
    EXPECT_EQ(l.insertionIndex, 1);
    EXPECT_EQ(l.onlyCurrentEditable, 1);
    EXPECT_FALSE(back.mainPage().At(0)->IsVisible());
    EXPECT_EQ(back.SaveToBytes(), bytes);
}

TEST(Layers, NewIdsAreAboveEveryIdInAListReadFromAFile) {
    // Untagged (no next id stored) and tagged with a next id already used.
    const vxtest::Bytes untagged =
        vxtest::Bytes().w(0).w(2).w(0).s("Default").dw(1).dw(0).w(3).s("Notes").dw(1).dw(0);
    const vxtest::Bytes stale =
        vxtest::Bytes().tag(1).w(0).w(1).b(0).w(2).w(0).s("Default").dw(1).dw(0).w(5).s("Notes").dw(1).dw(0);
    for (const auto* bytes : {&untagged, &stale}) {
        CArchive in(bytes->d);
        CLayerFmt layers;
        layers.Serialize(in);
        ASSERT_EQ(layers.size(), 2u);
        const int highest = layers.layer(1)->id;
        EXPECT_EQ(layers.nextId, highest + 1);
        EXPECT_EQ(layers.AddLayer("New")->id, highest + 1);
        EXPECT_EQ(layers.AddLayer("Newer")->id, highest + 2);
    }
    // Layers put in by the sheet without counting: the next Add still grows.
    CLayerFmt layers;
    layers.AddDefaultLayer();
    auto l = std::make_unique<CLayer>();
    l->id = 9;
    layers.Append(std::move(l));
    EXPECT_EQ(layers.AddLayer("After")->id, 10);
}
