// Writing a PNG image row by row to a save stream, so that an image of any
// height needs memory for one band of rows only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QImage;
struct png_struct_def;
struct png_info_def;

namespace vx {

class SaveStream;

class PngRowWriter {
public:
    // Starts an 8-bit RGB image of `width` x `height` pixels with a
    // resolution of `dotsPerMeter`; check ok() before writing rows.
    PngRowWriter(SaveStream& out, int width, int height, int dotsPerMeter);
    ~PngRowWriter();
    PngRowWriter(const PngRowWriter&) = delete;
    PngRowWriter& operator=(const PngRowWriter&) = delete;

    bool ok() const { return error_.empty(); }
    // Why the image could not be written (empty while all is well; a failed
    // write of the stream is the stream's own error).
    const std::string& error() const { return error_; }

    // Appends the first `rows` rows of `band` (Format_RGB32, the image's
    // width). Returns ok().
    bool WriteRows(const QImage& band, int rows);
    // Ends the image once every row was written. Returns ok().
    bool Finish();

private:
    static void WriteData(png_struct_def* png, unsigned char* data, size_t length);
    static void FlushData(png_struct_def* png);
    static void OnError(png_struct_def* png, const char* message);
    static void OnWarning(png_struct_def* png, const char* message);
    void Flush();
    void Fail(const char* what);

    SaveStream& out_;
    png_struct_def* png_ = nullptr;
    png_info_def* info_ = nullptr;
    int width_;
    int rowsLeft_;
    // Encoded bytes gathered into larger writes; its capacity is reserved
    // up front, so the callbacks never allocate.
    std::vector<uint8_t> buffer_;
    std::vector<unsigned char*> rows_;
    char message_[128] = {};
    std::string error_;
};

}  // namespace vx
