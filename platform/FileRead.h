// Reading a whole input file that may be anything: only regular files are
// read, their size is checked against a limit before anything is allocated,
// and the bytes are read straight into the buffer the reader parses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// The largest design file that is read: a page holds at most 65,535
// objects, which never come near this.
inline constexpr uint64_t kMaxDesignFileBytes = uint64_t(256) << 20;

// Reads the regular file `path` into `out`. Returns an empty string on
// success, else the cause in words ("it is not a regular file", "there is
// no such file"), one line, without the file name. Named pipes, devices and
// folders are refused without being read; so is a file larger than
// `limit` bytes. Allocation failure is reported, not thrown.
std::string ReadRegularFile(const std::string& path, std::vector<uint8_t>& out,
                            uint64_t limit = kMaxDesignFileBytes);

}  // namespace vx
