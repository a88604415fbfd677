// The class box: compartment layout, growth, what it draws, copies, and the
// definition property items.
#include <gtest/gtest.h>

#include "../shapes/ShapeTestSupport.h"
#include "platform/RecordingDC.h"
#include "uml/ClassOb.h"
#include "uml/UmlPropIds.h"

using shapetest::Place;
namespace P = vx::prop;

namespace {

// A class box with a font 10 units high (the recording context measures
// text from the font height alone).
CClassOb* Box(CHyperPage& page, const CRect& r, const char* name) {
    CClassOb* c = Place<CClassOb>(page, "C", r);
    c->SetText(name);
    LOGFONT lf;
    lf.lfHeight = -10;
    lf.lfFaceName = "Sans";
    c->SetFont(lf);
    return c;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ClassBox, CompartmentsFollowTheCentredName) {
    CHyperPage page;
    CClassOb* c = Box(page, CRect(0, 0, 80, 80), "Ab");
    CRecordingDC dc;
    c->Draw(dc);
    // A one-line name and empty definitions: the box grows until the
    // operations end 20 units above its bottom; then the first divider lies
    // just below the name centred in the whole box, the second 17 lower.
    const CRect r = c->Rect();
    EXPECT_EQ(r, CRect(0, 0, 80, 120));
    const int nameBottom = (r.Height() - 10) / 2 + 10;
    EXPECT_EQ(c->dividers()[0], CPoint(0, nameBottom));
    EXPECT_EQ(c->dividers()[1], CPoint(80, nameBottom));
    EXPECT_EQ(c->dividers()[2].y - c->dividers()[0].y, 17);
    EXPECT_GE(r.bottom, c->dividers()[2].y + 17 + 20);
    // Three attribute lines advance the compartment by 41.
    c->attributes().text = "a\nb\nc";
    c->Draw(dc);
    EXPECT_EQ(c->dividers()[2].y - c->dividers()[0].y, 41);
    // The layout alone: growth in steps of 20, none when it fits, none past
    // the largest bottom a rectangle can store.
    CClassOb::Layout l = c->LayoutFor(CRect(0, 0, 80, 80), 10, INT16_MAX);
    EXPECT_EQ(l.growth % 20, 0);
    EXPECT_GT(l.growth, 0);
    l = c->LayoutFor(CRect(0, 0, 80, 400), 10, INT16_MAX);
    EXPECT_EQ(l.growth, 0);
    l = c->LayoutFor(CRect(0, 0, 80, 80), 10, 85);
    EXPECT_EQ(l.growth, 0);
    // A box at the bottom of the page with a huge list stops growing there.
    c->attributes().text = std::string(5000, '\n');
    c->SetRect(CRect(0, 32000, 80, 32080));
    c->Update(1, 0);
    c->Draw(dc);
    EXPECT_LE(c->Rect().bottom, INT16_MAX);
    EXPECT_GT(c->Rect().bottom, 32700);
}

TEST(ClassBox, WhatItDraws) {
    CHyperPage page;
    CClassOb* c = Box(page, CRect(0, 0, 80, 400), "");
    CRecordingDC dc;
    c->Draw(dc);
    // An empty name: the rectangle and both stored dividers, no texts.
    std::string text = dc.Text();
    EXPECT_EQ(Count(text, "Rectangle 0,0,80,400"), 1) << text;
    EXPECT_NE(text.find("0,150"), std::string::npos) << text;  // dividers fitted from 30 and 60
    EXPECT_NE(text.find("0,300"), std::string::npos) << text;
    EXPECT_EQ(Count(text, "Text"), 0) << text;
    // With a name: each divider once, at its new place, then the texts.
    c->SetText("Order");
    c->attributes().text = "id";
    c->operations().text = "run()";
    dc.Clear();
    c->Draw(dc);
    text = dc.Text();
    EXPECT_EQ(text.find("0,150"), std::string::npos) << text;
    EXPECT_NE(text.find("Order"), std::string::npos);
    EXPECT_NE(text.find("id"), std::string::npos);
    EXPECT_NE(text.find("run()"), std::string::npos);
    // A vertical font shows the name alone and leaves the dividers.
    LOGFONT lf = c->GetLogFont(false);
    lf.lfEscapement = 900;
    c->SetFont(lf);
    const auto dividers = c->dividers();
    dc.Clear();
    c->Draw(dc);
    EXPECT_EQ(c->dividers(), dividers);
    EXPECT_EQ(dc.Text().find("run()"), std::string::npos);
    // Copies carry the dividers and both definitions.
    auto copy = c->Clone();
    auto* box = static_cast<CClassOb*>(copy.get());
    EXPECT_EQ(box->dividers(), c->dividers());
    EXPECT_EQ(box->attributes().text, "id");
    EXPECT_EQ(box->operations().text, "run()");
}

TEST(ClassBox, DefinitionItems) {
    CHyperPage page;
    CClassOb* c = Box(page, CRect(0, 0, 80, 80), "Order");
    c->attributes().text = "id : int\nname : String";
    CPropList list;
    c->AddProperties(list, true);
    // Name, Attribute and Operation come last.
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(list.at(list.size() - 3)->nameId, P::kClassName);
    auto* attributes = dynamic_cast<CPropClass*>(list.at(list.size() - 2));
    auto* operations = dynamic_cast<CPropClass*>(list.at(list.size() - 1));
    ASSERT_TRUE(attributes && operations);
    EXPECT_EQ(attributes->kind, 21);
    EXPECT_EQ(attributes->definitionKind, CClassOb::kAttributes);
    EXPECT_EQ(operations->definitionKind, CClassOb::kOperations);
    std::string shown;
    ASSERT_TRUE(attributes->GetValueText(shown));
    EXPECT_EQ(shown, "id : int ...");
    // The name item edits the same text as "Text".
    CPropOb* name = list.Find(P::kClassName);
    ASSERT_TRUE(name->SetValueText("Invoice"));
    name->Apply();
    EXPECT_EQ(c->text(), "Invoice");

    // The button runs the editor on the working text; OK applies it.
    int asked = 0;
    CPropClass::editor() = [&asked](std::string& text, int kind) {
        ++asked;
        EXPECT_EQ(kind, CClassOb::kOperations);
        text = "run()\nstop()";
        return true;
    };
    ASSERT_TRUE(operations->OpenDialog());
    EXPECT_EQ(c->operations().text, "");  // not yet applied
    operations->Apply();
    EXPECT_EQ(c->operations().text, "run()\nstop()");
    // Cancel leaves the working text and the class as they were.
    CPropClass::editor() = [](std::string& text, int) {
        text = "changed";
        return false;
    };
    EXPECT_FALSE(attributes->OpenDialog());
    attributes->Apply();
    EXPECT_EQ(c->attributes().text, "id : int\nname : String");
    // Without an editor (headless) nothing opens.
    CPropClass::editor() = nullptr;
    EXPECT_FALSE(attributes->OpenDialog());
    EXPECT_EQ(asked, 1);
    // Items compare by their texts.
    CPropClass a(P::kClassAttribute, 1, &c->attributes());
    CPropClass b(P::kClassAttribute, 1, &c->attributes());
    EXPECT_TRUE(a.IsEqual(b));
    b.SetValueText("other");
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(ClassBox, AHugeBoxOutsideTheStorableRangeDoesNotGrow) {
    // Points a rectangle cannot hold (read from a damaged file and squeezed
    // flat): the layout gives up at once instead of stepping through the
    // 32-bit range.
    CHyperPage page;
    CClassOb* c = Box(page, CRect(0, 0, 80, 80), "Ab");
    c->attributes().text = std::string(100000, '\n');
    const CClassOb::Layout l = c->LayoutFor(CRect(0, INT32_MIN, 80, INT32_MIN + 80), 10, INT16_MAX);
    EXPECT_EQ(l.growth, 0);
}
