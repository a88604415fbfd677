#include "support/FullDisk.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

#include "platform/QtConv.h"
#include "support/TestSupport.h"

namespace vxtest {

TinyDisk::TinyDisk(size_t bytes) : path_(TempDir() + "/disk") {
    QDir().mkpath(vx::ToQString(path_));
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0) mounted_ = true;
    else problem_ = std::strerror(errno);
}

TinyDisk::~TinyDisk() {
    if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

void TinyDisk::Fill() {
    const std::string filler = path_ + "/filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    // Large pieces first, then single bytes, until nothing more fits.
    static const char block[4096] = {};
    for (size_t piece = sizeof block; piece > 0; piece /= 2)
        while (::write(fd, block, piece) == ssize_t(piece)) {
        }
    ::fsync(fd);
    ::close(fd);
}

bool TinyDisk::MakeReadOnly() {
    return mounted_ &&
           ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

}  // namespace vxtest
