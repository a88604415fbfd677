// Property items: values, text forms, typed access, the linked pen items,
// the code check and the standard property lists.
#include <gtest/gtest.h>

#include <bit>

#include "SnapTestOb.h"
#include "model/GroupOps.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/ListEditors.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "model/PropLists.h"
#include "support/FakeViewLink.h"

namespace P = vx::prop;

namespace {

std::string Text(const CPropOb& item) {
    std::string t;
    EXPECT_TRUE(item.GetValueText(t));
    return t;
}

std::vector<std::string> Names(const CPropList& list) {
    std::vector<std::string> out;
    for (size_t i = 0; i < list.size(); ++i) out.push_back(list.at(i)->GetName());
    return out;
}

CHyperOb* Add(CHyperPage& page, const char* code, CRect r = CRect(0, 0, 50, 50)) {
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw(code);
    CHyperOb* raw = page.Insert(std::move(ob));
    raw->SetRect(r);
    return raw;
}

struct Combo : CChoiceControl {
    void Clear() override { items.clear(); }
    void AddChoice(const std::string& t, int32_t d) override { items.emplace_back(t, d); }
    void SetCurrent(int i) override { current = i; }
    std::vector<std::pair<std::string, int32_t>> items;
    int current = -2;
};

struct Sheet : CPropList {
    void RedrawItem(CPropOb* item) override { redrawn.push_back(item); }
    std::vector<CPropOb*> redrawn;
};

}  // namespace

TEST(PropItem, NamesAndTextForms) {
    int32_t n = 5;
    CPropInt none1(-1, &n), none2(-2, &n), named(P::kLeft, &n);
    EXPECT_EQ(none1.GetName(), "");
    EXPECT_EQ(none2.GetName(), "");
    EXPECT_EQ(named.GetName(), "Left");
    named.customName = "Links";
    EXPECT_EQ(named.GetName(), "Links");
    EXPECT_EQ(Text(named), "5");

    COLORREF c = -1;
    CPropCustColor colour(P::kBackColor, &c);
    EXPECT_EQ(Text(colour), "Automatic");
    EXPECT_TRUE(colour.HasSwatch());
    colour.setValue(vx::RGB(1, 2, 3));
    EXPECT_EQ(Text(colour), "1.2.3");
    EXPECT_TRUE(colour.SetValueText("10.20.30"));
    EXPECT_EQ(colour.value(), vx::RGB(10, 20, 30));
    EXPECT_FALSE(colour.SetValueText("1.2"));

    double d = 12.5;
    EXPECT_EQ(Text(CPropDbl(P::kRotateAngle, &d)), "12.5");

    CFontRecord font;
    CPropFont f(P::kFont, &font);
    EXPECT_EQ(Text(f), "(None)");
    font.FromText("-12,0,0,0,700,0,0,0,0,0,0,0,0,Arial");
    f.Reload();
    EXPECT_EQ(Text(f), "Arial");
    std::string form;
    EXPECT_TRUE(f.GetString(form));
    EXPECT_EQ(form, font.ToText());

    CLocalFmt locals;
    locals.Append(locals.CreateItem());
    locals.Append(locals.CreateItem());
    EXPECT_EQ(Text(CPropLocal(P::kLocalVariables, &locals)), "2 Item(s)");

    CBitmapRef bmp;
    CPropBitmap b(1, &bmp);
    EXPECT_EQ(Text(b), "(None)");
    b.setValue({"", true});
    EXPECT_EQ(Text(b), "(Bitmap)");
    b.setValue({"C:\\pics\\logo.bmp", true});
    EXPECT_EQ(Text(b), "logo.bmp");
}

TEST(PropItem, ValueSavedValueAndMember) {
    CHyperPage page;
    CHyperOb* a = Add(page, "A", CRect(10, 0, 50, 50));
    CHyperOb* b = Add(page, "B", CRect(20, 0, 50, 50));
    auto ia = a->CreateProperty(P::kLeft, true);
    auto ib = b->CreateProperty(P::kLeft, true);
    ASSERT_TRUE(ia && ib);
    EXPECT_FALSE(ia->IsEqual(*ib));
    ib->CopyValue(*ia);
    EXPECT_TRUE(ia->IsEqual(*ib));
    EXPECT_EQ(b->Rect().left, 20);  // only the working value changed
    ib->Apply();
    EXPECT_EQ(b->Rect().left, 10);
    ib->Restore();
    EXPECT_EQ(b->Rect().left, 20);
    EXPECT_TRUE(ib->Reload());
    EXPECT_FALSE(ib->Reload());
    ia->ApplyFrom(*ib);
    EXPECT_EQ(a->Rect().left, 20);
    // Typed access: the item answers only its own type.
    int32_t l = 0;
    double dbl = 0;
    std::string s;
    EXPECT_TRUE(ia->GetLong(l));
    EXPECT_EQ(l, 20);
    EXPECT_FALSE(ia->GetInt(l));
    EXPECT_FALSE(ia->GetDouble(dbl));
    EXPECT_FALSE(ia->GetString(s));
    EXPECT_FALSE(ia->SetString("x"));
    EXPECT_TRUE(ia->SetLong(30));
    EXPECT_EQ(a->Rect().left, 30);
    // Items of different classes never agree.
    auto tip = a->CreateProperty(P::kToolTipText, true);
    EXPECT_FALSE(tip->IsEqual(*ia));
}

TEST(PropItem, IntegerValidation) {
    int32_t v = 0;
    CPropInt item(P::kScrollWidth, &v, true, 0, 650);
    CPropExchange ok, range, text;
    item.Validate(ok, "650");
    EXPECT_FALSE(ok.refused());
    item.Validate(range, "651");
    EXPECT_TRUE(range.refused());
    EXPECT_EQ(range.message(), "Please enter an integer between 0 and 650.");
    item.Validate(text, "12a");
    EXPECT_EQ(text.message(), "This is not a valid number.");
    CPropInt unchecked(P::kScrollWidth, &v);
    CPropExchange any;
    unchecked.Validate(any, "99999");
    EXPECT_FALSE(any.refused());
}

TEST(PropItem, ChoicesWithoutAMatch) {
    int32_t v = 3;
    CPropCombo item(P::kSymbol, &v);
    item.AddChoice("0 - No", 0);
    item.AddChoice("1 - Yes", 1);
    EXPECT_EQ(Text(item), "");
    Combo combo;
    item.FillChoices(combo);
    ASSERT_EQ(combo.items.size(), 2u);
    EXPECT_EQ(combo.items[1], std::make_pair(std::string("1 - Yes"), 1));
    EXPECT_EQ(combo.current, 0);
    item.setValue(1);
    item.FillChoices(combo);
    EXPECT_EQ(combo.current, 1);
    EXPECT_EQ(Text(item), "1 - Yes");
    EXPECT_TRUE(item.SetValueText("0 - No"));
    EXPECT_EQ(item.value(), 0);
}

TEST(PropItem, LinkedPenItems) {
    int32_t width = 1, style = 2;
    Sheet sheet;
    auto* w = static_cast<CLinePropWidth*>(sheet.Add(std::make_unique<CLinePropWidth>(27174, &width)));
    auto* s = static_cast<CLinePropStyle*>(sheet.Add(std::make_unique<CLinePropStyle>(27168, &style)));
    s->AddChoice("0 - Solid", 0);
    s->AddChoice("1 - Dash", 1);
    s->AddChoice("2 - Dot", 2);
    LinkPenItems(*w, *s);
    w->setValue(3);
    w->OnChanged();
    EXPECT_EQ(s->value(), 0);
    EXPECT_EQ(Text(*s), "0 - Solid");
    EXPECT_EQ(sheet.redrawn, std::vector<CPropOb*>{s});
    s->setValue(1);
    s->OnChanged();
    EXPECT_EQ(w->value(), 1);
    EXPECT_EQ(sheet.redrawn.back(), w);
    // The members change only when applied.
    EXPECT_EQ(width, 1);
    EXPECT_EQ(style, 2);
}

TEST(PropItem, AngleItemPostsTheRotateMessage) {
    vxtest::FakeViewLink link;
    CHyperPage page;
    page.setLink(&link);
    double angle = 0;
    CPropAngleDbl item(P::kRotateAngle, &angle, &page);
    item.setValue(45.5);
    item.OnChanged();
    ASSERT_EQ(link.messages.size(), 1u);
    EXPECT_EQ(link.messages[0].message, 0x8212u);
    EXPECT_EQ(link.messages[0].wParam, 0u);
    EXPECT_EQ(std::bit_cast<float>(link.messages[0].lParam), 45.5f);
}

TEST(PropItem, CodeCheckRefusesCodesInUse) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    CHyperOb* a = Add(page, "Rect1");
    CHyperOb* b = Add(page, "Rect2");
    CHyperOb* c = Add(page, "Rect3");
    CGroupState state;
    CGroupOps::Group(page, {b, c}, state, false);
    b->groupInfo()->code = "Pair";
    auto item = a->CreateProperty(P::kObjectCode, true);
    auto refused = [&](const std::string& code) {
        CPropExchange dx;
        item->Validate(dx, code);
        return dx.refused();
    };
    EXPECT_TRUE(refused("rect2"));
    EXPECT_TRUE(refused("PAIR"));
    EXPECT_TRUE(refused("theview"));
    EXPECT_TRUE(refused("TheFrame"));
    EXPECT_FALSE(refused("Rect1"));  // its own code
    EXPECT_FALSE(refused(""));
    EXPECT_FALSE(refused("Other"));
    CPropExchange dx;
    item->Validate(dx, "rect3");
    EXPECT_EQ(dx.message(), "(ObjectCode) \"rect3\" already in use or reserved.");
    EXPECT_EQ(a->GetCode(), "Rect1");
    // The group's own code item accepts the group's code but not a member's.
    CPropList list;
    b->groupInfo()->AddProperties(list, true);
    CPropExchange own, member;
    list.Find(P::kGroupCode)->Validate(own, "pair");
    list.Find(P::kGroupCode)->Validate(member, "Rect2");
    EXPECT_FALSE(own.refused());
    EXPECT_TRUE(member.refused());
}

TEST(PropItem, CodeIsReadOnlyWhileLinesHangOnTheSnapPoints) {
    CHyperPage page;
    auto ob = std::make_unique<CSnapTestOb>();
    CSnapTestOb* raw = ob.get();
    page.Insert(std::move(ob));
    raw->snaps.set().Rebuild(240);
    EXPECT_EQ(raw->CreateProperty(P::kObjectCode, true)->editable, 1);
    raw->snaps.set().point(2)->inCount = 1;
    EXPECT_EQ(raw->CreateProperty(P::kObjectCode, true)->editable, 0);
}

TEST(PropItem, StandardListsOfObjectsPagesFramesAndGroups) {
    CMyDoc doc;
    CHyperPage& page = doc.mainPage();
    page.layers()->AddLayer("Notes");
    CHyperOb* a = Add(page, "A");
    CPropList list;
    a->AddProperties(list, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"(ObjectCode)", "Left", "Right", "Top", "Bottom",
                                                     "ToolTipText", "HelpContextID", "BackColor", "ForeColor",
                                                     "Font", "Layer", "Tag"}));
    auto* layer = static_cast<CPropCombo*>(list.Find(P::kLayer));
    ASSERT_EQ(layer->choices().size(), 2u);
    EXPECT_EQ(layer->choices()[1].text, "Notes");
    EXPECT_EQ(layer->choices()[1].value, 1);
    EXPECT_EQ(layer->applyOnChoice, 1);
    auto* back = list.Find(P::kBackColor);
    EXPECT_EQ(back->editor, CPropOb::kDialogButton);
    EXPECT_EQ(back->dialogTitle, P::kTitleColor);
    EXPECT_EQ(static_cast<CPropLong*>(list.Find(P::kLeft))->upper, 650);
    EXPECT_EQ(static_cast<CPropLong*>(list.Find(P::kBottom))->upper, 800);
    auto cursor = a->CreateProperty(P::kCursorPointer, true);
    EXPECT_EQ(static_cast<CPropCombo*>(cursor.get())->choices().size(), 8u);
    EXPECT_TRUE(static_cast<CPropCombo*>(a->CreateProperty(P::kCursorPointer, false).get())->choices().empty());
    EXPECT_EQ(a->CreateProperty(P::kAnchorSnaps, true), nullptr);  // no snap points of its own
    EXPECT_EQ(a->CreateProperty(P::kRotateAngle, true), nullptr);  // cannot rotate
    EXPECT_EQ(a->CreateProperty(P::kEventChange, true)->kind, CPropOb::kEventCode);

    CPropList grouped;
    grouped.selectionHasGroup = true;
    a->AddProperties(grouped, true);
    EXPECT_EQ(Names(grouped), (std::vector<std::string>{"(ObjectCode)", "BackColor", "ForeColor", "Font", "Layer",
                                                        "Tag"}));

    CPropList pageList;
    page.pageObject()->AddProperties(pageList, true);
    EXPECT_EQ(Names(pageList),
              (std::vector<std::string>{"(FormCode)", "PrintScale", "ScrollBars", "ScrollWidth", "ScrollHeight",
                                        "Color", "Font", "ToolTipText", "HelpContextID", "ViewLayers", "Tag", "Title",
                                        "Description"}));
    auto* title = pageList.Find(P::kTitle);
    ASSERT_TRUE(title->SetValueText("Plan"));
    title->Apply();
    EXPECT_EQ(doc.title(), "Plan");

    CPropList frameList;
    doc.frameObject()->AddProperties(frameList, true);
    EXPECT_EQ(Names(frameList), (std::vector<std::string>{"Title", "Width", "Height", "MinimizeBox", "MaximizeBox",
                                                          "BorderStyle", "WhatsThisHelp"}));
    auto* minBox = static_cast<CPropCombo*>(frameList.Find(P::kMinimizeBox));
    EXPECT_EQ(Text(*minBox), "1 - Yes");
    ASSERT_TRUE(minBox->SetValueText("0 - No"));
    minBox->Apply();
    EXPECT_EQ(doc.frameObject()->minimizeBox, 0xFFFDFFFFu);

    auto snap = std::make_unique<CSnapTestOb>();
    CSnapTestOb* s = snap.get();
    page.Insert(std::move(snap));
    CGroupState state;
    CGroupOps::Group(page, {s, a}, state, true);
    CPropList groupList;
    s->groupInfo()->AddProperties(groupList, true);
    EXPECT_EQ(Names(groupList), (std::vector<std::string>{"(GroupCode)", "Symbol", "AnchorSnaps"}));
    auto* symbol = static_cast<CPropCombo*>(groupList.Find(P::kSymbol));
    symbol->setValue(1);
    symbol->Apply();
    EXPECT_EQ(s->groupInfo()->GetSymbol(), 1);
}

TEST(PropItem, LayerAndSnapSetItemsWorkOnCopies) {
    CHyperPage page;
    CPropList list;
    page.pageObject()->AddProperties(list, true);
    auto* layers = static_cast<CPropLayer*>(list.Find(P::kViewLayers));
    ASSERT_NE(layers, nullptr);
    EXPECT_EQ(Text(*layers), "...");
    auto& hook = CListEditors::Get().editLayers;
    const auto saved = hook;
    hook = [](CLayerFmt& l, CHyperPage*) {
        l.AddLayer("Layer1");
        return true;
    };
    EXPECT_TRUE(layers->OpenDialog());
    hook = saved;
    EXPECT_EQ(page.layers()->size(), 1u);  // the page's list is untouched
    layers->Apply();
    EXPECT_EQ(page.layers()->size(), 2u);
    EXPECT_EQ(page.layers()->nextId, 2);
    layers->Restore();
    EXPECT_EQ(page.layers()->size(), 1u);
    EXPECT_EQ(page.layers()->nextId, 1);

    CSnapTestOb ob;
    ob.snaps.set().Rebuild(240);
    auto anchors = ob.CreateProperty(P::kAnchorSnaps, true);
    ASSERT_NE(anchors, nullptr);
    EXPECT_EQ(anchors->kind, CPropOb::kSnapSet);
    auto& anchorHook = CListEditors::Get().editAnchors;
    const auto savedAnchors = anchorHook;
    anchorHook = [](CAnchorFmt& set) {
        set.AddPoint(CSnapPoint::kMiddle);
        return true;
    };
    EXPECT_TRUE(anchors->OpenDialog());
    anchorHook = savedAnchors;
    auto other = ob.CreateProperty(P::kAnchorSnaps, true);
    EXPECT_FALSE(anchors->IsEqual(*other));
    anchors->Apply();
    EXPECT_EQ(ob.snaps.set().size(), 5u);
    EXPECT_EQ(ob.snaps.set().nextId, 5);
    EXPECT_TRUE(other->Reload());
    EXPECT_TRUE(anchors->IsEqual(*other));
}

TEST(PropItem, YesNoChoiceOnAnEventRecord) {
    CBasicValue value;
    value.SetExpression("x = 1");
    CPropComboBasic item(P::kEventClick, &value);
    EXPECT_EQ(item.value(), 0);
    item.setValue(1);
    item.Apply();
    EXPECT_TRUE(value.IsLiteral());
    EXPECT_EQ(value.text(), "1");
    item.Restore();  // the record comes back as it was
    EXPECT_TRUE(value.IsExpression());
    EXPECT_EQ(value.text(), "x = 1");
}
