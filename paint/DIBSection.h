// The device-independent image the image editor edits: a size, a depth of 1,
// 4, 8, 16, 24 or 32 bits per pixel, a colour table for the depths up to 8,
// and the pixel rows as a bitmap file stores them (bottom row first, each
// row padded to four bytes). 16-bit pixels are 5-5-5 (blue in the low
// bits), 24-bit pixels blue-green-red, 32-bit pixels blue-green-red-unused.
// Every snapshot of the editor's undo history is one of these.
#pragma once

#include <QImage>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Color.h"
#include "platform/Geometry.h"

namespace vx {

// The largest image the editor makes or opens: each side at most
// kPntMaxSide, at most kPntMaxPixels in all (a 32-bit image of that size
// is 128 MB, and the undo history holds several).
inline constexpr int kPntMaxSide = 8192;
inline constexpr int64_t kPntMaxPixels = int64_t{1} << 25;

// A colour with this flag stands for the nearest entry of the colour table;
// the clear and eraser commands use palette-relative white.
inline constexpr uint32_t kPaletteRelative = 0x02000000;
inline constexpr COLORREF kPaletteWhite = COLORREF(0x02FFFFFF);

// The 16 named colours of the colour lists and of the mask conversion.
struct PntNamedColor {
    COLORREF color;
    const char* name;
};
extern const std::array<PntNamedColor, 16> kPntNamedColors;

// The colour table an image gets when it is made without one: 2, 16 or 256
// entries (0 also gives 256); empty for other counts.
std::vector<COLORREF> DefaultPalette(int colorCount);

// 1, 4, 8, 16, 24 or 32.
constexpr bool IsPntBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}
// Bytes per row: ((width * bits + 31) / 32) * 4.
constexpr size_t PntRowBytes(int width, int bits) { return ((size_t(width) * size_t(bits) + 31) / 32) * 4; }
// Whether an image of this size may be made (sides and total within the limits).
constexpr bool PntSizeAllowed(int width, int height) {
    return width >= 1 && height >= 1 && width <= kPntMaxSide && height <= kPntMaxSide &&
           int64_t(width) * height <= kPntMaxPixels;
}

}  // namespace vx

class CDIBSection {
public:
    CDIBSection() = default;
    CDIBSection(const CDIBSection& other) = default;
    CDIBSection& operator=(const CDIBSection& other) = default;
    CDIBSection(CDIBSection&&) noexcept = default;
    CDIBSection& operator=(CDIBSection&&) noexcept = default;

    // A white image. `palette` (colour count entries) or the default one;
    // `bits` (bottom-up rows, stride*height bytes) are copied in when given.
    // False, leaving the image as it was, for a bad depth, a size beyond the
    // limits, a palette of the wrong length or too few bits.
    bool CreateImage(int width, int height, int planes, int bitCount, std::span<const uint8_t> bits = {},
                     const std::vector<COLORREF>* palette = nullptr);
    // An exact copy of `other` (size, depth, palette, pixels).
    void CopyImage(const CDIBSection& other) { *this = other; }
    // New size and depth; the old picture is copied in, its point `origin`
    // (or (0, 0)) at the new top-left corner, through its colours; what the
    // old picture does not cover is white. An image of the same depth keeps
    // its colour table.
    bool ChangeFormat(int width, int height, int planes, int bitCount, const CPoint* origin = nullptr);
    void Clear() { *this = CDIBSection(); }
    // The pixels under `part` (clipped to the image) as an image of the same
    // depth and table; null when nothing is left.
    CDIBSection CopyPart(const CRect& part) const;

    bool IsNull() const { return width_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    int bitCount() const { return bitCount_; }
    size_t stride() const { return stride_; }
    CRect bounds() const { return {0, 0, width_, height_}; }
    // 2, 16, 256 or 0 (no colour table).
    int GetColorCount() const { return int(palette_.size()); }
    const std::vector<COLORREF>& GetPalette() const { return palette_; }
    // Replaces the colour table; `count` must be the image's colour count.
    bool SetColorTable(int count, const COLORREF* entries);
    // The pixel rows, bottom row first.
    std::span<const uint8_t> bits() const { return bits_; }
    std::span<uint8_t> bits() { return bits_; }
    // What the image occupies in memory (pixels and table).
    size_t byteSize() const { return bits_.size() + palette_.size() * sizeof(COLORREF); }

    // The colour of a pixel; -1 outside the image.
    COLORREF PixelAt(int x, int y) const;
    // The stored value of a pixel: a table index, or the packed colour.
    uint32_t ValueAt(int x, int y) const {
        const uint8_t* row = bits_.data() + size_t(height_ - 1 - y) * stride_;
        switch (bitCount_) {
            case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
            case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
            case 8: return row[x];
            case 16: return uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
            case 24: return uint32_t(row[3 * x]) | (uint32_t(row[3 * x + 1]) << 8) | (uint32_t(row[3 * x + 2]) << 16);
            default: return uint32_t(row[4 * x]) | (uint32_t(row[4 * x + 1]) << 8) | (uint32_t(row[4 * x + 2]) << 16);
        }
    }
    void SetValue(int x, int y, uint32_t v) {
        uint8_t* row = bits_.data() + size_t(height_ - 1 - y) * stride_;
        switch (bitCount_) {
            case 1: {
                const uint8_t m = uint8_t(0x80 >> (x & 7));
                row[x >> 3] = uint8_t(v ? (row[x >> 3] | m) : (row[x >> 3] & ~m));
                break;
            }
            case 4: {
                uint8_t& b = row[x >> 1];
                b = (x & 1) ? uint8_t((b & 0xF0) | (v & 0xF)) : uint8_t((b & 0x0F) | ((v & 0xF) << 4));
                break;
            }
            case 8: row[x] = uint8_t(v); break;
            case 16: row[2 * x] = uint8_t(v); row[2 * x + 1] = uint8_t(v >> 8); break;
            case 24: row[3 * x] = uint8_t(v); row[3 * x + 1] = uint8_t(v >> 8); row[3 * x + 2] = uint8_t(v >> 16); break;
            default:
                row[4 * x] = uint8_t(v); row[4 * x + 1] = uint8_t(v >> 8); row[4 * x + 2] = uint8_t(v >> 16);
                row[4 * x + 3] = 0;
                break;
        }
    }
    // The stored value that shows `color` best: the nearest table entry (the
    // first of equals), or the colour packed for the depth. A palette-relative
    // colour is taken as its plain colour.
    uint32_t ValueFor(COLORREF color) const;
    COLORREF ColorOfValue(uint32_t value) const;
    // Sets a pixel inside the image to a colour (outside: nothing).
    void SetPixel(int x, int y, COLORREF color) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) SetValue(x, y, ValueFor(color));
    }
    void FillAll(COLORREF color);

    // The whole image, or the part under `part`, as QImage::Format_RGB32.
    QImage ToQImage() const;
    QImage ToQImage(const CRect& part) const;
    // Writes the pixels under `part` into `out` (an RGB32 or ARGB32 image of
    // this size) at the same place; pixels of `transparent` (when not -1)
    // get alpha 0.
    void RenderInto(QImage& out, const CRect& part, COLORREF transparent = -1) const;
    // This image made from `image` at a depth (the colours of a palette
    // depth mapped to the nearest entry of `palette` or the default one).
    bool FromQImage(const QImage& image, int bitCount, const std::vector<COLORREF>* palette = nullptr);

    // Bitmap files: the bytes go through the program's validating bitmap
    // reader. On failure the image is unchanged and `error` says why.
    bool SetFromBmpBytes(std::span<const uint8_t> file, std::string* error = nullptr);
    std::vector<uint8_t> ToBmpBytes() const;
    bool LoadFile(const std::string& path, std::string* error = nullptr);
    bool SaveFile(const std::string& path, std::string* error = nullptr) const;

    friend bool operator==(const CDIBSection&, const CDIBSection&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    int bitCount_ = 0;
    size_t stride_ = 0;
    std::vector<COLORREF> palette_;
    std::vector<uint8_t> bits_;
};
