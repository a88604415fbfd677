// Bitmaps: image values of the four kinds, layouts and the transparent
// colour drawn into images, linked files (regular files only, missing ones
// drawn as a placeholder), the Bitmap property and damaged image records.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ShapeTestSupport.h"
#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "model/PropIds.h"
#include "platform/Bmp.h"
#include "shapes/BitmapOb.h"
#include "shapes/BorderOb.h"
#include "shapes/ShapePropIds.h"
#include "support/BmpBuilder.h"
#include "support/TestSupport.h"

using shapetest::Place;
using shapetest::Px;
using shapetest::RoundTrip;
using vx::Variant;
namespace P = vx::prop;

namespace {

// A w x h image, red with a white top-left pixel.
QImage RedImage(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(qRgb(255, 0, 0));
    img.setPixel(0, 0, qRgb(255, 255, 255));
    return img;
}

CBitmapOb* Bitmap(CHyperPage& page, const CRect& r, int layout, const QImage& img) {
    CBitmapOb* b = Place<CBitmapOb>(page, "B", r);
    b->SetPenWidth(0);
    b->setLayout(layout);
    b->imageValue().SetImage(img);
    b->Update(1, 0);
    return b;
}

// The image value record of `v`.
std::vector<uint8_t> ValueBytes(CImageValue& v) {
    CArchive out;
    v.Serialize(out);
    return out.Buffer();
}

}  // namespace

TEST(BitmapOb, DefaultsAndSizeToFit) {
    CHyperPage page;
    CBitmapOb* b = Place<CBitmapOb>(page, "B", CRect(10, 10, 90, 90));
    EXPECT_EQ(b->GetTypeName(), "Bitmap");
    EXPECT_EQ(b->layout(), CBitmapOb::kSizeToFit);
    EXPECT_EQ(b->imageValue().kind(), CImageValue::kNone);
    EXPECT_EQ(b->snapList().set().size(), 4u);
    int style = 0;
    EXPECT_FALSE(b->GetPenStyle(style));
    // Size to fit takes the image's size and keeps the top-left corner.
    b->imageValue().SetImage(RedImage(7, 5));
    b->Update(1, 0);
    EXPECT_EQ(b->Rect(), CRect(10, 10, 17, 15));
    // Other layouts keep the rectangle.
    b->setLayout(CBitmapOb::kStretch);
    b->SetRect(CRect(0, 0, 40, 40));
    b->Update(1, 0);
    EXPECT_EQ(b->Rect(), CRect(0, 0, 40, 40));
}

TEST(BitmapOb, EachLayoutPlacesTheImage) {
    const QImage img = RedImage(4, 4);
    struct Case {
        int layout;
        CRect at;
    };
    for (const Case& c :
         {Case{CBitmapOb::kLeft, CRect(10, 10, 14, 14)},
          Case{CBitmapOb::kRight, CRect(26, 26, 30, 30)},
          Case{CBitmapOb::kCentre, CRect(18, 18, 22, 22)},
          Case{CBitmapOb::kStretch, CRect(10, 10, 30, 30)}, Case{77, CRect(10, 10, 14, 14)}}) {
        CHyperPage page;
        CBitmapOb* b = Bitmap(page, CRect(10, 10, 30, 30), c.layout, img);
        EXPECT_EQ(b->PlaceImage(b->Rect()), c.at) << c.layout;
        const QImage out = shapetest::PaintPage(page, 40, 40);
        EXPECT_EQ(shapetest::BoundsOf(out, shapetest::kRed), c.at) << c.layout;
    }
    // An image larger than the rectangle is cut to it.
    CHyperPage page;
    CBitmapOb* big = Bitmap(page, CRect(0, 0, 10, 10), CBitmapOb::kCentre, RedImage(30, 30));
    big->SetRect(CRect(0, 0, 10, 10));
    EXPECT_EQ(shapetest::BoundsOf(shapetest::PaintPage(page, 40, 40), shapetest::kRed),
              CRect(0, 0, 10, 10));
}

TEST(BitmapOb, FillWhereTheImageDoesNotReachAndTransparentColour) {
    CHyperPage page;
    CBitmapOb* b = Bitmap(page, CRect(10, 10, 30, 30), CBitmapOb::kCentre, RedImage(4, 4));
    // A blue border behind the bitmap.
    auto behind = std::make_unique<CBorderOb>();
    behind->SetBackColor(shapetest::kBlue);
    behind->SetPenWidth(0);
    behind->SetRect(CRect(0, 0, 40, 40));
    page.Insert(std::move(behind));
    b->SetBackColor(vx::RGB(0, 255, 0));
    QImage out = shapetest::PaintPage(page, 40, 40);
    EXPECT_EQ(Px(out, 12, 12), vx::RGB(0, 255, 0));  // fill around the image
    EXPECT_EQ(Px(out, 18, 18), shapetest::kWhite);   // the image's white pixel
    EXPECT_EQ(Px(out, 19, 19), shapetest::kRed);
    EXPECT_EQ(Px(out, 5, 5), shapetest::kBlue);
    // White made transparent: the shapes behind show through it, and the
    // fill is not drawn under the image.
    b->SetProperty("TransparentColor", Variant(int32_t(0xFFFFFF)));
    out = shapetest::PaintPage(page, 40, 40);
    EXPECT_EQ(Px(out, 18, 18), shapetest::kBlue);
    EXPECT_EQ(Px(out, 19, 19), shapetest::kRed);
    EXPECT_EQ(b->GetProperty(1332).ToLong(), 0xFFFFFF);
}

TEST(BitmapOb, IsNotTurned) {
    // Bitmaps keep the drawable base's answer: they cannot rotate, so a
    // stored angle leaves them upright.
    CHyperPage page;
    CBitmapOb* b = Bitmap(page, CRect(20, 40, 80, 60), CBitmapOb::kStretch, RedImage(6, 2));
    EXPECT_FALSE(b->CanRotate());
    b->SetRotateAngleRaw(90);
    b->Update(1, 0);
    EXPECT_FALSE(b->IsRotated());
    EXPECT_EQ(shapetest::BoundsOf(shapetest::PaintPage(page, 100, 100), shapetest::kRed),
              CRect(20, 40, 80, 60));
}

TEST(BitmapOb, BitmapPropertyLinksAndRemoves) {
    const std::string dir = vxtest::TempDir();
    const std::string file = dir + "/pic.bmp";
    vxtest::WriteAll(file, vx::EncodeBmp(RedImage(3, 2), 24));
    CHyperPage page;
    CBitmapOb* b = Place<CBitmapOb>(page, "B", CRect(0, 0, 50, 50));
    // A pasted image has no name to give.
    b->imageValue().SetImage(RedImage(2, 2));
    EXPECT_EQ(b->GetProperty("Bitmap").ToString(), "");
    b->SetProperty("Bitmap", Variant(file));
    EXPECT_EQ(b->imageValue().kind(), CImageValue::kLinked);
    EXPECT_EQ(b->GetProperty(vx::DISPID_VALUE).ToString(), file);
    EXPECT_EQ(b->Rect(), CRect(0, 0, 3, 2));  // size to fit
    b->SetProperty("Bitmap", Variant(std::string()));
    EXPECT_EQ(b->imageValue().kind(), CImageValue::kNone);
    EXPECT_EQ(b->imageValue().fileName(), "");
    EXPECT_FALSE(b->HasImage());

    // The Bitmap row shows the file, edits link a new one.
    b->SetProperty("Bitmap", Variant(file));
    auto row = b->CreateProperty(P::kBitmap, true);
    std::string text;
    ASSERT_TRUE(row->GetValueText(text));
    EXPECT_EQ(text, "pic.bmp");
}

TEST(BitmapOb, LinkedFilesAreReadOnlyWhenRegularAndSmall) {
    const std::string dir = vxtest::TempDir();
    CImageValue v;
    // A named pipe is refused without being opened (opening it would hang).
    const std::string fifo = dir + "/pipe.bmp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(v.Link(fifo));
    EXPECT_TRUE(v.IsMissingLink());
    EXPECT_EQ(v.fileName(), fifo);
    EXPECT_FALSE(v.problem().empty());
    EXPECT_FALSE(v.Link("/dev/zero"));
    EXPECT_FALSE(v.Link(dir));
    // A file above the cap is not read.
    std::string why;
    vxtest::WriteAll(dir + "/big.bmp", vx::EncodeBmp(RedImage(40, 40), 24));
    EXPECT_TRUE(CImageValue::ReadImageFile(dir + "/big.bmp", &why, 100).isNull());
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(CImageValue::ReadImageFile(dir + "/big.bmp", &why).isNull());
    // Other image formats go through Qt's readers.
    RedImage(5, 5).save(QString::fromStdString(dir + "/pic.png"));
    EXPECT_EQ(CImageValue::ReadImageFile(dir + "/pic.png", &why).size(), QSize(5, 5));
    // Relative names are read from the given folder.
    EXPECT_TRUE(v.Link("pic.png", dir));
    EXPECT_EQ(v.fileName(), "pic.png");
}

TEST(BitmapOb, MissingLinkDrawsAPlaceholderAndKeepsTheLink) {
    CHyperPage page;
    CBitmapOb* b = Place<CBitmapOb>(page, "B", CRect(10, 10, 50, 40));
    b->SetPenWidth(0);
    b->SetBitmapName("/no/such/folder/gone.bmp");
    b->Update(1, 0);
    EXPECT_EQ(b->Rect(), CRect(10, 10, 50, 40));  // nothing to fit to
    const QImage out = shapetest::PaintPage(page, 60, 50);
    EXPECT_EQ(shapetest::BoundsOf(out, shapetest::kShadow), CRect(10, 10, 50, 40));
    auto back = RoundTrip(*b);
    EXPECT_EQ(back->imageValue().kind(), CImageValue::kLinked);
    EXPECT_EQ(back->BitmapName(), "/no/such/folder/gone.bmp");
    EXPECT_TRUE(back->imageValue().IsMissingLink());
}

TEST(BitmapOb, ImageRecordsKeepTheStoredBytes) {
    // A pasted 8-bit bitmap is written back byte for byte.
    vxtest::BmpFields fields;
    fields.width = 2, fields.height = 1, fields.bitCount = 8, fields.colorsUsed = 2,
    fields.palette = {0x0000FF, 0xFF0000};
    fields.pixels = {0, 1, 0, 0};
    const std::vector<uint8_t> bmp = vxtest::BuildBmp(fields);
    CBitmapOb b;
    b.imageValue().SetData(bmp, CImageValue::kFromFile, "c:\\art\\logo.bmp");
    b.imageValue().setTransparentColor(0xFF0000);
    b.setLayout(CBitmapOb::kRight);
    b.SetBackColor(0x123456);
    auto back = RoundTrip(b);
    EXPECT_EQ(back->imageValue().data(), bmp);
    EXPECT_EQ(back->imageValue().kind(), CImageValue::kFromFile);
    EXPECT_EQ(back->imageValue().fileName(), "c:\\art\\logo.bmp");
    EXPECT_EQ(back->imageValue().transparentColor(), 0xFF0000);
    EXPECT_EQ(back->imageValue().image().pixel(1, 0), qRgb(0xFF, 0, 0));
    EXPECT_EQ(back->layout(), CBitmapOb::kRight);
    EXPECT_EQ(back->backColorField(), 0x123456);

    // The value record as the file holds it.
    vxtest::Bytes expected;
    expected.tag(0)
        .w(2)
        .s("c:\\art\\logo.bmp")
        .b(0)
        .dw(0xFF0000)
        .w(0x4142)
        .dw(uint32_t(bmp.size()))
        .raw(bmp);
    EXPECT_EQ(ValueBytes(b.imageValue()), expected.d);

    // Untagged records have no transparent colour.
    vxtest::Bytes old;
    old.w(1).s("").b(0).w(0x4142).dw(uint32_t(bmp.size())).raw(bmp);
    CArchive in(old.d);
    CImageValue v;
    v.Serialize(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(v.transparentColor(), COLORREF(-1));
    EXPECT_TRUE(v.HasImage());
}

TEST(BitmapOb, DamagedOrHugeImageRecords) {
    // Bytes that are no bitmap leave the image empty and are kept as stored.
    for (std::vector<uint8_t> junk :
         {std::vector<uint8_t>{'B', 'M', 1, 2, 3}, std::vector<uint8_t>(64, 0xFF)}) {
        vxtest::Bytes rec;
        rec.tag(0).w(1).s("").b(0).dw(-1).w(0x4142).dw(uint32_t(junk.size())).raw(junk).dw(8);
        CArchive in(rec.d);
        CImageValue v;
        v.Serialize(in);
        EXPECT_EQ(in.ReadInt32(), 8);  // the stream goes on after the record
        EXPECT_FALSE(v.HasImage());
        EXPECT_FALSE(v.problem().empty());
        EXPECT_EQ(v.data(), junk);
        std::vector<uint8_t> again = ValueBytes(v);
        again.insert(again.end(), {8, 0, 0, 0});
        EXPECT_EQ(again, rec.d);
    }
    // A length beyond the file is damage, found before anything is allocated.
    for (uint32_t n : {100u, 0xFFFFFFFFu}) {
        vxtest::Bytes rec;
        rec.tag(0).w(2).s("x.bmp").b(0).dw(-1).w(0x4142).dw(n).raw({1, 2, 3});
        CArchive in(rec.d);
        CImageValue v;
        EXPECT_THROW(v.Serialize(in), CArchiveException) << n;
    }
    // A bitmap whose header claims a huge image is refused by the reader.
    vxtest::BmpFields huge;
    huge.width = 30000, huge.height = 30000, huge.pixels = {0, 0, 0, 0};
    CImageValue v;
    v.SetData(vxtest::BuildBmp(huge));
    EXPECT_FALSE(v.HasImage());
    // A length of 0: no data, no image, written back as it was.
    {
        vxtest::Bytes rec;
        rec.tag(0).w(1).s("").b(0).dw(-1).w(0x4142).dw(0);
        CArchive in(rec.d);
        CImageValue v;
        v.Serialize(in);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_FALSE(v.HasImage());
        EXPECT_EQ(ValueBytes(v), rec.d);
    }
    // Another signature: no data is read, the image stays empty.
    vxtest::Bytes other;
    other.tag(0).w(1).s("").b(0).dw(-1).w(0x1234).dw(77);
    CArchive in(other.d);
    CImageValue o;
    o.Serialize(in);
    EXPECT_EQ(in.ReadInt32(), 77);
    EXPECT_FALSE(o.HasImage());
}

TEST(BitmapOb, DamagedImageInADesignIsAnErrorMessage) {
    CMyDoc doc;
    CBitmapOb* b = Place<CBitmapOb>(doc.mainPage(), "B", CRect(0, 0, 20, 20));
    b->imageValue().SetImage(RedImage(8, 8));
    std::vector<uint8_t> bytes = doc.SaveToBytes();
    {
        CMyDoc again;
        ASSERT_EQ(again.LoadFromBytes(bytes).status, LoadResult::kOk);
        auto* back = dynamic_cast<CBitmapOb*>(again.mainPage().At(0));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->imageValue().image().size(), QSize(8, 8));
        EXPECT_NE(again.DumpJson().find("\"DataBytes\""), std::string::npos);
        EXPECT_EQ(again.SaveToBytes(), bytes);
    }
    // The data length made huge.
    const std::vector<uint8_t> sig = {0x42, 0x41};
    auto at = std::search(bytes.begin(), bytes.end(), sig.begin(), sig.end());
    ASSERT_NE(at, bytes.end());
    at[2] = at[3] = at[4] = at[5] = 0xFF;
    CMyDoc damaged;
    const LoadResult r = damaged.LoadFromBytes(bytes);
    EXPECT_NE(r.status, LoadResult::kOk);
    EXPECT_FALSE(r.message.empty());
}
