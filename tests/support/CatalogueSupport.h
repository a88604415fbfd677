// Helpers for catalogue tests: the fixture that registers the catalogue
// classes, small bitmap file images for icons, and the pieces of a
// catalogue file built by hand from its layout, so tests compare what a save
// writes with bytes they lay out themselves.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Catalogue.h"
#include "support/BmpBuilder.h"
#include "support/TestSupport.h"

namespace vxtest {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterCatalogueClasses(); }
};

// A complete bitmap file image of `width` x `height` pixels at 1 or 24 bits
// per pixel, the pixels filled with `fill`.
inline std::vector<uint8_t> TinyBmp(int width, int height, int bitCount, uint8_t fill = 0x5A) {
    BmpFields bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = uint16_t(bitCount);
    if (bitCount == 1) bmp.palette = {0x000000, 0xFFFFFF};
    const size_t stride = size_t((width * bitCount + 31) / 32 * 4);
    bmp.pixels.assign(stride * size_t(height), fill);
    return BuildBmp(bmp);
}

// One entry of an item as the layout stores it.
struct CatEntry {
    uint32_t format;
    std::string name;
    std::vector<uint8_t> data;
};

// The parts of an item, each as its own archive writes it.
inline std::vector<uint8_t> NamePart(std::string_view name) { return Bytes().s(name).d; }
inline std::vector<uint8_t> NoImagePart() { return Bytes().w(0).d; }
inline std::vector<uint8_t> ImagePart(const std::vector<uint8_t>& bmp) {
    // A new class record (schema 0, "CDib"), then marker, size and bytes.
    return Bytes().w(0xFFFF).w(0).w(4).b('C').b('D').b('i').b('b').w(0x4142).dw(uint32_t(bmp.size())).raw(bmp).d;
}
inline std::vector<uint8_t> EntriesPart(const std::vector<CatEntry>& entries) {
    Bytes b;
    b.w(uint16_t(entries.size()));
    for (const CatEntry& e : entries) b.dw(e.format);
    b.w(uint16_t(entries.size()));
    for (const CatEntry& e : entries) b.s(e.name);
    b.w(uint16_t(entries.size()));
    for (const CatEntry& e : entries) b.dw(uint32_t(e.data.size()));
    for (const CatEntry& e : entries) b.raw(e.data);
    return b.d;
}
// The entries part of a property object that holds nothing but its mark.
inline std::vector<uint8_t> PropertyEntriesPart() { return EntriesPart({{0, CCatalogueOb::kPropertyObjectKey, {}}}); }

// A catalogue file laid out piece by piece.
class CatFile {
public:
    // A header whose directory offset is filled in by Directory().
    CatFile() { d.dw(CCatalogue::kMagic).dw(CCatalogue::kVersion).dw(0); }
    // Appends bytes; returns the offset they start at.
    uint32_t Append(const std::vector<uint8_t>& bytes) {
        const uint32_t at = uint32_t(d.d.size());
        d.raw(bytes);
        return at;
    }
    // Appends an item's four parts and its header; returns the header's
    // offset and, in `parts`, where the parts went.
    uint32_t Item(std::string_view name, const std::vector<uint8_t>& colour, const std::vector<uint8_t>& mask,
                  const std::vector<uint8_t>& entries, CCatalogueOb::PartOffsets* parts = nullptr) {
        const CCatalogueOb::PartOffsets p = {Append(NamePart(name)), Append(colour), Append(mask), Append(entries)};
        if (parts) *parts = p;
        return Header(p[0], p[1], p[2], p[3]);
    }
    uint32_t Header(uint32_t name, uint32_t colour, uint32_t mask, uint32_t entries) {
        return Append(Bytes().dw(name).dw(colour).dw(mask).dw(entries).d);
    }
    // Appends a directory of `headers` and points the file header at it.
    uint32_t Directory(const std::vector<uint32_t>& headers) {
        Bytes b;
        b.dw(uint32_t(headers.size()));
        for (uint32_t h : headers) b.dw(h);
        const uint32_t at = Append(b.d);
        for (int i = 0; i < 4; ++i) d.d[8 + size_t(i)] = uint8_t(at >> (8 * i));
        return at;
    }
    const std::vector<uint8_t>& bytes() const { return d.d; }

private:
    Bytes d;
};

}  // namespace vxtest
