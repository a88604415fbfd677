// The one reader of bitmap file images (the bytes of a .bmp file), used by
// every place that reads bitmap bytes: image values of bitmap shapes,
// catalogue icons, the image editor and clipboard bitmaps. Every field is
// checked before it is used and nothing is read outside the input, so the
// bytes may come from anywhere.
#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vx {

// Limits: each side 1..kBmpMaxSide, width*height <= kBmpMaxPixels.
inline constexpr int kBmpMaxSide = 32768;
inline constexpr int64_t kBmpMaxPixels = int64_t{1} << 28;

// Header sizes that are read: BITMAPCOREHEADER, BITMAPINFOHEADER, the V4 and
// the V5 header.
inline constexpr uint32_t kBmpCoreHeader = 12;
inline constexpr uint32_t kBmpInfoHeader = 40;
inline constexpr uint32_t kBmpV4Header = 108;
inline constexpr uint32_t kBmpV5Header = 124;
// The file header in front of the info header.
inline constexpr size_t kBmpFileHeader = 14;
// Compression codes that are read. Run-length encoded images (1, 2), JPEG
// and PNG contents (4, 5) are refused.
inline constexpr uint32_t kBmpRgb = 0;
inline constexpr uint32_t kBmpBitfields = 3;

// A bitmap file image (14-byte file header, info header, colour table,
// pixels), checked field by field.
struct BmpView {
    int width = 0, height = 0;  // both > 0
    bool topDown = false;       // rows stored top first (negative height in the header)
    int bitCount = 0;           // 1, 4, 8, 16, 24 or 32
    uint32_t compression = 0;   // kBmpRgb or kBmpBitfields
    uint32_t redMask = 0, greenMask = 0, blueMask = 0;  // 16/32 bit (defaults filled in for BI_RGB)
    std::vector<uint32_t> palette;    // 0x00RRGGBB, bitCount <= 8 (size 1<<bitCount or biClrUsed)
    std::span<const uint8_t> pixels;  // the pixel rows inside the input, stride*height bytes
    size_t stride = 0;                // bytes per row, padded to 4
    uint32_t headerSize = 0;          // one of the kBmp...Header sizes
};

// false (and why, in *error) for anything damaged or out of limits; never
// reads outside `file`. Checks the signature, the header size, width and
// height, planes, bit count, compression and masks, the colour-table size,
// the pixel offset, and that the pixel rows fit both the sizes the headers
// give and the bytes that are there.
bool ParseBmp(std::span<const uint8_t> file, BmpView& out, std::string* error = nullptr);

// The image as QImage::Format_ARGB32 (alpha 255), or a null QImage on
// damage (or when the image cannot be allocated). A pixel naming a colour
// beyond the colour table is black.
QImage DecodeBmp(std::span<const uint8_t> file, std::string* error = nullptr);
// Decodes a checked view.
QImage DecodeBmp(const BmpView& view);

// A complete bitmap file image at bitCount 1/4/8 (palette computed, or
// given), 24 or 32, bottom-up with a BITMAPINFOHEADER. With bitCount <= 8
// and no palette given the image's own colours are the palette when they
// fit, else a fixed palette of that size; pixels take the nearest palette
// colour. Empty for a null image or another bit count.
std::vector<uint8_t> EncodeBmp(const QImage& image, int bitCount,
                               const std::vector<uint32_t>* palette = nullptr);

}  // namespace vx
