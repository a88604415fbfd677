// A tiny file system of its own for tests of saving onto a full disk, and
// helpers to fill it. Needs the right to mount (root in a container); tests
// skip when it is missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"  // ReadAll, WriteAll, FolderEntries

namespace vxtest {

class TinyDisk {
public:
    // Mounts a memory file system of `bytes` in a fresh temporary folder.
    explicit TinyDisk(size_t bytes = 64 * 1024);
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Why mounting failed, for the skip message.
    const std::string& problem() const { return problem_; }
    const std::string& path() const { return path_; }
    // Fills the disk to the last byte with a file that stays there.
    void Fill();
    // Mounts the disk again read-only; false when that is refused.
    bool MakeReadOnly();

private:
    std::string path_;
    std::string problem_;
    bool mounted_ = false;
};

}  // namespace vxtest

// Skips the current test when `disk` could not be mounted.
#define VX_REQUIRE_TINY_DISK(disk) \
    if (!(disk).mounted()) GTEST_SKIP() << "no tiny file system: " << (disk).problem()
