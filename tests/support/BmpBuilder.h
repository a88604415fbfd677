// Hand-built bitmap file images for tests: every header field can be set on
// its own, so a test can damage exactly one of them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vxtest {

struct BmpFields {
    uint32_t headerSize = 40;  // 12, 40, 108 or 124 (or anything, to damage it)
    int32_t width = 2, height = 2;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;        // written into the info header as is
    std::vector<uint32_t> palette;  // 0x00RRGGBB, written after the header (and masks)
    std::vector<uint32_t> masks;    // written after a 40-byte header, or into V4/V5
    std::vector<uint8_t> pixels;    // the pixel rows as they are stored
    int64_t pixelOffset = -1;       // -1: right after the colour table
    int64_t fileSize = -1;          // -1: the real size
    int64_t imageSize = -1;         // -1: the size of `pixels`
};

inline std::vector<uint8_t> BuildBmp(const BmpFields& s) {
    std::vector<uint8_t> o;
    auto w16 = [&](uint32_t v) {
        o.push_back(uint8_t(v));
        o.push_back(uint8_t(v >> 8));
    };
    auto w32 = [&](uint32_t v) {
        w16(v & 0xFFFF);
        w16(v >> 16);
    };
    const bool core = s.headerSize == 12;
    o.push_back('B');
    o.push_back('M');
    w32(0);  // file size, filled in below
    w32(0);
    w32(0);  // pixel offset, filled in below
    w32(s.headerSize);
    if (core) {
        w16(uint16_t(s.width));
        w16(uint16_t(s.height));
        w16(s.planes);
        w16(s.bitCount);
    } else {
        w32(uint32_t(s.width));
        w32(uint32_t(s.height));
        w16(s.planes);
        w16(s.bitCount);
        w32(s.compression);
        w32(uint32_t(s.imageSize >= 0 ? s.imageSize : int64_t(s.pixels.size())));
        w32(2835);
        w32(2835);
        w32(s.colorsUsed);
        w32(0);
        // A damaged, huge header size is written but not padded out.
        const size_t headerEnd = 14 + std::min<uint32_t>(s.headerSize, 124);
        if (s.headerSize > 40) {
            for (size_t i = 0; i < s.masks.size() && o.size() + 4 <= headerEnd; ++i)
                w32(s.masks[i]);
        }
        while (o.size() < headerEnd) o.push_back(0);
        if (s.headerSize == 40)
            for (uint32_t m : s.masks) w32(m);
    }
    for (uint32_t c : s.palette) {
        o.push_back(uint8_t(c));
        o.push_back(uint8_t(c >> 8));
        o.push_back(uint8_t(c >> 16));
        if (!core) o.push_back(0);
    }
    // An offset pointing into the headers keeps the pixels at the end.
    if (s.pixelOffset >= 0 && size_t(s.pixelOffset) > o.size()) o.resize(size_t(s.pixelOffset), 0);
    const size_t offset = s.pixelOffset >= 0 ? size_t(s.pixelOffset) : o.size();
    o.insert(o.end(), s.pixels.begin(), s.pixels.end());
    const uint32_t size = uint32_t(s.fileSize >= 0 ? s.fileSize : int64_t(o.size()));
    for (int i = 0; i < 4; ++i) o[2 + i] = uint8_t(size >> (8 * i));
    for (int i = 0; i < 4; ++i) o[10 + i] = uint8_t(uint32_t(offset) >> (8 * i));
    return o;
}

}  // namespace vxtest
