// The elements' records: every element through a design file, the tag
// forms a record may carry, and damaged point counts.
#include <gtest/gtest.h>

#include "../shapes/ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "support/TestSupport.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"

using shapetest::Place;

namespace {

// Every element class, placed and given values off its defaults.
void FillPage(CHyperPage& page) {
    int x = 10;
    auto next = [&x](int w, int h) {
        const CRect r(x, 20, x + w, 20 + h);
        x += w + 20;
        return r;
    };
    Place<CActorOb>(page, "Actor1", next(40, 100))->SetText("Buyer");
    CUseCaseOb* u = Place<CUseCaseOb>(page, "UseCase1", next(90, 70));
    u->setTextColor(vx::RGB(0, 0, 128));
    u->setAlignment(CPointModelOb::kLeft);
    u->setTextMargin(3);
    u->SetPenStyle(2);
    CPackageOb* p = Place<CPackageOb>(page, "Package1", next(100, 100));
    p->SetPackageText("<<lib>>");
    p->SetText("Core");
    Place<CComponentOb>(page, "Component1", next(80, 110))->SetPenWidth(3);
    Place<CNodeOb>(page, "Node1", next(90, 90))->SetBackColor(vx::RGB(230, 230, 255));
    Place<CNoteOb>(page, "Note1", next(80, 60))->SetText("Two\nlines");
    CClassOb* c = Place<CClassOb>(page, "Class1", next(120, 200));
    c->SetText("Order");
    c->attributes().text = "id : int\ndate : Date";
    c->operations().text = "place()";
}

// The bytes of an object's record behind the common record.
std::vector<uint8_t> ClassRecord(CHyperOb& ob) {
    CArchive base;
    ob.SerializeBase(base);
    CArchive all;
    ob.Serialize(all);
    return std::vector<uint8_t>(all.Buffer().begin() + long(base.Buffer().size()), all.Buffer().end());
}

std::vector<uint8_t> BaseRecord(CHyperOb& ob) {
    CArchive a;
    ob.SerializeBase(a);
    return a.Buffer();
}

template <class T>
std::unique_ptr<T> Read(const std::vector<uint8_t>& bytes, size_t* left = nullptr) {
    CArchive in(bytes);
    auto ob = std::make_unique<T>();
    ob->Serialize(in);
    if (left) *left = in.Remaining();
    return ob;
}

std::vector<uint8_t> Written(CHyperOb& ob) {
    CArchive out;
    ob.Serialize(out);
    return out.Buffer();
}

}  // namespace

TEST(ElementRecords, EveryElementRoundTripsThroughADesignFile) {
    CMyDoc doc;
    FillPage(doc.mainPage());
    const std::vector<uint8_t> first = doc.SaveToBytes();
    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(first).status, LoadResult::kOk);
    ASSERT_EQ(back.mainPage().Count(), doc.mainPage().Count());
    for (size_t i = 0; i < doc.mainPage().Count(); ++i) {
        auto* a = DynamicDowncast<CPointModelOb>(doc.mainPage().At(i));
        auto* b = DynamicDowncast<CPointModelOb>(back.mainPage().At(i));
        ASSERT_TRUE(a && b);
        SCOPED_TRACE(a->ClassName());
        EXPECT_EQ(&a->GetClass(), &b->GetClass());
        EXPECT_EQ(b->points(), a->points());
        EXPECT_EQ(b->text(), a->text());
        EXPECT_EQ(b->textColor(), a->textColor());
        EXPECT_EQ(b->alignment(), a->alignment());
        EXPECT_EQ(b->textMargin(), a->textMargin());
        EXPECT_EQ(b->penWidth(), a->penWidth());
        EXPECT_EQ(b->penStyle(), a->penStyle());
        EXPECT_EQ(b->backColorField(), a->backColorField());
        EXPECT_EQ(b->snapList().set().size(), 4u);
        EXPECT_EQ(b->Rect(), a->Rect());
    }
    auto* pack = static_cast<CPackageOb*>(back.mainPage().At(2));
    EXPECT_EQ(pack->GetPackageText(), "<<lib>>");
    auto* box = static_cast<CClassOb*>(back.mainPage().At(6));
    EXPECT_EQ(box->attributes().text, "id : int\ndate : Date");
    EXPECT_EQ(box->operations().text, "place()");
    EXPECT_EQ(box->dividers(), static_cast<CClassOb*>(doc.mainPage().At(6))->dividers());
    EXPECT_EQ(back.SaveToBytes(), first);
}

TEST(ElementRecords, TheRecordLayout) {
    CHyperPage page;
    CPackageOb* p = Place<CPackageOb>(page, "P", CRect(50, 30, 130, 120));
    p->SetText("Body");
    p->SetPackageText("Tab");
    vxtest::Bytes font;
    {
        CFontRecord f;
        CArchive a;
        f.Serialize(a);
        font.raw(a.Buffer());
    }
    vxtest::Bytes expected;
    expected.tag(0).dw(0xFFFFFF).dw(uint32_t(-1)).dw(0).dw(1).s("Body").s("Tab").dw(uint32_t(-1)).dw(6).dw(10);
    expected.raw(font.d).w(8);
    for (const CPoint& q : CPackageOb::kDefaultPoints) expected.dw(uint32_t(q.x)).dw(uint32_t(q.y));
    EXPECT_EQ(ClassRecord(*p), expected.d);

    // The class box: dividers and both definitions behind the points.
    CClassOb* c = Place<CClassOb>(page, "C", CRect(0, 0, 80, 80));
    c->SetText("");
    c->attributes().text = "a";
    const std::vector<uint8_t> rec = ClassRecord(*c);
    vxtest::Bytes tail;
    for (const CPoint& q : CClassOb::kDefaultDividers) tail.dw(uint32_t(q.x)).dw(uint32_t(q.y));
    tail.tag(0).s("a").tag(0).s("");
    ASSERT_GE(rec.size(), tail.d.size());
    EXPECT_EQ(std::vector<uint8_t>(rec.end() - long(tail.d.size()), rec.end()), tail.d);
}

TEST(ElementRecords, OlderTagFormsAndUntaggedRecordsReadAlike) {
    CHyperPage page;
    CClassOb* c = Place<CClassOb>(page, "C", CRect(0, 0, 80, 80));
    c->SetText("Order");
    c->attributes().text = "x : int";
    c->operations().text = "run()";
    const std::vector<uint8_t> base = BaseRecord(*c);
    const std::vector<uint8_t> rec = ClassRecord(*c);
    // The element tag, and the two definition tags, at their places.
    const size_t defs = rec.size() - (4 + 1 + 5) - (4 + 1 + 7);
    for (int form = 0; form < 3; ++form) {
        SCOPED_TRACE(form);
        std::vector<uint8_t> bytes = base;
        std::vector<uint8_t> r = rec;
        auto put = [&r](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) r[at + size_t(i)] = uint8_t(v >> (8 * i));
        };
        if (form == 1) {
            // The older form: the class-name hash where the tag base is.
            put(0, CArchive::ClassNameHash("CClassOb"));
            put(defs, CArchive::ClassNameHash("CClassDefinition"));
            put(defs + 4 + 1 + 7, CArchive::ClassNameHash("CClassDefinition"));
        } else if (form == 2) {
            // Untagged: the fields alone.
            r.erase(r.begin() + long(defs + 4 + 1 + 7), r.begin() + long(defs + 4 + 1 + 7 + 4));
            r.erase(r.begin() + long(defs), r.begin() + long(defs + 4));
            r.erase(r.begin(), r.begin() + 4);
        }
        bytes.insert(bytes.end(), r.begin(), r.end());
        size_t left = 1;
        auto back = Read<CClassOb>(bytes, &left);
        EXPECT_EQ(left, 0u);
        EXPECT_EQ(back->text(), "Order");
        EXPECT_EQ(back->attributes().text, "x : int");
        EXPECT_EQ(back->operations().text, "run()");
        EXPECT_EQ(back->points(), c->points());
        EXPECT_EQ(back->dividers(), c->dividers());
        // Written again in the newest form.
        back->SetRect(c->Rect());
        EXPECT_EQ(ClassRecord(*back), rec);
    }
}

TEST(ElementRecords, APointCountIsCheckedAgainstTheBytesLeft) {
    CNoteOb plain;
    plain.ApplyViewDefaults();
    std::vector<uint8_t> rec = Written(plain);
    // The count is the WORD before the six points.
    const size_t at = rec.size() - 6 * 8 - 2;
    ASSERT_EQ(rec[at], 6);
    for (const uint16_t count : {uint16_t(7), uint16_t(65535)}) {
        SCOPED_TRACE(count);
        std::vector<uint8_t> bad = rec;
        bad[at] = uint8_t(count);
        bad[at + 1] = uint8_t(count >> 8);
        try {
            Read<CNoteOb>(bad);
            ADD_FAILURE() << "a count beyond the bytes was read";
        } catch (const CArchiveException& e) {
            // Refused where the points begin, before anything was read.
            EXPECT_EQ(e.offset(), int64_t(at + 2));
        }
    }
    // The exact count reads; a count that does not fit 16 bits cannot be
    // written.
    size_t left = 1;
    EXPECT_EQ(Read<CNoteOb>(rec, &left)->points().size(), 6u);
    EXPECT_EQ(left, 0u);
}

TEST(ElementRecords, AFileWhoseRectangleDiffersFromItsPointsSettlesOnTheFirstRead) {
    // Points stored for one rectangle, read with another: the first read
    // fits them; writing and reading again changes nothing.
    CMyDoc doc;
    FillPage(doc.mainPage());
    for (size_t i = 0; i < doc.mainPage().Count(); ++i) {
        CHyperOb* ob = doc.mainPage().At(i);
        const CRect r = ob->Rect();
        ob->SetRect(CRect(r.left + 3, r.top + 1, r.right + 17, r.bottom + 9));  // no recalculation
    }
    CMyDoc once;
    ASSERT_EQ(once.LoadFromBytes(doc.SaveToBytes()).status, LoadResult::kOk);
    const std::vector<uint8_t> second = once.SaveToBytes();
    CMyDoc twice;
    ASSERT_EQ(twice.LoadFromBytes(second).status, LoadResult::kOk);
    EXPECT_EQ(twice.SaveToBytes(), second);
}

TEST(ElementRecords, PointsAnywhereInTheRangeSettleOnTheFirstRead) {
    // Stored points far outside any rectangle, with a rectangle that has
    // no width: the first read places them; the next read changes nothing.
    for (const auto& [lo, hi] : {std::pair{INT32_MIN, INT32_MAX}, std::pair{INT32_MIN + 5, INT32_MIN + 9},
                                 std::pair{-7, INT32_MAX}}) {
        SCOPED_TRACE(lo);
        CMyDoc doc;
        CNoteOb* note = Place<CNoteOb>(doc.mainPage(), "N", CRect(0, 0, 80, 80));
        note->SetPoints({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}, {lo, lo}, {hi, hi}});
        note->SetRect(CRect(40, 10, 40, 90));
        CClassOb* box = Place<CClassOb>(doc.mainPage(), "C", CRect(0, 0, 80, 80));
        box->SetPoints({{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}});
        box->SetRect(CRect(5, 5, 60, 5));
        CMyDoc once;
        ASSERT_EQ(once.LoadFromBytes(doc.SaveToBytes()).status, LoadResult::kOk);
        const std::vector<uint8_t> second = once.SaveToBytes();
        CMyDoc twice;
        ASSERT_EQ(twice.LoadFromBytes(second).status, LoadResult::kOk);
        EXPECT_EQ(twice.SaveToBytes(), second);
    }
}
