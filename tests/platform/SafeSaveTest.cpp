// Saving a file safely: the old file survives every failure byte for byte,
// no temporary file is left behind, and the cause is told in words.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/SafeSave.h"
#include "support/FullDisk.h"
#include "support/TestSupport.h"

using vx::SafeSaveFaults;

namespace {

std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
    return v;
}

class SafeSave : public ::testing::Test {
protected:
    void TearDown() override { SafeSaveFaults::Clear(); }
};

}  // namespace

TEST_F(SafeSave, WritesNewFilesAndReplacesOldOnesKeepingTheirMode) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    EXPECT_EQ(vx::SaveFileSafely(path, Pattern(100, 1)), "");
    EXPECT_EQ(vxtest::ReadAll(path), Pattern(100, 1));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    // Larger than one write and than the old file, then smaller again.
    SafeSaveFaults::SetMaxWriteBytes(7);
    EXPECT_EQ(vx::SaveFileSafely(path, Pattern(5000, 2)), "");
    EXPECT_GT(SafeSaveFaults::Calls(SafeSaveFaults::kWrite), 700);
    EXPECT_EQ(vxtest::ReadAll(path), Pattern(5000, 2));
    EXPECT_EQ(vx::SaveFileSafely(path, {}), "");
    EXPECT_TRUE(vxtest::ReadAll(path).empty());
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});
}

TEST_F(SafeSave, SavingThroughALinkReplacesTheLinkedFile) {
    const std::string dir = vxtest::TempDir();
    vxtest::WriteAll(dir + "/real.vxw", Pattern(10, 3));
    ASSERT_EQ(::symlink("real.vxw", (dir + "/link.vxw").c_str()), 0);
    EXPECT_EQ(vx::SaveFileSafely(dir + "/link.vxw", Pattern(20, 4)), "");
    EXPECT_EQ(vxtest::ReadAll(dir + "/real.vxw"), Pattern(20, 4));
    struct stat st;
    ASSERT_EQ(::lstat((dir + "/link.vxw").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST_F(SafeSave, EveryFailingStepLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        SafeSaveFaults::Step step;
        int nth;
        int error;
        const char* words;
    };
    const Case cases[] = {
        {SafeSaveFaults::kCreate, 1, EACCES, "permission denied"},
        {SafeSaveFaults::kWrite, 1, ENOSPC, "out of disk space"},
        {SafeSaveFaults::kWrite, 40, ENOSPC, "out of disk space"},
        {SafeSaveFaults::kWrite, 3, EIO, "read or write error"},
        {SafeSaveFaults::kSync, 1, EIO, "read or write error"},
        {SafeSaveFaults::kSync, 1, ENOSPC, "out of disk space"},
        {SafeSaveFaults::kClose, 1, EDQUOT, "quota"},
        {SafeSaveFaults::kRename, 1, EROFS, "read-only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "step " << c.step << " #" << c.nth << " errno " << c.error);
        const std::string dir = vxtest::TempDir();
        const std::string path = dir + "/plan.vxw";
        vxtest::WriteAll(path, Pattern(3000, 5));
        SafeSaveFaults::SetMaxWriteBytes(64);
        SafeSaveFaults::Arm(c.step, c.nth, c.error);
        const std::string err = vx::SaveFileSafely(path, Pattern(6000, 6));
        EXPECT_NE(err.find(c.words), std::string::npos) << err;
        EXPECT_NE(err.find("left as it was"), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), std::string::npos);
        EXPECT_EQ(vxtest::ReadAll(path), Pattern(3000, 5));
        EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});
        // A new file that fails is not created at all.
        SafeSaveFaults::Arm(c.step, c.nth, c.error);
        EXPECT_FALSE(vx::SaveFileSafely(dir + "/new.vxw", Pattern(6000, 6)).empty());
        EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"plan.vxw"});
        SafeSaveFaults::Clear();
    }
}

TEST_F(SafeSave, FailuresOutsideTheSeamAreReportedToo) {
    const std::string dir = vxtest::TempDir();
    EXPECT_NE(vx::SaveFileSafely(dir + "/no/such/folder/a.vxw", Pattern(5, 1)).find("does not exist"),
              std::string::npos);
    EXPECT_NE(vx::SaveFileSafely(dir, Pattern(5, 1)).find("folder"), std::string::npos);
}

TEST_F(SafeSave, AFullDiskKeepsTheOldFile) {
    vxtest::TinyDisk disk;
    VX_REQUIRE_TINY_DISK(disk);
    const std::string path = disk.path() + "/plan.vxw";
    vxtest::WriteAll(path, Pattern(6000, 7));
    disk.Fill();
    // Larger than what is left, and also a first write that gets nothing.
    for (size_t size : {size_t(20000), size_t(1)}) {
        const std::string err = vx::SaveFileSafely(path, Pattern(size, 8));
        EXPECT_NE(err.find("out of disk space"), std::string::npos) << err;
        EXPECT_EQ(vxtest::ReadAll(path), Pattern(6000, 7));
        EXPECT_EQ(vxtest::FolderEntries(disk.path()), (std::vector<std::string>{"filler", "plan.vxw"}));
    }
}

// Contents written piece by piece: the pieces join in order; a producer that
// gives up, or a write that fails half way, leaves the old file and no
// temporary file, and nothing more is written after the failure.
TEST_F(SafeSave, StreamedContentsJoinOrLeaveTheOldFile) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/image.png";
    const std::vector<uint8_t> a = Pattern(3000, 1), b = Pattern(10, 2);
    EXPECT_EQ(vx::SaveFileStreaming(path, [&](vx::SaveStream& out) {
                  EXPECT_TRUE(out.Write(a));
                  EXPECT_TRUE(out.Write(b));
                  return std::string();
              }),
              "");
    std::vector<uint8_t> joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    EXPECT_EQ(vxtest::ReadAll(path), joined);

    const std::string err = vx::SaveFileStreaming(path, [&](vx::SaveStream& out) {
        out.Write(b);
        return std::string("the image could not be encoded");
    });
    EXPECT_EQ(err, "the image could not be encoded; the file was left as it was");
    EXPECT_EQ(vxtest::ReadAll(path), joined);

    SafeSaveFaults::Arm(SafeSaveFaults::kWrite, 2, ENOSPC);
    int accepted = 0;
    const std::string full = vx::SaveFileStreaming(path, [&](vx::SaveStream& out) {
        for (int i = 0; i < 5; ++i) accepted += out.Write(b);
        EXPECT_EQ(out.error(), ENOSPC);
        return std::string();
    });
    EXPECT_EQ(full, "out of disk space; the file was left as it was");
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(SafeSaveFaults::Calls(SafeSaveFaults::kWrite), 2);
    EXPECT_EQ(vxtest::ReadAll(path), joined);
    EXPECT_EQ(vxtest::FolderEntries(dir), std::vector<std::string>{"image.png"});
}

namespace {

// The temporary files of saves of "plan.vxw" in `dir`.
std::vector<std::string> TempFilesOfPlan(const std::string& dir) {
    std::vector<std::string> temps;
    for (const std::string& name : vxtest::FolderEntries(dir))
        if (name.rfind(".plan.vxw.save-", 0) == 0) temps.push_back(name);
    return temps;
}

void MakeOld(const std::string& path) {
    const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), old, 0);
}

}  // namespace

TEST_F(SafeSave, TheNextSaveRemovesWhatAKilledSaveLeftBehind) {
    const std::string dir = vxtest::TempDir();
    const std::string path = dir + "/plan.vxw";
    vxtest::WriteAll(path, Pattern(10, 1));
    // A save that is killed while it writes its temporary file.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SafeSaveFaults::SetMaxWriteBytes(1);
        vx::SaveFileSafely(path, Pattern(size_t(64) << 20, 2));
        ::_exit(0);
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (TempFilesOfPlan(dir).empty() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const std::vector<std::string> left = TempFilesOfPlan(dir);
    ASSERT_EQ(left.size(), 1u);
    MakeOld(dir + "/" + left[0]);
    // Files this save must not touch: one of a writer that is alive, one of
    // another design, one that only looks similar.
    for (const char* other : {".plan.vxw.save-1-5", ".plan.vxw.save-x-1", ".other.vxw.save-999999999-1"}) {
        vxtest::WriteAll(dir + "/" + other, Pattern(3, 3));
        MakeOld(dir + "/" + other);
    }
    EXPECT_EQ(vx::SaveFileSafely(path, Pattern(20, 4)), "");
    EXPECT_EQ(vxtest::ReadAll(path), Pattern(20, 4));
    EXPECT_EQ(vxtest::FolderEntries(dir), (std::vector<std::string>{".other.vxw.save-999999999-1", ".plan.vxw.save-1-5",
                                                                     ".plan.vxw.save-x-1", "plan.vxw"}));
}

TEST_F(SafeSave, AReadOnlyDiskIsToldAsSuch) {
    vxtest::TinyDisk disk;
    VX_REQUIRE_TINY_DISK(disk);
    const std::string path = disk.path() + "/plan.vxw";
    vxtest::WriteAll(path, Pattern(60, 7));
    ASSERT_TRUE(disk.MakeReadOnly());
    for (const std::string& target : {path, disk.path() + "/new.vxw"}) {
        const std::string err = vx::SaveFileSafely(target, Pattern(20, 8));
        EXPECT_NE(err.find("read-only"), std::string::npos) << err;
    }
    EXPECT_EQ(vxtest::ReadAll(path), Pattern(60, 7));
}
