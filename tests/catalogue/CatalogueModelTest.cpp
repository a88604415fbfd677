// The catalogue model: named entries, which changes mark which parts as
// unwritten, and the item list operations keeping the offsets beside their
// items.
#include <gtest/gtest.h>

#include <QImage>

#include "support/CatalogueSupport.h"

namespace {

class CatalogueModel : public vxtest::CatalogueTest {};

CCatalogueOb::PartOffsets Written() { return {100, 200, 300, 400}; }

TEST_F(CatalogueModel, NamedEntriesAreFoundSetReadAndRemoved) {
    CCatalogueOb ob;
    ob.AddFormat(49161, "Vexelwork Objects", std::vector<uint8_t>{1});
    EXPECT_EQ(ob.FindEntry("Mode"), -1);
    ob.SetNamedData("Mode", std::vector<uint8_t>{1, 2, 3});
    ob.SetNamedData("Mode", std::vector<uint8_t>{4, 5});  // replaces, does not add
    EXPECT_EQ(ob.EntryCount(), 2u);
    EXPECT_EQ(ob.FindEntry("Mode"), 1);
    EXPECT_EQ(ob.formatAt(1), 0u);

    uint8_t buf[4] = {};
    uint32_t size = 1;
    EXPECT_EQ(ob.GetNamedData("Mode", buf, size), -1);  // too small: the size is told
    EXPECT_EQ(size, 2u);
    size = sizeof buf;
    EXPECT_EQ(ob.GetNamedData("Mode", buf, size), 0);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(buf[0], 4);
    EXPECT_EQ(buf[1], 5);
    size = sizeof buf;
    EXPECT_EQ(ob.GetNamedData("Other", buf, size), -1);

    EXPECT_TRUE(ob.RemoveEntry("Mode"));
    EXPECT_FALSE(ob.RemoveEntry("Mode"));
    EXPECT_EQ(ob.EntryCount(), 1u);
}

TEST_F(CatalogueModel, EachChangeClearsTheOffsetsOfThePartsItTouches) {
    CCatalogueOb ob;
    ob.SetPartOffsets(Written());
    EXPECT_FALSE(ob.IsModified());
    ob.SetName("");  // no change
    EXPECT_FALSE(ob.IsModified());
    ob.SetName("Actor");
    EXPECT_EQ(ob.partOffsets(), (CCatalogueOb::PartOffsets{0, 200, 300, 400}));
    EXPECT_TRUE(ob.IsModified());

    ob.SetPartOffsets(Written());
    ob.SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 24)), nullptr);
    EXPECT_EQ(ob.partOffsets(), (CCatalogueOb::PartOffsets{100, 0, 0, 400}));

    ob.SetPartOffsets(Written());
    ob.AddFormat(1, "", {});
    EXPECT_EQ(ob.partOffsets(), (CCatalogueOb::PartOffsets{100, 200, 300, 0}));
    ob.SetPartOffsets(Written());
    ob.RemoveEntryAt(0);
    EXPECT_EQ(ob.partOffsets()[CCatalogueOb::kEntriesPart], 0u);
    ob.SetPartOffsets(Written());
    ob.RemoveEntry("nothing");
    ob.RemoveAllEntries();  // already empty
    EXPECT_FALSE(ob.IsModified());
}

TEST_F(CatalogueModel, ACloneIsDeepAndUnwrittenUnlessAskedOtherwise) {
    CCatalogueOb ob;
    ob.SetName("Actor");
    ob.AddFormat(3, "", std::vector<uint8_t>{1, 2});
    ob.SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 24)), std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 1)));
    ob.SetPartOffsets(Written());
    std::unique_ptr<CCatalogueOb> copy = ob.Clone();
    EXPECT_TRUE(copy->SameContents(ob));
    EXPECT_EQ(copy->partOffsets(), CCatalogueOb::PartOffsets{});
    EXPECT_NE(copy->colourImage(), ob.colourImage());
    EXPECT_EQ(ob.Clone(true)->partOffsets(), Written());
    copy->RemoveAllEntries();
    EXPECT_EQ(ob.EntryCount(), 1u);
    EXPECT_FALSE(copy->SameContents(ob));
}

TEST_F(CatalogueModel, ANewCatalogueHasAMarkedPropertyObjectAndNoItems) {
    CCatalogue cat;
    EXPECT_EQ(cat.ItemCount(), 0u);
    EXPECT_EQ(cat.name(), "New Catalogue");
    EXPECT_EQ(cat.path(), "");
    const CCatalogueOb& p = cat.propertyObject();
    ASSERT_EQ(p.EntryCount(), 1u);
    EXPECT_EQ(p.formatAt(0), 0u);
    EXPECT_EQ(p.formatNameAt(0), CCatalogueOb::kPropertyObjectKey);
    EXPECT_EQ(p.sizeAt(0), 0u);
}

TEST_F(CatalogueModel, ItemOperationsKeepEachOffsetWithItsItem) {
    std::vector<uint8_t> file;
    CCatalogue cat;
    for (const char* name : {"A", "B", "C"}) {
        auto ob = std::make_unique<CCatalogueOb>();
        ob->SetName(name);
        cat.Add(std::move(ob));
    }
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    const uint32_t a = cat.itemOffset(0), b = cat.itemOffset(1), c = cat.itemOffset(2);
    const auto names = [&] {
        std::string s;
        for (size_t i = 0; i < cat.ItemCount(); ++i) s += cat.item(i).name();
        return s;
    };
    cat.Move(0, 2);
    EXPECT_EQ(names(), "BCA");
    EXPECT_EQ(cat.itemOffset(2), a);
    cat.Move(2, 1);
    EXPECT_EQ(names(), "BAC");
    EXPECT_EQ(cat.itemOffset(0), b);
    cat.Move(5, 0);  // out of range: nothing
    auto d = std::make_unique<CCatalogueOb>();
    d->SetName("D");
    cat.Insert(1, std::move(d));
    EXPECT_EQ(names(), "BDAC");
    EXPECT_EQ(cat.itemOffset(1), 0u);
    EXPECT_EQ(cat.itemOffset(3), c);
    std::unique_ptr<CCatalogueOb> taken = cat.Remove(2);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->name(), "A");
    EXPECT_EQ(cat.Remove(9), nullptr);
    EXPECT_EQ(names(), "BDC");
    EXPECT_EQ(cat.itemOffset(2), c);
    cat.RemoveAll();
    EXPECT_EQ(cat.ItemCount(), 0u);
}

}  // namespace

namespace {

TEST_F(CatalogueModel, NewIconsAreCheckedByTheBitmapReader) {
    std::string why;
    EXPECT_NE(CDib::FromBitmapFile(vxtest::TinyBmp(32, 32, 24), &why), nullptr) << why;
    std::vector<uint8_t> cut = vxtest::TinyBmp(32, 32, 24);
    cut.resize(cut.size() - 1);
    EXPECT_EQ(CDib::FromBitmapFile(cut, &why), nullptr);
    EXPECT_NE(why, "");
    vx::BmpView view;
    ASSERT_TRUE(CDib(vxtest::TinyBmp(5, 3, 1)).Parse(view));
    EXPECT_EQ(view.width, 5);
    EXPECT_EQ(view.height, 3);
    EXPECT_EQ(view.bitCount, 1);
    EXPECT_FALSE(CDib().Parse(view, &why));
    EXPECT_EQ(why, "the image is empty");
}

}  // namespace

namespace {

QImage Decoded(const CDib* dib) { return dib ? vx::DecodeBmp(dib->bytes()) : QImage(); }

TEST_F(CatalogueModel, ASmallImageIsCentredWithAMaskUnderIt) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 20));
    CCatalogueOb ob;
    ob.SetPartOffsets(Written());
    ob.SetIconFromImage(image, nullptr, 8);
    EXPECT_EQ(ob.partOffsets(), (CCatalogueOb::PartOffsets{100, 0, 0, 400}));
    vx::BmpView view;
    ASSERT_TRUE(ob.colourImage()->Parse(view));
    EXPECT_EQ(view.bitCount, 24);
    ASSERT_TRUE(ob.maskImage()->Parse(view));
    EXPECT_EQ(view.bitCount, 1);
    const QImage colour = Decoded(ob.colourImage()), mask = Decoded(ob.maskImage());
    ASSERT_EQ(colour.size(), QSize(8, 8));
    // Centred at ((8 - 3) / 2, (8 - 2) / 2) = (2, 3).
    EXPECT_EQ(colour.pixel(2, 3), QColor(200, 10, 20).rgb());
    EXPECT_EQ(colour.pixel(4, 4), QColor(200, 10, 20).rgb());
    EXPECT_EQ(colour.pixel(1, 3), qRgb(0, 0, 0));
    EXPECT_EQ(colour.pixel(2, 5), qRgb(0, 0, 0));
    EXPECT_EQ(mask.pixel(2, 3), qRgb(0, 0, 0));
    EXPECT_EQ(mask.pixel(5, 3), qRgb(255, 255, 255));
    EXPECT_EQ(mask.pixel(0, 0), qRgb(255, 255, 255));

    // A mask of the image's size is drawn where the image lies.
    QImage own(3, 2, QImage::Format_RGB32);
    own.fill(Qt::black);
    own.setPixel(0, 0, qRgb(255, 255, 255));
    ob.SetIconFromImage(image, &own, 8);
    const QImage mask2 = Decoded(ob.maskImage());
    EXPECT_EQ(mask2.pixel(2, 3), qRgb(255, 255, 255));
    EXPECT_EQ(mask2.pixel(3, 3), qRgb(0, 0, 0));
}

TEST_F(CatalogueModel, ALargeImageIsStretchedAndHasNoMask) {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    CCatalogueOb ob;
    ob.SetIconFromImage(image, nullptr, 32);
    EXPECT_EQ(ob.maskImage(), nullptr);
    const QImage colour = Decoded(ob.colourImage());
    ASSERT_EQ(colour.size(), QSize(32, 32));
    EXPECT_EQ(colour.pixel(0, 31), qRgb(0, 0, 255));
}

TEST_F(CatalogueModel, AnItemTravelsAsOneCatalogueObjectBlock) {
    CCatalogueOb ob;
    ob.SetName("Actor");
    ob.AddFormat(49161, "Vexelwork Objects", std::vector<uint8_t>{1, 2, 3});
    ob.SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 24)), std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 1)));
    const std::vector<uint8_t> block = ob.ToCatalogueObjectBlock();
    // A new class record for the item, its record, then the images.
    vxtest::Bytes expected;
    expected.w(0xFFFF).w(0).w(12);
    for (char c : std::string("CCatalogueOb")) expected.b(uint8_t(c));
    expected.raw(vxtest::EntriesPart({{49161, "Vexelwork Objects", {1, 2, 3}}})).s("Actor");
    expected.raw(vxtest::ImagePart(vxtest::TinyBmp(2, 2, 24)));
    // The second image's class is known by then (index 3).
    expected.w(0x8003).w(0x4142).dw(uint32_t(vxtest::TinyBmp(2, 2, 1).size())).raw(vxtest::TinyBmp(2, 2, 1));
    EXPECT_EQ(block, expected.d);
    std::unique_ptr<CCatalogueOb> back = CCatalogueOb::FromCatalogueObjectBlock(block);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->SameContents(ob));
    std::string why;
    EXPECT_EQ(CCatalogueOb::FromCatalogueObjectBlock(std::vector<uint8_t>(block.begin(), block.end() - 1), &why),
              nullptr);
    EXPECT_NE(why.find("longer than the 69 bytes that remain"), std::string::npos) << why;
}

}  // namespace
