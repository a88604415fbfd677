#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/SafeSave.h"

namespace vx {

namespace {

std::string ReadErrorText(int error) {
    // For a file being read, a missing entry is the file, not the folder.
    if (error == ENOENT) return "there is no such file";
    return FileErrorText(error);
}

std::string Megabytes(uint64_t bytes) {
    return std::to_string((bytes + (uint64_t(1) << 20) - 1) >> 20) + " MB";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::string ReadRegularFile(const std::string& path, std::vector<uint8_t>& out, uint64_t limit) {
    out.clear();
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return ReadErrorText(errno);
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) return ReadErrorText(errno);
    if (S_ISDIR(st.st_mode)) return FileErrorText(EISDIR);
    if (S_ISFIFO(st.st_mode)) return "it is a named pipe, not a design file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "it is a device, not a design file";
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    const uint64_t size = uint64_t(st.st_size);
    if (size > limit)
        return "the file is " + Megabytes(size) + ", more than the " + Megabytes(limit) +
               " a design file can be; it was not read";
    try {
        out.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return "not enough memory to read the " + Megabytes(size) + " file";
    }
    size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::read(fd.get(), out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            out.clear();
            return ReadErrorText(e);
        }
        // The file became shorter while it was read: what is there is all.
        if (n == 0) break;
        got += size_t(n);
    }
    out.resize(got);
    return {};
}

}  // namespace vx
