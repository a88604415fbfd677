// The design file: sections, records in their versions, byte-exact round
// trips and the rules for damaged files.
#include <gtest/gtest.h>

#include <QFile>

#include "model/Archive.h"
#include "model/GroupInfo.h"
#include "model/HyperOleDoc.h"
#include "support/TestSupport.h"

using vxtest::Bytes;

namespace {

Bytes ClassPart(std::string_view name) {
    Bytes b;
    b.w(0xFFFF).w(0).w(uint16_t(name.size()));
    for (char c : name) b.b(uint8_t(c));
    return b;
}

// A value record of the newest form.
Bytes Value(int32_t code, std::string_view text) {
    return Bytes().tag(2).dw(uint32_t(code)).s(text).dw(0).w(0).dw(0xA5A5A5A5);
}

Bytes FrameRecord(std::string_view title) {
    return Bytes().tag(2).s(title).w(300).w(200).dw(0x00020000).dw(0x00010000).dw(0x00040000).w(0).dw(0xFFFFFBFF);
}

Bytes Font() { return Bytes().tag(0).dw(uint32_t(-11)).dw(400).b(0).b(0).b(0x22).s("DejaVu Sans").b(0).b(0).b(0).b(0); }

Bytes PageObjectRecord() {
    Bytes b;
    b.tag(4).dw(0xFFFFFF).dw(2).dw(0).dbl(1.0).dw(0xFFFF).dw(1).w(650).w(800);
    for (int i = 0; i < 4; ++i) b.raw(Value(int32_t(0xFFFE0000), "0.0").d);
    b.raw(Font().d).dw(0).s("").dw(0).s("");
    b.tag(1).w(0).w(1).b(0).w(1).w(0).s("Default").dw(1).dw(0);  // layers
    b.s("").b(0).b(0);
    return b;
}

// The page record up to (not including) the object count.
Bytes PageHead() {
    Bytes b;
    b.tag(1).s("").dw(6).w(0).dw((10u << 16) | 10u).dw(10).dw(10).dw(10).dw(10);
    for (int i = 0; i < 16; ++i) b.dw(0xFFFFFF);
    return b;
}

// A common object record of version 5 (no extension byte, no Tag).
Bytes ObjectV5(std::string_view code, int16_t l, int16_t t, int16_t r, int16_t bo) {
    Bytes b;
    b.tag(5).s(code).w(uint16_t(l)).w(uint16_t(t)).w(uint16_t(r)).w(uint16_t(bo));
    b.raw(Value(int32_t(0xFFFE0000), "0.0").d).raw(Value(int32_t(0xFFFE0000), "0.0").d);
    b.dw(0).s("tip").dw(0).raw(Value(0, "1").d).raw(Value(0, "1").d).raw(Value(int32_t(0xFFFE0000), "0.0").d);
    b.w(0xFFFF).b(0).w(0).dbl(0.0);
    return b;
}

Bytes Trailer(std::string_view title, std::string_view desc) { return Bytes().tag(0).s(title).tag(0).s(desc); }

Bytes FileWithObjects(const std::vector<Bytes>& objects) {
    Bytes b;
    b.s("Win").raw(ClassPart("CVexelFrameOb").d).raw(FrameRecord("Win").d).raw(PageHead().d);
    b.w(uint16_t(objects.size()));
    bool first = true;
    for (const auto& o : objects) {
        b.dw(0);
        if (first) b.raw(ClassPart("CHyperOb").d);
        else b.w(0x8003);  // classes: frame #1, frame object #2, CHyperOb #3
        b.raw(o.d);
        first = false;
    }
    b.dw(0).raw(ClassPart("CVexelViewOb").d).raw(PageObjectRecord().d);
    b.raw(Trailer("Doc", "About").d);
    return b;
}

CHyperOb* AddObject(CHyperOleDoc& doc, const std::string& code, CRect r) {
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw(code);
    CHyperOb* raw = doc.mainPage().Insert(std::move(ob));
    raw->SetRect(r);
    return raw;
}

}  // namespace

TEST(DesignFile, EmptyDesignLayout) {
    CMyDoc doc;
    const auto bytes = doc.SaveToBytes();
    // Window title, then the frame object in full.
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes[0], 9);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 10), "Vexelwork");
    const auto frameClass = ClassPart("CVexelFrameOb").d;
    EXPECT_TRUE(std::equal(frameClass.begin(), frameClass.end(), bytes.begin() + 10));
    // A page without objects: WORD 0, DWORD 0 and the page object.
    Bytes tail;
    tail.w(0).dw(0).raw(ClassPart("CVexelViewOb").d);
    auto it = std::search(bytes.begin(), bytes.end(), tail.d.begin(), tail.d.end());
    EXPECT_NE(it, bytes.end());
    // Reading it back gives the same bytes.
    CMyDoc again;
    ASSERT_EQ(again.LoadFromBytes(bytes).status, LoadResult::kOk);
    EXPECT_EQ(again.SaveToBytes(), bytes);
}

TEST(DesignFile, SecondObjectOfAClassUsesTheShortClassReference) {
    CMyDoc doc;
    AddObject(doc, "A", CRect(0, 0, 10, 10));
    AddObject(doc, "B", CRect(5, 5, 20, 20));
    const auto bytes = doc.SaveToBytes();
    const auto full = ClassPart("CHyperOb").d;
    EXPECT_EQ(std::search(bytes.begin() + 1, bytes.end(), full.begin(), full.end()) - bytes.begin() > 0, true);
    // Classes and objects share the counter: frame class #1, frame #2,
    // CHyperOb class #3, object A #4; B refers to class #3.
    Bytes shortRef;
    shortRef.dw(0).w(0x8003).tag(8).s("B");
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), shortRef.d.begin(), shortRef.d.end()), bytes.end());
}

TEST(DesignFile, RotationWritesTheUnrotatedRectangleOnlyWhenTurned) {
    CMyDoc a, b;
    AddObject(a, "A", CRect(0, 0, 10, 10));
    CHyperOb* turned = AddObject(b, "A", CRect(0, 0, 10, 10));
    turned->SetRotateAngleRaw(30.0);
    EXPECT_EQ(b.SaveToBytes().size(), a.SaveToBytes().size() + 8);
}

TEST(DesignFile, RoundTripKeepsEveryFieldAndBytes) {
    CMyDoc doc;
    doc.SetTitle("Plan");
    doc.SetDescription("A design\nwith two lines \xE2\x82\xAC and \xCE\xA9");
    doc.frameObject()->title = "Window";
    doc.frameObject()->width = 640;
    auto var = std::make_unique<CLocalVar>();
    var->number1 = 7;
    var->text1 = "x";
    var->flag = 200;
    doc.frameObject()->locals.Append(std::move(var));
    CHyperPage& page = doc.mainPage();
    page.gridFlags = 2 | 8;
    page.gridSpacing = CSize(8, 12);
    page.guidelines = CRect(5, 6, 7, 8);
    page.customColors[3] = 0x123456;
    page.pageObject()->scrollWidth = 1200;
    page.pageObject()->formCode = "Main";
    page.layers()->AddLayer("Notes")->locked = 1;

    CHyperOb* a = AddObject(doc, "Alpha", CRect(-20, 10, 100, 60));
    a->setToolTipText("tip");
    a->SetBackColor(0x00FF00);
    a->SetTag(vx::Variant("tagged"));
    a->setLayerId(1);
    a->setGroupId(3);
    auto g = std::make_unique<CGroupInfo>();
    g->groupId = 3;
    g->code = "Group1";
    g->symbol = 1;
    g->rect = CRect(-20, 10, 300, 200);
    g->snapList.set().AddPoint(4)->tip = "top";
    a->setGroupInfo(std::move(g));
    CFontRecord f;
    ASSERT_TRUE(f.FromText("-13,0,0,0,700,1,0,0,0,0,0,0,34,A Face Name That Is Much Longer Than Thirty-One"));
    a->SetFont(f.logFont());
    CHyperOb* b = AddObject(doc, "Beta", CRect(0, 0, 5, 5));
    b->setGroupId(3);
    b->SetRotateAngleRaw(45.5);

    const auto bytes = doc.SaveToBytes();
    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    EXPECT_EQ(back.SaveToBytes(), bytes);
    EXPECT_EQ(back.title(), "Plan");
    EXPECT_EQ(back.description(), doc.description());
    EXPECT_EQ(back.frameObject()->width, 640);
    ASSERT_EQ(back.frameObject()->locals.size(), 1u);
    EXPECT_EQ(back.frameObject()->locals.item<CLocalVar>(0)->flag, 200);
    const CHyperPage& p = back.mainPage();
    EXPECT_EQ(p.gridSpacing, CSize(8, 12));
    EXPECT_EQ(p.customColors[3], 0x123456);
    EXPECT_EQ(p.pageObject()->formCode, "Main");
    ASSERT_EQ(p.layers()->size(), 2u);
    EXPECT_EQ(p.layers()->layer(1)->locked, 1);
    ASSERT_EQ(p.Count(), 2u);
    CHyperOb* ra = p.At(0);
    EXPECT_EQ(ra->Rect(), CRect(-20, 10, 100, 60));
    EXPECT_EQ(ra->GetTag().ToString(), "tagged");
    ASSERT_NE(ra->groupInfo(), nullptr);
    EXPECT_EQ(ra->groupInfo()->code, "Group1");
    EXPECT_EQ(ra->groupInfo()->snapList.set().point(0)->tip, "top");
    // The common object record has no font; the font record keeps at most
    // 31 characters of a face name.
    EXPECT_TRUE(ra->font().IsEmpty());
    {
        CArchive out;
        f.Serialize(out);
        CArchive in(out.TakeBuffer());
        CFontRecord g;
        g.Serialize(in);
        EXPECT_EQ(g.logFont().lfFaceName, "A Face Name That Is Much Longer");
    }
    EXPECT_DOUBLE_EQ(p.At(1)->RotateAngle(), 45.5);
    EXPECT_EQ(p.highestGroupId, 3);
    EXPECT_FALSE(back.IsModified());
}

TEST(DesignFile, OlderObjectRecordsReadWithDefaults) {
    const auto bytes = FileWithObjects({ObjectV5("Old", 1, 2, 30, 40)}).d;
    CMyDoc doc;
    const LoadResult r = doc.LoadFromBytes(bytes);
    ASSERT_EQ(r.status, LoadResult::kOk) << r.message;
    ASSERT_EQ(doc.mainPage().Count(), 1u);
    CHyperOb* ob = doc.mainPage().At(0);
    EXPECT_EQ(ob->GetCode(), "Old");
    EXPECT_EQ(ob->Rect(), CRect(1, 2, 30, 40));
    EXPECT_EQ(ob->toolTipText(), "tip");
    EXPECT_EQ(ob->tagText(), "");
    EXPECT_EQ(doc.title(), "Doc");
    EXPECT_EQ(doc.description(), "About");
}

TEST(DesignFile, UntaggedObjectRecordAndInvalidCodesAreRenamed) {
    // An untagged record: no Code, the rectangle only.
    Bytes early;
    early.w(3).w(4).w(50).w(60);
    CMyDoc doc;
    const LoadResult r = doc.LoadFromBytes(FileWithObjects({early, ObjectV5("  ", 0, 0, 1, 1)}).d);
    ASSERT_EQ(r.status, LoadResult::kOk) << r.message;
    ASSERT_EQ(doc.mainPage().Count(), 2u);
    EXPECT_EQ(doc.mainPage().At(0)->Rect(), CRect(3, 4, 50, 60));
    // Both codes were invalid; they get the type name and an index.
    EXPECT_EQ(doc.mainPage().At(0)->GetCode(), "Object1");
    EXPECT_EQ(doc.mainPage().At(1)->GetCode(), "Object2");
    EXPECT_TRUE(doc.IsModified());
}

TEST(DesignFile, ValueRecordsOfOtherVersions) {
    // A later writer's extra bytes before the end marker are skipped; a
    // stored script expression comes back as the literal "0.0".
    Bytes later;
    later.tag(2).dw(uint32_t(-1)).s("x = 1").dw(1).s("b1").s("b2").w(0).raw({1, 2, 3}).dw(0xA5A5A5A5).b(42);
    CArchive in(later.d);
    CBasicValue v;
    v.Serialize(in);
    EXPECT_TRUE(v.IsLiteral());
    EXPECT_EQ(v.text(), "0.0");
    EXPECT_EQ(v.binding(1), "b2");
    EXPECT_EQ(in.ReadByte(), 42);

    // Version 1 skips the reserved word.
    Bytes v1;
    v1.tag(1).dw(0).s("5").dw(0).w(0).b(43);
    CArchive in1(v1.d);
    v.Serialize(in1);
    EXPECT_EQ(v.AsLong(), 5);
    EXPECT_EQ(in1.ReadByte(), 43);
}

TEST(DesignFile, FrameVersionOneHandsItsValueToThePage) {
    Bytes b;
    b.s("Win").raw(ClassPart("CVexelFrameOb").d);
    b.tag(1).s("Win").w(100).w(100).dw(0x00020000).dw(0x00010000).dw(0x00040000).w(0).dw(0);
    b.raw(Value(0, "legacy").d);
    b.raw(PageHead().d).w(0).dw(0).raw(ClassPart("CVexelViewOb").d).raw(PageObjectRecord().d);
    b.raw(Trailer("", "").d);
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromBytes(b.d).status, LoadResult::kOk);
    EXPECT_EQ(doc.mainPage().pageObject()->eventInitialize.text(), "legacy");
    EXPECT_FALSE(doc.frameObject()->legacyValue);
}

TEST(DesignFile, UntaggedFrameWithMarkers) {
    Bytes b;
    b.s("Win").raw(ClassPart("CHyperFrameOb").d);
    b.s("Old window").w(120).w(90).dw(0xFFFDFFFF).dw(0x00010000).dw(0);
    b.dw(0x22222222).w(1).dw(1).dw(2).s("a").s("b").b(3);  // local variables
    b.dw(0x33333333).dw(0x1234);                           // legacy event code
    b.raw(PageHead().d).w(0).dw(0).raw(ClassPart("CHyperViewOb").d).raw(PageObjectRecord().d);
    b.raw(Trailer("", "").d);
    CMyDoc doc;
    const LoadResult r = doc.LoadFromBytes(b.d);
    ASSERT_EQ(r.status, LoadResult::kOk) << r.message;
    EXPECT_EQ(doc.frameObject()->title, "Old window");
    EXPECT_EQ(doc.frameObject()->minimizeBox, 0xFFFDFFFFu);
    ASSERT_EQ(doc.frameObject()->locals.size(), 1u);
    EXPECT_EQ(doc.frameObject()->locals.item<CLocalVar>(0)->text2, "b");
    EXPECT_EQ(doc.mainPage().pageObject()->eventInitialize.code(), int32_t(0xFFFE1234));
}

TEST(DesignFile, PageGridFlagOneMeansDefault) {
    Bytes b = FileWithObjects({});
    // Grid flags follow the page tag and its empty reserved text.
    Bytes head = PageHead();
    auto it = std::search(b.d.begin(), b.d.end(), head.d.begin(), head.d.end());
    ASSERT_NE(it, b.d.end());
    it[5] = 1;
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromBytes(b.d).status, LoadResult::kOk);
    EXPECT_EQ(doc.mainPage().gridFlags, 6u);
}

TEST(DesignFile, DamageInTheObjectListKeepsWhatWasRead) {
    Bytes bad;
    bad.tag(8).s("Broken").w(0).w(0);  // ends far too early
    Bytes b;
    b.s("Win").raw(ClassPart("CVexelFrameOb").d).raw(FrameRecord("Win").d).raw(PageHead().d);
    b.w(3).dw(0).raw(ClassPart("CHyperOb").d).raw(ObjectV5("Good", 0, 0, 9, 9).d);
    b.dw(0).w(0x8003).raw(bad.d);
    CMyDoc doc;
    doc.SetDescription("before");
    const LoadResult r = doc.LoadFromBytes(b.d);
    EXPECT_EQ(r.status, LoadResult::kPartial);
    EXPECT_NE(r.message.find("object 2 of 3"), std::string::npos) << r.message;
    ASSERT_EQ(doc.mainPage().Count(), 1u);
    EXPECT_EQ(doc.mainPage().At(0)->GetCode(), "Good");
    // Nothing after the cut is read: the trailer texts stay empty.
    EXPECT_EQ(doc.description(), "");
}

TEST(DesignFile, PartlyReadFileIsNotOverwrittenSilently) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    Bytes b;
    b.s("Win").raw(ClassPart("CVexelFrameOb").d).raw(FrameRecord("Win").d).raw(PageHead().d);
    b.w(2).dw(0).raw(ClassPart("CHyperOb").d).raw(ObjectV5("Good", 0, 0, 9, 9).d).dw(0).w(0x9999);
    vxtest::WriteAll(path, b.d);
    CMyDoc doc;
    EXPECT_EQ(doc.LoadFromFile(path).status, LoadResult::kPartial);
    EXPECT_TRUE(doc.partlyRead());
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST(DesignFile, DamagedFilesFailWithoutChangingTheDocument) {
    const Bytes good = FileWithObjects({ObjectV5("A", 0, 0, 5, 5)});
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromBytes(good.d).status, LoadResult::kOk);
    std::vector<std::vector<uint8_t>> damaged;
    damaged.push_back({});
    // Cut at every length shorter than the whole file: never a crash.
    for (size_t n = 1; n < good.d.size(); n += 7) damaged.emplace_back(good.d.begin(), good.d.begin() + long(n));
    // A wrong class in the frame slot.
    Bytes wrongFrame;
    wrongFrame.s("Win").raw(ClassPart("CVexelViewOb").d);
    damaged.push_back(wrongFrame.d);
    for (const auto& bytes : damaged) {
        CMyDoc other;
        const LoadResult r = other.LoadFromBytes(bytes);
        EXPECT_NE(r.status, LoadResult::kOk) << bytes.size();
        EXPECT_FALSE(r.message.empty());
    }
    CMyDoc same;
    ASSERT_EQ(same.LoadFromBytes(good.d).status, LoadResult::kOk);
    EXPECT_EQ(same.LoadFromBytes(wrongFrame.d).status, LoadResult::kFailed);
    ASSERT_EQ(same.mainPage().Count(), 1u);
    EXPECT_EQ(same.mainPage().At(0)->GetCode(), "A");
}

TEST(DesignFile, HugeCountsAreRefusedBeforeAllocating) {
    // A layer list claiming 65535 layers in a few bytes.
    Bytes b;
    b.tag(1).w(0).w(0).b(0).w(0xFFFF).w(1);
    CArchive in(b.d);
    CLayerFmt layers;
    EXPECT_THROW(layers.Serialize(in), CArchiveException);
}

TEST(DesignFile, ValuesThatDoNotFitFailTheSave) {
    CMyDoc doc;
    doc.mainPage().pageObject()->scrollWidth = 70000;
    EXPECT_THROW(doc.SaveToBytes(), CArchiveException);
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/keep.vxw";
    vxtest::WriteText(path, "old contents");
    const std::string err = doc.SaveToFile(path);
    EXPECT_NE(err.find("page width"), std::string::npos) << err;
    const std::vector<uint8_t> contents = vxtest::ReadAll(path);
    EXPECT_EQ(std::string(contents.begin(), contents.end()), "old contents");
}

TEST(DesignFile, SaveToFileReplacesAtomicallyAndReportsErrors) {
    const std::string dir = vxtest::TempDir();
    CMyDoc doc;
    AddObject(doc, "A", CRect(0, 0, 5, 5));
    EXPECT_EQ(doc.SaveToFile(dir + "/a.vxw"), "");
    CMyDoc back;
    EXPECT_EQ(back.LoadFromFile(dir + "/a.vxw").status, LoadResult::kOk);
    EXPECT_EQ(back.mainPage().Count(), 1u);
    EXPECT_FALSE(doc.SaveToFile(dir + "/no/such/folder/a.vxw").empty());
    EXPECT_EQ(back.LoadFromFile(dir + "/missing.vxw").status, LoadResult::kFailed);
}

TEST(DesignFile, AutoSaveNames) {
    EXPECT_EQ(CHyperOleDoc::AutoSaveName("/home/u/d/plan.vxw", "plan.vxw"), "/home/u/d/~plan.vxw");
    EXPECT_EQ(CHyperOleDoc::AutoSaveName("plan.vxw", "plan.vxw"), "~plan.vxw");
    EXPECT_EQ(CHyperOleDoc::AutoSaveName("", "Design1"), "~Design1");
    EXPECT_TRUE(CHyperOleDoc::IsAutoSavePath("/home/u/d/~plan.vxw"));
    // A "~" elsewhere in the path does not make an auto-save file.
    EXPECT_FALSE(CHyperOleDoc::IsAutoSavePath("/home/u/~backup/plan.vxw"));
}
