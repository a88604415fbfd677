// Replacing a file so that a failed save never harms what was there: the
// bytes go to a temporary file in the same folder, which is flushed to disk
// and only then renamed over the target. Every system call is checked; on
// any failure the temporary file is removed and the target is left byte for
// byte as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <utility>

namespace vx {

// Writes `bytes` to `path` (following a symbolic link to its file). Returns
// an empty string on success, else the cause in words ("out of disk space;
// the file was left as it was"), one line, without the file name.
std::string SaveFileSafely(const std::string& path, std::span<const uint8_t> bytes);

// Where a file written piece by piece goes (the temporary file of the
// save). After a failed write the rest is ignored.
class SaveStream {
public:
    using WriteFn = std::function<int(std::span<const uint8_t>)>;
    explicit SaveStream(WriteFn write) : write_(std::move(write)) {}
    // Appends `bytes`; false once a write has failed.
    bool Write(std::span<const uint8_t> bytes) {
        if (error_ == 0) error_ = write_(bytes);
        return error_ == 0;
    }
    // The errno of the failed write, or 0.
    int error() const { return error_; }

private:
    WriteFn write_;
    int error_ = 0;
};

// As SaveFileSafely, for contents too large to hold in memory at once:
// `produce` writes them to the stream in as many pieces as it likes and
// returns an empty string, or why it could not finish (the save then stops
// and the target is left as it was; that text is returned with what
// happened to the file). A failed write is reported as by SaveFileSafely.
std::string SaveFileStreaming(const std::string& path, const std::function<std::string(SaveStream&)>& produce);

// Removes the temporary files that saves of `path` left behind when their
// process died before the rename (a writer that is gone and a file older
// than kStaleTempSeconds). SaveFileSafely calls it before each save.
// Returns how many were removed.
int RemoveStaleTempFiles(const std::string& path);
inline constexpr long kStaleTempSeconds = 60;

// The cause of a failed file operation in words, for an errno value.
std::string FileErrorText(int error);

// Test hook: makes the n-th call (counted from 1 after Arm) of one kind of
// step fail with `error`, and can cut each write(2) to a few bytes so that
// a save takes many writes. Not for production use.
class SafeSaveFaults {
public:
    enum Step { kCreate, kWrite, kSync, kClose, kRename, kStepCount };
    static void Arm(Step step, int nth, int error);
    // Largest number of bytes one write(2) is handed; 0 means no limit.
    static void SetMaxWriteBytes(size_t n);
    static void Clear();
    // Called by the save before each step: the errno to fail with, or 0.
    static int Hit(Step step);
    static size_t MaxWriteBytes();
    // How often a step ran since the last Arm or Clear.
    static int Calls(Step step);
};

}  // namespace vx
