// Damaged and hostile catalogue files: every count, size and offset is
// checked against the file before anything is allocated or read, and the
// refusal says where the damage is. A refused file leaves the catalogue as
// it was.
#include <gtest/gtest.h>

#include <cstring>

#include "support/CatalogueSupport.h"

namespace {

using vxtest::Bytes;
using vxtest::CatFile;
using vxtest::EntriesPart;
using vxtest::ImagePart;
using vxtest::NoImagePart;
using vxtest::PropertyEntriesPart;

void SetDword(std::vector<uint8_t>& d, size_t at, uint32_t v) { std::memcpy(d.data() + at, &v, 4); }

class CatalogueDamage : public vxtest::CatalogueTest {
protected:
    // One item and the property object; remembers where things are.
    std::vector<uint8_t> ValidFile() {
        CatFile f;
        header_ = f.Item("Item", ImagePart(vxtest::TinyBmp(2, 2, 24)), NoImagePart(),
                         EntriesPart({{1, "", {1, 2, 3}}}), &parts_);
        const uint32_t p = f.Item("", NoImagePart(), NoImagePart(), PropertyEntriesPart());
        directory_ = f.Directory({header_, p});
        return f.bytes();
    }
    // The refusal of `file`; fails the test when it opens.
    std::string Refusal(const std::vector<uint8_t>& file) {
        CCatalogue cat;
        const std::string err = cat.OpenFromBytes(file);
        EXPECT_NE(err, "") << "a damaged file opened";
        return err;
    }
    uint32_t header_ = 0, directory_ = 0;
    CCatalogueOb::PartOffsets parts_ = {};
};

#define EXPECT_REFUSED(file, text)                                             \
    do {                                                                       \
        const std::string err_ = Refusal(file);                                \
        EXPECT_NE(err_.find(text), std::string::npos) << "refused with: " << err_; \
    } while (0)

TEST_F(CatalogueDamage, TheValidFileOpens) {
    CCatalogue cat;
    ASSERT_EQ(cat.OpenFromBytes(ValidFile()), "");
    EXPECT_EQ(cat.ItemCount(), 1u);
}

TEST_F(CatalogueDamage, TooShortFilesAreRefused) {
    EXPECT_REFUSED({}, "the file is empty");
    EXPECT_REFUSED((std::vector<uint8_t>{'H', 'C', 'A'}), "too short");
    EXPECT_REFUSED((std::vector<uint8_t>{'H', 'C', 'A', 'T', 0, 0, 0, 1}), "ends inside its 12-byte header");
}

TEST_F(CatalogueDamage, DirectoryOutsideTheContentsIsRefused) {
    std::vector<uint8_t> f = ValidFile();
    SetDword(f, 8, 4);
    EXPECT_REFUSED(f, "the directory offset 4 is outside");
    SetDword(f, 8, uint32_t(f.size() - 3));
    EXPECT_REFUSED(f, "is outside");
    SetDword(f, 8, 0xFFFFFFFF);
    EXPECT_REFUSED(f, "(at byte 8)");
}

TEST_F(CatalogueDamage, AHugeItemCountIsRefusedBeforeAnythingIsMade) {
    std::vector<uint8_t> f = ValidFile();
    SetDword(f, directory_, 0x3FFFFFFF);
    EXPECT_REFUSED(f, "the directory lists 1073741823 items");
    SetDword(f, directory_, 3);  // one more than there are
    EXPECT_REFUSED(f, "more than its 8 remaining bytes can hold");
}

TEST_F(CatalogueDamage, OffsetsIntoTheHeaderOrPastTheEndAreRefused) {
    for (uint32_t bad : {0u, 8u, 11u}) {
        std::vector<uint8_t> f = ValidFile();
        SetDword(f, directory_ + 4, bad);
        EXPECT_REFUSED(f, "directory entry 1: the item header offset " + std::to_string(bad));
    }
    std::vector<uint8_t> f = ValidFile();
    SetDword(f, directory_ + 4, uint32_t(f.size() - 15));
    EXPECT_REFUSED(f, "is outside the file's contents");
    for (int p = 0; p < CCatalogueOb::kPartCount; ++p) {
        for (uint32_t bad : {0u, 3u, uint32_t(f.size())}) {
            std::vector<uint8_t> g = ValidFile();
            SetDword(g, header_ + 4 * size_t(p), bad);
            EXPECT_REFUSED(g, ": the offset " + std::to_string(bad) + " is outside");
        }
    }
    std::vector<uint8_t> g = ValidFile();
    SetDword(g, header_ + 12, parts_[0]);  // entries read from the name part
    EXPECT_REFUSED(g, "directory entry 1, entries part at byte " + std::to_string(parts_[0]));
}

TEST_F(CatalogueDamage, EntryCountsAreCheckedAgainstTheRemainingBytes) {
    std::vector<uint8_t> f = ValidFile();
    // An escaped count of two billion format numbers, over the count and
    // the first format number (six bytes either way).
    f[parts_[3]] = 0xFF;
    f[parts_[3] + 1] = 0xFF;
    SetDword(f, parts_[3] + 2, 0x7FFFFFFF);
    const std::vector<uint8_t>& g = f;
    EXPECT_REFUSED(g, "a count of 2147483647 entries");
}

TEST_F(CatalogueDamage, ParallelArraysOfDifferentLengthsAreRefused) {
    // Names counted 2 for 1 format.
    std::vector<uint8_t> f = ValidFile();
    f[parts_[3] + 6] = 2;
    EXPECT_REFUSED(f, "format names of an item are not as many as its formats");
    f = ValidFile();
    f[parts_[3] + 9] = 0;  // sizes counted 0
    EXPECT_REFUSED(f, "data sizes of an item are not as many as its formats");
}

TEST_F(CatalogueDamage, DataLongerThanTheFileIsRefused) {
    std::vector<uint8_t> f = ValidFile();
    SetDword(f, parts_[3] + 11, 0x7FFFFFFF);
    EXPECT_REFUSED(f, "the data of an item (2147483647 bytes) is longer than");
}

TEST_F(CatalogueDamage, ImagesWithOtherMarkersOrSizesAreRefused) {
    std::vector<uint8_t> f = ValidFile();
    const size_t marker = parts_[1] + 10;  // after the class record of CDib
    f[marker + 1] = 'Z';
    EXPECT_REFUSED(f, "stored compressed");
    f[marker + 1] = 'Q';
    EXPECT_REFUSED(f, "unknown marker 0x5142");
    f = ValidFile();
    SetDword(f, marker + 2, 0xFFFFFF00);
    EXPECT_REFUSED(f, "an image of 4294967040 bytes is longer than");
}

TEST_F(CatalogueDamage, ADirectoryNamingOnePartManyTimesIsRefused) {
    CatFile f;
    const uint32_t h = f.Item("Big", NoImagePart(), NoImagePart(), EntriesPart({{1, "", std::vector<uint8_t>(4000)}}));
    // Every entry the same item: 2000 copies of 4000 bytes from a file of 12 KB.
    f.Directory(std::vector<uint32_t>(2000, h));
    EXPECT_REFUSED(f.bytes(), "the items hold more than the file can; parts are shared");
}

TEST_F(CatalogueDamage, OlderFilesAreCheckedToo) {
    EXPECT_REFUSED(Bytes().dw(100).w(0).d, "neither with \"HCAT\" nor with the length");
    // A count of items the block cannot hold.
    EXPECT_REFUSED(Bytes().dw(2).w(5000).d, "older catalogue: the items of an older catalogue");
    // An image where an item must be.
    Bytes block;
    block.w(1).w(0xFFFF).w(0).w(4).b('C').b('D').b('i').b('b').w(0x4142).dw(0);
    EXPECT_REFUSED(Bytes().dw(uint32_t(block.d.size())).raw(block.d).d, "found a CDib where a CCatalogueOb must be");
}

TEST_F(CatalogueDamage, EveryCutAndEveryFlippedByteOpensOrIsRefused) {
    CCatalogue cat;
    for (int i = 0; i < 3; ++i) {
        auto ob = std::make_unique<CCatalogueOb>();
        ob->SetName("Item " + std::to_string(i));
        ob->AddFormat(uint32_t(i), "Format", std::vector<uint8_t>(10, uint8_t(i)));
        ob->SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(2, 2, 24)), nullptr);
        cat.Add(std::move(ob));
    }
    std::vector<uint8_t> file;
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    cat.item(1).SetName("Renamed");
    ASSERT_EQ(cat.SaveToBuffer(file), "");
    for (size_t n = 0; n < file.size(); ++n) {
        CCatalogue cut;
        (void)cut.OpenFromBytes(std::vector<uint8_t>(file.begin(), file.begin() + ptrdiff_t(n)));
    }
    for (size_t i = 0; i < file.size(); ++i) {
        std::vector<uint8_t> flipped = file;
        flipped[i] ^= 0xA5;
        CCatalogue damaged;
        if (damaged.OpenFromBytes(flipped).empty()) {
            // What opens also saves and reads back.
            std::vector<uint8_t> again;
            ASSERT_EQ(damaged.SaveToBuffer(again, 0), "");
            CCatalogue back;
            EXPECT_EQ(back.OpenFromBytes(again), "") << "byte " << i;
        }
    }
}

TEST_F(CatalogueDamage, ARefusedFileLeavesTheCatalogueAsItWas) {
    const std::string dir = vxtest::TempDir();
    std::vector<uint8_t> good = ValidFile();
    vxtest::WriteAll(dir + "/good.cat", good);
    SetDword(good, 8, 5);
    vxtest::WriteAll(dir + "/bad.cat", good);
    CCatalogue cat;
    ASSERT_EQ(cat.Open(dir + "/good.cat"), "");
    const std::string err = cat.Open(dir + "/bad.cat");
    EXPECT_EQ(err, "damaged catalogue: the directory offset 5 is outside the " + std::to_string(good.size()) +
                       "-byte file's contents (at byte 8)");
    EXPECT_EQ(cat.path(), dir + "/good.cat");
    EXPECT_EQ(cat.name(), "good");
    ASSERT_EQ(cat.ItemCount(), 1u);
    EXPECT_EQ(cat.item(0).name(), "Item");
    EXPECT_EQ(cat.Open(dir + "/missing.cat"), "there is no such file");
    EXPECT_EQ(cat.Open(dir), "it is a folder");
}

}  // namespace
