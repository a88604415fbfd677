// Page objects: defaults, rectangle rules, code names, font text, tags,
// automation and class-defaults files.
#include <gtest/gtest.h>

#include "model/GroupInfo.h"
#include "model/HyperPage.h"
#include "support/TestSupport.h"

using vx::Variant;

TEST(HyperOb, NewObjectDefaults) {
    CHyperOb ob;
    EXPECT_EQ(ob.groupId(), -1);
    EXPECT_EQ(ob.layerId(), 0);
    EXPECT_EQ(ob.backColorField(), -1);
    EXPECT_EQ(ob.foreColorField(), -1);
    EXPECT_EQ(ob.enableValue().text(), "1");
    EXPECT_EQ(ob.visibleValue().text(), "1");
    EXPECT_FALSE(ob.dfltIsLocked());
    EXPECT_TRUE(ob.dfltCanDelete() && ob.dfltCanResize() && ob.dfltCanRot() && ob.dfltCanInlineEditText() &&
                ob.dfltCanEditPoints());
    EXPECT_EQ(ob.Rect(), CRect(0, 0, 50, 50));
    EXPECT_EQ(ob.eventClick().code(), CBasicValue::kResource);
    EXPECT_EQ(ob.eventClick().DisplayText(), "(None)");
    EXPECT_TRUE(ob.IsTransparent());
    EXPECT_EQ(ob.GetForeColor(), vx::GetSysColor(vx::SysColor::ButtonText));
}

TEST(HyperOb, SettingASideNormalisesTheRectangle) {
    CHyperOb ob;
    ob.SetRect(CRect(10, 10, 20, 20));
    ob.SetProperty("Left", Variant(30));
    EXPECT_EQ(ob.Rect(), CRect(20, 10, 30, 20));
    ob.Invoke("Move", std::vector<Variant>{Variant(5), Variant(-5)});
    EXPECT_EQ(ob.Rect(), CRect(25, 5, 35, 15));
    EXPECT_EQ(ob.GetProperty(1287).ToLong(), 15);  // Bottom by dispatch id
}

TEST(HyperOb, RectanglesStayWithinSixteenBits) {
    CHyperOb ob;
    ob.SetRect(CRect(-40000, 0, 40000, 100));
    EXPECT_EQ(ob.Rect(), CRect(-32768, 0, 32767, 100));
}

TEST(HyperOb, GroupRectangleFollowsTheMaster) {
    CHyperOb ob;
    ob.SetRect(CRect(0, 0, 10, 10));
    auto g = std::make_unique<CGroupInfo>();
    g->rect = CRect(0, 0, 100, 50);
    ob.setGroupInfo(std::move(g));
    ob.SetRect(CRect(5, 7, 15, 17));
    EXPECT_EQ(ob.groupInfo()->rect, CRect(5, 7, 105, 57));
}

TEST(HyperOb, CodeNames) {
    CHyperPage page;
    for (const char* c : {"Rect1", "Rect2"}) {
        auto ob = std::make_unique<CHyperOb>();
        ob->SetCodeRaw(c);
        page.Insert(std::move(ob));
    }
    CHyperOb* fresh = page.Insert(std::make_unique<CHyperOb>());
    EXPECT_EQ(fresh->SetCode("Rect", 1), 3);
    EXPECT_EQ(fresh->GetCode(), "Rect3");
    // A code already unique stays.
    EXPECT_EQ(fresh->SetCode("Other", 1), 1);
    EXPECT_EQ(fresh->GetCode(), "Rect3");
    CHyperOb plain;
    plain.SetCode("Name", -1);
    EXPECT_EQ(plain.GetCode(), "Name");
    EXPECT_EQ(plain.MakeCodeBase(), "Hyper");
    EXPECT_FALSE(CHyperOb::IsValidCode(" \t"));
    EXPECT_TRUE(CHyperOb::IsValidCode("x"));
}

TEST(HyperOb, DefaultsFileNames) {
    CHyperOb ob;
    EXPECT_EQ(ob.GetDefaultsFileName(), "Hype.Ob");
}

TEST(HyperOb, FontText) {
    CFontRecord f;
    EXPECT_TRUE(f.FromText("-13,0,0,0,700,1,0,0,0,0,0,0,34,Arial Narrow"));
    EXPECT_EQ(f.logFont().lfHeight, -13);
    EXPECT_EQ(f.logFont().lfWeight, 700);
    EXPECT_EQ(f.logFont().lfPitchAndFamily, 34);
    EXPECT_EQ(f.logFont().lfFaceName, "Arial Narrow");
    EXPECT_EQ(f.ToText(), "-13,0,0,0,700,1,0,0,0,0,0,0,34,Arial Narrow");
    // Twelve numbers: not a font; the record is left automatic.
    EXPECT_FALSE(f.FromText("-13,0,0,0,700,1,0,0,0,0,0,0,Arial"));
    EXPECT_TRUE(f.IsEmpty());
    EXPECT_FALSE(f.FromText(""));
}

TEST(HyperOb, TagFollowsStringsOnly) {
    CHyperOb ob;
    ob.SetProperty("Tag", Variant("note"));
    EXPECT_EQ(ob.tagText(), "note");
    ob.SetProperty("Tag", Variant(12));
    EXPECT_EQ(ob.tagText(), "note");
    EXPECT_EQ(ob.GetProperty("Tag").ToLong(), 12);
}

TEST(HyperOb, EnableAndVisibleThroughAutomation) {
    CHyperOb ob;
    ob.SetProperty("Enable", Variant(0));
    EXPECT_EQ(ob.enableValue().text(), "0");
    EXPECT_FALSE(ob.IsEnabled());
    ob.SetProperty("RotateAngle", Variant(90.0));
    EXPECT_DOUBLE_EQ(ob.GetProperty("rotateangle").ToDouble(), 90.0);
    // The base class cannot rotate, so it never reports itself rotated.
    EXPECT_FALSE(ob.IsRotated());
    EXPECT_THROW(ob.SetProperty("LayerName", Variant("x")), vx::AutomationError);
}

TEST(HyperOb, LayersDecideVisibilityAndLocking) {
    CHyperPage page;
    CLayerFmt* layers = page.layers();
    CLayer* hidden = layers->AddLayer("Hidden");
    hidden->visible = 0;
    CLayer* locked = layers->AddLayer("Locked");
    locked->locked = 1;
    CHyperOb* onDefault = page.Insert(std::make_unique<CHyperOb>());
    CHyperOb* onHidden = page.Insert(std::make_unique<CHyperOb>());
    onHidden->setLayerId(hidden->id);
    CHyperOb* onLocked = page.Insert(std::make_unique<CHyperOb>());
    onLocked->setLayerId(locked->id);
    EXPECT_TRUE(onDefault->IsVisible());
    EXPECT_FALSE(onDefault->IsLocked());
    EXPECT_FALSE(onHidden->IsVisible());
    EXPECT_TRUE(onHidden->IsLocked());
    EXPECT_TRUE(onLocked->IsVisible());
    EXPECT_TRUE(onLocked->IsLocked());
    EXPECT_EQ(onLocked->GetProperty("LayerName").ToString(), "Locked");
    layers->onlyCurrentEditable = 1;
    EXPECT_FALSE(onDefault->IsLocked());
    layers->insertionIndex = 2;
    EXPECT_TRUE(onDefault->IsLocked());
    EXPECT_FALSE(onLocked->IsLocked() && !locked->locked);
}

TEST(HyperOb, ClassDefaultsFileIsATemplateForNewObjects) {
    CHyperOb tmpl;
    tmpl.SetCodeRaw("Template");
    tmpl.SetRect(CRect(100, 100, 180, 140));
    tmpl.setHelpContextId(77);
    tmpl.setToolTipText("from template");
    tmpl.setGroupId(4);
    tmpl.SaveAsDefaults();
    EXPECT_EQ(tmpl.Rect(), CRect(100, 100, 180, 140));
    EXPECT_EQ(tmpl.PersistToFile(CHyperOb::kDefaultsExists), 1);

    CHyperPage page;
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw("Mine");
    CHyperOb* raw = ob.get();
    page.Insert(std::move(ob));
    const CRect where(10, 10, 30, 30);
    raw->AttachToView(&page, &where, true);
    EXPECT_EQ(raw->helpContextId(), 77);
    EXPECT_EQ(raw->toolTipText(), "from template");
    EXPECT_EQ(raw->Rect(), where);
    // The template's identity does not carry over.
    EXPECT_EQ(raw->GetCode(), "Mine");
    EXPECT_EQ(raw->groupId(), -1);

    EXPECT_EQ(tmpl.PersistToFile(CHyperOb::kDefaultsDelete), 1);
    EXPECT_EQ(tmpl.PersistToFile(CHyperOb::kDefaultsExists), 0);
    EXPECT_EQ(tmpl.PersistToFile(CHyperOb::kDefaultsRead), 0);
}

TEST(HyperOb, CloneCopiesEverything) {
    CHyperOb ob;
    ob.SetCodeRaw("A");
    ob.SetRect(CRect(1, 2, 3, 4));
    ob.setHelpContextId(9);
    auto g = std::make_unique<CGroupInfo>();
    g->code = "G";
    ob.setGroupInfo(std::move(g));
    auto copy = ob.Clone();
    EXPECT_EQ(copy->GetCode(), "A");
    EXPECT_EQ(copy->Rect(), CRect(1, 2, 3, 4));
    EXPECT_EQ(copy->helpContextId(), 9);
    ASSERT_NE(copy->groupInfo(), nullptr);
    EXPECT_NE(copy->groupInfo(), ob.groupInfo());
    EXPECT_EQ(copy->groupInfo()->code, "G");
}

TEST(BasicValue, IsSetIgnoresBlankAndCommentExpressions) {
    CBasicValue v;
    v.SetExpression("  \n' only a comment\n");
    EXPECT_FALSE(v.IsSet());
    v.SetExpression("' comment\nx = 1");
    EXPECT_TRUE(v.IsSet());
    v.SetLiteral("2.5");
    EXPECT_DOUBLE_EQ(v.AsDouble(), 2.5);
    EXPECT_EQ(v.AsLong(), 2);
    v.SetLiteral("");
    EXPECT_EQ(v.DisplayText(), "(None)");
}
