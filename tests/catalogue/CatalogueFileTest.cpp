// The bytes of the catalogue file: every save is compared with a file the
// test lays out by hand, piece by piece.
#include <gtest/gtest.h>

#include "support/CatalogueSupport.h"

namespace {

using vxtest::CatEntry;
using vxtest::CatFile;
using vxtest::EntriesPart;
using vxtest::ImagePart;
using vxtest::NamePart;
using vxtest::NoImagePart;
using vxtest::PropertyEntriesPart;
using vxtest::TinyBmp;

std::unique_ptr<CCatalogueOb> MakeItem(const std::string& name, const std::vector<CatEntry>& entries) {
    auto ob = std::make_unique<CCatalogueOb>();
    ob->SetName(name);
    for (const CatEntry& e : entries) ob->AddFormat(e.format, e.name, e.data);
    return ob;
}

class CatalogueFile : public vxtest::CatalogueTest {};

TEST_F(CatalogueFile, NewCatalogueIsItsPropertyObjectAndADirectory) {
    CCatalogue cat;
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    CatFile expected;
    const uint32_t p = expected.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
    expected.Directory({p});
    EXPECT_EQ(file, expected.bytes());
    // Fixed layout: header 12, name 1, two null images 2 each, entries 40.
    EXPECT_EQ(p, 57u);
    EXPECT_EQ(file.size(), 81u);
    EXPECT_TRUE(cat.lastSaveWasFull());
    EXPECT_EQ(cat.propertyOffset(), p);
}

TEST_F(CatalogueFile, EachChangeAppendsOnlyWhatItTouched) {
    const std::vector<uint8_t> colourA = TinyBmp(2, 2, 24), maskA = TinyBmp(2, 2, 1);
    std::vector<CatEntry> entriesA = {{49161, "Vexelwork Objects", {1, 2, 3}}, {3, "", {9, 9}}};
    std::vector<CatEntry> entriesB = {{14, "", {7}}};
    CCatalogue cat;
    cat.Add(MakeItem("Actor", entriesA));
    cat.item(0).SetIcon(std::make_unique<CDib>(colourA), std::make_unique<CDib>(maskA));
    cat.Add(MakeItem("Class", entriesB));
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");

    CatFile f;
    CCatalogueOb::PartOffsets a, b, p;
    uint32_t hA = f.Item("Actor", ImagePart(colourA), ImagePart(maskA), EntriesPart(entriesA), &a);
    uint32_t hB = f.Item("Class", NoImagePart(), NoImagePart(), EntriesPart(entriesB), &b);
    uint32_t hP = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart(), &p);
    f.Directory({hA, hB, hP});
    ASSERT_EQ(file, f.bytes());
    EXPECT_EQ(cat.item(0).partOffsets(), a);
    EXPECT_EQ(cat.itemOffset(1), hB);

    const auto save = [&](const char* step) {
        SCOPED_TRACE(step);
        const int count = cat.saveCount();
        ASSERT_EQ(cat.SaveToBuffer(file), "");
        EXPECT_FALSE(cat.lastSaveWasFull());
        EXPECT_EQ(cat.saveCount(), count + 1);
        EXPECT_EQ(file, f.bytes());
    };

    // Renaming writes the name part and a new header.
    cat.item(1).SetName("Class Box");
    b[0] = f.Append(NamePart("Class Box"));
    hB = f.Header(b[0], b[1], b[2], b[3]);
    f.Directory({hA, hB, hP});
    save("rename");

    // A new icon writes both images.
    const std::vector<uint8_t> colour2 = TinyBmp(3, 3, 24, 0x11), mask2 = TinyBmp(3, 3, 1, 0x80);
    cat.item(0).SetIcon(std::make_unique<CDib>(colour2), std::make_unique<CDib>(mask2));
    a[1] = f.Append(ImagePart(colour2));
    a[2] = f.Append(ImagePart(mask2));
    hA = f.Header(a[0], a[1], a[2], a[3]);
    f.Directory({hA, hB, hP});
    save("icon");

    // Adding and removing entries writes the entries part.
    cat.item(1).AddFormat(2, "", std::vector<uint8_t>{1, 2, 3, 4});
    entriesB.push_back({2, "", {1, 2, 3, 4}});
    b[3] = f.Append(EntriesPart(entriesB));
    hB = f.Header(b[0], b[1], b[2], b[3]);
    f.Directory({hA, hB, hP});
    save("add entry");

    cat.item(0).RemoveEntryAt(0);
    entriesA.erase(entriesA.begin());
    a[3] = f.Append(EntriesPart(entriesA));
    hA = f.Header(a[0], a[1], a[2], a[3]);
    f.Directory({hA, hB, hP});
    save("remove entry");

    // A new item writes all of its parts; removing and moving only the directory.
    cat.Add(MakeItem("Note", {{7, "", {}}}));
    const uint32_t hN = f.Item("Note", NoImagePart(), NoImagePart(), EntriesPart({{7, "", {}}}));
    f.Directory({hA, hB, hN, hP});
    save("add item");

    cat.Remove(0);
    f.Directory({hB, hN, hP});
    save("remove item");

    cat.Move(1, 0);
    f.Directory({hN, hB, hP});
    save("move item");

    // Saving without changes appends a directory and nothing else.
    f.Directory({hN, hB, hP});
    save("unchanged");

    // A setting of the catalogue rewrites the property object's entries.
    const std::vector<uint8_t> mode = {1, 0, 0, 0};
    cat.propertyObject().SetNamedData("View Mode", mode);
    p[3] = f.Append(EntriesPart({{0, CCatalogueOb::kPropertyObjectKey, {}}, {0, "View Mode", mode}}));
    hP = f.Header(p[0], p[1], p[2], p[3]);
    f.Directory({hN, hB, hP});
    save("setting");

    // What was saved reads back as it is.
    CCatalogue back;
    ASSERT_EQ(back.OpenFromBytes(file), "");
    ASSERT_EQ(back.ItemCount(), 2u);
    EXPECT_TRUE(back.item(0).SameContents(cat.item(0)));
    EXPECT_TRUE(back.item(1).SameContents(cat.item(1)));
    EXPECT_TRUE(back.propertyObject().SameContents(cat.propertyObject()));
    EXPECT_EQ(back.item(1).partOffsets(), b);
    EXPECT_EQ(back.itemOffset(0), hN);
    EXPECT_EQ(back.propertyOffset(), hP);
}

// The count is raised before it is compared: with threshold T, T saves
// append and the next one rewrites the file, every part written once.
TEST_F(CatalogueFile, TheSaveAfterThresholdAppendingSavesRewritesInFull) {
    constexpr int kThreshold = 3;
    CCatalogue cat;
    cat.Add(MakeItem("One", {{1, "", {1}}}));
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file, kThreshold), "");
    for (int i = 1; i <= kThreshold; ++i) {
        cat.item(0).SetName("Name " + std::to_string(i));
        ASSERT_EQ(cat.SaveToBuffer(file, kThreshold), "");
        EXPECT_FALSE(cat.lastSaveWasFull()) << i;
        EXPECT_EQ(cat.saveCount(), i);
    }
    cat.item(0).SetName("Last");
    ASSERT_EQ(cat.SaveToBuffer(file, kThreshold), "");
    EXPECT_TRUE(cat.lastSaveWasFull());
    EXPECT_EQ(cat.saveCount(), 0);
    CatFile f;
    const uint32_t h = f.Item("Last", NoImagePart(), NoImagePart(), EntriesPart({{1, "", {1}}}));
    const uint32_t hP = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
    f.Directory({h, hP});
    EXPECT_EQ(file, f.bytes());
}

TEST_F(CatalogueFile, ThresholdZeroAlwaysRewritesInFull) {
    CCatalogue cat;
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file, 0), "");
    const std::vector<uint8_t> first = file;
    ASSERT_EQ(cat.SaveToBuffer(file, 0), "");
    EXPECT_TRUE(cat.lastSaveWasFull());
    EXPECT_EQ(file, first);
}

TEST_F(CatalogueFile, OpenSaveCyclesAddNoItems) {
    std::vector<uint8_t> file;
    {
        CCatalogue cat;
        ASSERT_EQ(cat.SaveToBuffer(file), "");
    }
    for (int i = 0; i < 3; ++i) {
        CCatalogue cat;
        ASSERT_EQ(cat.OpenFromBytes(file), "");
        EXPECT_EQ(cat.ItemCount(), 0u) << "cycle " << i;
        ASSERT_EQ(cat.SaveToBuffer(file, 0), "");
    }
}

TEST_F(CatalogueFile, AFileWithoutPropertyObjectGetsTheDefaultOneAtTheEnd) {
    CatFile f;
    CCatalogueOb::PartOffsets a;
    const uint32_t h = f.Item("Plain", NoImagePart(), NoImagePart(), EntriesPart({{1, "", {5}}}), &a);
    f.Directory({h});
    std::vector<uint8_t> file = f.bytes();
    CCatalogue cat;
    ASSERT_EQ(cat.OpenFromBytes(file), "");
    ASSERT_EQ(cat.ItemCount(), 1u);
    EXPECT_EQ(cat.propertyObject().FindEntry(CCatalogueOb::kPropertyObjectKey), 0);
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    EXPECT_FALSE(cat.lastSaveWasFull());
    const uint32_t hP = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
    f.Directory({h, hP});
    EXPECT_EQ(file, f.bytes());
}

// The older file: a length, then one block with the items as objects.
std::vector<uint8_t> OlderFile(const std::vector<uint8_t>& bmp) {
    vxtest::Bytes block;
    block.w(2);
    block.w(0xFFFF).w(0).w(12);
    for (char c : std::string("CCatalogueOb")) block.b(uint8_t(c));
    block.raw(EntriesPart({{49161, "Vexelwork Objects", {1, 2}}})).s("Old One").raw(ImagePart(bmp)).w(0);
    // Second item: both classes are known by then (item class #1, image class #3).
    block.w(0x8001).raw(EntriesPart({})).s("Old Two").w(0x8003).w(0x4142).dw(uint32_t(bmp.size())).raw(bmp).w(0);
    vxtest::Bytes file;
    file.dw(uint32_t(block.d.size())).raw(block.d);
    return file.d;
}

TEST_F(CatalogueFile, OlderFileOpensAndIsRewrittenInTheCurrentFormat) {
    const std::vector<uint8_t> bmp = TinyBmp(2, 1, 24);
    std::vector<uint8_t> file = OlderFile(bmp);
    CCatalogue cat;
    ASSERT_EQ(cat.OpenFromBytes(file), "");
    ASSERT_EQ(cat.ItemCount(), 2u);
    EXPECT_EQ(cat.item(0).name(), "Old One");
    EXPECT_EQ(cat.item(0).formatNameAt(0), "Vexelwork Objects");
    ASSERT_NE(cat.item(1).colourImage(), nullptr);
    EXPECT_EQ(cat.item(1).colourImage()->bytes(), bmp);
    EXPECT_EQ(cat.item(1).maskImage(), nullptr);
    EXPECT_EQ(cat.itemOffset(0), 0u);
    EXPECT_TRUE(cat.item(0).IsModified());

    ASSERT_EQ(cat.SaveToBuffer(file), "");
    EXPECT_TRUE(cat.lastSaveWasFull());
    CatFile f;
    const uint32_t h1 = f.Item("Old One", ImagePart(bmp), NoImagePart(), EntriesPart({{49161, "Vexelwork Objects", {1, 2}}}));
    const uint32_t h2 = f.Item("Old Two", ImagePart(bmp), NoImagePart(), EntriesPart({}));
    const uint32_t hP = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
    f.Directory({h1, h2, hP});
    EXPECT_EQ(file, f.bytes());
}

TEST_F(CatalogueFile, ItemRecordIsTheOlderFilesObjectRecord) {
    const std::vector<uint8_t> bmp = TinyBmp(2, 1, 24);
    CCatalogue cat;
    ASSERT_EQ(cat.OpenFromBytes(OlderFile(bmp)), "");
    CArchive out;
    vx::WriteArrayCount(out, 2);
    out.WriteObject(&cat.item(0));
    out.WriteObject(&cat.item(1));
    const std::vector<uint8_t> older = OlderFile(bmp);
    EXPECT_EQ(out.Buffer(), std::vector<uint8_t>(older.begin() + 4, older.end()));
}

TEST_F(CatalogueFile, LongArraysUseTheEscapedCount) {
    CCatalogueOb ob;
    for (int i = 0; i < 0xFFFF; ++i) ob.AddFormat(uint32_t(i), "", {});
    CArchive ar;
    ob.WritePart(CCatalogueOb::kEntriesPart, ar);
    const std::vector<uint8_t>& d = ar.Buffer();
    ASSERT_GE(d.size(), 6u);
    EXPECT_EQ(std::vector<uint8_t>(d.begin(), d.begin() + 6), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    CArchive in(d);
    CCatalogueOb back;
    back.ReadPart(CCatalogueOb::kEntriesPart, in);
    EXPECT_EQ(back.EntryCount(), 0xFFFFu);
    EXPECT_TRUE(in.AtEnd());
}

TEST_F(CatalogueFile, AnotherVersionIsRefused) {
    CCatalogue cat;
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    file[4] = 1;
    CCatalogue other;
    const std::string err = other.OpenFromBytes(file);
    EXPECT_NE(err.find("version 0x01000001 is not supported"), std::string::npos) << err;
}

}  // namespace

namespace {

// An item may hold the marking entry too; the property object is the one
// saves put last, so a save and an open keep each in its place.
TEST_F(CatalogueFile, AnItemHoldingTheMarkingEntryStaysAnItem) {
    CCatalogue cat;
    cat.Add(MakeItem("Marked", {{0, CCatalogueOb::kPropertyObjectKey, {}}}));
    cat.propertyObject().SetNamedData("Setting", std::vector<uint8_t>{1});
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    for (int cycle = 0; cycle < 2; ++cycle) {
        CCatalogue back;
        ASSERT_EQ(back.OpenFromBytes(file), "");
        ASSERT_EQ(back.ItemCount(), 1u);
        EXPECT_EQ(back.item(0).name(), "Marked");
        EXPECT_GE(back.propertyObject().FindEntry("Setting"), 0);
        ASSERT_EQ(back.SaveToBuffer(file, 0), "");
    }
    // A file whose last entry is an ordinary item: the first marked one.
    CatFile f;
    const uint32_t p = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
    const uint32_t h = f.Item("Plain", NoImagePart(), NoImagePart(), EntriesPart({}));
    f.Directory({p, h});
    ASSERT_EQ(cat.OpenFromBytes(f.bytes()), "");
    ASSERT_EQ(cat.ItemCount(), 1u);
    EXPECT_EQ(cat.item(0).name(), "Plain");
    EXPECT_EQ(cat.propertyOffset(), p);
}

}  // namespace

namespace {

// Names outside ASCII take more bytes in memory than in the file; a file of
// little else still opens.
TEST_F(CatalogueFile, ItemsWithLongNonAsciiNamesOpen) {
    CCatalogue cat;
    for (int i = 0; i < 50; ++i) {
        auto ob = std::make_unique<CCatalogueOb>();
        std::string name;
        for (int k = 0; k < 250; ++k) name += "\u20AC";  // stored as one byte, three in UTF-8
        ob->SetName(name);
        cat.Add(std::move(ob));
    }
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    CCatalogue back;
    ASSERT_EQ(back.OpenFromBytes(file), "");
    EXPECT_EQ(back.ItemCount(), 50u);
    EXPECT_EQ(back.item(49).name(), cat.item(49).name());
}

}  // namespace
