// The document around its file: the Title through open and save, the end
// of the file, files that are not designs, and saves that fail.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/Archive.h"
#include "model/HyperOleDoc.h"
#include "platform/FileRead.h"
#include "platform/SafeSave.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

namespace {

// What the editor does for Save and Save As.
void SaveAs(CHyperOleDoc& doc, const std::string& path) {
    ASSERT_EQ(doc.DoSave(path), "");
    EXPECT_FALSE(doc.IsModified());
}

std::vector<uint8_t> ADesign(const std::string& title, const std::string& description) {
    CMyDoc doc;
    doc.SetTitle(title);
    doc.SetDescription(description);
    auto ob = std::make_unique<CHyperOb>();
    ob->SetCodeRaw("Box1");
    doc.mainPage().Insert(std::move(ob))->SetRect(CRect(10, 20, 110, 70));
    return doc.SaveToBytes();
}

}  // namespace

TEST(DocumentTitle, AStoredOrTypedTitleSurvivesEverySave) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    vxtest::WriteAll(path, ADesign("Plan of record", "About it"));
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromFile(path).status, LoadResult::kOk);
    EXPECT_EQ(doc.title(), "Plan of record");
    SaveAs(doc, path);
    const auto first = vxtest::ReadAll(path);
    SaveAs(doc, path);
    EXPECT_EQ(vxtest::ReadAll(path), first);
    EXPECT_EQ(doc.title(), "Plan of record");
    SaveAs(doc, dir + "/copy.vxw");
    EXPECT_EQ(doc.title(), "Plan of record");
    // A Title the user types stays too.
    doc.titleMember() = "Typed";
    SaveAs(doc, dir + "/third.vxw");
    SaveAs(doc, dir + "/third.vxw");
    EXPECT_EQ(doc.title(), "Typed");
    CMyDoc back;
    ASSERT_EQ(back.LoadFromFile(dir + "/third.vxw").status, LoadResult::kOk);
    EXPECT_EQ(back.title(), "Typed");
}

TEST(DocumentTitle, TheFrameworksTitleFollowsTheFile) {
    const std::string dir = vxtest::TempDir();
    CMyDoc doc;
    doc.SetTitle("Vxw1");
    SaveAs(doc, dir + "/first.vxw");
    EXPECT_EQ(doc.title(), "first.vxw");
    // The file already holds the Title the document has now.
    const auto first = vxtest::ReadAll(dir + "/first.vxw");
    SaveAs(doc, dir + "/first.vxw");
    EXPECT_EQ(vxtest::ReadAll(dir + "/first.vxw"), first);
    SaveAs(doc, dir + "/second.vxw");
    EXPECT_EQ(doc.title(), "second.vxw");
    // Opened with the file title it was saved under: still the framework's.
    CMyDoc back;
    ASSERT_EQ(back.LoadFromFile(dir + "/second.vxw").status, LoadResult::kOk);
    EXPECT_EQ(back.title(), "second.vxw");
    SaveAs(back, dir + "/third.vxw");
    EXPECT_EQ(back.title(), "third.vxw");
}

TEST(DocumentTrailer, AFileEndingInsideOrAfterTheTrailerIsDamage) {
    const std::vector<uint8_t> good = ADesign("Plan", "A description long enough");
    // The trailer: tag, Title, tag, Description.
    const size_t trailer = good.size() - (4 + 5 + 4 + 26);
    CMyDoc whole;
    ASSERT_EQ(whole.LoadFromBytes(good).status, LoadResult::kOk);
    ASSERT_EQ(whole.description(), "A description long enough");
    for (size_t n = trailer; n < good.size(); ++n) {
        SCOPED_TRACE(n);
        CMyDoc doc;
        const LoadResult r = doc.LoadFromBytes(std::vector<uint8_t>(good.begin(), good.begin() + long(n)));
        EXPECT_EQ(r.status, LoadResult::kPartial) << r.message;
        EXPECT_NE(r.message.find("trailer"), std::string::npos) << r.message;
        // What was read stays.
        EXPECT_EQ(doc.mainPage().Count(), 1u);
    }
    for (size_t extra : {1, 3, 4, 40}) {
        std::vector<uint8_t> longer = good;
        longer.resize(good.size() + extra, 0x5A);
        CMyDoc doc;
        const LoadResult r = doc.LoadFromBytes(longer);
        EXPECT_EQ(r.status, LoadResult::kPartial) << extra;
        EXPECT_NE(r.message.find(std::to_string(extra) + " bytes follow"), std::string::npos) << r.message;
        EXPECT_EQ(doc.description(), "A description long enough");
    }
    // Opened from a file, a cut trailer makes the document untitled.
    const std::string path = vxtest::TempDir() + "/cut.vxw";
    vxtest::WriteAll(path, std::vector<uint8_t>(good.begin(), good.end() - 28));
    CMyDoc doc;
    EXPECT_EQ(doc.LoadFromFile(path).status, LoadResult::kPartial);
    EXPECT_TRUE(doc.partlyRead());
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentSave, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    const std::vector<uint8_t> before = ADesign("Old", "old");
    vxtest::WriteAll(path, before);
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromBytes(ADesign("New", "new")).status, LoadResult::kOk);
    for (auto step : {vx::SafeSaveFaults::kWrite, vx::SafeSaveFaults::kSync, vx::SafeSaveFaults::kClose}) {
        vx::SafeSaveFaults::Arm(step, 1, ENOSPC);
        const std::string err = doc.SaveToFile(path);
        vx::SafeSaveFaults::Clear();
        EXPECT_NE(err.find("out of disk space"), std::string::npos) << err;
        EXPECT_EQ(vxtest::ReadAll(path), before);
        EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});
    }
    // The auto-save copy goes the same way.
    vx::SafeSaveFaults::Arm(vx::SafeSaveFaults::kWrite, 1, ENOSPC);
    EXPECT_FALSE(doc.SaveToFile(CMyDoc::AutoSaveName(path, "plan.vxw")).empty());
    vx::SafeSaveFaults::Clear();
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});
}

TEST(DocumentSave, AFullDiskLeavesTheOldDesign) {
    vxtest::TinyDisk disk;
    VX_REQUIRE_TINY_DISK(disk);
    const std::string path = disk.path() + "/plan.vxw";
    const std::vector<uint8_t> before = ADesign("Old", "old");
    vxtest::WriteAll(path, before);
    disk.Fill();
    CMyDoc doc;
    ASSERT_EQ(doc.LoadFromBytes(ADesign("New", std::string(9000, 'x'))).status, LoadResult::kOk);
    EXPECT_NE(doc.SaveToFile(path).find("out of disk space"), std::string::npos);
    EXPECT_EQ(vxtest::ReadAll(path), before);
}

TEST(DocumentSave, AFailedClassDefaultsSaveKeepsTheOldDefaults) {
    CHyperOb tmpl;
    tmpl.setToolTipText("first");
    ASSERT_EQ(tmpl.PersistToFile(0), 1);
    tmpl.setToolTipText("second");
    vx::SafeSaveFaults::Arm(vx::SafeSaveFaults::kWrite, 1, ENOSPC);
    EXPECT_EQ(tmpl.PersistToFile(0), 0);
    vx::SafeSaveFaults::Clear();
    CHyperOb back;
    ASSERT_EQ(back.PersistToFile(1), 1);
    EXPECT_EQ(back.toolTipText(), "first");
    EXPECT_EQ(back.PersistToFile(-1), 1);
}

namespace {

// A design file written by hand: no window object, then a page record with
// `objects` and, when `pageObject`, the page object of `from`.
std::vector<uint8_t> WithoutWindowObject(CHyperPage& from, bool pageObject) {
    CArchive ar;
    ar.WriteString("");
    ar.WriteObject(nullptr);
    ar.m_pPage = &from;
    if (pageObject) {
        from.Serialize(ar);
    } else {
        vxtest::Bytes page;
        page.tag(1).s("").dw(6).w(0).dw((10u << 16) | 10u).dw(10).dw(10).dw(10).dw(10);
        for (int i = 0; i < 16; ++i) page.dw(0);
        page.w(0).dw(0).w(0);
        ar.WriteBytes(page.d.data(), page.d.size());
    }
    ar.WriteVersion(0);
    ar.WriteString("Title");
    ar.WriteVersion(0);
    ar.WriteString("");
    return ar.TakeBuffer();
}

LoadResult LoadBytes(const std::vector<uint8_t>& bytes) {
    CMyDoc doc;
    return doc.LoadFromBytes(bytes);
}

}  // namespace

TEST(DocumentOpen, ZeroedAndEmptyFilesAreRefused) {
    for (size_t n : {size_t(0), size_t(24), size_t(25), size_t(100), size_t(65536)}) {
        SCOPED_TRACE(n);
        const LoadResult r = LoadBytes(std::vector<uint8_t>(n, 0));
        EXPECT_EQ(r.status, LoadResult::kFailed);
        EXPECT_NE(r.message.find(n == 0 ? "empty" : "zero bytes"), std::string::npos) << r.message;
    }
    // Zeros where the window and the page object belong, a Title after them.
    CHyperPage page;
    LoadResult r = LoadBytes(WithoutWindowObject(page, false));
    EXPECT_EQ(r.status, LoadResult::kFailed);
    EXPECT_NE(r.message.find("holds no design"), std::string::npos) << r.message;
    // A missing window object alone is not damage: the page is still there.
    r = LoadBytes(WithoutWindowObject(page, true));
    EXPECT_EQ(r.status, LoadResult::kOk) << r.message;
    page.Insert(std::make_unique<CHyperOb>())->SetCodeRaw("Box1");
    CMyDoc doc;
    r = doc.LoadFromBytes(WithoutWindowObject(page, true));
    EXPECT_EQ(r.status, LoadResult::kOk) << r.message;
    EXPECT_EQ(doc.mainPage().Count(), 1u);
}

TEST(DocumentOpen, OnlyRegularFilesWithinTheLimitAreRead) {
    const std::string dir = vxtest::TempDir();
    const std::string fifo = dir + "/pipe.vxw";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Larger than the limit without taking the space: the size is checked
    // before anything is read.
    const std::string huge = dir + "/huge.vxw";
    vxtest::WriteAll(huge, ADesign("Big", ""));
    ASSERT_EQ(::truncate(huge.c_str(), off_t(vx::kMaxDesignFileBytes + 1)), 0);
    const struct {
        std::string path, says;
    } cases[] = {
        {"/dev/zero", "device"},         {fifo, "named pipe"},       {dir, "folder"},
        {dir + "/none.vxw", "no such file"}, {huge, "more than the 256 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        CMyDoc doc;
        doc.SetTitle("Before");
        const LoadResult r = doc.LoadFromFile(c.path);
        EXPECT_EQ(r.status, LoadResult::kFailed);
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
        EXPECT_EQ(doc.title(), "Before");
    }
    // The limit itself is still read.
    const std::string small = dir + "/small.vxw";
    const std::vector<uint8_t> bytes = ADesign("Small", "");
    vxtest::WriteAll(small, bytes);
    std::vector<uint8_t> read;
    EXPECT_EQ(vx::ReadRegularFile(small, read, bytes.size()), "");
    EXPECT_EQ(read, bytes);
    EXPECT_NE(vx::ReadRegularFile(small, read, bytes.size() - 1), "");
    EXPECT_TRUE(read.empty());
}
