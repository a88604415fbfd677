// Changing an existing file in place, for formats that append new records
// and then switch a small pointer over to them: the appended bytes are
// written and flushed to disk first, and only then is the pointer
// overwritten and flushed, so a crash at any moment leaves either the old
// or the new contents. Every step goes through the SafeSaveFaults hook
// (opening counts as kCreate), so tests can fail each of them.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vx {

class FileUpdate {
public:
    FileUpdate() = default;
    ~FileUpdate();
    FileUpdate(const FileUpdate&) = delete;
    FileUpdate& operator=(const FileUpdate&) = delete;

    // Opens the existing regular file `path` (a link is followed) for
    // reading and writing. Returns 0 or the errno; ENOENT when there is no
    // such file, EISDIR or EINVAL for a folder or a special file.
    int Open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    // The size and identity of the file when it was opened.
    uint64_t size() const { return size_; }
    dev_t device() const { return device_; }
    ino_t inode() const { return inode_; }

    // Reads exactly `n` bytes at `offset`; false when the file is shorter
    // or reading fails.
    bool ReadAt(uint64_t offset, void* p, size_t n) const;
    // Writes all of `bytes` at `offset`, in as many write(2) calls as it
    // takes. Returns 0 or the errno.
    int WriteAt(uint64_t offset, std::span<const uint8_t> bytes);
    // Flushes the file's data to disk. Returns 0 or the errno.
    int Sync();
    // Cuts the file back to `size` bytes and flushes it (undoing an append
    // that failed). Returns 0 or the errno.
    int Truncate(uint64_t size);
    // Closes the file. Returns 0 or the errno; the descriptor is gone either way.
    int Close();
    // Closes a file that was only read; nothing to report.
    void CloseUnchanged();

private:
    int fd_ = -1;
    uint64_t size_ = 0;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace vx
