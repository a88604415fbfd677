#include "platform/SafeSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

namespace vx {

namespace {

struct Faults {
    SafeSaveFaults::Step step = SafeSaveFaults::kStepCount;
    int countdown = 0;
    int error = 0;
    size_t maxWrite = 0;
    int calls[SafeSaveFaults::kStepCount] = {};
};

Faults& TheFaults() {
    static Faults f;
    return f;
}

// Pieces larger than this are written by several calls, so that no single
// write(2) is asked for more than the kernel hands over at once anyway.
constexpr size_t kChunk = size_t(1) << 20;

std::string Parent(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save replaces: the target of a symbolic link, else the path.
std::string ResolveTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf)) return buf;
    // A dangling link: write where it points.
    const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return path;
    const std::string link(buf, size_t(n));
    return link.front() == '/' ? link : Parent(path) + "/" + link;
}

// Temporary files of a save are named ".NAME.save-PID-NUMBER" after the
// target and the writing process.
std::string TempStem(const std::string& target) { return "." + BaseName(target) + ".save-"; }

// The writer's process id from a temporary file's name (after the stem), or
// 0 when the rest is not "PID-NUMBER".
pid_t WriterOf(const char* rest) {
    long long pid = 0;
    const char* p = rest;
    for (; *p >= '0' && *p <= '9'; ++p) {
        pid = pid * 10 + (*p - '0');
        if (pid > INT_MAX) return 0;
    }
    if (p == rest || *p != '-' || p[1] == '\0') return 0;
    for (++p; *p; ++p)
        if (*p < '0' || *p > '9') return 0;
    return pid_t(pid);
}

}  // namespace

int RemoveStaleTempFiles(const std::string& path) {
    const std::string target = ResolveTarget(path);
    const std::string folder = Parent(target);
    const std::string stem = TempStem(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    const time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (std::strncmp(e->d_name, stem.c_str(), stem.size()) != 0) continue;
        const pid_t pid = WriterOf(e->d_name + stem.size());
        if (pid <= 0 || pid == ::getpid()) continue;
        // The writer is alive (or not ours to ask): its save may be running.
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const std::string name = folder + "/" + e->d_name;
        struct stat st;
        if (::lstat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        // A writer on another machine sharing the folder has a process id
        // that means nothing here; its file is fresh while it writes.
        if (now - st.st_mtime < kStaleTempSeconds) continue;
        if (::unlink(name.c_str()) == 0) ++removed;
    }
    ::closedir(dir);
    return removed;
}

namespace {

mode_t CurrentUmask() {
    // There are no worker threads, so the brief change cannot race.
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

class TempFile {
public:
    ~TempFile() { Discard(); }

    // Creates the file next to `target`; returns 0 or the errno.
    int Create(const std::string& target, mode_t mode) {
        if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kCreate)) return e;
        std::random_device rd;
        const std::string stem = Parent(target) + "/" + TempStem(target);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = stem + std::to_string(::getpid()) + "-" + std::to_string(rd() % 1000000);
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0) {
                if (errno == EEXIST || errno == EINTR) continue;
                return errno;
            }
            fd_ = fd;
            path_ = name;
            // The mode the old file had, or what a new file gets.
            if (::fchmod(fd_, mode) != 0) return errno;
            return 0;
        }
        return EEXIST;
    }

    int Write(std::span<const uint8_t> bytes) {
        const uint8_t* p = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            size_t n = std::min(left, kChunk);
            if (const size_t cap = SafeSaveFaults::MaxWriteBytes()) n = std::min(n, cap);
            if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kWrite)) return e;
            const ssize_t done = ::write(fd_, p, n);
            if (done < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            // A write that takes nothing would loop forever.
            if (done == 0) return ENOSPC;
            p += done;
            left -= size_t(done);
        }
        return 0;
    }

    int Sync() {
        if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kSync)) return e;
        return ::fsync(fd_) == 0 ? 0 : errno;
    }

    int Close() {
        const int fd = fd_;
        fd_ = -1;
        const int injected = SafeSaveFaults::Hit(SafeSaveFaults::kClose);
        // The descriptor is gone after close(2) whatever it returns.
        const int rc = ::close(fd);
        if (injected) return injected;
        return rc == 0 || errno == EINTR ? 0 : errno;
    }

    int RenameOver(const std::string& target) {
        if (const int e = SafeSaveFaults::Hit(SafeSaveFaults::kRename)) return e;
        if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
        path_.clear();
        return 0;
    }

    void Discard() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        if (!path_.empty()) ::unlink(path_.c_str());
        path_.clear();
    }

private:
    int fd_ = -1;
    std::string path_;
};

// Makes the rename itself durable; a folder that cannot be synced (some
// file systems refuse) still holds the complete new file.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string FileErrorText(int error) {
    switch (error) {
        case ENOSPC: return "out of disk space";
#ifdef EDQUOT
        case EDQUOT: return "the disk quota is used up";
#endif
        case EACCES:
        case EPERM: return "permission denied";
        case EROFS: return "the disk is read-only";
        case EIO: return "the device reported a read or write error";
        case ENOENT: return "the folder does not exist";
        case ENOTDIR: return "a part of the path is not a folder";
        case EISDIR: return "it is a folder";
        case ENAMETOOLONG: return "the name is too long";
        case EFBIG: return "the file is too large for the disk";
        case EMFILE:
        case ENFILE: return "too many files are open";
        case ENOMEM: return "not enough memory";
        default: break;
    }
    std::string text = std::strerror(error);
    if (!text.empty()) text.front() = char(std::tolower(static_cast<unsigned char>(text.front())));
    return text;
}

std::string SaveFileSafely(const std::string& path, std::span<const uint8_t> bytes) {
    return SaveFileStreaming(path, [bytes](SaveStream& out) {
        out.Write(bytes);
        return std::string();
    });
}

std::string SaveFileStreaming(const std::string& path, const std::function<std::string(SaveStream&)>& produce) {
    const std::string target = ResolveTarget(path);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    const std::string kept = exists ? "; the file was left as it was" : "; nothing was written";
    if (exists && S_ISDIR(st.st_mode)) return FileErrorText(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) return "it is not a regular file" + kept;
    if (exists && ::access(target.c_str(), W_OK) != 0) return FileErrorText(errno) + kept;
    const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    // A save killed before its rename left a complete temporary file.
    RemoveStaleTempFiles(target);

    TempFile temp;
    if (const int e = temp.Create(target, mode)) return FileErrorText(e) + kept;
    SaveStream stream([&temp](std::span<const uint8_t> piece) { return temp.Write(piece); });
    const std::string problem = produce(stream);
    int e = stream.error();
    if (!e && !problem.empty()) {
        temp.Discard();
        return problem + kept;
    }
    if (!e) e = temp.Sync();
    if (!e) e = temp.Close();
    if (!e) e = temp.RenameOver(target);
    if (e) {
        temp.Discard();
        return FileErrorText(e) + kept;
    }
    SyncFolder(Parent(target));
    return {};
}

void SafeSaveFaults::Arm(Step step, int nth, int error) {
    Faults& f = TheFaults();
    f.step = step;
    f.countdown = nth;
    f.error = error;
    for (int& c : f.calls) c = 0;
}

void SafeSaveFaults::SetMaxWriteBytes(size_t n) { TheFaults().maxWrite = n; }

void SafeSaveFaults::Clear() { TheFaults() = Faults(); }

int SafeSaveFaults::Hit(Step step) {
    Faults& f = TheFaults();
    ++f.calls[step];
    if (step != f.step || f.countdown <= 0) return 0;
    if (--f.countdown > 0) return 0;
    f.step = kStepCount;
    return f.error;
}

size_t SafeSaveFaults::MaxWriteBytes() { return TheFaults().maxWrite; }

int SafeSaveFaults::Calls(Step step) { return TheFaults().calls[step]; }

}  // namespace vx
