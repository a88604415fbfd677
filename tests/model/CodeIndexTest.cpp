// The page's code index: lookups by Code stay right through every change of
// the page, automatic names take the first free number, and naming or
// finding an object does not walk the page.
#include <gtest/gtest.h>

#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "model/PropIds.h"
#include "model/PropItems.h"
#include "support/TestSupport.h"

namespace {

// Counts how often any object's Code is read: a walk over the page reads
// every object's Code.
class CCountingOb : public CHyperOb {
public:
    static inline long reads = 0;
    const std::string& GetCode() const override {
        ++reads;
        return CHyperOb::GetCode();
    }
};

CHyperOb* Add(CHyperPage& page, const std::string& code, int index = -1) {
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw(code);
    return page.Insert(std::move(ob), index);
}

}  // namespace

TEST(CodeIndex, FollowsRenamesRemovalsAndMoves) {
    CHyperPage page;
    CHyperOb* a = Add(page, "Alpha");
    CHyperOb* b = Add(page, "Beta");
    EXPECT_EQ(page.FindObjectByCode("Alpha"), a);
    EXPECT_EQ(page.FindObjectByCode("alpha"), nullptr);
    EXPECT_EQ(page.FindObjectByCodeNoCase("ALPHA"), a);
    EXPECT_EQ(page.FindObjectByCode(""), nullptr);

    // Renamed directly, through the automation property, through SetCode
    // and through the property item.
    a->SetCodeRaw("Gamma");
    EXPECT_EQ(page.FindObjectByCode("Alpha"), nullptr);
    EXPECT_EQ(page.FindObjectByCode("Gamma"), a);
    b->SetProperty("Code", vx::Variant("Delta"));
    EXPECT_EQ(page.FindObjectByCode("Delta"), b);
    EXPECT_FALSE(page.IsCodeUsed("Beta", nullptr));
    {
        auto item = b->CreateProperty(vx::prop::kObjectCode, true);
        auto* code = dynamic_cast<CPropCodeStr*>(item.get());
        ASSERT_NE(code, nullptr);
        code->setValue("Epsilon");
        code->Apply();
    }
    EXPECT_EQ(b->GetCode(), "Epsilon");
    EXPECT_EQ(page.FindObjectByCode("Epsilon"), b);
    EXPECT_EQ(page.FindObjectByCode("Delta"), nullptr);

    // Removed objects are gone from the index, also when renamed later.
    std::unique_ptr<CHyperOb> gone = page.Remove(a);
    EXPECT_EQ(page.FindObjectByCode("Gamma"), nullptr);
    gone->SetCodeRaw("Epsilon");
    EXPECT_EQ(page.FindObjectByCode("Epsilon"), b);
    EXPECT_FALSE(page.IsCodeUsed("Epsilon", b));

    // Of several objects with one Code the front-most answers, as the page
    // order changes.
    CHyperOb* back = Add(page, "Twin");
    CHyperOb* front = Add(page, "twin", 0);
    CHyperOb* middle = Add(page, "Twin", 1);
    EXPECT_EQ(page.FindObjectByCode("Twin"), middle);
    EXPECT_EQ(page.FindObjectByCodeNoCase("TWIN"), front);
    page.MoveTo(back, 0);
    EXPECT_EQ(page.FindObjectByCode("Twin"), back);
    EXPECT_TRUE(page.IsCodeUsed("Twin", back));
    page.Remove(middle);
    EXPECT_FALSE(page.IsCodeUsed("Twin", back));
    // Many insertions at one place use up the room between two neighbours.
    for (int i = 0; i < 40; ++i) Add(page, "Twin", 2);
    EXPECT_EQ(page.FindObjectByCode("Twin"), back);
    EXPECT_EQ(page.FindObjectByCodeNoCase("twin"), back);
    page.MoveTo(front, 0);
    EXPECT_EQ(page.FindObjectByCodeNoCase("twin"), front);
    EXPECT_EQ(page.FindObjectByCodeNoCase("twin", &CHyperViewOb::classInfo), nullptr);

    // Texts outside ASCII are found ignoring case as well.
    CHyperOb* umlaut = Add(page, "Äpfel");
    EXPECT_EQ(page.FindObjectByCodeNoCase("äPFEL"), umlaut);

    page.RemoveAll();
    EXPECT_EQ(page.FindObjectByCode("Epsilon"), nullptr);
    EXPECT_EQ(page.Count(), 0u);
}

TEST(CodeIndex, MovesWithObjectsBetweenPagesAndThroughFiles) {
    CMyDoc doc;
    Add(doc.mainPage(), "Kept");
    Add(doc.mainPage(), "Same");
    CHyperOb* shadowed = Add(doc.mainPage(), "Same");
    Add(doc.mainPage(), "");
    Add(doc.mainPage(), " ");
    const std::vector<uint8_t> bytes = doc.SaveToBytes();
    EXPECT_EQ(shadowed->GetCode(), "Same");  // duplicates are written as they are

    CMyDoc back;
    ASSERT_EQ(back.LoadFromBytes(bytes).status, LoadResult::kOk);
    CHyperPage& page = back.mainPage();
    ASSERT_EQ(page.Count(), 5u);
    EXPECT_EQ(page.FindObjectByCode("Kept"), page.At(0));
    EXPECT_EQ(page.FindObjectByCode("Same"), page.At(1));
    // Invalid codes got the type name and the first free numbers.
    EXPECT_EQ(page.At(3)->GetCode(), "Object1");
    EXPECT_EQ(page.At(4)->GetCode(), "Object2");
    EXPECT_EQ(page.FindObjectByCode("Object2"), page.At(4));
    EXPECT_TRUE(back.IsModified());

    // Objects handed to another page are found there only.
    CHyperPage other;
    other.AdoptObjects(page.ReleaseObjects());
    EXPECT_EQ(page.FindObjectByCode("Kept"), nullptr);
    EXPECT_EQ(other.FindObjectByCode("Kept"), other.At(0));
    other.At(0)->SetCodeRaw("Moved");
    EXPECT_EQ(other.FindObjectByCode("Moved"), other.At(0));
}

TEST(CodeIndex, AutomaticNamesTakeTheFirstFreeNumber) {
    CHyperPage page;
    std::vector<CHyperOb*> rects;
    for (int i = 1; i <= 12; ++i) rects.push_back(Add(page, "Rect" + std::to_string(i)));
    EXPECT_EQ(page.UniqueCode("Rect"), "Rect13");
    EXPECT_EQ(page.UniqueCode("Frame"), "Frame1");
    EXPECT_EQ(page.FreeCodeNumber("Rect", 5), 13);
    EXPECT_EQ(page.FreeCodeNumber("Rect", 20), 20);
    EXPECT_EQ(page.FreeCodeNumber("Rect", 0), 0);

    // A number becomes free when its code leaves the page or is renamed.
    page.Remove(rects[11]);  // Rect12: also stem Rect1 with number 2
    EXPECT_EQ(page.UniqueCode("Rect"), "Rect12");
    EXPECT_EQ(page.FreeCodeNumber("Rect1", 1), 2);
    rects[2]->SetCodeRaw("Other");  // Rect3
    EXPECT_EQ(page.UniqueCode("Rect"), "Rect3");
    // An object alone with a code may keep it; a shared code is used.
    EXPECT_EQ(page.FreeCodeNumber("Rect", 1, rects[0]), 1);
    Add(page, "Rect1");
    EXPECT_EQ(page.FreeCodeNumber("Rect", 1, rects[0]), 3);

    CHyperOb* fresh = page.Insert(std::make_unique<CHyperOb>());
    EXPECT_EQ(fresh->SetCode("Rect", 1), 3);
    EXPECT_EQ(fresh->GetCode(), "Rect3");
    EXPECT_EQ(page.FindObjectByCode("Rect3"), fresh);
    EXPECT_EQ(page.UniqueCode("Rect"), "Rect12");
    // A duplicated code is given up for a free one.
    EXPECT_EQ(rects[0]->SetCode("Rect", 1), 12);
    EXPECT_EQ(rects[0]->GetCode(), "Rect12");
}

TEST(CodeIndex, NamingAndFindingDoNotWalkThePage) {
    constexpr int kObjects = 400;
    CHyperPage page;
    for (int i = 0; i < kObjects; ++i) page.Insert(std::make_unique<CCountingOb>());
    CCountingOb::reads = 0;
    EXPECT_TRUE(page.AfterLoad());
    EXPECT_EQ(page.At(kObjects - 1)->GetCode(), "Object" + std::to_string(kObjects));
    // A walk per name would read about kObjects * kObjects / 2 codes.
    EXPECT_LT(CCountingOb::reads, 20L * kObjects);

    CCountingOb::reads = 0;
    for (int i = 1; i <= kObjects; ++i) {
        const std::string code = "Object" + std::to_string(i);
        ASSERT_EQ(page.FindObjectByCode(code), page.At(size_t(i - 1)));
        EXPECT_TRUE(page.IsCodeUsed(code, nullptr));
    }
    EXPECT_LT(CCountingOb::reads, 20L * kObjects);
}
