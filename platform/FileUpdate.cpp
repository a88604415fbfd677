#include "platform/FileUpdate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/SafeSave.h"

namespace vx {

namespace {

// No single write(2) is asked for more than this.
constexpr size_t kChunk = size_t(1) << 20;

}  // namespace

FileUpdate::~FileUpdate() {
    if (fd_ >= 0) ::close(fd_);
}

int FileUpdate::Open(const std::string& path) {
    if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kCreate)) return e;
    // O_NONBLOCK: a named pipe must not make the open wait for a reader.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno;
    struct stat st;
    int e = ::fstat(fd, &st) == 0 ? 0 : errno;
    if (!e && !S_ISREG(st.st_mode)) e = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    if (e) {
        ::close(fd);
        return e;
    }
    // Back to ordinary blocking writes.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    size_ = uint64_t(st.st_size);
    device_ = st.st_dev;
    inode_ = st.st_ino;
    return 0;
}

bool FileUpdate::ReadAt(uint64_t offset, void* p, size_t n) const {
    auto* out = static_cast<uint8_t*>(p);
    while (n > 0) {
        const ssize_t got = ::pread(fd_, out, n, off_t(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        out += got;
        offset += uint64_t(got);
        n -= size_t(got);
    }
    return true;
}

int FileUpdate::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    const uint8_t* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        size_t n = std::min(left, kChunk);
        if (const size_t cap = SafeSaveFaults::MaxWriteBytes()) n = std::min(n, cap);
        if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kWrite)) return e;
        const ssize_t done = ::pwrite(fd_, p, n, off_t(offset));
        if (done < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        // A write that takes nothing would loop forever.
        if (done == 0) return ENOSPC;
        p += done;
        offset += uint64_t(done);
        left -= size_t(done);
    }
    return 0;
}

int FileUpdate::Sync() {
    if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kSync)) return e;
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int FileUpdate::Truncate(uint64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0) return errno;
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int FileUpdate::Close() {
    const int fd = fd_;
    fd_ = -1;
    const int injected = SafeSaveFaults::Hit(SafeSaveFaults::kClose);
    const int rc = ::close(fd);
    if (injected) return injected;
    return rc == 0 || errno == EINTR ? 0 : errno;
}

void FileUpdate::CloseUnchanged() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace vx
