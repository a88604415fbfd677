// Saving catalogue files: a failure at any step leaves a readable catalogue
// (the old one, or once the new directory is on disk the new one), a file
// changed behind the catalogue's back is rewritten rather than appended to
// with stale offsets, and a read-only file refuses the save untouched.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/SafeSave.h"
#include "support/CatalogueSupport.h"
#include "support/FullDisk.h"

using vx::SafeSaveFaults;

namespace {

std::unique_ptr<CCatalogueOb> MakeItem(const std::string& name, size_t dataBytes) {
    auto ob = std::make_unique<CCatalogueOb>();
    ob->SetName(name);
    std::vector<uint8_t> data(dataBytes);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 13);
    ob->AddFormat(49161, "Vexelwork Objects", data);
    ob->SetIcon(std::make_unique<CDib>(vxtest::TinyBmp(4, 4, 24)), std::make_unique<CDib>(vxtest::TinyBmp(4, 4, 1)));
    return ob;
}

class CatalogueSave : public vxtest::CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        dir_ = vxtest::TempDir();
        path_ = dir_ + "/shapes.cat";
    }
    void TearDown() override { SafeSaveFaults::Clear(); }

    // A catalogue of two items saved at path_.
    void MakeFile(CCatalogue& cat) {
        cat.Add(MakeItem("Actor", 300));
        cat.Add(MakeItem("Class", 500));
        ASSERT_EQ(cat.SaveAs(path_), "");
    }
    // The name of the first item of the catalogue in path_ ("" when it does
    // not open).
    std::string FirstNameOnDisk() {
        CCatalogue check;
        const std::string err = check.Open(path_);
        EXPECT_EQ(err, "");
        return err.empty() && check.ItemCount() ? check.item(0).name() : std::string();
    }
    std::string dir_, path_;
};

TEST_F(CatalogueSave, FileSavesWriteWhatBufferSavesWrite) {
    CCatalogue onDisk, inMemory;
    MakeFile(onDisk);
    inMemory.Add(MakeItem("Actor", 300));
    inMemory.Add(MakeItem("Class", 500));
    std::vector<uint8_t> buffer;
    ASSERT_EQ(inMemory.SaveToBuffer(buffer, 0), "");
    EXPECT_EQ(vxtest::ReadAll(path_), buffer);
    for (CCatalogue* cat : {&onDisk, &inMemory}) {
        cat->item(1).SetName("Class Box");
        cat->Move(1, 0);
    }
    ASSERT_EQ(onDisk.Save(), "");
    ASSERT_EQ(inMemory.SaveToBuffer(buffer), "");
    EXPECT_FALSE(onDisk.lastSaveWasFull());
    EXPECT_EQ(vxtest::ReadAll(path_), buffer);
    // Saving gives the file a path, not a new name; opening names it.
    EXPECT_EQ(onDisk.name(), "New Catalogue");
    CCatalogue reopened;
    ASSERT_EQ(reopened.Open(path_), "");
    EXPECT_EQ(reopened.name(), "shapes");
    EXPECT_EQ(reopened.path(), path_);
    EXPECT_EQ(FirstNameOnDisk(), "Class Box");
}

TEST_F(CatalogueSave, AnUntitledCatalogueIsNotSaved) {
    CCatalogue cat;
    EXPECT_EQ(cat.Save(), "the catalogue has no file name yet");
    EXPECT_EQ(cat.name(), "New Catalogue");
}

// A full rewrite goes to a temporary file that replaces the old one, so a
// failure at any step leaves the old file byte for byte.
TEST_F(CatalogueSave, AFullRewriteFailingAtAnyStepLeavesTheOldFile) {
    CCatalogue cat;
    MakeFile(cat);
    const std::vector<uint8_t> old = vxtest::ReadAll(path_);
    cat.item(0).SetName("Renamed");
    SafeSaveFaults::SetMaxWriteBytes(64);
    for (int step = SafeSaveFaults::kCreate; step <= SafeSaveFaults::kRename; ++step) {
        for (int nth = 1;; ++nth) {
            SCOPED_TRACE("step " + std::to_string(step) + ", call " + std::to_string(nth));
            SafeSaveFaults::Arm(SafeSaveFaults::Step(step), nth, EIO);
            const std::string err = cat.Save(0);
            if (SafeSaveFaults::Calls(SafeSaveFaults::Step(step)) < nth) {
                ASSERT_EQ(err, "");
                break;
            }
            ASSERT_NE(err, "");
            ASSERT_EQ(vxtest::ReadAll(path_), old);
            EXPECT_EQ(vxtest::FolderEntries(dir_), std::vector<std::string>{"shapes.cat"});
            if (step == SafeSaveFaults::kCreate && nth == 1) {
                // The old file could not even be opened: nothing changed.
                EXPECT_NE(cat.itemOffset(0), 0u);
                continue;
            }
            // Every offset is forgotten, so the next save writes everything.
            EXPECT_EQ(cat.itemOffset(0), 0u);
            EXPECT_EQ(cat.propertyOffset(), 0u);
            EXPECT_TRUE(cat.item(1).IsModified());
        }
        // Back to the old file for the next kind of step.
        vxtest::WriteAll(path_, old);
        ASSERT_EQ(cat.Open(path_), "");
        cat.item(0).SetName("Renamed");
    }
}

// An incremental save appends and flushes first and only then points the
// header at the new directory: until that write the file is the old one
// byte for byte (the appended bytes are cut off again), after it the new one.
TEST_F(CatalogueSave, AnIncrementalSaveFailingAtAnyStepLeavesTheOldOrTheNewCatalogue) {
    SafeSaveFaults::SetMaxWriteBytes(32);
    for (int step : {SafeSaveFaults::kCreate, SafeSaveFaults::kWrite, SafeSaveFaults::kSync, SafeSaveFaults::kClose}) {
        for (int nth = 1;; ++nth) {
            SCOPED_TRACE("step " + std::to_string(step) + ", call " + std::to_string(nth));
            CCatalogue cat;
            MakeFile(cat);
            const std::vector<uint8_t> old = vxtest::ReadAll(path_);
            cat.item(0).SetName("Renamed");
            cat.item(1).RemoveAllEntries();
            SafeSaveFaults::Arm(SafeSaveFaults::Step(step), nth, ENOSPC);
            const std::string err = cat.Save();
            const bool fired = SafeSaveFaults::Calls(SafeSaveFaults::Step(step)) >= nth;
            SafeSaveFaults::Arm(SafeSaveFaults::kStepCount, 0, 0);
            if (!fired) {
                ASSERT_EQ(err, "");
                EXPECT_FALSE(cat.lastSaveWasFull());
                break;
            }
            ASSERT_NE(err, "");
            const std::vector<uint8_t> now = vxtest::ReadAll(path_);
            const std::string first = FirstNameOnDisk();
            if (now != old) {
                EXPECT_EQ(first, "Renamed") << "a changed file must be the new catalogue";
            }
            if (first == "Actor") {
                EXPECT_EQ(now, old);
            }
            // Up to the flush of the appended bytes the file is untouched.
            if (step == SafeSaveFaults::kCreate || (step == SafeSaveFaults::kSync && nth == 1)) {
                EXPECT_EQ(now, old);
            }
            // The next save starts afresh with a full rewrite, unless the
            // file could not even be opened (then nothing changed).
            const bool untouched = step == SafeSaveFaults::kCreate;
            EXPECT_EQ(cat.itemOffset(1) == 0u, !untouched);
            ASSERT_EQ(cat.Save(), "");
            EXPECT_EQ(cat.lastSaveWasFull(), !untouched);
            EXPECT_EQ(FirstNameOnDisk(), "Renamed");
        }
    }
}

TEST_F(CatalogueSave, AFileRewrittenByAnotherCatalogueIsRewrittenNotAppendedTo) {
    {
        CCatalogue cat;
        MakeFile(cat);
    }
    CCatalogue a, b;
    ASSERT_EQ(a.Open(path_), "");
    ASSERT_EQ(b.Open(path_), "");
    a.item(0).SetName("From A");
    ASSERT_EQ(a.Save(0), "");  // compacts: every offset moves
    b.item(1).SetName("From B");
    ASSERT_EQ(b.Save(), "");
    EXPECT_TRUE(b.lastSaveWasFull());
    CCatalogue check;
    ASSERT_EQ(check.Open(path_), "");
    ASSERT_EQ(check.ItemCount(), 2u);
    EXPECT_EQ(check.item(0).name(), "Actor");
    EXPECT_EQ(check.item(1).name(), "From B");
    EXPECT_EQ(check.item(1).EntryCount(), 1u);
}

TEST_F(CatalogueSave, AFileRestoredFromAnOlderCopyIsRewritten) {
    CCatalogue cat;
    MakeFile(cat);
    const std::vector<uint8_t> older = vxtest::ReadAll(path_);
    cat.item(0).SetName("Second");
    ASSERT_EQ(cat.Save(), "");
    vxtest::WriteAll(path_, older);  // in place: same file, old contents
    cat.item(1).SetName("Third");
    ASSERT_EQ(cat.Save(), "");
    EXPECT_TRUE(cat.lastSaveWasFull());
    CCatalogue check;
    ASSERT_EQ(check.Open(path_), "");
    EXPECT_EQ(check.item(0).name(), "Second");
    EXPECT_EQ(check.item(1).name(), "Third");
}

TEST_F(CatalogueSave, AReadOnlyFileFailsTheSaveWithoutTouchingTheCatalogue) {
    CCatalogue cat;
    MakeFile(cat);
    cat.item(0).SetName("Renamed");
    ASSERT_EQ(cat.Save(), "");
    const std::vector<uint8_t> old = vxtest::ReadAll(path_);
    const uint32_t header = cat.itemOffset(1);
    const CCatalogueOb::PartOffsets parts = cat.item(1).partOffsets();
    cat.item(0).SetName("Again");
    // Once by the file's attribute, once refused by the system.
    ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
    EXPECT_EQ(cat.Save(), "the file is read-only; the file was left as it was");
    EXPECT_TRUE(cat.readOnly());
    ASSERT_EQ(::chmod(path_.c_str(), 0644), 0);
    SafeSaveFaults::Arm(SafeSaveFaults::kCreate, 1, EACCES);
    EXPECT_EQ(cat.Save(), "permission denied; the file was left as it was");
    SafeSaveFaults::Clear();
    EXPECT_EQ(vxtest::ReadAll(path_), old);
    EXPECT_EQ(cat.saveCount(), 1);
    EXPECT_EQ(cat.itemOffset(1), header);
    EXPECT_EQ(cat.item(1).partOffsets(), parts);
    // Writable again, the save appends as it would have.
    ASSERT_EQ(cat.Save(), "");
    EXPECT_FALSE(cat.lastSaveWasFull());
    EXPECT_EQ(cat.saveCount(), 2);
    EXPECT_EQ(FirstNameOnDisk(), "Again");
}

TEST_F(CatalogueSave, TheReadOnlyAttributeIsSetAndCleared) {
    CCatalogue cat;
    EXPECT_EQ(cat.SetReadOnly(), -1);
    MakeFile(cat);
    EXPECT_FALSE(cat.readOnly());
    EXPECT_EQ(cat.SetReadOnly(), 1);
    EXPECT_EQ(cat.SetReadOnly(), 0);
    EXPECT_TRUE(cat.readOnly());
    CCatalogue other;
    ASSERT_EQ(other.Open(path_), "");
    EXPECT_TRUE(other.readOnly());
    EXPECT_EQ(cat.ClearReadOnly(), 1);
    EXPECT_EQ(cat.ClearReadOnly(), 0);
    EXPECT_FALSE(cat.readOnly());
}

TEST_F(CatalogueSave, ACopyIsDeepAndStandsInForTheOriginal) {
    CCatalogue cat;
    MakeFile(cat);
    std::unique_ptr<CCatalogue> backup = cat.Copy();
    cat.item(0).SetName("Changed");
    cat.item(1).RemoveAllEntries();
    EXPECT_EQ(backup->item(0).name(), "Actor");
    EXPECT_EQ(backup->item(1).EntryCount(), 1u);
    EXPECT_EQ(backup->path(), cat.path());
    EXPECT_EQ(backup->itemOffset(1), cat.itemOffset(1));
    // The file did not change, so the backup appends to it.
    backup->item(0).SetName("Backup");
    ASSERT_EQ(backup->Save(), "");
    EXPECT_FALSE(backup->lastSaveWasFull());
    EXPECT_EQ(FirstNameOnDisk(), "Backup");
    // The original's offsets are stale now; its save rewrites the file.
    ASSERT_EQ(cat.Save(), "");
    EXPECT_TRUE(cat.lastSaveWasFull());
    EXPECT_EQ(FirstNameOnDisk(), "Changed");
}

TEST_F(CatalogueSave, AFullDiskFailsTheSaveAndKeepsTheFile) {
    vxtest::TinyDisk disk;
    VX_REQUIRE_TINY_DISK(disk);
    path_ = disk.path() + "/full.cat";
    CCatalogue cat;
    MakeFile(cat);
    const std::vector<uint8_t> old = vxtest::ReadAll(path_);
    disk.Fill();
    cat.Add(MakeItem("Large", 200000));
    EXPECT_EQ(cat.Save(), "out of disk space; the file was left as it was");
    EXPECT_EQ(vxtest::ReadAll(path_), old);
    EXPECT_EQ(cat.Save(), "out of disk space; the file was left as it was");
    EXPECT_EQ(vxtest::ReadAll(path_), old);
}

// A process that saves over and over is killed at some moment; the file
// then holds the catalogue of the last save that finished or of the one
// that was running.
TEST_F(CatalogueSave, KillingTheProcessDuringASaveLeavesTheOldOrTheNewCatalogue) {
    {
        CCatalogue cat;
        MakeFile(cat);
        cat.item(0).SetName("v0");
        ASSERT_EQ(cat.Save(), "");
    }
    int last = 0;
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(fds[0]);
            CCatalogue cat;
            if (!cat.Open(path_).empty()) ::_exit(3);
            for (int k = last + 1;; ++k) {
                cat.item(0).SetName("v" + std::to_string(k));
                // Now and then a larger item, so some saves are long.
                if (k % 5 == 0) cat.Add(MakeItem("Large", 100000));
                if (!cat.Save(3).empty()) ::_exit(4);
                if (::write(fds[1], &k, sizeof k) != sizeof k) ::_exit(5);
            }
        }
        ::close(fds[1]);
        // Wait for a few finished saves (more in later rounds), then kill.
        int k = 0;
        for (int seen = 0; seen < 1 + round % 4; ++seen)
            ASSERT_EQ(::read(fds[0], &k, sizeof k), ssize_t(sizeof k)) << "the saving process stopped";
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status));
        while (::read(fds[0], &k, sizeof k) == ssize_t(sizeof k)) {
        }
        ::close(fds[0]);
        const std::string first = FirstNameOnDisk();
        EXPECT_TRUE(first == "v" + std::to_string(k) || first == "v" + std::to_string(k + 1))
            << "last finished save v" << k << ", file holds " << first;
        last = std::stoi(first.substr(1));
    }
}

}  // namespace
