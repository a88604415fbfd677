// Text blocks: defaults, growth to fit the text, alignment, vertical and
// turned text drawn into images, fonts, property items, automation and
// records in every version.
#include <gtest/gtest.h>

#include <QFontInfo>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/HyperViewOb.h"
#include "model/PropChoice.h"
#include "model/PropIds.h"
#include "platform/Fonts.h"
#include "platform/QtConv.h"
#include "shapes/ShapePropIds.h"
#include "shapes/TextOb.h"
#include "support/FakeViewLink.h"
#include "support/TestSupport.h"

using shapetest::Place;
using shapetest::RoundTrip;
using vx::Variant;
namespace P = vx::prop;

namespace {

// Where the text's ink is: pixels clearly darker than the white canvas.
CRect Ink(const QImage& img) {
    CRect r(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) + qGreen(p) + qBlue(p) < 3 * 160) {
                r.left = std::min(r.left, x), r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1), r.bottom = std::max(r.bottom, y + 1);
            }
        }
    return r.left > r.right ? CRect() : r;
}

CTextOb* Block(CHyperPage& page, const CRect& r, const std::string& text) {
    CTextOb* t = Place<CTextOb>(page, "T", r);
    t->SetForeColor(shapetest::kBlack);
    LOGFONT lf;
    lf.lfHeight = -16;
    lf.lfFaceName = "Arial";
    t->SetFont(lf);
    t->SetText(text);
    t->Update(1, 0);
    return t;
}

}  // namespace

TEST(TextBlock, NewBlockIsAHundredByTwentyWithACentredQuestionMark) {
    CHyperPage page;
    CTextOb* t = Place<CTextOb>(page, "T", CRect(0, 0, 100, 20));
    EXPECT_EQ(t->GetTypeName(), "Text");
    EXPECT_EQ(t->text(), "?");
    EXPECT_EQ(t->alignment(), CTextOb::kCentre);
    EXPECT_EQ(t->penWidth(), 0);
    EXPECT_EQ(t->GetEditStyle(), 1);
    EXPECT_TRUE(t->GetTextFlag());
    EXPECT_EQ(t->snapList().set().size(), 4u);
    CTextOb fresh;
    fresh.ApplyViewDefaults();
    EXPECT_EQ(fresh.Rect(), CRect(0, 0, 100, 20));
    // The view's default pen width does not give new blocks a border line;
    // its default text alignment applies.
    vxtest::FakeViewLink link;
    link.useDrawDefaults = true;
    link.drawDefaults.enabled = true;
    link.drawDefaults.penWidth = 3;
    link.drawDefaults.shadowStyle = 2;
    link.drawDefaults.textAlignment = CTextOb::kRight;
    CHyperPage other;
    other.setLink(&link);
    CTextOb* d = Place<CTextOb>(other, "D", CRect(0, 0, 100, 20));
    EXPECT_EQ(d->penWidth(), 0);
    EXPECT_EQ(d->shadowStyle(), 2);
    EXPECT_EQ(d->alignment(), CTextOb::kRight);
    other.setLink(nullptr);
}

TEST(TextBlock, GrowsDownwardToFitItsTextAndNeverShrinks) {
    CHyperPage page;
    CTextOb* t = Block(page, CRect(10, 10, 110, 30), "?");
    EXPECT_EQ(t->Rect(), CRect(10, 10, 110, 30));
    t->SetText("a longer text that wraps onto several lines in a narrow block");
    t->Update(1, 0);
    const CRect grown = t->Rect();
    EXPECT_EQ(grown.left, 10);
    EXPECT_EQ(grown.top, 10);
    EXPECT_EQ(grown.right, 110);
    EXPECT_GT(grown.Height(), 3 * 16);
    // A longer text makes it taller still; deleting text keeps the height.
    t->SetText(t->text() + " and some more words at the end of it all");
    t->Update(1, 0);
    EXPECT_GT(t->Rect().Height(), grown.Height());
    const CRect tall = t->Rect();
    t->SetText("x");
    t->Update(1, 0);
    EXPECT_EQ(t->Rect(), tall);
    // An empty text does not grow; nor does a grouped or rotated block.
    CTextOb* e = Block(page, CRect(0, 100, 50, 110), "");
    e->SetRect(CRect(0, 100, 50, 110));
    e->Update(1, 0);
    EXPECT_EQ(e->Rect().Height(), 10);
    // The border width counts: the text box lies PenWidth + 1 inside.
    CTextOb* thick = Block(page, CRect(0, 200, 100, 210), "one");
    const int thin = thick->Rect().Height();
    thick->SetPenWidth(5);
    thick->Update(1, 0);
    EXPECT_EQ(thick->Rect().Height(), thin + 10);
}

TEST(TextBlock, AlignmentPutsTheTextWhereItSays) {
    CHyperPage page;
    CTextOb* t = Block(page, CRect(0, 0, 300, 60), "Hi");
    t->setAlignment(CTextOb::kLeft);
    const CRect left = Ink(shapetest::PaintPage(page, 300, 60));
    t->setAlignment(CTextOb::kRight);
    const CRect right = Ink(shapetest::PaintPage(page, 300, 60));
    t->setAlignment(CTextOb::kCentre);
    const CRect centre = Ink(shapetest::PaintPage(page, 300, 60));
    ASSERT_FALSE(left.IsRectEmpty());
    EXPECT_LE(left.left, 6);
    EXPECT_GE(right.right, 292);
    EXPECT_LE(std::abs((centre.left + centre.right) / 2 - 150), 3);
    // Centred vertically in every alignment.
    for (const CRect& r : {left, right, centre})
        EXPECT_LE(std::abs((r.top + r.bottom) / 2 - 30), 4);
    EXPECT_EQ(t->textRect(1), CRect(1, 1, 299, 59));
    EXPECT_TRUE(CRect().IntersectRect(t->textRect(1), t->textRect(0)));
    // A stored alignment outside the codes draws centred.
    t->setAlignment(77);
    EXPECT_EQ(Ink(shapetest::PaintPage(page, 300, 60)), centre);
}

TEST(TextBlock, WrappedLinesStackInsideTheBlock) {
    CHyperPage page;
    CTextOb* t = Block(page, CRect(0, 0, 120, 20), "first words\nsecond line here");
    const CRect ink = Ink(shapetest::PaintPage(page, 120, t->Rect().bottom + 10));
    EXPECT_GT(ink.Height(), 16 + 8);  // two lines at least
    EXPECT_LE(ink.bottom, t->Rect().bottom);
}

TEST(TextBlock, VerticalTextRunsUpOrDownInTheBlock) {
    CHyperPage page;
    CTextOb* t = Block(page, CRect(0, 0, 60, 200), "Vertical");
    const CRect flat = Ink(shapetest::PaintPage(page, 60, 200));
    for (int escapement : {CTextOb::kVerticalUp, CTextOb::kVerticalDown}) {
        t->setOrientation(escapement);
        const CRect ink = Ink(shapetest::PaintPage(page, 60, 200));
        ASSERT_FALSE(ink.IsRectEmpty()) << escapement;
        EXPECT_GT(ink.Height(), 2 * ink.Width()) << escapement;
        EXPECT_NEAR(ink.Height(), flat.Width(), 4) << escapement;
        // Centred in the block along and across the run.
        EXPECT_LE(std::abs((ink.top + ink.bottom) / 2 - 100), 4) << escapement;
        EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 30), 4) << escapement;
    }
    // The escapement is the block's own, also with an automatic font.
    EXPECT_EQ(t->orientation(), CTextOb::kVerticalDown);
    t->SetFont(LOGFONT{});
    t->setOrientation(CTextOb::kVerticalUp);
    EXPECT_EQ(t->GetLogFont(true).lfFaceName, vx::DefaultLogFont().lfFaceName);
    EXPECT_EQ(t->GetLogFont(true).lfEscapement, CTextOb::kVerticalUp);
}

TEST(TextBlock, OneLineTextTurnsWithTheBlock) {
    CHyperPage page;
    CTextOb* t = Block(page, CRect(50, 80, 250, 120), "Turned text");
    EXPECT_TRUE(t->CanRotate());
    const CRect flat = Ink(shapetest::PaintPage(page, 300, 200));
    t->SetRotateAngleRaw(30);
    t->Update(1, 0);
    const CRect turned = Ink(shapetest::PaintPage(page, 300, 200));
    ASSERT_FALSE(turned.IsRectEmpty());
    // Turned by 30 degrees the line stands taller and is narrower.
    EXPECT_GT(turned.Height(), flat.Height() + 20);
    EXPECT_LT(turned.Width(), flat.Width());
    EXPECT_LE(std::abs((turned.left + turned.right) / 2 - 150), 5);
    EXPECT_LE(std::abs((turned.top + turned.bottom) / 2 - 100), 5);
    // The stored escapement stays what it was.
    EXPECT_EQ(t->orientation(), 0);
    // A text with a line break cannot be rotated.
    t->SetText("two\nlines");
    EXPECT_FALSE(t->CanRotate());
}

TEST(TextBlock, FontsResolveThroughObjectPageAndDefault) {
    CHyperPage page;
    CTextOb* t = Place<CTextOb>(page, "T", CRect(0, 0, 100, 20));
    EXPECT_EQ(t->GetLogFont(true), vx::DefaultLogFont());
    LOGFONT pageFont;
    pageFont.lfHeight = -20;
    pageFont.lfFaceName = "Times New Roman";
    page.pageObject()->font.Set(pageFont);
    EXPECT_EQ(t->GetLogFont(true).lfFaceName, "Times New Roman");
    LOGFONT own;
    own.lfHeight = -12;
    own.lfFaceName = "Courier New";
    t->SetFont(own);
    EXPECT_EQ(t->GetLogFont(true).lfFaceName, "Courier New");
    EXPECT_EQ(t->GetLogFont(false).lfFaceName, "Courier New");
}

TEST(TextBlock, WindowsFacesDrawWithTheirMetricCompatibleFaces) {
    const std::pair<const char*, const char*> faces[] = {{"Arial", "Liberation Sans"},
                                                         {"Helvetica", "Liberation Sans"},
                                                         {"Times New Roman", "Liberation Serif"},
                                                         {"Courier New", "Liberation Mono"}};
    for (const auto& [face, with] : faces) {
        LOGFONT lf;
        lf.lfHeight = -16;
        lf.lfFaceName = face;
        EXPECT_EQ(QFontInfo(vx::ToQFont(lf)).family().toStdString(), with) << face;
        EXPECT_EQ(vx::SubstituteFace(face), with);
        EXPECT_TRUE(vx::IsScalableFont(lf)) << face;
    }
}

TEST(TextBlock, PropertyItemsAndAutomation) {
    CHyperPage page;
    CTextOb* t = Place<CTextOb>(page, "T", CRect(0, 0, 100, 20));
    CPropList list;
    t->AddProperties(list, true);
    ASSERT_NE(list.Find(P::kText), nullptr);
    ASSERT_NE(list.Find(P::kAlignment), nullptr);
    EXPECT_NE(list.Find(P::kBackColor), nullptr);
    EXPECT_EQ(list.Find(P::kOrientation), nullptr);  // not in the default list
    auto* style = dynamic_cast<CPropCombo*>(list.Find(P::kShapeBorderStyle));
    ASSERT_NE(style, nullptr);
    ASSERT_TRUE(style->SetValueText("4 - Disable"));
    EXPECT_EQ(style->value(), CBorderOb::kHidden);
    // Disabled and transparent: no fill colour to offer.
    t->setBorderStyle(CBorderOb::kHidden);
    CPropList hidden;
    t->AddProperties(hidden, true);
    EXPECT_EQ(hidden.Find(P::kBackColor), nullptr);
    t->SetBackColor(0xFF);
    CPropList filled;
    t->AddProperties(filled, true);
    EXPECT_NE(filled.Find(P::kBackColor), nullptr);

    const auto orientation = t->CreateProperty(P::kOrientation, true);
    auto* o = dynamic_cast<CPropCombo*>(orientation.get());
    ASSERT_NE(o, nullptr);
    ASSERT_TRUE(o->SetValueText("2 - Vertical Down"));
    EXPECT_EQ(o->value(), -900);

    t->SetProperty("Text", Variant(std::string("Scripted")));
    EXPECT_EQ(t->text(), "Scripted");
    t->SetProperty(vx::DISPID_VALUE, Variant(std::string("Value")));
    EXPECT_EQ(t->text(), "Value");
    t->SetProperty(1330, Variant(int32_t(CTextOb::kRight)));
    EXPECT_EQ(t->alignment(), CTextOb::kRight);
    EXPECT_EQ(t->GetEditStyle(), 2);
    t->SetProperty("Orientation", Variant(int32_t(900)));
    EXPECT_EQ(t->orientation(), 900);
    EXPECT_EQ(t->GetProperty(1331).ToLong(), 900);
}

TEST(TextBlock, RecordsInEveryVersion) {
    CTextOb t;
    t.SetText("Stored \xE2\x82\xAC text");
    t.setAlignment(CTextOb::kRight);
    LOGFONT lf;
    lf.lfHeight = -13;
    lf.lfFaceName = "Arial";
    t.SetFont(lf);
    t.setOrientation(CTextOb::kVerticalDown);
    t.SetForeColor(0x010203);
    auto back = RoundTrip(t);
    EXPECT_EQ(back->text(), t.text());
    EXPECT_EQ(back->alignment(), CTextOb::kRight);
    EXPECT_EQ(back->orientation(), CTextOb::kVerticalDown);
    EXPECT_EQ(back->GetLogFont(false).lfFaceName, "Arial");
    EXPECT_EQ(back->foreColorField(), 0x010203);

    // The text part of the record: version 1 holds no colours.
    CArchive border;
    t.CBorderOb::Serialize(border);
    CArchive whole;
    t.Serialize(whole);
    std::vector<uint8_t> tail(whole.Buffer().begin() + long(border.Buffer().size()),
                              whole.Buffer().end());
    vxtest::Bytes font;
    font.tag(0).dw(uint32_t(-13)).dw(0).b(0).b(0).b(0).s("Arial").b(0).b(0).b(0).b(0);
    vxtest::Bytes expected;
    expected.tag(1).s("Stored \x80 text").dw(2).raw(font.d).dw(uint32_t(-900));
    EXPECT_EQ(tail, expected.d);

    // Version 0 and untagged records keep their own colours.
    for (bool tagged : {true, false}) {
        vxtest::Bytes rec;
        rec.raw(border.Buffer());
        if (tagged) rec.tag(0);
        rec.s("Old").dw(0).dw(0x0000FF).dw(0x00FF00).raw(font.d).dw(900);
        CArchive in(rec.d);
        CTextOb old;
        old.Serialize(in);
        EXPECT_TRUE(in.AtEnd()) << tagged;
        EXPECT_EQ(old.text(), "Old");
        EXPECT_EQ(old.alignment(), 0);
        EXPECT_EQ(old.foreColorField(), 0x0000FF);
        EXPECT_EQ(old.backColorField(), 0x00FF00);
        EXPECT_EQ(old.orientation(), 900);
    }
    // A record cut inside the text part is damage, not a half-read block.
    vxtest::Bytes cut;
    cut.raw(border.Buffer()).tag(1).s("Cut").dw(0);
    CArchive in(cut.d);
    CTextOb damaged;
    EXPECT_THROW(damaged.Serialize(in), CArchiveException);
}
