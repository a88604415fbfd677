#include "platform/Bmp.h"

#include <algorithm>
#include <bit>
#include <set>
#include <unordered_map>

#include "platform/Text.h"

namespace vx {

namespace {

uint16_t Rd16(std::span<const uint8_t> b, size_t at) {
    return uint16_t(b[at] | (b[at + 1] << 8));
}

uint32_t Rd32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}

bool Fail(std::string* error, std::string why) {
    if (error) *error = std::move(why);
    return false;
}

// A channel mask must be one run of set bits inside the pixel.
bool MaskUsable(uint32_t mask, int bitCount) {
    if (mask == 0) return false;
    if (bitCount == 16 && (mask >> 16) != 0) return false;
    const uint32_t low = mask >> std::countr_zero(mask);
    return (low & (low + 1)) == 0;
}

// One channel of a masked pixel scaled to 0..255.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return v >> (bits - 8);
    return v * 255 / ((1u << bits) - 1);
}

}  // namespace

bool ParseBmp(std::span<const uint8_t> file, BmpView& out, std::string* error) {
    out = BmpView{};
    if (file.size() < kBmpFileHeader + 4)
        return Fail(error, "the bitmap is too short for its headers");
    if (file[0] != 'B' || file[1] != 'M') return Fail(error, "the bitmap has no BM signature");
    const uint32_t fileSize = Rd32(file, 2);
    const uint32_t pixelOffset = Rd32(file, 10);
    const uint32_t headerSize = Rd32(file, kBmpFileHeader);
    if (headerSize != kBmpCoreHeader && headerSize != kBmpInfoHeader &&
        headerSize != kBmpV4Header && headerSize != kBmpV5Header)
        return Fail(error, Format("the bitmap header size %u is not one that is read", headerSize));
    if (file.size() - kBmpFileHeader < headerSize)
        return Fail(error, "the bitmap header is cut off");

    const size_t h = kBmpFileHeader;
    int64_t width = 0, height = 0;
    int planes = 0, bitCount = 0;
    uint32_t compression = kBmpRgb, imageSize = 0, colorsUsed = 0;
    if (headerSize == kBmpCoreHeader) {
        width = Rd16(file, h + 4);
        height = Rd16(file, h + 6);
        planes = Rd16(file, h + 8);
        bitCount = Rd16(file, h + 10);
    } else {
        width = int32_t(Rd32(file, h + 4));
        height = int32_t(Rd32(file, h + 8));
        planes = Rd16(file, h + 12);
        bitCount = Rd16(file, h + 14);
        compression = Rd32(file, h + 16);
        imageSize = Rd32(file, h + 20);
        colorsUsed = Rd32(file, h + 32);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height == 0)
        return Fail(error, "the bitmap has no pixels (width or height 0)");
    if (width > kBmpMaxSide || height > kBmpMaxSide || width * height > kBmpMaxPixels)
        return Fail(error, Format("the bitmap of %lld by %lld pixels is larger than the limit",
                                  static_cast<long long>(width), static_cast<long long>(height)));
    if (planes != 1) return Fail(error, Format("the bitmap has %d planes instead of 1", planes));
    const bool core = headerSize == kBmpCoreHeader;
    const bool bitsKnown = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 ||
                           (!core && (bitCount == 16 || bitCount == 32));
    if (!bitsKnown)
        return Fail(error, Format("the bitmap's bit count %d is not one that is read", bitCount));
    if (compression != kBmpRgb &&
        !(compression == kBmpBitfields && (bitCount == 16 || bitCount == 32)))
        return Fail(error, Format("the bitmap's compression %u is not supported at %d bits",
                                  compression, bitCount));

    size_t pos = kBmpFileHeader + headerSize;
    if (compression == kBmpBitfields) {
        size_t at = kBmpFileHeader + kBmpInfoHeader;  // inside V4/V5 headers, after the info header
        if (headerSize == kBmpInfoHeader) {
            if (file.size() - pos < 12) return Fail(error, "the bitmap's colour masks are cut off");
            pos += 12;
        }
        out.redMask = Rd32(file, at);
        out.greenMask = Rd32(file, at + 4);
        out.blueMask = Rd32(file, at + 8);
        if (!MaskUsable(out.redMask, bitCount) || !MaskUsable(out.greenMask, bitCount) ||
            !MaskUsable(out.blueMask, bitCount) || (out.redMask & out.greenMask) != 0 ||
            (out.redMask & out.blueMask) != 0 || (out.greenMask & out.blueMask) != 0)
            return Fail(error, "the bitmap's colour masks are not usable");
    } else if (bitCount == 16) {
        out.redMask = 0x7C00, out.greenMask = 0x03E0, out.blueMask = 0x001F;
    } else if (bitCount == 32) {
        out.redMask = 0xFF0000, out.greenMask = 0xFF00, out.blueMask = 0xFF;
    }

    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        const uint32_t entries = colorsUsed == 0 ? most : colorsUsed;
        if (entries > most)
            return Fail(error,
                        Format("the bitmap's colour table of %u entries is too long for %d bits",
                               entries, bitCount));
        const size_t entrySize = core ? 3 : 4;
        if ((file.size() - pos) / entrySize < entries)
            return Fail(error, "the bitmap's colour table is cut off");
        out.palette.reserve(entries);
        for (uint32_t i = 0; i < entries; ++i, pos += entrySize)
            out.palette.push_back(uint32_t(file[pos]) | (uint32_t(file[pos + 1]) << 8) |
                                  (uint32_t(file[pos + 2]) << 16));
    }

    const uint64_t stride = (uint64_t(width) * uint64_t(bitCount) + 31) / 32 * 4;
    const uint64_t rowBytes = stride * uint64_t(height);
    if (pixelOffset < pos)
        return Fail(error,
                    Format("the bitmap's pixel offset %u points into its headers", pixelOffset));
    if (uint64_t(pixelOffset) + rowBytes > file.size())
        return Fail(
            error,
            Format("the bitmap's pixels need %llu bytes at offset %u but the bitmap has %zu bytes",
                   static_cast<unsigned long long>(rowBytes), pixelOffset, file.size()));
    if (fileSize != 0 && uint64_t(pixelOffset) + rowBytes > fileSize)
        return Fail(error, Format("the bitmap's pixels run past the file size %u its header gives",
                                  fileSize));
    if (imageSize != 0 && imageSize < rowBytes)
        return Fail(error,
                    Format("the bitmap's image size %u is smaller than its %llu bytes of pixels",
                           imageSize, static_cast<unsigned long long>(rowBytes)));

    out.width = int(width);
    out.height = int(height);
    out.topDown = topDown;
    out.bitCount = bitCount;
    out.compression = compression;
    out.stride = size_t(stride);
    out.headerSize = headerSize;
    out.pixels = file.subspan(pixelOffset, size_t(rowBytes));
    return true;
}

QImage DecodeBmp(const BmpView& v) {
    if (v.width <= 0 || v.height <= 0 || v.pixels.size() < v.stride * size_t(v.height)) return {};
    QImage img(v.width, v.height, QImage::Format_ARGB32);
    if (img.isNull()) return {};
    auto colour = [&](uint32_t index) -> QRgb {
        return index < v.palette.size() ? (0xFF000000u | v.palette[index]) : 0xFF000000u;
    };
    auto masked = [&](uint32_t p) -> QRgb {
        return qRgb(int(Channel(p, v.redMask)), int(Channel(p, v.greenMask)),
                    int(Channel(p, v.blueMask)));
    };
    for (int y = 0; y < v.height; ++y) {
        const size_t srcRow = size_t(v.topDown ? y : v.height - 1 - y);
        const uint8_t* row = v.pixels.data() + srcRow * v.stride;
        QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < v.width; ++x) {
            switch (v.bitCount) {
                case 1:
                    dst[x] = colour((row[x >> 3] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    dst[x] = colour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
                    break;
                case 8:
                    dst[x] = colour(row[x]);
                    break;
                case 16:
                    dst[x] = masked(uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8));
                    break;
                case 24:
                    dst[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                    break;
                case 32: {
                    const uint8_t* p = row + 4 * x;
                    dst[x] = masked(uint32_t(p[0]) | (uint32_t(p[1]) << 8) |
                                    (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
                    break;
                }
                default:
                    return {};
            }
        }
    }
    return img;
}

QImage DecodeBmp(std::span<const uint8_t> file, std::string* error) {
    BmpView view;
    if (!ParseBmp(file, view, error)) return {};
    QImage img = DecodeBmp(view);
    if (img.isNull() && error) *error = "not enough memory for the bitmap";
    return img;
}

namespace {

// The fixed palettes used when an image has more colours than the bit
// count holds: black and white; the sixteen standard colours; a 6x6x6
// colour cube followed by 40 greys.
std::vector<uint32_t> FixedPalette(int bitCount) {
    if (bitCount == 1) return {0x000000, 0xFFFFFF};
    if (bitCount == 4)
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<uint32_t> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
    for (int i = 0; i < 40; ++i) {
        const uint32_t grey = uint32_t(i * 255 / 39);
        p.push_back(grey << 16 | grey << 8 | grey);
    }
    return p;
}

uint8_t Nearest(const std::vector<uint32_t>& palette, uint32_t rgb) {
    int best = 0;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = int((palette[i] >> 16) & 0xFF) - int((rgb >> 16) & 0xFF);
        const int dg = int((palette[i] >> 8) & 0xFF) - int((rgb >> 8) & 0xFF);
        const int db = int(palette[i] & 0xFF) - int(rgb & 0xFF);
        const int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
        if (d < bestDistance) bestDistance = d, best = int(i);
    }
    return uint8_t(best);
}

void Put16(std::vector<uint8_t>& o, uint16_t v) {
    o.push_back(uint8_t(v));
    o.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& o, uint32_t v) {
    Put16(o, uint16_t(v));
    Put16(o, uint16_t(v >> 16));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const QImage& image, int bitCount,
                               const std::vector<uint32_t>* palette) {
    if (image.isNull()) return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return {};
    const QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const int w = src.width(), h = src.height();

    std::vector<uint32_t> pal;
    if (bitCount <= 8) {
        const size_t most = size_t(1) << bitCount;
        if (palette && !palette->empty()) {
            pal.assign(palette->begin(), palette->begin() + std::min(most, palette->size()));
            for (uint32_t& c : pal) c &= 0xFFFFFF;
        } else {
            std::set<uint32_t> seen;
            for (int y = 0; y < h && seen.size() <= most; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
                for (int x = 0; x < w && seen.size() <= most; ++x) seen.insert(row[x] & 0xFFFFFF);
            }
            if (seen.size() <= most)
                pal.assign(seen.begin(), seen.end());
            else
                pal = FixedPalette(bitCount);
        }
    }

    const size_t stride = (size_t(w) * size_t(bitCount) + 31) / 32 * 4;
    const size_t offset = kBmpFileHeader + kBmpInfoHeader + pal.size() * 4;
    const size_t total = offset + stride * size_t(h);
    std::vector<uint8_t> o;
    o.reserve(total);
    o.push_back('B');
    o.push_back('M');
    Put32(o, uint32_t(total));
    Put32(o, 0);
    Put32(o, uint32_t(offset));
    Put32(o, kBmpInfoHeader);
    Put32(o, uint32_t(w));
    Put32(o, uint32_t(h));
    Put16(o, 1);
    Put16(o, uint16_t(bitCount));
    Put32(o, kBmpRgb);
    Put32(o, uint32_t(stride * size_t(h)));
    Put32(o, 2835);  // 72 dots per inch
    Put32(o, 2835);
    Put32(o, uint32_t(pal.size()));
    Put32(o, 0);
    for (uint32_t c : pal) Put32(o, c);

    std::unordered_map<uint32_t, uint8_t> indexOf;
    auto index = [&](uint32_t rgb) {
        auto it = indexOf.find(rgb);
        if (it != indexOf.end()) return it->second;
        return indexOf[rgb] = Nearest(pal, rgb);
    };
    std::vector<uint8_t> line(stride);
    for (int y = h - 1; y >= 0; --y) {
        std::fill(line.begin(), line.end(), 0);
        const QRgb* row = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFF;
            switch (bitCount) {
                case 1:
                    line[x >> 3] |= uint8_t((index(rgb) & 1) << (7 - (x & 7)));
                    break;
                case 4:
                    line[x >> 1] |= uint8_t((index(rgb) & 0xF) << ((x & 1) ? 0 : 4));
                    break;
                case 8:
                    line[x] = index(rgb);
                    break;
                case 24:
                    line[3 * x] = uint8_t(rgb), line[3 * x + 1] = uint8_t(rgb >> 8),
                             line[3 * x + 2] = uint8_t(rgb >> 16);
                    break;
                default:
                    line[4 * x] = uint8_t(rgb), line[4 * x + 1] = uint8_t(rgb >> 8),
                             line[4 * x + 2] = uint8_t(rgb >> 16);
                    line[4 * x + 3] = uint8_t(row[x] >> 24);
                    break;
            }
        }
        o.insert(o.end(), line.begin(), line.end());
    }
    return o;
}

}  // namespace vx
