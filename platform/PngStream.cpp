#include "platform/PngStream.h"

#include <png.h>

#include <QImage>
#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>

#include "platform/SafeSave.h"

namespace vx {

namespace {

// Encoded bytes handed to the stream at once.
constexpr size_t kWriteBytes = size_t(1) << 20;

// The library reports its errors by a long jump back to the last setjmp. Each
// call into it is made from one of these small functions, which hold nothing
// that needs destroying, so the jump skips no destructor.
bool StartImage(png_structp png, png_infop info, int width, int height, int dotsPerMeter) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, png_uint_32(dotsPerMeter), png_uint_32(dotsPerMeter),
                 PNG_RESOLUTION_METER);
    png_write_info(png, info);
    // Rows come as 32-bit 0xffRRGGBB words: drop the unused byte and take
    // the colours in the order the words hold them in memory.
    if constexpr (std::endian::native == std::endian::little) {
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    } else {
        png_set_filler(png, 0, PNG_FILLER_BEFORE);
    }
    return true;
}

bool WriteRowPointers(png_structp png, png_bytepp rows, png_uint_32 count) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_rows(png, rows, count);
    return true;
}

bool EndImage(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_write_end(png, info);
    return true;
}

}  // namespace

PngRowWriter::PngRowWriter(SaveStream& out, int width, int height, int dotsPerMeter)
    : out_(out), width_(width), rowsLeft_(height) {
    buffer_.reserve(kWriteBytes);
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &PngRowWriter::OnError,
                                   &PngRowWriter::OnWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) {
        error_ = "not enough memory for the image";
        return;
    }
    png_set_write_fn(png_, this, &PngRowWriter::WriteData, &PngRowWriter::FlushData);
    if (!StartImage(png_, info_, width, height, dotsPerMeter))
        Fail("the image could not be encoded");
}

PngRowWriter::~PngRowWriter() {
    if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
}

bool PngRowWriter::WriteRows(const QImage& band, int rows) {
    if (!ok()) return false;
    if (band.format() != QImage::Format_RGB32 || band.width() != width_ || rows < 0 ||
        rows > band.height() || rows > rowsLeft_) {
        Fail("the image rows do not fit the image");
        return false;
    }
    rows_.resize(size_t(rows));
    // The library copies each row before it changes anything in it.
    for (int y = 0; y < rows; ++y)
        rows_[size_t(y)] = const_cast<unsigned char*>(band.constScanLine(y));
    if (!WriteRowPointers(png_, rows_.data(), png_uint_32(rows)))
        Fail("the image could not be encoded");
    rowsLeft_ -= rows;
    return ok() && out_.error() == 0;
}

bool PngRowWriter::Finish() {
    if (!ok()) return false;
    if (rowsLeft_ != 0) {
        Fail("the image is missing rows");
        return false;
    }
    if (!EndImage(png_, info_)) Fail("the image could not be encoded");
    Flush();
    return ok() && out_.error() == 0;
}

void PngRowWriter::WriteData(png_structp png, png_bytep data, size_t length) {
    auto* self = static_cast<PngRowWriter*>(png_get_io_ptr(png));
    if (self->out_.error() != 0) return;  // the stream stopped; the caller sees why
    if (self->buffer_.size() + length > self->buffer_.capacity()) self->Flush();
    if (length >= self->buffer_.capacity()) {
        self->out_.Write(std::span<const uint8_t>(data, length));
        return;
    }
    self->buffer_.insert(self->buffer_.end(), data, data + length);
}

void PngRowWriter::FlushData(png_structp) {}

void PngRowWriter::OnError(png_structp png, const char* message) {
    auto* self = static_cast<PngRowWriter*>(png_get_error_ptr(png));
    std::strncpy(self->message_, message ? message : "", sizeof self->message_ - 1);
    png_longjmp(png, 1);
}

void PngRowWriter::OnWarning(png_structp, const char*) {}

void PngRowWriter::Flush() {
    if (!buffer_.empty()) out_.Write(buffer_);
    buffer_.clear();
}

void PngRowWriter::Fail(const char* what) {
    if (!error_.empty()) return;
    error_ = what;
    if (message_[0]) error_ += std::string(" (") + message_ + ")";
}

}  // namespace vx
